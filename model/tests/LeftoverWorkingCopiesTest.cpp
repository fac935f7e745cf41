#include "model/LeftoverWorkingCopies.h"

#include "platform/testing/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// What an earlier start-up may have left in the data folder goes; the tables, the other files
// and folders stay.
TEST(LeftoverWorkingCopiesTest, CopiesOfAnEarlierStartGoAndEverythingElseStays) {
    TempDir dir;
    const std::string outside = dir.Write("outside.csv", "plain");
    const char* const leftovers[] = {
        "DR01_labour.csv",
        "DS22.csv",
        "DS24_rent.csv",
        "DT02",
        "DT19_処理料金(4月〜6月).csv",
        "DC01_sites.csv",
        "DA01_地区.csv",
        "DSP2_packages.csv",
        "DB01_bands.ini",
    };
    const char* const kept[] = {
        "ER01_labour.csv",
        "ET19_処理料金(4月〜6月).csv",
        "ET19_DR01.csv", // tables
        "DTTankaSuryo.ini",
        "dr01.csv",
        "DR0.csv",
        "Himoku_RowSource.ini",
        // A name with the code further on is no working copy: a copy's name begins with it.
        "old_DB01.ini",
        "xDSP2.csv",
        // The code's bytes inside and after a two-byte character: "ゥ" is 0x83 0x44 ("D"), so
        // "ゥT19" holds the bytes of "DT19".
        "ゥT19メモ.txt",
        "ゥR01.csv",
        "サDA01.txt",
    };
    for (const char* name : leftovers) {
        dir.Write(std::string("dat/") + name, "stale");
    }
    for (const char* name : kept) {
        dir.Write(std::string("dat/") + name, "kept");
    }
    dir.Write("dat/DA01_folder/inside.csv", "kept");
    std::filesystem::create_symlink(outside, dir / "dat/DSP2_link.csv");
    std::filesystem::create_symlink(dir / "gone.csv", dir / "dat/DC01_dangling.csv");

    DeleteLeftoverWorkingCopies(AnsiString(dir.Path() + "/dat/"));

    for (const char* name : leftovers) {
        EXPECT_FALSE(dir.Exists(std::string("dat/") + name)) << name;
    }
    for (const char* link : {"dat/DSP2_link.csv", "dat/DC01_dangling.csv"}) {
        EXPECT_FALSE(std::filesystem::is_symlink(dir / link)) << link;
    }
    EXPECT_EQ(dir.Read("outside.csv"), "plain") << "a link goes as itself";
    for (const char* name : kept) {
        EXPECT_EQ(dir.Read(std::string("dat/") + name), "kept") << name;
    }
    EXPECT_EQ(dir.Read("dat/DA01_folder/inside.csv"), "kept");

    DeleteLeftoverWorkingCopies(AnsiString(dir.Path() + "/missing/")); // nothing to do
}

} // namespace
