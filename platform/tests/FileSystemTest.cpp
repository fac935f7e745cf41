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

// A UTF-8 name of characters that code page 932 lacks shows as those characters, also where
// its bytes could pass for code page 932 (F0 9F is a user-defined character there), and opens
// again, also as a folder.
TEST(FileSystemTest, AUtf8NameWithoutCodePage932FormShowsAsItselfAndOpensAgain) {
    const std::string names[] = {
        "\xF0\x9F\x98\x80", // an emoji
        "emoji\xF0\x9F\x98\x80.txt",
        "\xED\x95\x9C\xEA\xB8\x80.csv", // Korean
        "\xE4\xB8\x82",                 // a kanji that code page 932 lacks
        "DT19_\xF0\xA0\x80\x8B.csv",    // and one beyond U+FFFF
    };
    for (const std::string& folder : {std::string(), std::string("\xF0\x9F\x98\x80/")}) {
        for (const std::string& name : names) {
            SCOPED_TRACE(folder + name);
            TempDir dir;
            dir.Write(folder + name, "1");
            const AnsiString listed = fs932::FromOsName(dir / folder);
            EXPECT_EQ(listed.ToUtf8(), dir / folder);
            auto entries = fs932::ListFolder(listed);
            ASSERT_TRUE(entries);
            ASSERT_EQ(entries->size(), 3u);
            EXPECT_EQ((*entries)[2].ToUtf8(), name);
            const AnsiString path = listed + (*entries)[2];
            EXPECT_EQ(fs932::ToOsPath(path), dir / (folder + name));
            EXPECT_EQ(fs932::ReadFileBytes(path), "1");
        }
    }
}

// Names whose code-page-932 form would not lead back to them (characters that code page 932
// lacks or holds only one way, bytes that are no UTF-8) open again from their listed text,
// also behind a folder whose name is Japanese or itself such a name.
TEST(FileSystemTest, EveryListedNameOpensAgain) {
    const std::string names[] = {
        "caf\xC3\xA9.ini",
        "ET19_\xE5\x87\xA6\xE7\x90\x86\xE6\x96\x99\xE9\x87\x91(4\xE6\x9C\x88\xE3\x80\x9C"
        "6\xE6\x9C\x88).csv",
        "a\xE2\x88\x92",
        "\xC2\xA5.ini",
        "\xE2\x80\x94",
        "\xE2\x80\x96",
        "\xC2\xA2",
        "\xC2\xA3",
        "\xC2\xAC",
        "\xE2\x80\xBE",
        "caf\xE9.ini",
        "\xE9\x40.ini",
        "\xEE\x9A\x9C",
    };
    const std::string folders[] = {"", "\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF/", // データ
                                   "Jos\xC3\xA9/"};
    for (const std::string& folder : folders) {
        for (const std::string& name : names) {
            SCOPED_TRACE(Printable(AnsiString(folder + name)));
            TempDir dir;
            dir.Write(folder + name, name);
            const AnsiString listed = fs932::FromOsName(dir / folder);
            auto entries = fs932::ListFolder(listed);
            ASSERT_TRUE(entries);
            ASSERT_EQ(entries->size(), 3u);
            const AnsiString path = listed + (*entries)[2];
            EXPECT_EQ(fs932::ToOsPath(path), dir / (folder + name));
            EXPECT_TRUE(fs932::FileExists(path));
            EXPECT_EQ(fs932::ReadFileBytes(path), name);
            EXPECT_TRUE(fs932::DeleteFile(path));
        }
    }
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
