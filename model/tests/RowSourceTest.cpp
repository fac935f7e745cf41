#include "RowFixtureFiles.h"
#include "model/CHimokuRowSource.h"
#include "model/CSPGaraHasseiRowSource.h"
#include "model/CSPHimokuRowSource.h"
#include "model/CSPSyubetsuRowSource.h"
#include "model/CSPTsumikomiRowSource.h"
#include "model/CSyubetsuRowSource.h"
#include "platform/Exceptions.h"
#include "platform/testing/TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

const char* const kRowSourceFiles[] = {
    "Himoku_RowSource.ini",     "SPHimoku_RowSource.ini",     "Syubetsu_RowSource.ini",
    "SPSyubetsu_RowSource.ini", "SPGaraHassei_RowSource.ini", "SPTsumikomiKubun_RowSource.ini",
};

// The fill walk of the main window, with the items as UTF-8.
template <class Source> std::vector<std::string> Walk(Source& source) {
    std::vector<std::string> items;
    for (source.First(); !source.IsEnd(); source.Next()) {
        items.push_back(source.GetCurrent().ToUtf8());
    }
    return items;
}

// A program folder, made the current folder, whose dat/ holds the row-source fixtures.
class RowSourceTest : public testing::Test {
protected:
    RowSourceTest() : scope_(dir_.Path()) { dir_.MakeFolder("dat"); }

    void InstallFixtures() {
        for (const char* file : kRowSourceFiles) {
            CopyFixtureAsCp932(dir_, std::string("rowsources/") + file, std::string("dat/") + file);
        }
    }

    TempDir dir_;
    CurrentDirScope scope_;
};

struct WalkCase {
    const char* what;
    std::function<std::vector<std::string>()> walk;
    std::vector<std::string> expected;
};

TEST_F(RowSourceTest, EachSelectionListsItsSectionWholeAndInFileOrder) {
    InstallFixtures();
    const WalkCase cases[] = {
        {"labour-rate items: lines outside the section, comments and empty lines are no items",
         [] {
             CHimokuRowSource s;
             return Walk(s);
         },
         {"鉄筋ｺﾝｸﾘｰﾄ塊", "無筋ｺﾝｸﾘｰﾄ塊", "ｱｽｺﾝ塊"}},
        {"package items: a repeated section name reads the first one",
         [] {
             CSPHimokuRowSource s;
             return Walk(s);
         },
         {"鉄筋ｺﾝｸﾘｰﾄ殻", "無筋ｺﾝｸﾘｰﾄ殻", "ｱｽﾌｧﾙﾄ殻"}},
        {"haul types of item 0",
         [] {
             CSyubetsuRowSource s;
             s.Select(0);
             return Walk(s);
         },
         {"A", "B", "C"}},
        {"haul types of item 1: a line with '=' is one item, leading blank kept",
         [] {
             CSyubetsuRowSource s;
             s.Select(1);
             return Walk(s);
         },
         {"10t=ﾀﾞﾝﾌﾟﾄﾗｯｸ10t積級", " 4t"}},
        {"haul types of item 2: an empty section",
         [] {
             CSyubetsuRowSource s;
             s.Select(2);
             return Walk(s);
         },
         {}},
        {"package haul types: lists follow the class's order, not the file's",
         [] {
             CSPSyubetsuRowSource s;
             s.SetHimoku(0);
             return Walk(s);
         },
         {"殻運搬", "殻運搬(電線共同溝)"}},
        {"package haul types: a missing section gives an empty list",
         [] {
             CSPSyubetsuRowSource s;
             s.SetHimoku(1);
             return Walk(s);
         },
         {}},
        {"package haul types of item 2",
         [] {
             CSPSyubetsuRowSource s;
             s.SetHimoku(2);
             return Walk(s);
         },
         {"殻運搬(路面切削)"}},
        {"rubble works of item 2",
         [] {
             CSPGaraHasseiRowSource s;
             s.SetHimoku(2);
             return Walk(s);
         },
         {"舗装版破砕", "舗装版破砕(電線共同溝)"}},
    };
    for (const WalkCase& c : cases) {
        EXPECT_EQ(c.walk(), c.expected) << c.what;
    }
}

