// The whole update road against a local HTTP server, with stand-in programs that record how
// they were started, in a folder laid out as the product's: product/ with the product program,
// product/lumbrixon/ with the update checker, its version file and the process checker.
#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/Shell.h"
#include "platform/testing/LocalHttpServer.h"
#include "platform/testing/MessageBoxRecorder.h"
#include "platform/testing/TempDir.h"
#include "updater/TDownloadForm.h"
#include "updater/TMainForm.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <unistd.h>

namespace {

namespace stdfs = std::filesystem;
using Call = MessageBoxRecorder::Call;
using Response = LocalHttpServer::Response;

const std::string kProductName = u8"見積ツール Pro 202404"_sj.str();

const Call M1{
    u8"本体バージョンアップ自動更新通知ツール\nもしくは\nデータ更新キット自動更新通知ツール\n"
    u8"に関するプログラムが起動中です。\n先にそれらのプログラムを終了してください。"_sj,
    u8"多重起動エラー"_sj, 0x30};
const Call M2{u8"バージョンアップに失敗しました。\r\n再度やり直してください。"_sj,
              u8"バージョンアップ作業失敗"_sj, 0x40000};
// The question for the product above, from 1.0 to 2.0.
const Call M3{u8"【情報】\n　　見積ツール Pro 202404\n　　がバージョンアップされました。\n\n"
              u8"　　現在のバージョン：1.0\n　　最新のバージョン：2.0\n\n"
              u8"【注意】\n　　バージョンアップを実行するには、\n　　見積ツール Pro 202404\n"
              u8"　　を終了し、バージョンアップに必要な\n　　プログラムをダウンロード、\n"
              u8"　　実行する必要があります。\n\n　　見積ツール Pro 202404\n"
              u8"　　を終了し、バージョンアップを行いますか？"_sj,
              u8"バージョンアップ確認"_sj, 0x42034};
const Call M4{
    u8"インストーラのダウンロードに失敗しました。\nインターネットに接続されているか確認し、\n"
    u8"再度実行してください。"_sj,
    u8"エラー"_sj, 0x0};
const Call M5{u8"ダウンロードが完了しました。\n続けてインストールを開始します。"_sj,
              u8"ダウンロード完了"_sj, 0x40};

struct Version {
    std::string name = kProductName;
    std::string ver;
    std::string targetExe = "Vakrel_R581_prototype.exe";
    std::string rootpath;
    std::string exepath = "upd/";
    std::string installerExe = "VakrelSetup";

    std::string File() const {
        return "[version]\r\nname=" + name + "\r\nver=" + ver + "\r\ntarget_exe=" + targetExe +
               "\r\nrootpath=" + rootpath + "\r\nexepath=" + exepath +
               "\r\ninstaller_exe=" + installerExe + "\r\n";
    }
};

std::string Bytes(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 31) >> 3);
    }
    return bytes;
}

template <typename Condition> bool Eventually(Condition condition) {
    for (int i = 0; i < 1000 && !condition(); ++i) {
        ::usleep(10000);
    }
    return condition();
}

std::vector<std::uint32_t> IdsNamed(const std::string& name) {
    std::vector<std::uint32_t> ids;
    for (const ProcessEntry& entry : ProcessSnapshot()) {
        if (entry.exeName == AnsiString(name)) {
            ids.push_back(entry.id);
        }
    }
    return ids;
}

// What the road left of its download dialog.
struct Outcome {
    int ends = 0;
    bool downloaded = false;
    bool dialog = false;
    bool dialogVisible = false;
    std::string total;
    std::string finished;
};

class UpdateRoadTest : public testing::Test {
protected:
    UpdateRoadTest() {
        product_ = root_.MakeFolder("product");
        own_ = root_.MakeFolder("product/lumbrixon");
        records_ = root_.MakeFolder("records");
        root_.Write("outside.txt", "not the update checker's");
        root_.Write("product/lumbrixon/lumbrixon.exe", "the update checker");
        local_.ver = "1.0";
        local_.rootpath = server_.Url("/");
        server_version_.ver = "2.0";
        server_version_.rootpath = server_.Url("/");
        WriteRecorder("product/lumbrixon/travomet.exe", "travomet");
        WriteRecorder("product/Vakrel_R581_prototype.exe", "product");
        const std::string comSpec =
            root_.Write("records/comspec.sh",
                        "#!/bin/sh\n{ for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > " +
                            records_ + "/comspec.part\nmv " + records_ + "/comspec.part " +
                            records_ + "/comspec.txt\nexec /bin/sh \"$@\"\n");
        stdfs::permissions(comSpec, stdfs::perms::owner_all);
        ::setenv("ComSpec", comSpec.c_str(), 1);
    }

    ~UpdateRoadTest() override {
        ::unsetenv("ComSpec");
        for (std::uint32_t id : sleepers_) {
            TerminateProcessById(id);
        }
    }

    void TearDown() override {
        if (ran_) {
            EXPECT_EQ(Outside(), outsideBefore_) << "files outside the update checker's folder";
        }
    }

    // A program that records its name and arguments in records/<record>.txt.
    void WriteRecorder(const std::string& path, const std::string& record) {
        const std::string out = records_ + "/" + record;
        root_.Write(path, "#!/bin/sh\n{ printf '%s\\n' \"$0\"; for a in \"$@\"; do printf '%s\\n' "
                          "\"$a\"; done; } > " +
                              out + ".part\nmv " + out + ".part " + out + ".txt\n");
        stdfs::permissions(root_ / path, stdfs::perms::owner_all);
    }

    // Starts a process that runs under the given executable name until the test ends.
    std::uint32_t StartSleeper(const std::string& name) {
        const std::string program = bin_ / name;
        if (!stdfs::exists(program)) {
            stdfs::copy_file("/bin/sleep", program);
        }
        EXPECT_TRUE(StartDetached(AnsiString(program), {"60"}));
        std::uint32_t id = 0;
        EXPECT_TRUE(Eventually([&] {
            for (std::uint32_t candidate : IdsNamed(name)) {
                if (std::find(sleepers_.begin(), sleepers_.end(), candidate) == sleepers_.end()) {
                    id = candidate;
                    return true;
                }
            }
            return false;
        }));
        sleepers_.push_back(id);
        return id;
    }

    static bool Running(std::uint32_t id) {
        const auto all = ProcessSnapshot();
        return std::any_of(all.begin(), all.end(), [&](const auto& e) { return e.id == id; });
    }

    void ServeVersions() {
        root_.Write("product/lumbrixon/version.ini", local_.File());
        server_.Serve("/upd/version.ini", LocalHttpServer::Ok(server_version_.File()));
    }

