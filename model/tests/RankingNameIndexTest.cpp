#include "model/RankingNameIndex.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A list of rows with the given names, in that order; the list owns them.
class RankingNameIndexTest : public testing::Test {
protected:
    ~RankingNameIndexTest() override { list_.Clear(); }

    void Fill(const std::vector<AnsiString>& names) {
        for (const AnsiString& name : names) {
            auto row = std::make_unique<CRankingData>();
            row->SetName(name);
            list_.Add(row.release());
        }
    }

    CRankingList list_;
};

// The index answers what FindByName answers, name for name: the first row of the name in the
// list's order, names compared byte for byte, none for a name no row has.
TEST_F(RankingNameIndexTest, FindsWhatFindByNameFinds) {
    const std::vector<AnsiString> names = {u8"北処分場"_sj, "Site", u8"南処分場"_sj, "site",
                                           u8"北処分場"_sj, "",     "Site ",         "Site"};
    Fill(names);
    list_.SortByTotalCost(); // all totals equal: the order stays
    const RankingNameIndex index(list_);
    EXPECT_EQ(index.RowCount(), 8);
    EXPECT_TRUE(list_.IsEnd());
    std::vector<AnsiString> asked = names;
    asked.insert(asked.end(), {"SITE", u8"東処分場"_sj, " Site"});
    for (const AnsiString& name : asked) {
        SCOPED_TRACE(Printable(name));
        EXPECT_EQ(index.Find(name), list_.FindByName(name));
    }
    list_.First();
    CRankingData* first = list_.GetCurrent();
    EXPECT_EQ(index.Find(u8"北処分場"_sj), first); // not the later row of that name
}

// Built after a sort, the index follows the new order.
TEST_F(RankingNameIndexTest, FollowsTheOrderTheListHasWhenBuilt) {
    Fill({"A", "B", "A"});
    list_.First();
    list_.GetCurrent()->SetTotalCost(5); // the first "A" goes last
    list_.SortByTotalCost();
    const RankingNameIndex index(list_);
    list_.First();
    list_.Next();
    EXPECT_EQ(index.Find("A"), list_.GetCurrent());
    EXPECT_EQ(index.Find("A")->GetTotalCost(), 0);
}

TEST_F(RankingNameIndexTest, EmptyListFindsNothing) {
    const RankingNameIndex index(list_);
    EXPECT_EQ(index.RowCount(), 0);
    EXPECT_EQ(index.Find(""), nullptr);
}

} // namespace
