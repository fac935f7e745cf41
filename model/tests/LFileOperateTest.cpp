#include "model/LFileOperate.h"
#include "platform/FileSystem.h"
#include "platform/TStringList.h"
#include "platform/testing/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

AnsiString Folder(const TempDir& dir) {
    return AnsiString(dir.Path() + "/");
}

TEST(LFileOperateTest, CodeMayStandAnywhereAndIsCaseSensitive) {
    TempDir dir;
    dir.Write("XER01.csv", "");
    dir.Write("other.txt", "");
    LFileOperate files;
    EXPECT_EQ(files.FindFile("ER01", Folder(dir)), Folder(dir) + "XER01.csv");
    EXPECT_EQ(files.FindFile("er01", Folder(dir)), AnsiString());
    EXPECT_EQ(files.FindFile("DR01", Folder(dir)), AnsiString());
}

TEST(LFileOperateTest, SubfolderIsFoundLikeAFile) {
    TempDir dir;
    dir.MakeFolder("EB01_old");
    LFileOperate files;
    EXPECT_EQ(files.FindFile("EB01", Folder(dir)), Folder(dir) + "EB01_old");
}

TEST(LFileOperateTest, MissingFolderOrNoMatchGivesEmptyText) {
    TempDir dir;
    LFileOperate files;
    EXPECT_EQ(files.FindFile("ER01", Folder(dir)), AnsiString());
    EXPECT_EQ(files.FindFile("ER01", AnsiString(dir / "missing/")), AnsiString());
}

TEST(LFileOperateTest, EmptyCodeMatchesTheSecondEntryOfTheListing) {
    TempDir dir;
    dir.Write("a", "");
    LFileOperate files;
    EXPECT_EQ(files.FindFile("", Folder(dir)), Folder(dir) + "..");
}

TEST(LFileOperateTest, FirstMatchInListingOrderWinsOverAlphabeticalOrder) {
    TempDir dir;
    // Add matching names until the file system lists them in an order other than the
    // alphabetical one (ext4 lists by hash, tmpfs by age).
    std::vector<AnsiString> names;
    AnsiString listedFirst;
    for (char c = 'a'; c <= 'z'; ++c) {
        std::string name = std::string(1, c) + "_ES22.txt";
        dir.Write(name, "");
        names.push_back(AnsiString(name));
        auto entries = fs932::ListFolder(Folder(dir));
        ASSERT_TRUE(entries);
        listedFirst = (*entries)[2];
        if (names.size() > 1 && listedFirst != *std::min_element(names.begin(), names.end())) {
            break;
        }
    }
    ASSERT_NE(listedFirst, *std::min_element(names.begin(), names.end()))
        << "the file system lists entries alphabetically";
    LFileOperate files;
    EXPECT_EQ(files.FindFile("ES22", Folder(dir)), Folder(dir) + listedFirst);
}

TEST(LFileOperateTest, JapaneseNameIsFoundByCodeAndOpensFromTheResult) {
    TempDir dir;
    dir.Write("EA01地区一覧.csv", u8"header\r\n北勢\r\n"_sj.str());
    LFileOperate files;
    const AnsiString found = files.FindFile("EA01", Folder(dir));
    EXPECT_EQ(found, Folder(dir) + u8"EA01地区一覧.csv"_sj);
    TStringList lines;
    lines.LoadFromFile(found);
    ASSERT_EQ(lines.Count(), 2);
    EXPECT_EQ(lines[1], u8"北勢"_sj);
}

} // namespace