    // Runs the road once, the update checker's executable standing in its folder; `prepare`
    // may adjust the form before the road starts.
    Outcome RunRoad(const std::function<void(TMainForm&)>& prepare = {}) {
        outsideBefore_ = Outside();
        ran_ = true;
        Outcome outcome;
        TMainForm form(AnsiString(modulePath_.empty() ? own_ + "/lumbrixon.exe" : modulePath_),
                       [&] { ++outcome.ends; });
        if (prepare) {
            prepare(form);
        }
        form.FormCreate();
        outcome.downloaded = form.InstallerDownloaded;
        if (DownloadForm) {
            outcome.dialog = true;
            outcome.dialogVisible = DownloadForm->isVisible();
            outcome.total = DownloadForm->LabelTotal->text().toStdString();
            outcome.finished = DownloadForm->LabelFinished->text().toStdString();
        }
        return outcome;
    }

    std::set<std::string> OwnFiles() const {
        std::set<std::string> names;
        for (const auto& entry : stdfs::directory_iterator(own_)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

    // Every file outside the update checker's folder and the records, with its content.
    std::map<std::string, std::string> Outside() const {
        std::map<std::string, std::string> files;
        for (auto it = stdfs::recursive_directory_iterator(root_.Path());
             it != stdfs::recursive_directory_iterator(); ++it) {
            const std::string path = it->path().string();
            if (path == own_ || path == records_) {
                it.disable_recursion_pending();
                continue;
            }
            files[path] = it->is_directory() ? "<folder>" : ReadWholeFile(path);
        }
        return files;
    }

    std::string Record(const std::string& name) const {
        return ReadWholeFile(records_ + "/" + name + ".txt");
    }
    std::string WaitForRecord(const std::string& name) const {
        Eventually([&] { return stdfs::exists(records_ + "/" + name + ".txt"); });
        return Record(name);
    }

    // The process checker's copy opened without parameters.
    std::string OpenedAlone() const {
        return stdfs::canonical(own_).string() + "/travomet_org.exe\n";
    }
    // The process checker's copy run by the command interpreter with the installer's name.
    std::string HandedOver() const { return own_ + "/travomet_org.exe\nQuorvanV2_Setup.exe\n"; }

    std::vector<std::string> Requests(std::initializer_list<std::string> paths) const {
        std::vector<std::string> lines;
        for (const std::string& path : paths) {
            lines.push_back("GET " + path + " HTTP/1.0");
        }
        return lines;
    }

    TempDir root_;
    TempDir bin_;
    std::string product_;
    std::string own_;
    std::string records_;
    LocalHttpServer server_;
    StallClock clock_{server_};
    ClockScope clockScope_{clock_};
    MessageBoxRecorder boxes_;
    Version local_;
    Version server_version_;
    // The update checker's path as the road is given it, when it is not own_ + "/lumbrixon.exe".
    std::string modulePath_;

private:
    std::vector<std::uint32_t> sleepers_;
    std::map<std::string, std::string> outsideBefore_;
    bool ran_ = false;
};

const std::set<std::string> kAfterNoUpdate{"lumbrixon.exe", "travomet.exe", "travomet_org.exe",
                                           "version.ini"};
const std::set<std::string> kAfterDownload{"lumbrixon.exe",    "new_version.ini", "travomet.exe",
                                           "travomet_org.exe", "VakrelSetup.exe", "version.ini"};
// A download that did not complete leaves no file of its own.
const std::set<std::string> kAfterIncompleteDownload{
    "lumbrixon.exe", "new_version.ini", "travomet.exe", "travomet_org.exe", "version.ini"};

TEST_F(UpdateRoadTest, EqualVersionsOpenTheProcessCheckerAlone) {
    server_version_.ver = "1.0";
    ServeVersions();
    root_.Write("product/lumbrixon/VakrelSetup.exe", "left by an earlier run");
    root_.Write("product/lumbrixon/VakrelSetup(1.0).exe", "versioned installer");
    const Outcome outcome = RunRoad();
    EXPECT_TRUE(boxes_.Calls().empty());
    EXPECT_EQ(outcome.ends, 1);
    EXPECT_FALSE(outcome.dialog);
    EXPECT_EQ(OwnFiles(), kAfterNoUpdate);
    EXPECT_EQ(ReadWholeFile(own_ + "/travomet_org.exe"), ReadWholeFile(own_ + "/travomet.exe"));
    EXPECT_EQ(WaitForRecord("travomet"), OpenedAlone());
    EXPECT_EQ(server_.Requests(), Requests({"/upd/version.ini"}));
}

TEST_F(UpdateRoadTest, AnsweringNoStopsNothingAndOpensTheProcessCheckerAlone) {
    const std::uint32_t productProcess = StartSleeper("Vakrel_R581_prototype.exe");
    ServeVersions();
    boxes_.Answer(mb::IDNO);
    const Outcome outcome = RunRoad();
    EXPECT_EQ(boxes_.Calls(), std::vector<Call>{M3});
    EXPECT_EQ(outcome.ends, 1);
    EXPECT_TRUE(Running(productProcess));
    EXPECT_EQ(OwnFiles(), kAfterNoUpdate);
    EXPECT_EQ(WaitForRecord("travomet"), OpenedAlone());
    EXPECT_EQ(server_.Requests(), Requests({"/upd/version.ini"}));
}

TEST_F(UpdateRoadTest, ACompleteDownloadStopsTheProductAndHandsTheInstallerOver) {
    const std::uint32_t productProcess = StartSleeper("Vakrel_R581_prototype.exe");
    ServeVersions();
    const std::string installer = Bytes(200 * 1024 + 5);
    server_.Serve("/upd/VakrelSetup(2.0).exe", LocalHttpServer::Ok(installer));
    root_.Write("product/lumbrixon/VakrelSetup(2.0).exe", "deleted when the program ends");
    boxes_.Answer(mb::IDYES);
    bool dialogShownAtCompletion = false;
    boxes_.OnShow([&](const Call& call) {
        if (call == M5) {
            dialogShownAtCompletion = DownloadForm && DownloadForm->isVisible();
        }
    });
    const Outcome outcome = RunRoad();
    EXPECT_EQ(boxes_.Calls(), (std::vector<Call>{M3, M5}));
    EXPECT_TRUE(dialogShownAtCompletion);
    EXPECT_TRUE(outcome.downloaded);
    EXPECT_TRUE(outcome.dialog);
    EXPECT_FALSE(outcome.dialogVisible);
    EXPECT_EQ(outcome.total, std::to_string(installer.size()));
    EXPECT_EQ(outcome.finished, std::to_string(installer.size()));
    EXPECT_TRUE(Eventually([&] { return !Running(productProcess); }));
    EXPECT_EQ(OwnFiles(), kAfterDownload);
    EXPECT_EQ(ReadWholeFile(own_ + "/VakrelSetup.exe"), installer);
    EXPECT_EQ(WaitForRecord("comspec"),
              "-c\n'" + own_ + "/travomet_org.exe' QuorvanV2_Setup.exe\n");
    EXPECT_EQ(WaitForRecord("travomet"), HandedOver());
    EXPECT_EQ(server_.Requests(), Requests({"/upd/version.ini", "/upd/VakrelSetup(2.0).exe"}));
}

TEST_F(UpdateRoadTest, WithoutComSpecThePosixShellRunsTheProcessChecker) {
    ::unsetenv("ComSpec");
    ServeVersions();
    server_.Serve("/upd/VakrelSetup(2.0).exe", LocalHttpServer::Ok(Bytes(1000)));
    boxes_.Answer(mb::IDYES);
    RunRoad();
    EXPECT_EQ(boxes_.Calls(), (std::vector<Call>{M3, M5}));
    EXPECT_EQ(WaitForRecord("travomet"), HandedOver());
    EXPECT_EQ(Record("comspec"), "");
}

TEST_F(UpdateRoadTest, CancelFromTheDialogEndsTheDownloadWithoutAMessage) {
    ServeVersions();
    Response stall = LocalHttpServer::Ok(Bytes(200000));
    stall.stallAfter = 50000;
    server_.Serve("/upd/VakrelSetup(2.0).exe", stall);
    boxes_.Answer(mb::IDYES);
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [] {
        if (DownloadForm && DownloadForm->isVisible() &&
            DownloadForm->LabelFinished->text() == "50000") {
            DownloadForm->ButtonCancel->click();
        }
    });
    user.start(1);
    const Outcome outcome = RunRoad();
    EXPECT_EQ(boxes_.Calls(), std::vector<Call>{M3});
    EXPECT_FALSE(outcome.downloaded);
    EXPECT_FALSE(outcome.dialogVisible);
    EXPECT_EQ(outcome.total, "200000");
    EXPECT_EQ(OwnFiles(), kAfterIncompleteDownload);
    EXPECT_EQ(WaitForRecord("travomet"), OpenedAlone());
}

TEST_F(UpdateRoadTest, AStallPastTheTimeOutReportsTheFailedDownload) {
    ServeVersions();
    Response stall = LocalHttpServer::Ok(Bytes(5000));
    stall.stallAfter = 1000;
    server_.Serve("/upd/VakrelSetup(2.0).exe", stall);
    boxes_.Answer(mb::IDYES);
    const Outcome outcome = RunRoad();
    EXPECT_EQ(boxes_.Calls(), (std::vector<Call>{M3, M4}));
    EXPECT_FALSE(outcome.downloaded);
    EXPECT_FALSE(outcome.dialogVisible);
    EXPECT_EQ(OwnFiles(), kAfterIncompleteDownload);
    EXPECT_EQ(WaitForRecord("travomet"), OpenedAlone());
}

TEST_F(UpdateRoadTest, AShortBodyIsNoInstallerAndTheFixedNameIsDeleted) {
    server_version_.installerExe = "QuorvanV2_Setup";
    ServeVersions();
    server_.Serve("/upd/QuorvanV2_Setup(2.0).exe",
                  LocalHttpServer::Announcing(100000, Bytes(40000)));
    boxes_.Answer(mb::IDYES);
    const Outcome outcome = RunRoad();
    EXPECT_EQ(boxes_.Calls(), (std::vector<Call>{M3, M4}));
    EXPECT_FALSE(outcome.downloaded);
    EXPECT_FALSE(outcome.dialogVisible);
    EXPECT_EQ(outcome.finished, "40000");
    EXPECT_EQ(OwnFiles(), (std::set<std::string>{"lumbrixon.exe", "new_version.ini", "travomet.exe",
                                                 "travomet_org.exe", "version.ini"}));
    EXPECT_EQ(WaitForRecord("travomet"), OpenedAlone());
}

TEST_F(UpdateRoadTest, ABodyOfUnknownLengthIsNoInstaller) {
    ServeVersions();
    server_.Serve("/upd/VakrelSetup(2.0).exe", LocalHttpServer::WithoutLength(Bytes(150000)));
    boxes_.Answer(mb::IDYES);
    const Outcome outcome = RunRoad();
    EXPECT_EQ(boxes_.Calls(), std::vector<Call>{M3});
    EXPECT_FALSE(outcome.downloaded);
    EXPECT_FALSE(outcome.dialogVisible);
    EXPECT_EQ(outcome.total, "0");
    EXPECT_EQ(outcome.finished, "150000");
    EXPECT_EQ(OwnFiles(), kAfterIncompleteDownload);
    EXPECT_EQ(WaitForRecord("travomet"), OpenedAlone());
}

TEST_F(UpdateRoadTest, AnErrorStatusForTheVersionFileAsksNothingButHandsOver) {
    for (int status : {404, 500}) {
        SCOPED_TRACE(status);
        ::unlink((records_ + "/travomet.txt").c_str());
        ServeVersions();
        server_.Serve("/upd/version.ini", LocalHttpServer::Status(status, "error page\n"));
        const Outcome outcome = RunRoad();
        EXPECT_TRUE(boxes_.Calls().empty());
        EXPECT_EQ(outcome.ends, 1);
        EXPECT_EQ(OwnFiles(),
                  (std::set<std::string>{"lumbrixon.exe", "new_version.ini", "travomet.exe",
                                         "travomet_org.exe", "version.ini"}));
        EXPECT_EQ(ReadWholeFile(own_ + "/new_version.ini"), "error page\n");
        EXPECT_EQ(WaitForRecord("travomet"), OpenedAlone());
    }
}

TEST_F(UpdateRoadTest, RedirectionsLeadToTheFilesAndTheirBodiesAreNoInstaller) {
    ServeVersions();
    server_.Serve("/upd/version.ini", LocalHttpServer::Redirect(302, "/moved/version.ini"));
    server_.Serve("/moved/version.ini",
                  LocalHttpServer::Redirect(301, server_.Url("/final/version.ini")));
    server_.Serve("/final/version.ini", LocalHttpServer::Ok(server_version_.File()));
    const std::string installer = Bytes(70000);
    server_.Serve("/upd/VakrelSetup(2.0).exe", LocalHttpServer::Redirect(302, "/dl/setup.bin"));
    server_.Serve("/dl/setup.bin", LocalHttpServer::Ok(installer));
    boxes_.Answer(mb::IDYES);
    const Outcome outcome = RunRoad();
    // One completion only: the redirection's own short body does not count.
    EXPECT_EQ(boxes_.Calls(), (std::vector<Call>{M3, M5}));
    EXPECT_TRUE(outcome.downloaded);
    EXPECT_EQ(OwnFiles(), kAfterDownload);
    EXPECT_EQ(ReadWholeFile(own_ + "/VakrelSetup.exe"), installer);
    EXPECT_EQ(WaitForRecord("travomet"), HandedOver());
    EXPECT_EQ(server_.Requests(),
              Requests({"/upd/version.ini", "/moved/version.ini", "/final/version.ini",
                        "/upd/VakrelSetup(2.0).exe", "/dl/setup.bin"}));
}

TEST_F(UpdateRoadTest, ARedirectionLoopForTheVersionFileEndsSilently) {
    ServeVersions();
    server_.Serve("/upd/version.ini", LocalHttpServer::Redirect(302, "/upd/version.ini"));
    const Outcome outcome = RunRoad();
    EXPECT_TRUE(boxes_.Calls().empty());
    EXPECT_EQ(outcome.ends, 1);
    EXPECT_LE(server_.Requests().size(), 10u);
    // No hand-over: the process checker was not even copied.
    EXPECT_EQ(OwnFiles(), (std::set<std::string>{"lumbrixon.exe", "new_version.ini", "travomet.exe",
                                                 "version.ini"}));
}

TEST_F(UpdateRoadTest, ARedirectionLoopForTheInstallerIsAFailedDownload) {
    ServeVersions();
    server_.Serve("/upd/VakrelSetup(2.0).exe", LocalHttpServer::Redirect(301, "/again"));
    server_.Serve("/again", LocalHttpServer::Redirect(302, "/upd/VakrelSetup(2.0).exe"));
    boxes_.Answer(mb::IDYES);
    const Outcome outcome = RunRoad();
    EXPECT_EQ(boxes_.Calls(), (std::vector<Call>{M3, M4}));
    EXPECT_FALSE(outcome.downloaded);
    EXPECT_FALSE(outcome.dialogVisible);
    EXPECT_LE(server_.Requests().size(), 12u);
    EXPECT_EQ(WaitForRecord("travomet"), OpenedAlone());
}

TEST_F(UpdateRoadTest, ASecureVersionAddressEndsSilently) {
    local_.rootpath = "https://127.0.0.1:" + std::to_string(server_.Port()) + "/";
    ServeVersions();
    const Outcome outcome = RunRoad();
    EXPECT_TRUE(boxes_.Calls().empty());
    EXPECT_EQ(outcome.ends, 1);
    EXPECT_TRUE(server_.Requests().empty());
    EXPECT_EQ(OwnFiles(), (std::set<std::string>{"lumbrixon.exe", "travomet.exe", "version.ini"}));
}

TEST_F(UpdateRoadTest, ASecureInstallerAddressIsAFailedDownload) {
    server_version_.rootpath = "https://127.0.0.1:" + std::to_string(server_.Port()) + "/";
    ServeVersions();
    boxes_.Answer(mb::IDYES);
    const Outcome outcome = RunRoad();
    EXPECT_EQ(boxes_.Calls(), (std::vector<Call>{M3, M4}));
    EXPECT_FALSE(outcome.dialog);
    EXPECT_EQ(server_.Requests(), Requests({"/upd/version.ini"}));
    EXPECT_EQ(WaitForRecord("travomet"), OpenedAlone());
}

TEST_F(UpdateRoadTest, AFailedCopyReportsAndReopensTheServersTarget) {
    ::unlink((own_ + "/travomet.exe").c_str());
    server_version_.ver = "1.0";
    server_version_.targetExe = "Vakrel_R582.exe";
    WriteRecorder("product/Vakrel_R582.exe", "product");
    ServeVersions();
    const Outcome outcome = RunRoad();
    EXPECT_EQ(boxes_.Calls(), std::vector<Call>{M2});
    EXPECT_EQ(outcome.ends, 1);
    EXPECT_EQ(WaitForRecord("product"), stdfs::canonical(product_).string() + "/Vakrel_R582.exe\n");
    EXPECT_EQ(OwnFiles(), (std::set<std::string>{"lumbrixon.exe", "version.ini"}));
}

TEST_F(UpdateRoadTest, TheSpecialTargetHasItsOwnNamesAndReopensTheDataKitUpdater) {
    local_.targetExe = "Dremholt2.exe";
    server_version_.targetExe = "Dremholt2.exe";
    ServeVersions();
    ::unlink((own_ + "/travomet.exe").c_str());
    WriteRecorder("product/lumbrixon/velnaro_tallisk.exe", "tallisk");
    root_.Write("product/lumbrixon/QuorvanV2_Setup.exe", "left by an earlier run");
    const std::uint32_t target = StartSleeper("Dremholt2.exe");
    const std::string installer = Bytes(3000);
    server_.Serve("/upd/VakrelSetup_2_0.exe", LocalHttpServer::Ok(installer));
    boxes_.Answer(mb::IDYES);
    const Outcome outcome = RunRoad();
    EXPECT_EQ(boxes_.Calls(), (std::vector<Call>{M3, M5, M2}));
    EXPECT_TRUE(outcome.downloaded);
    EXPECT_TRUE(Eventually([&] { return !Running(target); }));
    EXPECT_EQ(WaitForRecord("tallisk"), stdfs::canonical(own_).string() + "/velnaro_tallisk.exe\n");
    EXPECT_EQ(OwnFiles(),
              (std::set<std::string>{"lumbrixon.exe", "new_version.ini", "VakrelSetup.exe",
                                     "velnaro_tallisk.exe", "version.ini"}));
    EXPECT_EQ(ReadWholeFile(own_ + "/VakrelSetup.exe"), installer);
}

TEST_F(UpdateRoadTest, AWorkbookProductIsClosedNotTerminated) {
    local_.targetExe = "Estimate.xls";
    root_.Write("product/Estimate.xlsm", "workbook");
    const std::uint32_t namesake = StartSleeper("Estimate.exe");
    ServeVersions();
    server_.Serve("/upd/VakrelSetup(2.0).exe", LocalHttpServer::Ok(Bytes(100)));
    boxes_.Answer(mb::IDYES);
    const Outcome outcome = RunRoad();
    EXPECT_EQ(boxes_.Calls(), (std::vector<Call>{M3, M5}));
    EXPECT_TRUE(outcome.downloaded);
    EXPECT_TRUE(Running(namesake));
    EXPECT_EQ(WaitForRecord("travomet"), HandedOver());
}

TEST_F(UpdateRoadTest, AMissingVersionFileEndsSilently) {
    const Outcome outcome = RunRoad();
    EXPECT_TRUE(boxes_.Calls().empty());
    EXPECT_EQ(outcome.ends, 1);
    EXPECT_TRUE(server_.Requests().empty());
    EXPECT_EQ(OwnFiles(), (std::set<std::string>{"lumbrixon.exe", "travomet.exe"}));
}

class ConflictTest : public UpdateRoadTest, public testing::WithParamInterface<const char*> {};

TEST_P(ConflictTest, AConflictingProgramIsReportedAndNothingIsTouched) {
    StartSleeper(GetParam());
    ServeVersions();
    root_.Write("product/lumbrixon/VakrelSetup.exe", "left by an earlier run");
    const auto before = OwnFiles();
    const Outcome outcome = RunRoad();
    EXPECT_EQ(boxes_.Calls(), std::vector<Call>{M1});
    EXPECT_EQ(outcome.ends, 1);
    EXPECT_TRUE(server_.Requests().empty());
    EXPECT_EQ(OwnFiles(), before);
}

INSTANTIATE_TEST_SUITE_P(Programs, ConflictTest,
                         testing::Values("lumbrixon.exe", "travomet_org.exe", "velnaro_tallisk.exe",
                                         "velnaro_travomet_org.exe"));

struct HostileCase {
    const char* label;
    std::string ver;
    std::string targetExe;
    std::string installerExe;
};

void PrintTo(const HostileCase& c, std::ostream* out) {
    *out << c.label;
}

class HostileServerTest : public UpdateRoadTest, public testing::WithParamInterface<HostileCase> {};

TEST_P(HostileServerTest, NamesThatLeaveTheFolderAreRefused) {
    const HostileCase& c = GetParam();
    server_version_.ver = c.ver;
    server_version_.targetExe = c.targetExe;
    server_version_.installerExe = c.installerExe;
    ServeVersions();
    ::unlink((own_ + "/travomet.exe").c_str()); // a hand-over would reopen the server's target
    root_.Write("victim(2.0).exe", "must stay");
    root_.Write("product/victim(2.0).exe", "must stay");
    WriteRecorder("victim.exe", "victim");
    boxes_.Answer(mb::IDYES);
    const Outcome outcome = RunRoad();
    EXPECT_TRUE(boxes_.Calls().empty());
    EXPECT_EQ(outcome.ends, 1);
    EXPECT_EQ(server_.Requests(), Requests({"/upd/version.ini"}));
    EXPECT_EQ(OwnFiles(),
              (std::set<std::string>{"lumbrixon.exe", "new_version.ini", "version.ini"}));
    EXPECT_EQ(Record("victim"), "");
}

INSTANTIATE_TEST_SUITE_P(
    Values, HostileServerTest,
    testing::Values(
        HostileCase{"InstallerUp", "2.0", "Vakrel_R581_prototype.exe", "../victim"},
        HostileCase{"InstallerTwoUp", "2.0", "Vakrel_R581_prototype.exe", "../../victim"},
        HostileCase{"InstallerBackslash", "2.0", "Vakrel_R581_prototype.exe", "..\\victim"},
        HostileCase{"InstallerAbsolute", "2.0", "Vakrel_R581_prototype.exe", "/tmp/victim"},
        HostileCase{"InstallerControl", "2.0", "Vakrel_R581_prototype.exe", "Setup\x01"},
        HostileCase{"InstallerLong", "2.0", "Vakrel_R581_prototype.exe", std::string(300, 'a')},
        HostileCase{"VersionUp", "2.0/../../victim", "Vakrel_R581_prototype.exe", "VakrelSetup"},
        HostileCase{"VersionTab", "2.0\t", "Vakrel_R581_prototype.exe", "VakrelSetup"},
        HostileCase{"TargetUp", "1.0", "../victim.exe", "VakrelSetup"},
        HostileCase{"TargetLong", "2.0", std::string(200, 'x') + ".exe", "VakrelSetup"}),
    [](const testing::TestParamInfo<HostileCase>& info) { return std::string(info.param.label); });

Response ResetAfterSending(Response response) {
    response.reset = true;
    return response;
}

Response Trickling(Response response, std::size_t pieceBytes) {
    response.trickleBytes = pieceBytes;
    response.trickleMs = 10000;
    return response;
}

// A chunked answer that also announces a length.
Response ChunkedWithLength(Response chunked, std::int64_t length) {
    chunked.headers.emplace_back("Content-Length", std::to_string(length));
    return chunked;
}

Response Endless(Response response) {
    response.endless = true;
    return response;
}

// What the road starts at its end: nothing (no hand-over), the process checker's copy alone, or
// the copy with the installer's name.
enum class Started { Nothing, CheckerAlone, CheckerWithInstaller };

struct TransferCase {
    const char* label;
    // The installer transfer misbehaves, else the version-file transfer.
    bool installer;
    // The server's answer, made from the body it should have sent.
    std::function<Response(const std::string& body)> respond;
    std::vector<Call> boxes;
    Started started;
    std::set<std::string> files;
    // A size bound for the installer below the road's own, so that a body can pass it quickly.
    std::int64_t installerBound = 0;
};

void PrintTo(const TransferCase& c, std::ostream* out) {
    *out << c.label;
}

class HostileTransferTest : public UpdateRoadTest,
                            public testing::WithParamInterface<TransferCase> {};

// A transfer that breaks off, states its length unclearly, or takes too long is never taken for
// a complete one: the version file's ends the road silently, the installer's leaves no file and
// nothing to hand over.
TEST_P(HostileTransferTest, AnIncompleteTransferIsNeverTakenForAComplete) {
    const TransferCase& c = GetParam();
    const std::string installer = Bytes(4064);
    ServeVersions();
    if (c.installer) {
        server_.Serve("/upd/VakrelSetup(2.0).exe", c.respond(installer));
    } else {
        server_.Serve("/upd/version.ini", c.respond(server_version_.File()));
    }
    boxes_.Answer(mb::IDYES);
    const Outcome outcome = RunRoad([&](TMainForm& form) {
        if (c.installerBound > 0) {
            form.NMHTTP_QuorvanToolsSetupEXE.SetMaxBodySize(c.installerBound);
        }
    });
    EXPECT_EQ(boxes_.Calls(), c.boxes);
    EXPECT_EQ(outcome.ends, 1);
    EXPECT_EQ(outcome.downloaded, c.started == Started::CheckerWithInstaller);
    EXPECT_EQ(OwnFiles(), c.files);
    if (c.files.count("VakrelSetup.exe")) {
        EXPECT_EQ(ReadWholeFile(own_ + "/VakrelSetup.exe"), installer);
    }
    if (c.installer) {
        EXPECT_EQ(server_.Requests(), Requests({"/upd/version.ini", "/upd/VakrelSetup(2.0).exe"}));
    } else {
        EXPECT_EQ(server_.Requests(), Requests({"/upd/version.ini"}));
    }
    switch (c.started) {
    case Started::Nothing:
        EXPECT_EQ(Record("travomet"), "");
        break;
    case Started::CheckerAlone:
        EXPECT_EQ(WaitForRecord("travomet"), OpenedAlone());
        break;
    case Started::CheckerWithInstaller:
        EXPECT_EQ(WaitForRecord("comspec"),
                  "-c\n'" + own_ + "/travomet_org.exe' QuorvanV2_Setup.exe\n");
        EXPECT_EQ(WaitForRecord("travomet"), HandedOver());
        break;
    }
}

const std::set<std::string> kVersionFileCut{"lumbrixon.exe", "new_version.ini", "travomet.exe",
                                            "version.ini"};
const std::set<std::string> kVersionFileRefused{"lumbrixon.exe", "travomet.exe", "version.ini"};

INSTANTIATE_TEST_SUITE_P(
    Responses, HostileTransferTest,
    testing::Values(
        TransferCase{"VersionFileShort",
                     false,
                     [](const std::string& body) {
                         return LocalHttpServer::Announcing(static_cast<std::int64_t>(body.size()),
                                                            body.substr(0, body.size() - 13));
                     },
                     {},
                     Started::Nothing,
                     kVersionFileCut},
        TransferCase{"VersionFileReset",
                     false,
                     [](const std::string& body) {
                         return ResetAfterSending(LocalHttpServer::Announcing(
                             static_cast<std::int64_t>(body.size()), body.substr(0, 60)));
                     },
                     {},
                     Started::Nothing,
                     kVersionFileCut},
        TransferCase{
            "VersionFileLengthsDisagree",
            false,
            [](const std::string& body) {
                return LocalHttpServer::WithLengths({std::to_string(body.size()), "100"}, body);
            },
            {},
            Started::Nothing,
            kVersionFileRefused},
        TransferCase{
            "VersionFileLengthWithLetters",
            false,
            [](const std::string& body) { return LocalHttpServer::WithLengths({"10x5000"}, body); },
            {},
            Started::Nothing,
            kVersionFileRefused},
        TransferCase{
            "VersionFileTricklePastTheBound",
            false,
            [](const std::string& body) { return Trickling(LocalHttpServer::Ok(body), 1); },
            {},
            Started::Nothing,
            kVersionFileCut},
        TransferCase{"InstallerShort",
                     true,
                     [](const std::string& body) {
                         return LocalHttpServer::Announcing(4064, body.substr(0, 2000));
                     },
                     {M3, M4},
                     Started::CheckerAlone,
                     kAfterIncompleteDownload},
        TransferCase{"InstallerReset",
                     true,
                     [](const std::string& body) {
                         return ResetAfterSending(
                             LocalHttpServer::Announcing(4064, body.substr(0, 2000)));
                     },
                     {M3, M4},
                     Started::CheckerAlone,
                     kAfterIncompleteDownload},
        TransferCase{"InstallerLengthsDisagree",
                     true,
                     [](const std::string& body) {
                         return LocalHttpServer::WithLengths({"4064", "100"}, body);
                     },
                     {M3, M4},
                     Started::CheckerAlone,
                     kAfterIncompleteDownload},
        TransferCase{
            "InstallerLengthWithLetters",
            true,
            [](const std::string& body) { return LocalHttpServer::WithLengths({"10x5000"}, body); },
            {M3, M4},
            Started::CheckerAlone,
            kAfterIncompleteDownload},
        TransferCase{"InstallerWithoutLength",
                     true,
                     [](const std::string& body) { return LocalHttpServer::WithoutLength(body); },
                     {M3},
                     Started::CheckerAlone,
                     kAfterIncompleteDownload},
        TransferCase{
            "InstallerWithoutLengthPastTheBound",
            true,
            [](const std::string& body) { return Endless(LocalHttpServer::WithoutLength(body)); },
            {M3, M4},
            Started::CheckerAlone,
            kAfterIncompleteDownload,
            64 * 1024},
        // A length beside a transfer coding says nothing of the body: refused at the header,
        // before the body file is made, however the chunks that follow go on.
        TransferCase{"VersionFileChunkedWithItsLength",
                     false,
                     [](const std::string& body) {
                         return ChunkedWithLength(LocalHttpServer::Chunked(body, 16),
                                                  static_cast<std::int64_t>(body.size()));
                     },
                     {},
                     Started::Nothing,
                     kVersionFileRefused},
        TransferCase{"InstallerChunkedWithAShorterLengthAndABrokenChunk",
                     true,
                     [](const std::string& body) {
                         return ChunkedWithLength(
                             LocalHttpServer::Chunked(body.substr(0, 4063), 4063, "zz\r\n"), 1000);
                     },
                     {M3, M4},
                     Started::CheckerAlone,
                     kAfterIncompleteDownload},
        TransferCase{"InstallerChunkedWithAShorterLengthTrickling",
                     true,
                     [](const std::string& body) {
                         // One chunk of 8 bytes is 13 bytes on the wire.
                         return Trickling(
                             ChunkedWithLength(LocalHttpServer::Chunked(body, 8), 1000), 13);
                     },
                     {M3, M4},
                     Started::CheckerAlone,
                     kAfterIncompleteDownload},
        // The installer has no overall bound: a slow one that keeps coming completes.
        TransferCase{
            "InstallerTrickleLongerThanTheVersionFilesBound",
            true,
            [](const std::string& body) { return Trickling(LocalHttpServer::Ok(body), 100); },
            {M3, M5},
            Started::CheckerWithInstaller,
            kAfterDownload}),
    [](const testing::TestParamInfo<TransferCase>& info) { return std::string(info.param.label); });

TEST_F(UpdateRoadTest, AnInterruptedDownloadLeavesNothingForALaterRunToHandOver) {
    server_version_.installerExe = "QuorvanV2_Setup";
    ServeVersions();
    const std::string installer = Bytes(4064);
    server_.Serve("/upd/QuorvanV2_Setup(2.0).exe",
                  ResetAfterSending(LocalHttpServer::Announcing(4064, installer.substr(0, 2000))));
    boxes_.Answer(mb::IDYES);
    RunRoad();
    EXPECT_EQ(boxes_.Calls(), (std::vector<Call>{M3, M4}));
    EXPECT_EQ(OwnFiles(), kAfterIncompleteDownload);
    EXPECT_EQ(WaitForRecord("travomet"), OpenedAlone());

    // A run ended in the middle of its download (the machine went down) leaves its part; the
    // next run, whose own download is named otherwise, does not hand that part over.
    root_.Write("product/lumbrixon/QuorvanV2_Setup.exe", installer.substr(0, 2000));
    ::unlink((records_ + "/travomet.txt").c_str());
    boxes_.Clear();
    server_version_.installerExe = "VakrelSetup";
    ServeVersions();
    server_.Serve("/upd/VakrelSetup(2.0).exe", LocalHttpServer::Ok(installer));
    boxes_.Answer(mb::IDYES);
    const Outcome outcome = RunRoad();
    EXPECT_EQ(boxes_.Calls(), (std::vector<Call>{M3, M5}));
    EXPECT_TRUE(outcome.downloaded);
    EXPECT_EQ(OwnFiles(), kAfterDownload);
    EXPECT_EQ(ReadWholeFile(own_ + "/VakrelSetup.exe"), installer);
    EXPECT_EQ(WaitForRecord("travomet"), HandedOver());
}

// Half-width katakana: one byte in code page 932, three on disk.
std::string HalfWidthKana(std::size_t count) {
    return std::string(count, '\xB1');
}

// A name as it goes out in an address: bytes above 0x7F percent-encoded, as libcurl sends them.
std::string AsSent(const std::string& name) {
    std::string sent;
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte > 0x7F) {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02x", byte);
            sent += escaped;
        } else {
            sent += c;
        }
    }
    return sent;
}

