#include "model/CSekouPackageData.h"
#include "platform/Exceptions.h"
#include "platform/testing/MessageBoxRecorder.h"

#include "ProgramFolderCopy.h"
#include "platform/testing/UnprivilegedScope.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

AnsiString Data(const char* name) {
    return AnsiString(ProgramFolderCopy::Data(name));
}

// data/packages/worked.csv: package P1 (key texts "鉄筋ｺﾝｸﾘｰﾄ殻" and "10t") has the rows
//   ,5,3,,,12000,50,100,30,100,20,100,25000,20000,150
//   ,10,,,,15000
//   ,20,,,,          (the empty price repeats 15000)
//   (empty line: the package ends; ",30,,,,99999" after it is not part of it)
class CSekouPackageDataTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(package_.LoadFromFile(Data("packages/worked.csv"))); }
    void SetPrices(int p1, int p2, int p3) {
        package_.SetLocalPrice1(p1);
        package_.SetLocalPrice2(p2);
        package_.SetLocalPrice3(p3);
    }

    MessageBoxRecorder messages_;
    CSekouPackageData package_;
};

TEST_F(CSekouPackageDataTest, ReadsThePackageAfterTheFirstKeyLine) {
    // Line 0 holds both keys but is not searched; line 1 holds "10t" alone; line 2 holds both
    // inside other text and is the key line. The later P2 line would match too but is not used.
    ASSERT_TRUE(package_.SelectPackage(u8"鉄筋ｺﾝｸﾘｰﾄ殻"_sj, "10t"));
    EXPECT_EQ(package_.GetThresholds().Lines(), (std::vector<AnsiString>{"5", "10", "20"}));
    EXPECT_EQ(package_.GetPrices().Lines(), (std::vector<AnsiString>{"12000", "15000", "15000"}));
    EXPECT_EQ(package_.GetDTIndex(), 3);
    EXPECT_TRUE(messages_.Calls().empty());
}

TEST_F(CSekouPackageDataTest, KeyFormsAndMisses) {
    // Three keys: only the P2 line holds all three.
    ASSERT_TRUE(package_.SelectPackage(u8"鉄筋ｺﾝｸﾘｰﾄ殻"_sj, "10t", "P2"));
    EXPECT_EQ(package_.GetDTIndex(), 4);
    // Four keys; its second row is all empty cells and repeats the first.
    ASSERT_TRUE(package_.SelectPackage(u8"無筋"_sj, "4t", u8"DID有"_sj, u8"人力"_sj));
    EXPECT_EQ(package_.GetThresholds().Lines(), (std::vector<AnsiString>{"60", "60"}));
    EXPECT_EQ(package_.GetPrices().Lines(), (std::vector<AnsiString>{"8000", "8000"}));
    // No key line, or an empty key: false and the package stays.
    EXPECT_FALSE(package_.SelectPackage(u8"無筋"_sj, "10t"));
    EXPECT_FALSE(package_.SelectPackage("", "4t"));
    EXPECT_FALSE(package_.SelectPackage(u8"無筋"_sj, "4t", u8"DID有"_sj, ""));
    EXPECT_EQ(package_.GetDTIndex(), 1);
    EXPECT_EQ(package_.GetPrices().Count(), 2);
}

TEST_F(CSekouPackageDataTest, KeyLineThatEndsTheFileSelectsAPackageWithoutBrackets) {
    ASSERT_TRUE(package_.SelectPackage(u8"鉄筋ｺﾝｸﾘｰﾄ殻"_sj, "10t"));
    ASSERT_TRUE(package_.SelectPackage(u8"最後"_sj, u8"キー"_sj));
    EXPECT_TRUE(package_.GetThresholds().IsEmpty());
    EXPECT_EQ(package_.GetDTIndex(), 0);
    SetPrices(25000, 20000, 150);
    EXPECT_EQ(package_.GetTransportCost(5), 0);
    EXPECT_EQ(package_.GetCostChangeDistance(5), u8"99999km以下"_sj);
}

struct CostCase {
    double km;
    int cost;
    const char* changeText; // UTF-8
};

void PrintTo(const CostCase& c, std::ostream* out) {
    *out << c.km << " km";
}

