#include "updater/IniManager.h"
#include "platform/Exceptions.h"
#include "platform/testing/TempDir.h"
#include "platform/testing/UnprivilegedScope.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

AnsiString Data(const char* name) {
    return AnsiString(std::string(UPDATER_TEST_DATA) + "/" + name);
}

TEST(IniManagerTest, LoadsTheSixKeysOfTheVersionSection) {
    IniManager record;
    record.Load(Data("version_full.ini"));
    EXPECT_EQ(record.GetName(), "Vakrel Pro 202404");
    EXPECT_EQ(record.GetVer(), "1.2.3");
    EXPECT_EQ(record.GetTargetExe(), "Vakrel_R581_prototype.exe");
    EXPECT_EQ(record.GetInstallerExe(), "VakrelSetup");
    EXPECT_EQ(record.GetVersionFileUrl(), "http://updates.example.jp/vakrel/version.ini");
    EXPECT_EQ(record.GetInstallerUrl(), "http://updates.example.jp/vakrel/VakrelSetup(1.2.3).exe");

    // Keys and section match without regard to case and are not trimmed; values are taken
    // whole, Japanese text byte for byte.
    record.Load(Data("version_mixed.ini"));
    EXPECT_EQ(record.GetName(), u8"見積ツール202404"_sj);
    EXPECT_EQ(record.GetVer(), "2.0=beta");
    EXPECT_EQ(record.GetTargetExe(), " spaced.exe");
    EXPECT_EQ(record.GetInstallerExe(), ""); // absent keys overwrite what the last load read
}

TEST(IniManagerTest, MissingFileOrSectionReadsAsEmpty) {
    for (const char* name : {"version_no_section.ini", "no_such_file.ini"}) {
        SCOPED_TRACE(name);
        IniManager record;
        record.Load(Data("version_full.ini"));
        record.Load(Data(name));
        EXPECT_EQ(record.GetName(), "");
        EXPECT_EQ(record.GetVer(), "");
        EXPECT_EQ(record.GetInstallerFileName(), ".exe");
        EXPECT_EQ(record.GetVersionFileUrl(), "version.ini");
        EXPECT_EQ(record.GetVersionedInstallerName(), "().exe");
        EXPECT_EQ(record.GetWorkbookPattern(), ".x");
    }
}

TEST(IniManagerTest, AnUnreadableFileRaisesAndKeepsTheRecord) {
    TempDir dir;
    const std::string path = dir.Write("version.ini", "[version]\r\nver=9\r\n");
    // Searchable by others and by the group (the effective group stays root's).
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_all |
                                                 std::filesystem::perms::group_exec |
                                                 std::filesystem::perms::others_exec);
    std::filesystem::permissions(path, std::filesystem::perms::none);
    IniManager record;
    record.Load(Data("version_full.ini"));
    {
        // Permissions do not bind the superuser: read as an unprivileged user.
        UnprivilegedScope unprivileged;
        if (!unprivileged.Unprivileged()) {
            GTEST_SKIP() << "cannot run without privileges here";
        }
        EXPECT_THROW(record.Load(AnsiString(path)), EFOpenError);
    }
    EXPECT_EQ(record.GetVer(), "1.2.3");
}

struct NewerCase {
    const char* server;
    const char* local;
    bool newer;
};

class NewerVersionTest : public testing::TestWithParam<NewerCase> {};

TEST_P(NewerVersionTest, ComparesBytesNotNumbers) {
    const NewerCase& c = GetParam();
    EXPECT_EQ(IsNewerVersion(c.server, c.local), c.newer)
        << "server \"" << c.server << "\" against local \"" << c.local << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Table, NewerVersionTest,
    testing::Values(NewerCase{"1.9", "1.10", true}, NewerCase{"1.10", "1.9", false},
                    NewerCase{"2.0", "10.0", true}, NewerCase{"1.2", "1.2", false},
                    NewerCase{"", "", false}, NewerCase{"", "1.0", false}, NewerCase{"0", "", true},
                    NewerCase{"1.2.1", "1.2", true}, NewerCase{"1.2", "1.2.1", false},
                    // Bytes compare as unsigned: a Japanese character's lead byte is above "z".
                    NewerCase{"\x82\xa0", "z", true}, NewerCase{"z", "\x82\xa0", false}));