struct NameCase {
    const char* label;
    std::string ver;
    std::string targetExe;
    std::string installerExe;
    // The update checker's folder is reached through a path of 4069 or 4070 bytes (a run of
    // "/." after the product's folder), the longest path being 4095 bytes: "new_version.ini"
    // still fits beside it, a download name of 31 bytes does not.
    bool longFolder = false;
};

void PrintTo(const NameCase& c, std::ostream* out) {
    *out << c.label;
}

class RefusedNameTest : public UpdateRoadTest, public testing::WithParamInterface<NameCase> {};

// A server record whose names would replace or delete one of the programs in the checker's
// folder, or would not fit the disk, ends the road silently before anything is ended, written,
// deleted or started.
TEST_P(RefusedNameTest, TheRoadEndsBeforeAnythingIsTouched) {
    const NameCase& c = GetParam();
    server_version_.ver = c.ver;
    server_version_.targetExe = c.targetExe;
    server_version_.installerExe = c.installerExe;
    ServeVersions();
    server_.Serve("/upd/" + AsSent(c.installerExe) + "(" + AsSent(c.ver) + ").exe",
                  LocalHttpServer::Ok(Bytes(3000)));
    const std::string travomet = ReadWholeFile(own_ + "/travomet.exe");
    // The data-kit updater and its copy of the process checker live beside the checker.
    root_.Write("product/lumbrixon/velnaro_tallisk.exe", "the data-kit updater");
    root_.Write("product/lumbrixon/velnaro_travomet_org.exe", "its process checker");
    if (c.longFolder) {
        const std::string tail = "/lumbrixon/";
        modulePath_ = product_;
        while (modulePath_.size() + tail.size() + 2 <= 4070) {
            modulePath_ += "/.";
        }
        modulePath_ += tail + "lumbrixon.exe";
    }
    const std::uint32_t productProcess = StartSleeper("Vakrel_R581_prototype.exe");
    boxes_.Answer(mb::IDYES);
    const Outcome outcome = RunRoad();
    EXPECT_TRUE(boxes_.Calls().empty());
    EXPECT_EQ(outcome.ends, 1);
    EXPECT_FALSE(outcome.dialog);
    EXPECT_EQ(server_.Requests(), Requests({"/upd/version.ini"}));
    EXPECT_TRUE(Running(productProcess));
    EXPECT_EQ(OwnFiles(), (std::set<std::string>{"lumbrixon.exe", "new_version.ini", "travomet.exe",
                                                 "velnaro_tallisk.exe", "velnaro_travomet_org.exe",
                                                 "version.ini"}));
    EXPECT_EQ(ReadWholeFile(own_ + "/lumbrixon.exe"), "the update checker");
    EXPECT_EQ(ReadWholeFile(own_ + "/travomet.exe"), travomet);
    EXPECT_EQ(ReadWholeFile(own_ + "/velnaro_tallisk.exe"), "the data-kit updater");
    EXPECT_EQ(ReadWholeFile(own_ + "/velnaro_travomet_org.exe"), "its process checker");
    EXPECT_EQ(Record("travomet"), "");
    EXPECT_EQ(Record("product"), "");
}

