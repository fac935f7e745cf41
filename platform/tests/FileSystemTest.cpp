#include "platform/FileSystem.h"
#include "platform/TStringList.h"
#include "platform/testing/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(FileSystemTest, ListingStartsWithDotEntriesAndHoldsEverythingElse) {
    TempDir dir;
    dir.Write("b.txt", "");
    dir.Write(".hidden", "");
    dir.MakeFolder("sub");
    auto entries = fs932::ListFolder(AnsiString(dir.Path() + "/"));
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 5u);
    EXPECT_EQ((*entries)[0], AnsiString("."));
    EXPECT_EQ((*entries)[1], AnsiString(".."));
    std::vector<AnsiString> rest(entries->begin() + 2, entries->end());
    std::sort(rest.begin(), rest.end());
    EXPECT_EQ(rest, (std::vector<AnsiString>{".hidden", "b.txt", "sub"}));
    EXPECT_FALSE(fs932::ListFolder(AnsiString(dir / "missing/")));
}

TEST(FileSystemTest, JapaneseNamesOnDiskComeBackAsCodePage932AndOpenAgain) {
    TempDir dir;
    dir.Write("DA01地区.csv", "x\r\n");
    auto entries = fs932::ListFolder(AnsiString(dir.Path() + "/"));
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 3u);
    EXPECT_EQ((*entries)[2], u8"DA01地区.csv"_sj);
    const AnsiString path = AnsiString(dir.Path() + "/") + (*entries)[2];
    EXPECT_TRUE(fs932::FileExists(path));
    TStringList lines;
    lines.LoadFromFile(path);
    EXPECT_EQ(lines.Count(), 1);
}

TEST(FileSystemTest, NameWithoutCodePage932FormKeepsItsBytes) {
    TempDir dir;
    const std::string name = "emoji\xF0\x9F\x98\x80.txt";
    dir.Write(name, "1");
    auto entries = fs932::ListFolder(AnsiString(dir.Path() + "/"));
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 3u);
    EXPECT_EQ((*entries)[2].str(), name);
    EXPECT_EQ(fs932::ReadFileBytes(AnsiString(dir.Path() + "/") + (*entries)[2]), "1");
}

TEST(FileSystemTest, FoldersAreNotFiles) {
    TempDir dir;
    dir.MakeFolder("sub");
    dir.Write("f", "");
    EXPECT_FALSE(fs932::FileExists(AnsiString(dir / "sub")));
    EXPECT_TRUE(fs932::DirectoryExists(AnsiString(dir / "sub")));
    EXPECT_TRUE(fs932::FileExists(AnsiString(dir / "f")));
    EXPECT_FALSE(fs932::FileExists(""));
    EXPECT_FALSE(fs932::ReadFileBytes(AnsiString(dir / "sub")));
    EXPECT_TRUE(fs932::DeleteFile(AnsiString(dir / "f")));
    EXPECT_FALSE(fs932::DeleteFile(AnsiString(dir / "f")));
}

} // namespace