struct NamesCase {
    const char* targetExe;
    const char* installerExe;
    const char* ver;
    const char* installerUrl;
    const char* versionedTmp;
    const char* versionedInstaller;
    const char* underscored;
};

class DerivedNamesTest : public testing::TestWithParam<NamesCase> {};

TEST_P(DerivedNamesTest, FollowTheTargetsNamingRule) {
    const NamesCase& c = GetParam();
    TempDir dir;
    const std::string path =
        dir.Write("version.ini", std::string("[version]\r\ntarget_exe=") + c.targetExe +
                                     "\r\ninstaller_exe=" + c.installerExe + "\r\nver=" + c.ver +
                                     "\r\nrootpath=http://h/\r\nexepath=p/\r\n");
    IniManager record;
    record.Load(AnsiString(path));
    EXPECT_EQ(record.GetInstallerUrl(), c.installerUrl);
    EXPECT_EQ(record.GetVersionedTmpName(), c.versionedTmp);
    EXPECT_EQ(record.GetVersionedInstallerName(), c.versionedInstaller);
    EXPECT_EQ(record.GetUnderscoredVersion(), c.underscored);
    EXPECT_EQ(record.GetVersionFileUrl(), "http://h/p/version.ini");
    EXPECT_EQ(record.GetInstallerFileName(), std::string(c.installerExe) + ".exe");
    EXPECT_EQ(record.GetInstallerTmpName(), std::string(c.installerExe) + ".tmp");
    // A second call without a new load gives the same text.
    EXPECT_EQ(record.GetInstallerUrl(), c.installerUrl);
    EXPECT_EQ(record.GetVersionedTmpName(), c.versionedTmp);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DerivedNamesTest,
    testing::Values(NamesCase{"Dremholt2.exe", "Setup", "1.2.3", "http://h/p/Setup_1_2_3.exe",
                              "Setup_1_2_3.tmp", "Setup(1.2.3).exe", "1_2_3"},
                    NamesCase{"Vakrel_R581_prototype.exe", "Setup", "1.2.3",
                              "http://h/p/Setup(1.2.3).exe", "Setup(1.2.3).tmp", "Setup(1.2.3).exe",
                              "1_2_3"},
                    // Only the exact name is the special target.
                    NamesCase{"dremholt2.exe", "Setup", "1.2.3", "http://h/p/Setup(1.2.3).exe",
                              "Setup(1.2.3).tmp", "Setup(1.2.3).exe", "1_2_3"},
                    NamesCase{"Dremholt2.exe", "Setup", "1.2.", "http://h/p/Setup_1_2_.exe",
                              "Setup_1_2_.tmp", "Setup(1.2.).exe", "1_2_"},
                    NamesCase{"Dremholt2.exe", "Setup", "", "http://h/p/Setup_.exe", "Setup_.tmp",
                              "Setup().exe", ""}));

TEST(IniManagerTest, WorkbookPatternCutsTheLastFourBytes) {
    const struct {
        const char* targetExe;
        AnsiString pattern;
    } cases[] = {{"Tool.xls", "Tool.x"},
                 {"Tool.exe", "Tool.x"},
                 {"Book.xlsm", "Book..x"},
                 {".exe", ".x"},
                 {"abc", ".x"},
                 {"", ".x"},
                 {"\x8c\xa9\x90\xcf.exe", u8"見積.x"_sj}};
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.targetExe);
        const std::string path = dir.Write("version.ini", std::string("[version]\r\ntarget_exe=") +
                                                              c.targetExe + "\r\n");
        IniManager record;
        record.Load(AnsiString(path));
        EXPECT_EQ(record.GetWorkbookPattern(), c.pattern);
    }
}

} // namespace