INSTANTIATE_TEST_SUITE_P(
    Names, RefusedNameTest,
    testing::Values(
        NameCase{"TheProcessChecker", "2.0", "Vakrel_R581_prototype.exe", "travomet"},
        NameCase{"TheProcessCheckerInCapitals", "2.0", "Vakrel_R581_prototype.exe", "TRAVOMET"},
        NameCase{"TheProcessCheckersCopy", "2.0", "Vakrel_R581_prototype.exe", "travomet_org"},
        NameCase{"TheProcessCheckersCopyInMixedCase", "2.0", "Vakrel_R581_prototype.exe",
                 "Travomet_ORG"},
        NameCase{"TheUpdateChecker", "2.0", "Vakrel_R581_prototype.exe", "lumbrixon"},
        NameCase{"TheUpdateCheckerInMixedCase", "2.0", "Vakrel_R581_prototype.exe", "LumBrixon"},
        NameCase{"TheDataKitUpdater", "2.0", "Vakrel_R581_prototype.exe", "velnaro_tallisk"},
        NameCase{"TheDataKitUpdaterInCapitals", "2.0", "Vakrel_R581_prototype.exe",
                 "VELNARO_TALLISK"},
        NameCase{"TheDataKitUpdatersProcessChecker", "2.0", "Vakrel_R581_prototype.exe",
                 "velnaro_travomet_org"},
        NameCase{"TheDataKitUpdatersProcessCheckerInMixedCase", "2.0", "Vakrel_R581_prototype.exe",
                 "Velnaro_Travomet_ORG"},
        // 100 bytes here, 304 bytes with ".exe" on disk.
        NameCase{"ADownloadNameTooLongOnDisk", "2.0", "Vakrel_R581_prototype.exe",
                 HalfWidthKana(100)},
        // "VakrelSetup(2." + 84 kana + ").exe": 271 bytes on disk.
        NameCase{"AVersionedNameTooLongOnDisk", "2." + HalfWidthKana(84),
                 "Vakrel_R581_prototype.exe", "VakrelSetup"},
        NameCase{"ATargetTooLongOnDisk", "2.0", HalfWidthKana(96) + ".exe", "VakrelSetup"},
        NameCase{"ADownloadPathTooLong", "2.0", "Vakrel_R581_prototype.exe",
                 "VakrelSetupForTheLongFolder", true}),
    [](const testing::TestParamInfo<NameCase>& info) { return std::string(info.param.label); });

