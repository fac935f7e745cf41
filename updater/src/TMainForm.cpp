#include "updater/TMainForm.h"

#include "model/LFileOperate.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/ModulePath.h"
#include "platform/Process.h"
#include "platform/Shell.h"
#include "updater/ServerValueCheck.h"
#include "updater/TDownloadForm.h"
#include "updater/UpdaterTexts.h"

#include <QCoreApplication>

#include <cstdlib>
#include <filesystem>

TMainForm* MainForm = nullptr;

namespace {

constexpr int kVersionFileTimeOut = 300000;
// The version file is small: a server that keeps it coming slowly is given no longer than this
// in all, since a running update checker keeps every later one from starting.
constexpr int kVersionFileTotalTimeOut = 300000;
constexpr int kInstallerTimeOut = 900000;
// The version file is a few lines; a longer answer is not one.
constexpr std::int64_t kMaxVersionFileSize = 1 << 20;

// The server record holds a value that must not become part of a file or program name.
class EUnsafeServerValue : public Exception {
public:
    using Exception::Exception;
};

bool CopyFileOverwriting(const AnsiString& from, const AnsiString& to) {
    std::error_code error;
    std::filesystem::copy_file(fs932::ToOsPath(from), fs932::ToOsPath(to),
                               std::filesystem::copy_options::overwrite_existing, error);
    return !error;
}

// The text as one word of a POSIX shell command.
AnsiString ShellQuoted(const AnsiString& text) {
    std::string quoted = "'";
    for (char c : text.str()) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return AnsiString(quoted + "'");
}

// The command interpreter: ComSpec when it is set, else the POSIX shell.
AnsiString CommandInterpreter() {
    const char* comSpec = std::getenv("ComSpec");
    return comSpec && *comSpec ? fs932::FromOsName(comSpec) : AnsiString("/bin/sh");
}

void PostQuit() {
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                              Qt::QueuedConnection);
}

} // namespace

TMainForm::TMainForm() : TMainForm(ModuleFileName(), PostQuit) {}

TMainForm::TMainForm(const AnsiString& modulePath, std::function<void()> requestEnd)
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint),
      ServerVersion(std::make_unique<IniManager>()), LocalVersion(std::make_unique<IniManager>()),
      modulePath_(modulePath), requestEnd_(std::move(requestEnd)) {
    setWindowTitle("MainForm");
    resize(250, 121);
    setWindowState(Qt::WindowMinimized);
    MainForm = this;

    NMHTTP_Ini.OnSuccess = [this] { NMHTTP_IniSuccess(); };
    NMHTTP_QuorvanToolsSetupEXE.OnConnect = [this] { NMHTTP_QuorvanToolsSetupEXEConnect(); };
    NMHTTP_QuorvanToolsSetupEXE.OnPacketRecvd = [this] {
        NMHTTP_QuorvanToolsSetupEXEPacketRecvd();
    };
    NMHTTP_QuorvanToolsSetupEXE.OnDisconnect = [this] { NMHTTP_QuorvanToolsSetupEXEDisconnect(); };
    NMHTTP_QuorvanToolsSetupEXE.OnSuccess = [this] { NMHTTP_QuorvanToolsSetupEXESuccess(); };
}

TMainForm::~TMainForm() {
    // Before the road found the folder there is nothing of ours to delete.
    if (!OwnFolder.IsEmpty()) {
        fs932::DeleteFile(OwnFolder + ServerVersion->GetVersionedInstallerName());
    }
    if (DownloadForm) {
        for (const auto& form : downloadForms_) {
            if (form.get() == DownloadForm) {
                DownloadForm = nullptr;
            }
        }
    }
    downloadForms_.clear();
    LocalVersion.reset();
    ServerVersion.reset();
    if (MainForm == this) {
        MainForm = nullptr;
    }
}

void TMainForm::RequestEnd() {
    if (requestEnd_) {
        requestEnd_();
    }
}

AnsiString TMainForm::ParentFolder() const {
    return OwnFolder.SubString(1, OwnFolder.Length() - (LUMBRIXON_FOLDER.Length() + 1));
}

void TMainForm::FormCreate() {
    if (IsOtherInstanceRunning(LUMBRIXON_EXE, CurrentProcessId()) ||
        IsProcessRunning(TRAVOMET_ORG_EXE) || IsProcessRunning(VELNARO_TALLISK_EXE) ||
        IsProcessRunning(VELNARO_TRAVOMET_ORG_EXE)) {
        ShowMessageBox(MSG_CONFLICT, CAPTION_CONFLICT, FLAGS_CONFLICT);
        RequestEnd();
        return;
    }

    OwnFolder = modulePath_.SubString(1, modulePath_.Length() - LUMBRIXON_EXE.Length());

    try {
        if (!fs932::FileExists(OwnFolder + VERSION_INI)) {
            RequestEnd();
            return;
        }
        LocalVersion->Load(OwnFolder + VERSION_INI);
        // An installer that an earlier run left behind.
        fs932::DeleteFile(OwnFolder + (LocalVersion->IsSpecialTarget()
                                           ? QUORVAN_SETUP_EXE
                                           : LocalVersion->GetInstallerFileName()));
        // The name handed to the process checker: a file of that name now can only be left
        // from an earlier run, never one that this run completed.
        fs932::DeleteFile(OwnFolder + QUORVAN_SETUP_EXE);
        NMHTTP_Ini.SetTimeOut(kVersionFileTimeOut);
        NMHTTP_Ini.SetTotalTimeOut(kVersionFileTotalTimeOut);
        NMHTTP_Ini.SetMaxBodySize(kMaxVersionFileSize);
        NMHTTP_Ini.SetBodyFile(OwnFolder + NEW_VERSION_INI);
        NMHTTP_Ini.Get(LocalVersion->GetVersionFileUrl());
    } catch (const std::exception&) {
        RequestEnd();
        return;
    }
    HandOver();
}