class CSekouPackageDataCost : public CSekouPackageDataTest,
                              public testing::WithParamInterface<CostCase> {};

TEST_P(CSekouPackageDataCost, TakesTheFirstBracketThatReachesTheDistance) {
    ASSERT_TRUE(package_.SelectPackage(u8"鉄筋ｺﾝｸﾘｰﾄ殻"_sj, "10t"));
    // P1 = S1, P2 = S2, P3 = S3: amount = price x (0.5 + 0.3 + 0.2 + 0) = price.
    SetPrices(25000, 20000, 150);
    const CostCase& c = GetParam();
    EXPECT_EQ(package_.GetTransportCost(c.km), c.cost);
    EXPECT_EQ(package_.GetCostChangeDistance(c.km), AnsiString::FromUtf8(c.changeText));
}

INSTANTIATE_TEST_SUITE_P(
    Brackets, CSekouPackageDataCost,
    testing::Values(CostCase{0.0, 12000, "5km以下"}, CostCase{5.0, 12000, "5km以下"},
                    CostCase{5.01, 15000, "10km以下"}, CostCase{20.0, 15000, "20km以下"},
                    // Beyond the last bracket, and beyond 60 km.
                    CostCase{20.5, 0, "99999km以下"}, CostCase{60.01, 0, "99999km以下"}));

TEST_F(CSekouPackageDataTest, LocalPricesCorrectThePriceAndTheAmountIsCut) {
    ASSERT_TRUE(package_.SelectPackage(u8"鉄筋ｺﾝｸﾘｰﾄ殻"_sj, "10t"));
    // Fuel 100 against 150: 12000 x (0.5 + 0.3 + 0.2 x 100 / 150) = 11200.
    SetPrices(25000, 20000, 100);
    EXPECT_EQ(package_.GetTransportCost(5), 11200);
    // Machine rent 27500 against 25000: 15000 x (0.5 x 1.1 + 0.3 + 0.2) = 15750.
    SetPrices(27500, 20000, 150);
    EXPECT_EQ(package_.GetTransportCost(10), 15750);
    // Wage 20001: 12000 x (0.5 + 0.3 x 1.00005 + 0.2) = 12000.18, cut to 12000.
    SetPrices(25000, 20001, 150);
    EXPECT_EQ(package_.GetTransportCost(1), 12000);
}

// A bracket's cost follows each local price as it changes.
TEST_F(CSekouPackageDataTest, CostFollowsEveryChangeOfALocalPrice) {
    ASSERT_TRUE(package_.SelectPackage(u8"鉄筋ｺﾝｸﾘｰﾄ殻"_sj, "10t"));
    SetPrices(25000, 20000, 150);
    EXPECT_EQ(package_.GetTransportCost(5), 12000);
    const struct {
        void (CSekouPackageData::*set)(int);
        int price;
        int cost;
    } changes[] = {
        {&CSekouPackageData::SetLocalPrice1, 27500, 12600}, // 12000 x (0.55 + 0.3 + 0.2)
        {&CSekouPackageData::SetLocalPrice2, 22000, 12960}, // 12000 x (0.55 + 0.33 + 0.2)
        {&CSekouPackageData::SetLocalPrice3, 300, 15360},   // 12000 x (0.55 + 0.33 + 0.4)
    };
    for (const auto& change : changes) {
        (package_.*change.set)(change.price);
        EXPECT_EQ(package_.GetTransportCost(5), change.cost) << change.price;
        EXPECT_EQ(package_.GetTransportCost(4), change.cost) << change.price;
    }
}

TEST_F(CSekouPackageDataTest, NoPackageSelectedCostsNothing) {
    EXPECT_EQ(package_.GetTransportCost(5), 0);
    EXPECT_EQ(package_.GetCostChangeDistance(5), u8"99999km以下"_sj);
    EXPECT_EQ(package_.GetTransportCost(std::nan("")), 0);
}

// data/packages/ratios.csv: one package per key, each with one bracket.
class CSekouPackageDataRatios : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(package_.LoadFromFile(Data("packages/ratios.csv"))); }
    int Cost(const char* key, int p1, int p2, int p3, double km = 30) {
        EXPECT_TRUE(package_.SelectPackage(key, "]")) << key;
        package_.SetLocalPrice1(p1);
        package_.SetLocalPrice2(p2);
        package_.SetLocalPrice3(p3);
        return package_.GetTransportCost(km);
    }

    CSekouPackageData package_;
};