class AcceptedNameTest : public UpdateRoadTest, public testing::WithParamInterface<NameCase> {};

// Names next to the refused ones are downloaded and handed over as any other.
TEST_P(AcceptedNameTest, TheDownloadCompletesAndIsHandedOver) {
    const NameCase& c = GetParam();
    server_version_.ver = c.ver;
    server_version_.installerExe = c.installerExe;
    ServeVersions();
    const std::string installer = Bytes(3000);
    const std::string path = "/upd/" + AsSent(c.installerExe) + "(" + c.ver + ").exe";
    server_.Serve(path, LocalHttpServer::Ok(installer));
    boxes_.Answer(mb::IDYES);
    const Outcome outcome = RunRoad();
    EXPECT_EQ(server_.Requests(), Requests({"/upd/version.ini", path}));
    EXPECT_EQ(boxes_.Calls(), (std::vector<Call>{M3, M5}));
    EXPECT_TRUE(outcome.downloaded);
    const std::string download = fs932::ToOsPath(AnsiString(c.installerExe + ".exe"));
    EXPECT_EQ(OwnFiles(), (std::set<std::string>{"lumbrixon.exe", "new_version.ini", "travomet.exe",
                                                 "travomet_org.exe", download, "version.ini"}));
    EXPECT_EQ(ReadWholeFile(own_ + "/" + download), installer);
    EXPECT_EQ(WaitForRecord("travomet"), HandedOver());
}

