#include "RowFixtureFiles.h"
#include "model/CAreaData.h"
#include "platform/Exceptions.h"
#include "platform/testing/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Names(const CAreaData& areas) {
    std::vector<std::string> names;
    for (int i = 0; i < areas.GetCount(); ++i) {
        names.push_back(areas.GetAreaName(i).ToUtf8());
    }
    return names;
}

class AreaDataTest : public testing::Test {
protected:
    AreaDataTest() : scope_(dir_.Path()) { dir_.MakeFolder("dat"); }

    // Puts an areas fixture into dat/ as the working copy of the areas table.
    void InstallAreas(const std::string& fixture) {
        CopyFixtureAsCp932(dir_, "areas/" + fixture, "dat/DA01_地区.csv");
    }

    TempDir dir_;
    CurrentDirScope scope_;
    CAreaData areas_;
};

TEST_F(AreaDataTest, EveryLineAfterTheHeadingIsOneArea) {
    struct Case {
        const char* fixture;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"with_empty_line.csv", {"北浦地区", "", "川添地区"}},
        {"no_final_break.csv", {"鈴原地区", "朝霧地区"}},
        {"heading_only.csv", {}},
    };
    for (const Case& c : cases) {
        InstallAreas(c.fixture);
        CAreaData areas;
        EXPECT_EQ(areas.LoadFromFile(), AnsiString()) << c.fixture;
        EXPECT_EQ(Names(areas), c.expected) << c.fixture;
    }
}

TEST_F(AreaDataTest, ReloadReplacesTheNames) {
    InstallAreas("with_empty_line.csv");
    areas_.LoadFromFile();
    InstallAreas("no_final_break.csv");
    areas_.LoadFromFile();
    EXPECT_EQ(Names(areas_), (std::vector<std::string>{"鈴原地区", "朝霧地区"}));
}

TEST_F(AreaDataTest, FailedLoadRaisesAndKeepsTheNamesHeldBefore) {
    InstallAreas("no_final_break.csv");
    areas_.LoadFromFile();

    InstallAreas("empty.csv"); // not even a heading
    EXPECT_THROW(areas_.LoadFromFile(), EListError);
    EXPECT_EQ(areas_.GetCount(), 2);

    ASSERT_TRUE(std::filesystem::remove(dir_ / "dat/DA01_地区.csv"));
    EXPECT_THROW(areas_.LoadFromFile(), EFOpenError);
    dir_.MakeFolder("dat/DA01_folder"); // found by its code, but no file to read
    EXPECT_THROW(areas_.LoadFromFile(), EFOpenError);
    EXPECT_EQ(Names(areas_), (std::vector<std::string>{"鈴原地区", "朝霧地区"}));
}

TEST_F(AreaDataTest, IndexOutsideTheListRaisesListError) {
    InstallAreas("no_final_break.csv");
    areas_.LoadFromFile();
    for (int index : {-1, 2, 100}) {
        EXPECT_THROW(areas_.GetAreaName(index), EListError) << index;
    }
    EXPECT_THROW(CAreaData().GetAreaName(0), EListError);
}

} // namespace
