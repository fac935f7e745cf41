#include "model/CDTTankaData.h"
#include "model/SharedConstants.h"
#include "platform/Exceptions.h"
#include "platform/testing/MessageBoxRecorder.h"

#include "ProgramFolderCopy.h"
#include "platform/testing/UnprivilegedScope.h"

#include <gtest/gtest.h>

namespace {

// The fixture program folder holds labour 20000; fuel 100, 150, 120 for areas 0-2; machine rent
// 30001, 20001, 10001 for the truck classes and 25000 in row 3; wear 1001, 801, 601. Its
// quantity sections (labour, fuel, machine rent, wear): 10 t 2 1 0.5 0.3; 4 t 1 0 0 0;
// 2 t 1 0 0.5 0.5; 10 t road cutting 1 112 0 0.001.
class CDTTankaDataTest : public testing::Test {
protected:
    ProgramFolderCopy folder_;
    MessageBoxRecorder messages_;
    CDTTankaData prices_;
};

TEST_F(CDTTankaDataTest, LoadsTheFourTablesWithoutTheirFirstLines) {
    EXPECT_EQ(prices_.LoadFromFiles(), AnsiString(""));
    EXPECT_EQ(prices_.GetWage(), 20000);
    EXPECT_EQ(prices_.GetFuelPrice(0), 100);
    EXPECT_EQ(prices_.GetFuelPrice(2), 120);
    EXPECT_EQ(prices_.GetMachinePrice(3), 25000);
    EXPECT_EQ(prices_.GetWearPrice(2), 601);
    // Three fuel lines serve areas 0-2 only.
    EXPECT_THROW(prices_.GetFuelPrice(3), EListError);
    EXPECT_THROW(prices_.GetFuelPrice(-1), EListError);
    EXPECT_TRUE(messages_.Calls().empty());
}

TEST_F(CDTTankaDataTest, DailyPriceFloorsTheTwoDecimalTermsEachOnItsOwn) {
    ASSERT_EQ(prices_.LoadFromFiles(), AnsiString(""));
    // 2 x 20000 + 100 x 1 + floor(0.5 x 30001) + floor(0.3 x 1001)
    //   = 40000 + 100 + floor(15000.5) + floor(300.3) = 55400.
    EXPECT_EQ(prices_.GetDTTanka(0, 0, 0), 55400);
    // Area 1: fuel 150 instead of 100.
    EXPECT_EQ(prices_.GetDTTanka(1, 1, 0), 55450);
    // 2 t (truck class 2): 20000 + 0 + floor(0.5 x 10001) + floor(0.5 x 601) = 25300.
    EXPECT_EQ(prices_.GetDTTanka(0, 0, 2), 25300);
    // Road cutting: 20000 + 100 x 112 + 0 + floor(0.001 x 1001) = 31201.
    EXPECT_EQ(prices_.GetDTTanka(0, 2, 4), 31201);
}

struct SectionCase {
    int materialType;
    int haulKind;
    const char* firstQuantity; // line 0 of the chosen section, nullptr when none is chosen
    int truckClass;
};

void PrintTo(const SectionCase& c, std::ostream* out) {
    *out << "type " << c.materialType << ", kind " << c.haulKind;
}

class CDTTankaDataSection : public testing::TestWithParam<SectionCase> {
protected:
    ProgramFolderCopy folder_;
};

TEST_P(CDTTankaDataSection, ChoosesTheQuantitySectionAndTruckClass) {
    const SectionCase& c = GetParam();
    // Start from the 2 t section, so that "none chosen" shows as lines and class kept.
    CDTTankaData prices;
    int truckClass = 7;
    prices.SelectQuantitySection(0, 2, truckClass);
    ASSERT_EQ(truckClass, 2);
    const TStringList before = prices.GetQuantityLines();
    truckClass = 7;
    prices.SelectQuantitySection(c.materialType, c.haulKind, truckClass);
    if (c.firstQuantity) {
        ASSERT_GE(prices.GetQuantityLines().Count(), 4);
        EXPECT_EQ(prices.GetQuantityLines()[0] + "," + prices.GetQuantityLines()[1],
                  AnsiString(c.firstQuantity));
        EXPECT_EQ(truckClass, c.truckClass);
    } else {
        EXPECT_EQ(prices.GetQuantityLines().Lines(), before.Lines());
        EXPECT_EQ(truckClass, 7);
    }
}

// Sections tell apart by their first two lines: 10 t "2,1", 4 t "1,0", 2 t "1,0" with class 2,
// road cutting "1,112".
INSTANTIATE_TEST_SUITE_P(Table, CDTTankaDataSection,
                         testing::Values(SectionCase{0, 0, "2,1", 0}, SectionCase{1, 0, "2,1", 0},
                                         SectionCase{0, 1, "1,0", 1}, SectionCase{1, 2, "1,0", 2},
                                         SectionCase{0, 3, "1,0", 2}, SectionCase{0, 4, nullptr, 0},
                                         SectionCase{1, -1, nullptr, 0},
                                         SectionCase{0, 5, nullptr, 0}, SectionCase{2, 0, "2,1", 0},
                                         SectionCase{2, 1, "1,0", 1}, SectionCase{2, 2, "1,0", 2},
                                         SectionCase{2, 3, "2,1", 0}, SectionCase{2, 4, "1,112", 0},
                                         SectionCase{2, 5, nullptr, 0},
                                         SectionCase{2, -1, nullptr, 0},
                                         SectionCase{3, 4, "1,112", 0},
                                         SectionCase{-1, 0, "2,1", 0}));

TEST_F(CDTTankaDataTest, CombinationWithoutSectionPricesWithThePreviousQuantities) {
    ASSERT_EQ(prices_.LoadFromFiles(), AnsiString(""));
    // Before any price there are no quantity lines: list-index error.
    EXPECT_THROW(prices_.GetDTTanka(0, 0, 4), EListError);
    EXPECT_EQ(prices_.GetDTTanka(0, 0, 2), 25300);
    // Kind 5 has no section: the 2 t quantities stay, priced with truck class 0:
    // 20000 + 0 + floor(0.5 x 30001) + floor(0.5 x 1001) = 35500.
    EXPECT_EQ(prices_.GetDTTanka(0, 0, 5), 35500);
}

TEST_F(CDTTankaDataTest, MissingQuantityFileOrSectionGivesNoQuantities) {
    ASSERT_EQ(prices_.LoadFromFiles(), AnsiString(""));
    folder_.Remove("dat/DTTankaSuryo.ini");
    EXPECT_THROW(prices_.GetDTTanka(0, 0, 0), EListError);
    EXPECT_TRUE(prices_.GetQuantityLines().IsEmpty());
    folder_.Install("prices/suryo_short.ini", "dat/DTTankaSuryo.ini"); // 10 t has 3 lines
    EXPECT_THROW(prices_.GetDTTanka(0, 0, 0), EListError);
    EXPECT_THROW(prices_.GetDTTanka(0, 0, 1), EListError); // no 4 t section
}

TEST_F(CDTTankaDataTest, DecimalLabourQuantityIsAConversionError) {
    ASSERT_EQ(prices_.LoadFromFiles(), AnsiString(""));
    folder_.Install("prices/suryo_decimal.ini", "dat/DTTankaSuryo.ini");
    EXPECT_THROW(prices_.GetDTTanka(0, 0, 0), EConvertError);
}

TEST_F(CDTTankaDataTest, NonNumericPriceLineIsAConversionError) {
    folder_.Write("dat/DT02_nenryo.csv", "fuel\r\n100\r\nabc\r\n");
    ASSERT_EQ(prices_.LoadFromFiles(), AnsiString(""));
    EXPECT_EQ(prices_.GetDTTanka(0, 0, 0), 55400);
    EXPECT_THROW(prices_.GetDTTanka(1, 0, 0), EConvertError);
}

TEST_F(CDTTankaDataTest, PriceBeyondThirtyTwoBitsIsARangeError) {
    folder_.Install("prices/roumu_huge.csv", "dat/DR01_roumu.csv");
    ASSERT_EQ(prices_.LoadFromFiles(), AnsiString(""));
    // 2 x 2000000000 does not fit; it must not wrap round to a negative price.
    EXPECT_THROW(prices_.GetDTTanka(0, 0, 0), ERangeError);
    // 1 x 2000000000 + 0 + 0 + 0 fits.
    EXPECT_EQ(prices_.GetDTTanka(0, 0, 1), 2000000000);
}

struct WageCase {
    const char* fixture;
    bool loaded;
    int wage;
};

class CDTTankaDataWage : public testing::TestWithParam<WageCase> {
protected:
    ProgramFolderCopy folder_;
};

TEST_P(CDTTankaDataWage, ReadsLineOneAsACLong) {
    folder_.Install(GetParam().fixture, "dat/DR01_roumu.csv");
    CDTTankaData prices;
    EXPECT_EQ(prices.LoadWage(), GetParam().loaded);
    EXPECT_EQ(prices.GetWage(), GetParam().wage);
}

INSTANTIATE_TEST_SUITE_P(Files, CDTTankaDataWage,
                         testing::Values(WageCase{"prices/roumu_yen.csv", true, 12345},
                                         WageCase{"prices/roumu_empty_line.csv", true, 0},
                                         WageCase{"prices/roumu_one_line.csv", false, 0}));

TEST_F(CDTTankaDataTest, FileOfTheFirstLineAloneGivesAnEmptyTable) {
    folder_.Write("dat/DS22_sonryo.csv", "wear\r\n");
    EXPECT_TRUE(prices_.LoadWearPrices());
    EXPECT_THROW(prices_.GetWearPrice(0), EListError);
}

TEST_F(CDTTankaDataTest, FailedReadersGiveTheirLinesInReaderOrderAndKeepTheirTables) {
    ASSERT_EQ(prices_.LoadFromFiles(), AnsiString(""));
    folder_.Remove("dat/DT02_nenryo.csv");                              // not found: an empty line
    folder_.Write("dat/DS24_kikai.csv", "");                            // no line at all
    folder_.Install("prices/roumu_one_line.csv", "dat/DR01_roumu.csv"); // no line 1
    EXPECT_EQ(prices_.LoadFromFiles(), AnsiString("R01_roumu.csv\r\n\r\nS24_kikai.csv\r\n"));
    EXPECT_EQ(prices_.GetWage(), 20000);
    EXPECT_EQ(prices_.GetFuelPrice(1), 150);
    EXPECT_EQ(prices_.GetMachinePrice(3), 25000);
    EXPECT_TRUE(messages_.Calls().empty());
}

TEST_F(CDTTankaDataTest, UnreadableTableFails) {
    folder_.MakeUnreadable("dat/DS22_sonryo.csv");
    AnsiString errors;
    {
        UnprivilegedScope unprivileged;
        if (!unprivileged.Unprivileged()) {
            GTEST_SKIP() << "cannot run without privileges here";
        }
        errors = prices_.LoadFromFiles();
    }
    EXPECT_EQ(errors, AnsiString("S22_sonryo.csv\r\n"));
    EXPECT_EQ(prices_.GetWage(), 20000);
    EXPECT_THROW(prices_.GetWearPrice(0), EListError);
}

} // namespace