INSTANTIATE_TEST_SUITE_P(
    Names, AcceptedNameTest,
    testing::Values(
        // The name handed to the process checker may be the download's own.
        NameCase{"TheFixedInstallerName", "2.0", "", "QuorvanV2_Setup"},
        NameCase{"LikeTheProcessChecker", "2.0", "", "travomet.exe"},
        NameCase{"LikeTheUpdateChecker", "2.0", "", "lumbrixon2"},
        // 250 bytes on disk, and the versioned name "...(2.0).exe" exactly 255.
        NameCase{"TheLongestThatFitsTheDisk", "2.0", "", HalfWidthKana(82)}),
    [](const testing::TestParamInfo<NameCase>& info) { return std::string(info.param.label); });

struct LinkCase {
    const char* label;
    // The name in the update checker's folder where a symbolic link is planted.
    std::string name;
    // Where it points, relative to the folder of the test: a file outside the update checker's
    // folder, a file inside it, or nothing.
    std::string target;
    // The installer's answer.
    std::function<Response(const std::string& installer)> respond;
    std::vector<Call> boxes;
    // The link stays: the transfer failed before any answer came.
    bool linkStays = false;
};

void PrintTo(const LinkCase& c, std::ostream* out) {
    *out << c.label;
}

class PlantedLinkTest : public UpdateRoadTest, public testing::WithParamInterface<LinkCase> {};