TEST_F(RowSourceTest, WalkEndsAfterTheLastLineAndNextThenAnswersFalse) {
    InstallFixtures();
    CSyubetsuRowSource source;
    source.Select(0);
    source.First();
    EXPECT_TRUE(source.Next());
    EXPECT_TRUE(source.Next());
    EXPECT_FALSE(source.IsEnd());
    EXPECT_EQ(source.GetCurrent(), AnsiString("C"));
    EXPECT_TRUE(source.Next()); // onto the end
    EXPECT_TRUE(source.IsEnd());
    EXPECT_FALSE(source.Next());
    EXPECT_TRUE(source.IsEnd());
    EXPECT_THROW(source.GetCurrent(), EListError);
}

TEST_F(RowSourceTest, InvalidOneIndexSelectionKeepsTheCurrentList) {
    InstallFixtures();
    for (int invalid : {3, -1, 100}) {
        CSyubetsuRowSource labour;
        labour.Select(1);
        labour.Select(invalid);
        EXPECT_EQ(Walk(labour), (std::vector<std::string>{"10t=ﾀﾞﾝﾌﾟﾄﾗｯｸ10t積級", " 4t"}))
            << invalid;

        CSPGaraHasseiRowSource works;
        works.SetHimoku(1);
        works.SetHimoku(invalid);
        EXPECT_EQ(Walk(works), (std::vector<std::string>{"ｺﾝｸﾘｰﾄ(無筋･鉄筋)構造物とりこわし"}))
            << invalid;
    }
}

TEST_F(RowSourceTest, LoadingMethodsAreSelectedByItemAndWork) {
    InstallFixtures();
    struct PairCase {
        int himoku;
        int work;
        std::vector<std::string> expected; // empty: the list selected before (list 2) stays
    };
    const std::vector<std::string> list0{"T0-1", "T0-2", "T0-3"};
    const std::vector<std::string> list1{"T1-1", "T1-2"};
    const std::vector<std::string> list2{"T2-1"};
    const std::vector<std::string> list3{"T3-1", "T3-2", "T3-3", "T3-4"};
    const PairCase cases[] = {
        {0, 0, list0}, {1, 0, list0}, {0, 1, list1}, {1, 1, list1},  {2, 0, list2},  {2, 1, list3},
        {0, 2, list2}, {2, 2, list2}, {3, 0, list2}, {-1, 0, list2}, {0, -1, list2}, {1, -1, list2},
    };
    for (const PairCase& c : cases) {
        CSPTsumikomiRowSource source;
        source.SetHimoku(2, 0); // list 2 current before the pair under test
        source.SetHimoku(c.himoku, c.work);
        EXPECT_EQ(Walk(source), c.expected) << "(" << c.himoku << ", " << c.work << ")";
    }
}

TEST_F(RowSourceTest, SelectingDoesNotMoveTheCursor) {
    InstallFixtures();
    CSPTsumikomiRowSource source;
    source.SetHimoku(0, 0);
    source.First();
    source.Next();
    source.SetHimoku(2, 1); // another list, cursor still on line 1
    EXPECT_EQ(source.GetCurrent(), AnsiString("T3-2"));

    // A cursor left beyond the end of a shorter list ends the walk instead of running past it.
    source.Next();
    source.Next();
    source.Next();
    EXPECT_TRUE(source.IsEnd()); // line 4 of a 4-line list
    source.SetHimoku(0, 1);      // a 2-line list
    EXPECT_TRUE(source.IsEnd());
    EXPECT_FALSE(source.Next());
    EXPECT_THROW(source.GetCurrent(), EListError);
}

TEST_F(RowSourceTest, NoListIsCurrentBeforeTheFirstValidSelection) {
    InstallFixtures();
    CSyubetsuRowSource labour;
    CSPSyubetsuRowSource hauls;
    CSPGaraHasseiRowSource works;
    CSPTsumikomiRowSource methods;
    labour.Select(-1);
    methods.SetHimoku(0, 2);
    EXPECT_TRUE(Walk(labour).empty());
    EXPECT_TRUE(Walk(hauls).empty());
    EXPECT_TRUE(Walk(works).empty());
    EXPECT_TRUE(Walk(methods).empty());
    EXPECT_FALSE(labour.Next());
}

TEST_F(RowSourceTest, MissingFilesGiveEmptyListsWithoutMessage) {
    CHimokuRowSource items;
    CSPHimokuRowSource spItems;
    CSyubetsuRowSource labour;
    CSPTsumikomiRowSource methods;
    labour.Select(0);
    methods.SetHimoku(2, 1);
    EXPECT_TRUE(Walk(items).empty());
    EXPECT_TRUE(Walk(spItems).empty());
    EXPECT_TRUE(Walk(labour).empty());
    EXPECT_TRUE(Walk(methods).empty());
}

} // namespace