TEST_F(CSekouPackageDataRatios, PriceIsRoundedUpAndAmountCutToFourDigits) {
    // 12000.4 is raised to 12001; K1 = K2 = K3 = 0 leaves it whole.
    EXPECT_EQ(Cost("[ceil", 1, 1, 1), 12001);
    // K1 = 100, S1 = 10000, P1 = 10288: 12000 x 1.0288 = 12345.6, cut to 12340.
    EXPECT_EQ(Cost("[significant", 10288, 0, 0), 12340);
}

TEST_F(CSekouPackageDataRatios, AmountWhoseDecimalValueIsWholeKeepsItsLastYen) {
    // 15000 x (0.6 + 0.3 + 0.1): in plain double arithmetic the sum of the terms is
    // 0.9999999999999999 and the amount 14999.999999999998, which the cuts would turn into
    // 14999. The amount is summed and multiplied with extended precision and rounded once.
    EXPECT_EQ(Cost("[decimal-whole", 25000, 20000, 150), 15000);
    // 15000 x (0.01 + 0 + 0.7 + 0.29), 7500 x (0.23 x 0.95 + 0.15 x 1.05 + 0.58 x 1.1 + 0.04)
    // = 7905 and 9000 x (1 x 0.431 + 0.183 + 0.064 + 0.322): whole amounts that plain double
    // steps, or terms rounded to double before the sum, bring just below the whole yen.
    EXPECT_EQ(Cost("[whole-a", 25000, 20000, 150), 15000);
    EXPECT_EQ(Cost("[whole-b", 9500, 105, 27500), 7905);
    EXPECT_EQ(Cost("[whole-c", 14400, 25100, 150), 9000);
}

TEST_F(CSekouPackageDataRatios, ZeroRatioDivisorsGiveADefinedResult) {
    // X1 = 0 with K1 = 50: X cancels out of ((0.01 X) (P / S)) (K / X), so the cost is that of
    // any other X: 12000 x (0.5 + 0.3 + 0.2).
    EXPECT_EQ(Cost("[zero-x", 25000, 20000, 150), 12000);
    // S3 = 0 with K3 = 0 (and X3 = 0): the fuel price takes no part; 12000 x (0.5 + 0.3 + the
    // remaining 0.01 x (100 - 80)).
    EXPECT_EQ(Cost("[zero-s-unweighted", 25000, 20000, 150), 12000);
    // S2 = 0 with K2 = 30: no price can be formed.
    EXPECT_THROW(Cost("[zero-s", 25000, 20000, 150), ERangeError);
}

// Another package priced at the same local prices gives its own cost, and a cost that cannot be
// formed fails at every lookup.
TEST_F(CSekouPackageDataRatios, EachSelectedPackageAndEachLookupIsPricedAnew) {
    EXPECT_EQ(Cost("[significant", 10288, 0, 0), 12340);
    EXPECT_TRUE(package_.SelectPackage("[ceil", "]"));
    EXPECT_EQ(package_.GetTransportCost(30), 12001);
    EXPECT_THROW(Cost("[zero-s", 25000, 20000, 150), ERangeError);
    EXPECT_THROW(package_.GetTransportCost(30), ERangeError);
    EXPECT_TRUE(package_.SelectPackage("[zero-x", "]"));
    EXPECT_EQ(package_.GetTransportCost(30), 12000);
}

TEST_F(CSekouPackageDataRatios, AmountBeyondThirtyTwoBitsIsARangeError) {
    EXPECT_THROW(Cost("[huge", 1, 1, 1), ERangeError);
    EXPECT_EQ(Cost("[huge", 1, 1, 1, 61), 0); // not priced beyond 60 km
}

TEST_F(CSekouPackageDataRatios, CellsAreCutToFifteenBytes) {
    EXPECT_EQ(Cost("[long cells", 1, 1, 1, 12.3), 1000);
    EXPECT_EQ(package_.GetThresholds()[0], AnsiString("12.345678901234"));
    EXPECT_EQ(package_.GetPrices()[0], AnsiString("1000.0000000000"));
    EXPECT_EQ(package_.GetCostChangeDistance(12.3), u8"12.345678901234km以下"_sj);
    EXPECT_EQ(package_.GetTransportCost(12.35), 0);
}