// A symbolic link planted at the name of a download is replaced by the download, made new;
// nothing is written through it, and what it points to stays as it was.
TEST_P(PlantedLinkTest, DownloadsAreMadeNewNeverThroughALink) {
    const LinkCase& c = GetParam();
    // The installer that the local record names is deleted at the start; this one is not.
    local_.installerExe = "OldSetup";
    root_.Write("product/lumbrixon/OldSetup.exe", "left by an earlier run");
    ServeVersions();
    const std::string installer = Bytes(4064);
    if (c.respond) {
        server_.Serve("/upd/VakrelSetup(2.0).exe", c.respond(installer));
    } else {
        server_version_.rootpath = "https://127.0.0.1:" + std::to_string(server_.Port()) + "/";
        ServeVersions();
    }
    const std::string travomet = ReadWholeFile(own_ + "/travomet.exe");
    ASSERT_EQ(::symlink(c.target.c_str(), (own_ + "/" + c.name).c_str()), 0);
    boxes_.Answer(mb::IDYES);
    const Outcome outcome = RunRoad();
    EXPECT_EQ(boxes_.Calls(), c.boxes);
    EXPECT_EQ(ReadWholeFile(root_ / "outside.txt"), "not the update checker's");
    EXPECT_FALSE(stdfs::exists(root_ / "planted.bin"));
    EXPECT_EQ(ReadWholeFile(own_ + "/travomet.exe"), travomet);
    const bool complete = c.boxes == std::vector<Call>{M3, M5};
    EXPECT_EQ(outcome.downloaded, complete);
    std::set<std::string> files = complete ? kAfterDownload : kAfterIncompleteDownload;
    if (c.linkStays) {
        files.insert(c.name);
        EXPECT_TRUE(stdfs::is_symlink(own_ + "/" + c.name));
    } else if (complete) {
        EXPECT_FALSE(stdfs::is_symlink(own_ + "/" + c.name));
        EXPECT_EQ(ReadWholeFile(own_ + "/VakrelSetup.exe"), installer);
    }
    EXPECT_EQ(OwnFiles(), files);
    EXPECT_EQ(WaitForRecord("travomet"), complete ? HandedOver() : OpenedAlone());
}

