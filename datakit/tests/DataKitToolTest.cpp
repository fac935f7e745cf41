#include "KitRun.h"
#include "model/LEnDecryption.h"
#include "model/LFileOperate.h"
#include "model/SharedConstants.h"
#include "platform/testing/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

namespace fs = std::filesystem;

namespace {

const std::string kSources = DATAKIT_SOURCES;

const std::map<std::string, std::string> kTableCodes = {
    {"ER01", "DR01"}, {"ES22", "DS22"}, {"ES24", "DS24"}, {"ET02", "DT02"}, {"ET19", "DT19"},
    {"EC01", "DC01"}, {"EA01", "DA01"}, {"ESP2", "DSP2"}, {"EB01", "DB01"},
};

std::string CodeOf(const std::string& name) {
    for (const auto& [code, copy] : kTableCodes) {
        if (name.rfind(code, 0) == 0) {
            return code;
        }
    }
    return std::string();
}

// The name of a file's deciphered working copy: its first character turned into "D". Written
// as an in-place change because GCC 12 at -O3 reports a false -Wrestrict for "D" + substr(1).
std::string CopyNameOf(const std::string& name) {
    std::string copy = name;
    if (!copy.empty()) {
        copy.front() = 'D';
    }
    return copy;
}

class DataKitToolTest : public testing::Test {
protected:
    TempDir scratch_;
    TempDir program_;
};

TEST_F(DataKitToolTest, WritesEveryTableEncipheredAndEveryIniPlain) {
    const KitRun run = RunKitTool(kSources, program_.Path(), scratch_);
    ASSERT_EQ(run.exitCode, 0) << run.errors;

    const std::vector<std::string> sources = FileNames(kSources + "/dat");
    EXPECT_EQ(FileNames(program_ / "dat"), sources);
    EXPECT_EQ(program_.Read("lumbrixon/version.ini"),
              ExpectedKitBytes(ReadWholeFile(kSources + "/lumbrixon/version.ini")));

    CurrentDirScope inProgram(program_.Path());
    LFileOperate files;
    LEnDecryption cipher;
    int tables = 0;
    for (const std::string& name : sources) {
        const std::string expected = ExpectedKitBytes(ReadWholeFile(kSources + "/dat/" + name));
        const std::string code = CodeOf(name);
        if (code.empty()) {
            EXPECT_EQ(program_.Read("dat/" + name), expected) << name << " is written plain";
            continue;
        }
        ++tables;
        const AnsiString path = "./dat/" + AnsiString::FromUtf8(name);
        ASSERT_EQ(files.FindFile(code, DAT_FOLDER), path) << code;
        EXPECT_NE(program_.Read("dat/" + name), expected) << name << " is enciphered";
        ASSERT_TRUE(cipher.DecryptFile(path)) << name;
        const std::string copyName = CopyNameOf(name);
        EXPECT_EQ(program_.Read("dat/" + copyName), expected) << name << " deciphers back";
        EXPECT_EQ(files.FindFile(kTableCodes.at(code), DAT_FOLDER),
                  "./dat/" + AnsiString::FromUtf8(copyName));
    }
    EXPECT_EQ(tables, 9);
    cipher.DeleteDecryptedFiles();
    EXPECT_EQ(FileNames(program_ / "dat"), sources);
}

TEST_F(DataKitToolTest, EachCodeNamesExactlyOneFileOfTheKit) {
    // The program takes the first listed file that contains a code anywhere in its name, in
    // the file system's order: no other kit file may contain a code, in either form.
    for (const std::string& name : FileNames(kSources + "/dat")) {
        for (const auto& [code, copy] : kTableCodes) {
            const bool own = name.rfind(code, 0) == 0;
            EXPECT_EQ(name.find(code) != std::string::npos, own) << name << " / " << code;
            EXPECT_EQ(name.find(copy), std::string::npos) << name << " / " << copy;
            EXPECT_EQ(CopyNameOf(name).find(copy) != std::string::npos, own)
                << name << " / " << copy;
        }
    }
}

TEST_F(DataKitToolTest, RewritingReplacesOldTablesAndLeftoverCopiesButKeepsOtherFiles) {
    program_.Write("dat/ER01_労務単価_旧.csv", "old");
    program_.Write("dat/DR01_労務単価.csv", "left by a run that ended early");
    program_.Write("dat/EB01_距離帯.ini", std::string(100000, 'x')); // longer than the new one
    program_.Write("dat/memo.txt", "kept");
    ASSERT_EQ(RunKitTool(kSources, program_.Path(), scratch_).exitCode, 0);
    const std::string firstBands = program_.Read("dat/EB01_距離帯.ini");
    ASSERT_EQ(RunKitTool(kSources, program_.Path(), scratch_).exitCode, 0);

    std::vector<std::string> expected = FileNames(kSources + "/dat");
    expected.push_back("memo.txt");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FileNames(program_ / "dat"), expected);
    EXPECT_EQ(program_.Read("dat/memo.txt"), "kept");
    EXPECT_LT(firstBands.size(), 100000u);
    EXPECT_EQ(program_.Read("dat/EB01_距離帯.ini"), firstBands); // the same bytes every time
}

TEST_F(DataKitToolTest, FaultySourcesAreRefusedAndNothingIsWritten) {
    struct Case {
        const char* what;
        std::function<void(const std::string& sources)> spoil;
        const char* named; // a piece of the error message
    };
    const Case cases[] = {
        {"a table missing", [](const std::string& s) { fs::remove(s + "/dat/ER01_労務単価.csv"); },
         "ER01"},
        {"an INI file missing",
         [](const std::string& s) { fs::remove(s + "/dat/SPHimoku_RowSource.ini"); },
         "SPHimoku_RowSource.ini"},
        {"the version file missing",
         [](const std::string& s) { fs::remove(s + "/lumbrixon/version.ini"); }, "version.ini"},
        {"a second file for one code",
         [](const std::string& s) {
             fs::copy_file(s + "/dat/ES22_損料.csv", s + "/dat/ES22_損料_予備.csv");
         },
         "ES22"},
        {"a file the kit does not know",
         [](const std::string& s) { fs::copy_file(s + "/dat/ES22_損料.csv", s + "/dat/memo.txt"); },
         "memo.txt"},
        {"a character code page 932 lacks",
         [](const std::string& s) {
             std::ofstream(s + "/dat/Himoku_RowSource.ini", std::ios::app) << "🙂\n";
         },
         "Himoku_RowSource.ini"},
        {"bytes that are not UTF-8",
         [](const std::string& s) {
             std::ofstream(s + "/dat/EA01_地区.csv", std::ios::app) << "\x82\xa0\n";
         },
         "EA01"},
    };
    for (const Case& c : cases) {
        TempDir sources;
        fs::copy(kSources, sources.Path(), fs::copy_options::recursive);
        c.spoil(sources.Path());
        TempDir program;
        const KitRun run = RunKitTool(sources.Path(), program.Path(), scratch_);
        EXPECT_EQ(run.exitCode, 1) << c.what;
        EXPECT_NE(run.errors.find(c.named), std::string::npos) << c.what << ": " << run.errors;
        EXPECT_FALSE(program.Exists("dat")) << c.what;
        EXPECT_FALSE(program.Exists("lumbrixon")) << c.what;
    }
}

} // namespace
