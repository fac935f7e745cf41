#include "model/CRankingList.h"
#include "model/CRankingData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

TEST(CRankingDataTest, FixedDistanceIsTheRouteDistanceUnlessThatIsZero) {
    struct Case {
        double direct;
        double route;
        double fixed;
    };
    const Case cases[] = {
        {12.3, 0.0, 12.3},    // no road distance yet
        {12.3, 15.75, 15.75}, // a longer road distance still replaces the straight line
        {12.3, 4.5, 4.5},
        {0.0, 0.0, 0.0},
    };
    for (const Case& c : cases) {
        CRankingData row;
        row.SetDirectDistance(c.direct);
        row.SetRouteDistance(c.route);
        row.UpdateFixedDistance();
        EXPECT_DOUBLE_EQ(row.GetFixedDistance(), c.fixed) << c.direct << " / " << c.route;
    }
}

TEST(CRankingDataTest, TypedFeeReplacesTheComputedOneUntilClearedToZero) {
    CRankingData row;
    row.SetDisposalCost(4800);
    row.UpdateFixedDisposalCost();
    EXPECT_EQ(row.GetFixedDisposalCost(), 4800);
    row.SetManualDisposalCost(3500);
    row.UpdateFixedDisposalCost();
    EXPECT_EQ(row.GetFixedDisposalCost(), 3500);
    row.SetDisposalCost(5200); // a later calculation's fee does not override the typed one
    row.UpdateFixedDisposalCost();
    EXPECT_EQ(row.GetFixedDisposalCost(), 3500);
    row.SetManualDisposalCost(0);
    row.UpdateFixedDisposalCost();
    EXPECT_EQ(row.GetFixedDisposalCost(), 5200);
}

TEST(CRankingDataTest, NewRowIsEmpty) {
    const CRankingData row;
    EXPECT_TRUE(row.GetName().IsEmpty());
    EXPECT_TRUE(row.GetDirection().IsEmpty());
    EXPECT_TRUE(row.GetUnit().IsEmpty());
    EXPECT_TRUE(row.GetSource().IsEmpty());
    EXPECT_TRUE(row.GetCostChangeDistance().IsEmpty());
    EXPECT_EQ(row.GetDirectDistance(), 0.0);
    EXPECT_EQ(row.GetRouteDistance(), 0.0);
    EXPECT_EQ(row.GetFixedDistance(), 0.0);
    EXPECT_EQ(row.GetDisposalCost(), 0);
    EXPECT_EQ(row.GetManualDisposalCost(), 0);
    EXPECT_EQ(row.GetFixedDisposalCost(), 0);
    EXPECT_EQ(row.GetTransportCost(), 0);
    EXPECT_EQ(row.GetTotalCost(), 0);
    EXPECT_EQ(row.GetRank(), 0);
    EXPECT_EQ(row.GetX(), 0.0);
    EXPECT_EQ(row.GetY(), 0.0);
}

struct RowSpec {
    const char* name;
    int total;
    double distance;
};

// An owning list built from a table of rows, cleared when the test ends.
class RankingListTest : public testing::Test {
protected:
    ~RankingListTest() override { list_.Clear(); }

    void Fill(const std::vector<RowSpec>& rows) {
        for (const RowSpec& spec : rows) {
            auto* row = new CRankingData;
            row->SetName(AnsiString::FromUtf8(spec.name));
            row->SetTotalCost(spec.total);
            row->SetDirectDistance(spec.distance);
            row->UpdateFixedDistance();
            list_.Add(row);
        }
    }

    static std::vector<std::string> Order(CRankingList& list) {
        std::vector<std::string> names;
        for (list.First(); !list.IsEnd(); list.Next()) {
            names.push_back(list.GetCurrent()->GetName().ToUtf8());
        }
        return names;
    }

    CRankingList list_;
};

TEST_F(RankingListTest, OrderingsAreStableAndAscending) {
    struct Case {
        const char* what;
        std::vector<RowSpec> rows;
        bool byDistance;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"totals ascend, signed",
         {{"a", 9000, 1.0}, {"b", 0, 70.0}, {"c", 4000, 2.0}, {"d", -10, 3.0}},
         false,
         {"d", "b", "c", "a"}},
        {"equal totals: the nearer first; equal distance too: list order",
         {{"far", 5000, 8.0}, {"near", 5000, 2.5}, {"tie1", 5000, 2.5}, {"cheap", 100, 9.0}},
         false,
         {"cheap", "near", "tie1", "far"}},
        {"distance ascends, ties keep list order",
         {{"x", 1, 30.0}, {"y", 2, 10.0}, {"z", 3, 30.0}, {"w", 4, 0.0}},
         true,
         {"w", "y", "x", "z"}},
        {"empty list stays empty", {}, false, {}},
    };
    for (const Case& c : cases) {
        list_.Clear();
        Fill(c.rows);
        if (c.byDistance) {
            list_.SortByDistance();
        } else {
            list_.SortByTotalCost();
        }
        EXPECT_EQ(Order(list_), c.expected) << c.what;
    }
}