Response Whole(const std::string& installer) {
    return LocalHttpServer::Ok(installer);
}

INSTANTIATE_TEST_SUITE_P(
    Links, PlantedLinkTest,
    testing::Values(
        LinkCase{
            "InstallerToAFileOutside", "VakrelSetup.exe", "../../outside.txt", Whole, {M3, M5}},
        LinkCase{
            "InstallerToTheProcessChecker", "VakrelSetup.exe", "travomet.exe", Whole, {M3, M5}},
        LinkCase{
            "InstallerToNothingOutside", "VakrelSetup.exe", "../../planted.bin", Whole, {M3, M5}},
        LinkCase{
            "VersionFileToAFileOutside", "new_version.ini", "../../outside.txt", Whole, {M3, M5}},
        // An incomplete download is deleted, and with it nothing but its own file.
        LinkCase{"InstallerCutShortToAFileOutside",
                 "VakrelSetup.exe",
                 "../../outside.txt",
                 [](const std::string& installer) {
                     return LocalHttpServer::Announcing(4064, installer.substr(0, 2000));
                 },
                 {M3, M4}},
        // A transfer that failed before any answer leaves alone what bears the name.
        LinkCase{"InstallerWithoutAnswer",
                 "VakrelSetup.exe",
                 "../../outside.txt",
                 nullptr,
                 {M3, M4},
                 true}),
    [](const testing::TestParamInfo<LinkCase>& info) { return std::string(info.param.label); });

} // namespace