TEST_F(CSekouPackageDataRatios, NonNumericCells) {
    // Ratios and the machine-rent row read what leads as a number (none: 0); thresholds and
    // prices are converted strictly when met.
    EXPECT_TRUE(package_.SelectPackage("[not numbers", "]"));
    EXPECT_EQ(package_.GetDTIndex(), 0);
    EXPECT_THROW(package_.GetTransportCost(5), EConvertError);
    EXPECT_THROW(package_.GetCostChangeDistance(5), EConvertError);
    // A key line followed by an empty line: one bracket of empty texts.
    EXPECT_TRUE(package_.SelectPackage("[empty first row", "]"));
    EXPECT_EQ(package_.GetThresholds().Lines(), (std::vector<AnsiString>{""}));
    EXPECT_THROW(package_.GetTransportCost(5), EConvertError);
}

TEST_F(CSekouPackageDataRatios, RowsWithoutCommasAndBytesThatAreNotCodePage932) {
    // "junk" has one column: threshold and price repeat the row above; ",9" keeps the price.
    EXPECT_EQ(Cost("[no commas", 1, 1, 1, 5), 100);
    EXPECT_EQ(package_.GetThresholds().Lines(), (std::vector<AnsiString>{"5", "5", "9"}));
    EXPECT_EQ(package_.GetPrices().Lines(), (std::vector<AnsiString>{"100", "100", "100"}));
    EXPECT_TRUE(package_.SelectPackage(AnsiString("\x81\xFF[bad"), "\xFD"));
    EXPECT_EQ(package_.GetPrices()[0], AnsiString("\x81\xFF"
                                                  "300"));
    EXPECT_THROW(package_.GetTransportCost(5), EConvertError);
}

TEST(CSekouPackageDataLoad, FileOfOneLineHoldsNoPackage) {
    CSekouPackageData package;
    ASSERT_TRUE(package.LoadFromFile(Data("packages/one_line.csv")));
    // Its only line holds the keys, but the first line is never a key line.
    EXPECT_FALSE(package.SelectPackage(u8"鉄筋ｺﾝｸﾘｰﾄ殻"_sj, "10t"));
    EXPECT_EQ(package.GetTransportCost(5), 0);
}

TEST(CSekouPackageDataLoad, UnreadableFileShowsItsMessageAndKeepsTheLines) {
    MessageBoxRecorder messages;
    CSekouPackageData package;
    ASSERT_TRUE(package.LoadFromFile(Data("packages/worked.csv")));
    EXPECT_FALSE(package.LoadFromFile("./dat/DSP2_missing.csv"));
    ASSERT_EQ(messages.Calls().size(), 1u);
    EXPECT_EQ(messages.Calls()[0],
              (MessageBoxRecorder::Call{
                  u8"ファイルの読み込みに失敗しました。\r\nファイル名:./dat/DSP2_missing.csv"_sj,
                  u8"ファイル読み込み失敗"_sj, 0x40040}));
    EXPECT_TRUE(package.SelectPackage(u8"鉄筋ｺﾝｸﾘｰﾄ殻"_sj, "10t"));
}

TEST(CSekouPackageDataLoad, FileWithoutReadPermissionShowsTheMessage) {
    ProgramFolderCopy folder;
    folder.MakeUnreadable("dat/DSP2_package.csv");
    MessageBoxRecorder messages;
    CSekouPackageData package;
    bool loaded = true;
    {
        UnprivilegedScope unprivileged;
        if (!unprivileged.Unprivileged()) {
            GTEST_SKIP() << "cannot run without privileges here";
        }
        loaded = package.LoadFromFile("./dat/DSP2_package.csv");
    }
    EXPECT_FALSE(loaded);
    ASSERT_EQ(messages.Calls().size(), 1u);
    EXPECT_EQ(messages.Calls()[0].text,
              u8"ファイルの読み込みに失敗しました。\r\nファイル名:./dat/DSP2_package.csv"_sj);
}

} // namespace
