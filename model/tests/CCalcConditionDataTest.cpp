#include "model/CCalcConditionData.h"

#include <gtest/gtest.h>

namespace {

TEST(CCalcConditionDataTest, StartsWithFirstEntriesAndFlagsOff) {
    const CCalcConditionData conditions;
    EXPECT_EQ(conditions.GetBugakariHimoku(), 0);
    EXPECT_EQ(conditions.GetBugakariSyubetsu(), 0);
    EXPECT_FALSE(conditions.IsBugakariDID());
    EXPECT_EQ(conditions.GetSPHimoku(), 0);
    EXPECT_EQ(conditions.GetSPSyubetsu(), 0);
    EXPECT_EQ(conditions.GetSPGaraHassei(), 0);
    EXPECT_EQ(conditions.GetSPTsumikomi(), 0);
    EXPECT_FALSE(conditions.IsSPDID());
    EXPECT_FALSE(conditions.IsSPDTCarry());
}

TEST(CCalcConditionDataTest, TheTwoModesAreRememberedApart) {
    CCalcConditionData conditions;
    conditions.SetSPHimoku(2);
    conditions.SetSPSyubetsu(-1); // no selection is stored as given
    conditions.SetSPGaraHassei(1);
    conditions.SetSPTsumikomi(3);
    conditions.SetSPSekisai(-1);
    conditions.SetSPJinkai(-1);
    conditions.SetSPDID(true);
    conditions.SetSPDTCarry(true);
    EXPECT_EQ(conditions.GetBugakariHimoku(), 0);
    EXPECT_EQ(conditions.GetBugakariSyubetsu(), 0);
    EXPECT_FALSE(conditions.IsBugakariDID());

    conditions.SetBugakariHimoku(1);
    conditions.SetBugakariSyubetsu(4);
    conditions.SetBugakariDID(true);
    EXPECT_EQ(conditions.GetSPHimoku(), 2);
    EXPECT_EQ(conditions.GetSPSyubetsu(), -1);
    EXPECT_EQ(conditions.GetSPGaraHassei(), 1);
    EXPECT_EQ(conditions.GetSPTsumikomi(), 3);
    EXPECT_TRUE(conditions.IsSPDID());
    EXPECT_TRUE(conditions.IsSPDTCarry());
    EXPECT_EQ(conditions.GetBugakariHimoku(), 1);
    EXPECT_EQ(conditions.GetBugakariSyubetsu(), 4);
    EXPECT_TRUE(conditions.IsBugakariDID());

    conditions.SetBugakariDID(false);
    EXPECT_FALSE(conditions.IsBugakariDID());
}

} // namespace