void TMainForm::NMHTTP_IniSuccess() {
    ServerVersion->Load(OwnFolder + NEW_VERSION_INI);
    if (!ServerNamesAreSafe()) {
        // Nothing the server names is ended, written, deleted or started: the record is
        // dropped, and the road ends as after a failed fetch.
        ServerVersion = std::make_unique<IniManager>();
        throw EUnsafeServerValue("The server's version file names a file the checker cannot use");
    }
    if (!IsNewerVersion(ServerVersion->GetVer(), LocalVersion->GetVer())) {
        fs932::DeleteFile(OwnFolder + NEW_VERSION_INI);
        return;
    }
    const AnsiString question = UpdateQuestionText(LocalVersion->GetName(), LocalVersion->GetVer(),
                                                   ServerVersion->GetVer());
    if (ShowMessageBox(question, CAPTION_UPDATE_QUESTION, FLAGS_UPDATE_QUESTION) == mb::IDNO) {
        fs932::DeleteFile(OwnFolder + NEW_VERSION_INI);
        return;
    }

    StopProgramsInTheWay();

    bool failed = false;
    try {
        NMHTTP_QuorvanToolsSetupEXE.SetTimeOut(kInstallerTimeOut);
        NMHTTP_QuorvanToolsSetupEXE.SetBodyFile(OwnFolder + ServerVersion->GetInstallerFileName());
        NMHTTP_QuorvanToolsSetupEXE.Get(ServerVersion->GetInstallerUrl());
    } catch (const std::exception&) {
        failed = true;
    }
    DeleteIncompleteDownload();
    if (failed) {
        ShowMessageBox(MSG_DOWNLOAD_FAILED, CAPTION_DOWNLOAD_FAILED, FLAGS_DOWNLOAD_FAILED);
    }
}

bool TMainForm::ServerNamesAreSafe() {
    if (!IsSafeServerName(ServerVersion->GetVer()) ||
        !IsSafeServerName(ServerVersion->GetTargetExe()) ||
        !IsSafeServerName(ServerVersion->GetInstallerExe())) {
        return false;
    }
    const AnsiString download = ServerVersion->GetInstallerFileName();
    // The download replaces what bears its name, and an incomplete one is deleted; the files
    // named after the server's values must also fit the disk, or the road would end the
    // programs in its way and then fail to make the download.
    return !IsCheckersOwnProgram(download) && FitsTheFileSystem(OwnFolder, download) &&
           FitsTheFileSystem(OwnFolder, ServerVersion->GetVersionedInstallerName()) &&
           FitsTheFileSystem(ParentFolder(), ServerVersion->GetTargetExe());
}

void TMainForm::StopProgramsInTheWay() {
    KillProcessByName(TRAVOMET_ORG_EXE);
    const AnsiString tmpName = ServerVersion->GetInstallerTmpName();
    KillProcessByName(tmpName);
    KillProcessByName(tmpName);
    const AnsiString versionedTmpName = ServerVersion->GetVersionedTmpName();
    KillProcessByName(versionedTmpName);
    KillProcessByName(versionedTmpName);

    if (LocalVersion->IsSpecialTarget()) {
        KillProcessByName(DREMHOLT2_EXE);
        return;
    }
    LFileOperate fileOperate;
    if (!fileOperate.FindFile(LocalVersion->GetWorkbookPattern(), ParentFolder()).IsEmpty()) {
        // A workbook product: the spreadsheet program is asked to close, no process is ended.
        for (int i = 0; i < kMaxWindowCloses && CloseProcessWindow(EXCEL_EXE); ++i) {
        }
        return;
    }
    Clock::Current().Sleep(300);
    const AnsiString targetExe = LocalVersion->GetTargetExe();
    KillProcessByName(targetExe.SubString(1, targetExe.Length() - 4) + ".exe");
}

void TMainForm::HandOver() {
    const bool copied = CopyFileOverwriting(OwnFolder + TRAVOMET_EXE, OwnFolder + TRAVOMET_ORG_EXE);
    if (copied && InstallerDownloaded) {
        StartDetached(CommandInterpreter(),
                      {"-c", ShellQuoted(OwnFolder + TRAVOMET_ORG_EXE) + " " + QUORVAN_SETUP_EXE});
    } else if (copied) {
        ShellOpen(OwnFolder + TRAVOMET_ORG_EXE);
    } else {
        ShowMessageBox(MSG_COPY_FAILED, CAPTION_COPY_FAILED, FLAGS_COPY_FAILED);
        if (LocalVersion->IsSpecialTarget()) {
            ShellOpen(OwnFolder + VELNARO_TALLISK_EXE);
        } else {
            ShellOpen(ParentFolder() + ServerVersion->GetTargetExe());
        }
    }
    RequestEnd();
}