// Many rows with few distinct totals and distances: both orderings put the rows where a stable
// sort of the rows themselves by the public comparators puts them, ties in list order.
TEST_F(RankingListTest, LongListsTakeTheOrderOfAStableSortByTheComparators) {
    std::vector<RowSpec> specs;
    std::vector<std::string> names;
    for (int i = 0; i < 3000; ++i) {
        names.push_back(std::string("r").append(std::to_string(i)));
    }
    for (int i = 0; i < 3000; ++i) {
        specs.push_back({names[static_cast<std::size_t>(i)].c_str(), (i * 7919) % 13 * 100,
                         ((i * 104729) % 17) * 0.5});
    }
    Fill(specs);
    for (const bool byDistance : {false, true, false}) {
        std::vector<CRankingData*> expected;
        for (list_.First(); !list_.IsEnd(); list_.Next()) {
            expected.push_back(list_.GetCurrent());
        }
        std::stable_sort(expected.begin(), expected.end(),
                         byDistance ? CRankingList::CompareDistance
                                    : CRankingList::CompareTotalCost);
        if (byDistance) {
            list_.SortByDistance();
        } else {
            list_.SortByTotalCost();
        }
        std::vector<CRankingData*> sorted;
        for (list_.First(); !list_.IsEnd(); list_.Next()) {
            sorted.push_back(list_.GetCurrent());
        }
        EXPECT_EQ(sorted, expected) << (byDistance ? "by distance" : "by total");
    }
}

TEST_F(RankingListTest, DistanceOrderAfterTotalOrderKeepsTotalOrderAmongEqualDistances) {
    Fill({{"p", 7000, 12.0}, {"q", 3000, 12.0}, {"r", 5000, 4.0}, {"s", 1000, 12.0}});
    list_.SortByTotalCost();
    list_.SortByDistance();
    EXPECT_EQ(Order(list_), (std::vector<std::string>{"r", "s", "q", "p"}));
}

TEST_F(RankingListTest, RouteDistanceDecidesTheOrderOnceFetched) {
    Fill({{"a", 5000, 3.0}, {"b", 5000, 4.0}});
    list_.First();
    CRankingData* a = list_.GetCurrent();
    a->SetRouteDistance(6.2);
    a->UpdateFixedDistance();
    list_.SortByTotalCost();
    EXPECT_EQ(Order(list_), (std::vector<std::string>{"b", "a"}));
}

TEST_F(RankingListTest, SortingLeavesTheCursorIndex) {
    Fill({{"a", 3, 1.0}, {"b", 2, 1.0}, {"c", 1, 1.0}});
    list_.First();
    list_.Next();
    list_.SortByTotalCost(); // c b a
    list_.SortByDistance();
    EXPECT_EQ(list_.GetCurrent()->GetName(), AnsiString("b"));
    list_.Next();
    EXPECT_EQ(list_.GetCurrent()->GetName(), AnsiString("a"));
}

TEST_F(RankingListTest, FindByNameComparesBytesAndLeavesTheCursorOnTheMatch) {
    Fill({{"北浦ﾘｻｲｸﾙｾﾝﾀｰ", 3000, 2.0},
          {"川添産業 第2工場", 2000, 5.0},
          {"川添産業 第2工場", 1000, 9.0}});
    CRankingData* found = list_.FindByName(AnsiString::FromUtf8("川添産業 第2工場"));
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->GetTotalCost(), 2000); // the first of two rows of the same name
    EXPECT_EQ(list_.GetCurrent(), found);

    list_.SortByTotalCost(); // now the cheaper duplicate comes first
    found = list_.FindByName(AnsiString::FromUtf8("川添産業 第2工場"));
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->GetTotalCost(), 1000);

    for (const char* other :
         {"北浦リサイクルセンター", "川添産業 第２工場", "川添産業 第2工場 ", "北浦ﾘｻｲｸﾙｾﾝﾀ", ""}) {
        EXPECT_EQ(list_.FindByName(AnsiString::FromUtf8(other)), nullptr) << other;
        EXPECT_TRUE(list_.IsEnd()) << other;
    }
}

TEST_F(RankingListTest, CursorStepsToTheEndAndStaysThere) {
    EXPECT_TRUE(list_.IsEnd()); // new and empty
    list_.First();
    EXPECT_TRUE(list_.IsEnd());
    EXPECT_FALSE(list_.Next());
    EXPECT_EQ(list_.FindByName("a"), nullptr);

    Fill({{"a", 1, 1.0}});
    list_.First();
    EXPECT_FALSE(list_.IsEnd());
    EXPECT_TRUE(list_.Next()); // the step that reaches the end still answers true
    EXPECT_TRUE(list_.IsEnd());
    EXPECT_FALSE(list_.Next());
    EXPECT_TRUE(list_.IsEnd());
    EXPECT_EQ(list_.GetCurrent(), nullptr);
}

TEST_F(RankingListTest, ViewListSharesTheRowsAndDropsThemWithoutDeleting) {
    Fill({{"a", 300, 3.0}, {"b", 200, 2.0}, {"c", 100, 1.0}});
    {
        CRankingList view;
        for (list_.First(); !list_.IsEnd(); list_.Next()) {
            if (list_.GetCurrent()->GetTotalCost() < 300) {
                view.Add(list_.GetCurrent());
            }
        }
        view.SortByTotalCost();
        EXPECT_EQ(Order(view), (std::vector<std::string>{"c", "b"}));
        view.First();
        view.GetCurrent()->SetRank(1); // a view writes through to the main list's row
    }
    EXPECT_EQ(Order(list_), (std::vector<std::string>{"a", "b", "c"}));
    CRankingData* c = list_.FindByName("c");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->GetRank(), 1);

    list_.Clear();
    EXPECT_EQ(list_.GetCount(), 0);
    EXPECT_TRUE(list_.IsEnd());
}

} // namespace
