#include "model/COutputDataManager.h"
#include "model/SharedConstants.h"
#include "platform/Exceptions.h"
#include "platform/testing/MessageBoxRecorder.h"

#include "ProgramFolderCopy.h"
#include "platform/testing/UnprivilegedScope.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------------
// Loading

enum class Damage { Remove, Empty, Unreadable, BandLoaderRaises };

struct Harm {
    const char* file; // in dat/ of the fixture program folder
    Damage damage;
};

struct LoadCase {
    const char* name;
    std::vector<Harm> harms;
    const char* errors;
};

void PrintTo(const LoadCase& c, std::ostream* out) {
    *out << c.name;
}

class COutputDataManagerLoad : public testing::TestWithParam<LoadCase> {
protected:
    // Applies the harms; true when LoadData has to run without privileges.
    bool Apply(const std::vector<Harm>& harms) {
        bool unprivileged = false;
        for (const Harm& harm : harms) {
            const std::string path = std::string("dat/") + harm.file;
            switch (harm.damage) {
            case Damage::Remove:
                folder_.Remove(path);
                break;
            case Damage::Empty:
                folder_.Write(path, "");
                break;
            case Damage::Unreadable:
                folder_.MakeUnreadable(path);
                unprivileged = true;
                break;
            case Damage::BandLoaderRaises:
                folder_.Install("bands/raises.ini", path);
                break;
            }
        }
        return unprivileged;
    }

    ProgramFolderCopy folder_;
    MessageBoxRecorder messages_;
    COutputDataManager manager_;
};

TEST_P(COutputDataManagerLoad, GivesTheErrorLinesOfTheFailedFiles) {
    const LoadCase& c = GetParam();
    AnsiString errors;
    if (Apply(c.harms)) {
        UnprivilegedScope unprivileged;
        if (!unprivileged.Unprivileged()) {
            GTEST_SKIP() << "cannot run without privileges here";
        }
        errors = manager_.LoadData();
    } else {
        errors = manager_.LoadData();
    }
    EXPECT_EQ(errors, AnsiString(c.errors));
    // The load checks show nothing themselves; the readers they leave out show nothing either.
    EXPECT_TRUE(messages_.Calls().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Failures, COutputDataManagerLoad,
    testing::Values(
        LoadCase{"all present", {}, ""},
        // Daily-price tables: their lines come first, in reader order.
        LoadCase{"labour missing", {{"DR01_roumu.csv", Damage::Remove}}, "\r\n"},
        LoadCase{"fuel empty", {{"DT02_nenryo.csv", Damage::Empty}}, "T02_nenryo.csv\r\n"},
        LoadCase{"machine rent unreadable",
                 {{"DS24_kikai.csv", Damage::Unreadable}},
                 "S24_kikai.csv\r\n"},
        LoadCase{"band file missing", {{"DB01_kyori.ini", Damage::Remove}}, "\r\n"},
        LoadCase{"band file empty", {{"DB01_kyori.ini", Damage::Empty}}, "B01_kyori.ini\r\n"},
        LoadCase{
            "band file unreadable", {{"DB01_kyori.ini", Damage::Unreadable}}, "B01_kyori.ini\r\n"},
        LoadCase{"band loader raises",
                 {{"DB01_kyori.ini", Damage::BandLoaderRaises}},
                 "B01_kyori.ini\r\n"},
        LoadCase{"fee table missing", {{"DT19_ryokin.txt", Damage::Remove}}, "\r\n"},
        LoadCase{"fee table empty", {{"DT19_ryokin.txt", Damage::Empty}}, "T19_ryokin.txt\r\n"},
        LoadCase{"fee table unreadable",
                 {{"DT19_ryokin.txt", Damage::Unreadable}},
                 "T19_ryokin.txt\r\n"},
        LoadCase{"coordinate table missing", {{"DC01_zahyo.csv", Damage::Remove}}, "\r\n"},
        LoadCase{"coordinate table unreadable",
                 {{"DC01_zahyo.csv", Damage::Unreadable}},
                 "C01_zahyo.csv\r\n"},
        LoadCase{"package file missing", {{"DSP2_package.csv", Damage::Remove}}, "\r\n"},
        LoadCase{
            "package file empty", {{"DSP2_package.csv", Damage::Empty}}, "SP2_package.csv\r\n"},
        LoadCase{"package file unreadable",
                 {{"DSP2_package.csv", Damage::Unreadable}},
                 "SP2_package.csv\r\n"},
        LoadCase{"several, in step order",
                 {{"DSP2_package.csv", Damage::Empty},
                  {"DC01_zahyo.csv", Damage::Remove},
                  {"DB01_kyori.ini", Damage::Unreadable},
                  {"DS22_sonryo.csv", Damage::Remove},
                  {"DR01_roumu.csv", Damage::Empty}},
                 "R01_roumu.csv\r\n\r\nB01_kyori.ini\r\n\r\nSP2_package.csv\r\n"}),
    [](const testing::TestParamInfo<LoadCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name) {
            if (!std::isalnum(static_cast<unsigned char>(ch))) {
                ch = '_';
            }
        }
        return name;
    });

class COutputDataManagerTest : public testing::Test {
protected:
    ProgramFolderCopy folder_;
    MessageBoxRecorder messages_;
    COutputDataManager manager_;
};

TEST_F(COutputDataManagerTest, LongFileNameIsCutAtOneHundredBytes) {
    folder_.Remove("dat/DT19_ryokin.txt");
    // The line holds at most 100 bytes of the name after its first character.
    const std::string name = "DT19" + std::string(118, 'n') + ".txt"; // 126 bytes
    folder_.Write("dat/" + name, "");
    EXPECT_EQ(manager_.LoadData(), AnsiString(name.substr(1, 100) + "\r\n"));
}

TEST_F(COutputDataManagerTest, LoadsEveryTable) {
    ASSERT_EQ(manager_.LoadData(), AnsiString(""));
    EXPECT_EQ(manager_.GetBugakariList().Count(), 12);
    EXPECT_EQ(manager_.GetSyobunjoList(0).Count(), 6);
    EXPECT_EQ(manager_.GetSyobunjoList(1).Count(), 1);
    EXPECT_EQ(manager_.GetSyobunjoList(2).Count(), 1);
    EXPECT_EQ(manager_.GetDTTankaData().GetWage(), 20000);
    EXPECT_TRUE(manager_.SelectPackage(u8"無筋ｺﾝｸﾘｰﾄ殻"_sj, u8"ﾀﾞﾝﾌﾟﾄﾗｯｸ4t"_sj));
    EXPECT_THROW(manager_.GetSyobunjoList(3), EListError);
}

TEST_F(COutputDataManagerTest, UnreadableBandFileLeavesTheBandsUnloadedAndTheRestLoads) {
    folder_.MakeUnreadable("dat/DB01_kyori.ini");
    AnsiString errors;
    {
        UnprivilegedScope unprivileged;
        if (!unprivileged.Unprivileged()) {
            GTEST_SKIP() << "cannot run without privileges here";
        }
        errors = manager_.LoadData();
    }
    EXPECT_EQ(errors, AnsiString("B01_kyori.ini\r\n"));
    EXPECT_EQ(manager_.GetBugakariList().Count(), 0);
    EXPECT_EQ(manager_.GetSyobunjoList(0).Count(), 6);
    EXPECT_TRUE(manager_.SelectPackage(u8"鉄筋ｺﾝｸﾘｰﾄ殻"_sj, u8"ﾀﾞﾝﾌﾟﾄﾗｯｸ10t"_sj));
    // Without band tables every labour-rate cost is 0.
    manager_.SetCondition(0, false, 0, 0);
    EXPECT_EQ(manager_.GetTransportCost(5), 0);
    EXPECT_EQ(manager_.GetCostChangeDistance(5), u8"km以下"_sj);
}

TEST_F(COutputDataManagerTest, MissingFeeOrCoordinateTableRunsNoSiteReader) {
    for (const char* file : {"dat/DT19_ryokin.txt", "dat/DC01_zahyo.csv"}) {
        ProgramFolderCopy folder;
        folder.Remove(file);
        COutputDataManager manager;
        EXPECT_EQ(manager.LoadData(), AnsiString("\r\n")) << file;
        for (int type = 0; type < 3; ++type) {
            EXPECT_EQ(manager.GetSyobunjoList(type).Count(), 0) << file;
        }
        manager.SetCondition(0, false, 0, 0);
        EXPECT_TRUE(manager.IsEnd());
    }
    EXPECT_TRUE(messages_.Calls().empty());
}

TEST_F(COutputDataManagerTest, SiteReaderMessagesShowAndAddNoErrorLine) {
    folder_.Install("sites/fees_badfee.txt", "dat/DT19_ryokin.txt");
    EXPECT_EQ(manager_.LoadData(), AnsiString(""));
    EXPECT_EQ(messages_.Calls(),
              (std::vector<MessageBoxRecorder::Call>{
                  {u8"ファイルが開けませんでした。\nET19.txt"_sj, u8"エラー"_sj, 0x30}}));
    EXPECT_EQ(manager_.GetSyobunjoList(0).Count(), 2);
}

TEST_F(COutputDataManagerTest, ErrorRaisedBySiteReaderPassesOut) {
    folder_.Remove("dat/SyobunjoKikakuSource.ini");
    EXPECT_THROW(manager_.LoadData(), EListError);
}

// ---------------------------------------------------------------------------------------------
// Condition and labour-rate cost

struct FactorCase {
    int materialType;
    int haulKind;
    double factor;
    int digits;  // 0: left as it was (a fresh manager holds 0)
    int divisor; // 0: left as it was
};

void PrintTo(const FactorCase& c, std::ostream* out) {
    *out << "type " << c.materialType << ", kind " << c.haulKind;
}

class COutputDataManagerFactor : public testing::TestWithParam<FactorCase> {};

TEST_P(COutputDataManagerFactor, SetsFactorDigitsAndDivisor) {
    const FactorCase& c = GetParam();
    COutputDataManager manager;
    manager.SetVolumeFactor(c.materialType, c.haulKind);
    manager.SetRoundingDigits(c.materialType, c.haulKind);
    manager.SetUnitDivisor(c.materialType, c.haulKind);
    EXPECT_EQ(manager.GetVolumeFactor(), c.factor);
    EXPECT_EQ(manager.GetRoundingDigits(), c.digits);
    EXPECT_EQ(manager.GetUnitDivisor(), c.divisor);
}

INSTANTIATE_TEST_SUITE_P(
    Table, COutputDataManagerFactor,
    testing::Values(FactorCase{0, 0, 1.37, -2, 100}, FactorCase{0, 1, 1.37, -1, 10},
                    FactorCase{0, 3, 1.37, -1, 10}, FactorCase{0, 4, 1.37, -2, 100},
                    FactorCase{1, 0, 1.3, -2, 100}, FactorCase{1, 2, 1.3, -1, 10},
                    FactorCase{1, -1, 1.3, -2, 100}, FactorCase{2, 0, 1.3, -2, 100},
                    FactorCase{2, 1, 1.3, -1, 10}, FactorCase{2, 2, 1.3, -1, 10},
                    FactorCase{2, 3, 1.3, -2, 100}, FactorCase{2, 4, 1.0, -2, 100},
                    FactorCase{3, 4, 1.3, 0, 0}, FactorCase{-1, 1, 1.3, 0, 0}));

TEST_F(COutputDataManagerTest, OtherMaterialTypeLeavesDigitsAndDivisor) {
    manager_.SetRoundingDigits(1, 1);
    manager_.SetUnitDivisor(1, 1);
    manager_.SetRoundingDigits(3, 0);
    manager_.SetUnitDivisor(3, 0);
    EXPECT_EQ(manager_.GetRoundingDigits(), -1);
    EXPECT_EQ(manager_.GetUnitDivisor(), 10);
}

struct LabourCostCase {
    int materialType;
    int haulKind;
    bool did;
    double km;
    int cost;
    const char* changeText; // UTF-8
};

void PrintTo(const LabourCostCase& c, std::ostream* out) {
    *out << "type " << c.materialType << ", kind " << c.haulKind << ", " << c.km << " km";
}

class COutputDataManagerLabourCost : public testing::TestWithParam<LabourCostCase> {
protected:
    ProgramFolderCopy folder_;
    COutputDataManager manager_;
};

TEST_P(COutputDataManagerLabourCost, PricesTheBandValue) {
    const LabourCostCase& c = GetParam();
    ASSERT_EQ(manager_.LoadData(), AnsiString(""));
    manager_.SetCondition(0, c.did, c.materialType, c.haulKind);
    EXPECT_EQ(manager_.GetTransportCost(c.km), c.cost);
    EXPECT_EQ(manager_.GetCostChangeDistance(c.km), AnsiString::FromUtf8(c.changeText));
}

// Type 1, kind 1: daily price 20000 (4 t: 1 x 20000), factor 1.3, digits -1, divisor 10, bands
// "4t DID無": [0, 9.999] 1.2, [10, 19.999] 1.23, [20, 29.999] 99999, [30, 60] 0.5.
// Type 2, kind 4: daily price 31201, factor 1.0, digits -2, divisor 100, band [0, 60] 1.0.
INSTANTIATE_TEST_SUITE_P(
    Worked, COutputDataManagerLabourCost,
    testing::Values(
        // r = 1.2 x 1.3 = 1.56; c = 20000 x 1.56 = 31200; up to tens 31200; / 10 = 3120.
        LabourCostCase{1, 1, false, 5, 3120, "9.999km以下"},
        // r = 1.599 rounded half up = 1.6; c = 32000; 3200.
        LabourCostCase{1, 1, false, 15, 3200, "19.999km以下"},
        // A band value of 99999 costs nothing, like a distance beyond 60 km.
        LabourCostCase{1, 1, false, 25, 0, "29.999km以下"},
        // r = 0.65; c = 13000; 1300.
        LabourCostCase{1, 1, false, 35, 1300, "60km以下"},
        LabourCostCase{1, 1, false, 60.05, 0, "99999km以下"},
        // r = 1.0; c = 31201; up to hundreds 31300; / 100 = 313.
        LabourCostCase{2, 4, false, 12, 313, "60km以下"},
        // No band table for "4t DID有": cost 0.
        LabourCostCase{1, 1, true, 5, 0, "km以下"},
        // A table without bands ("2t DID無 人力" is not in the file).
        LabourCostCase{1, 3, false, 5, 0, "km以下"}));

TEST_F(COutputDataManagerTest, SetConditionGetsTheDailyPriceAndSelectsTheBandTable) {
    ASSERT_EQ(manager_.LoadData(), AnsiString(""));
    manager_.SetCondition(0, false, 2, 4);
    EXPECT_EQ(manager_.GetDTTanka(), 31201);
    ASSERT_NE(manager_.GetBugakariList().GetCurrent(), nullptr);
    EXPECT_EQ(manager_.GetBugakariList().GetCurrent()->GetSectionName(),
              SECTION_BAND_SESSAKU10T_DIDNASHI);
    EXPECT_EQ(manager_.GetVolumeFactor(), 1.0);
    EXPECT_EQ(manager_.GetRoundingDigits(), -2);
    EXPECT_EQ(manager_.GetUnitDivisor(), 100);
    // An area without fuel price: the error passes out and the condition stays.
    EXPECT_THROW(manager_.SetCondition(3, false, 0, 0), EListError);
    EXPECT_EQ(manager_.GetDTTanka(), 31201);
}

TEST_F(COutputDataManagerTest, CostIsZeroWithoutADivisor) {
    ASSERT_EQ(manager_.LoadData(), AnsiString(""));
    EXPECT_EQ(manager_.GetTransportCost(5), 0);
}

TEST_F(COutputDataManagerTest, LabourCostBeyondThirtyTwoBitsIsARangeError) {
    ASSERT_EQ(manager_.LoadData(), AnsiString(""));
    // "直接掘削積込み10t DID有" holds the value 1e9: 55400 x 1.3e9 does not fit in 32 bits.
    manager_.SetCondition(0, true, 2, 3);
    EXPECT_THROW(manager_.GetTransportCost(5), ERangeError);
    EXPECT_EQ(manager_.GetTransportCost(61), 0);
}

TEST_F(COutputDataManagerTest, PackageRowOrAreaOutsideItsTableRaisesInSetAreaPrices) {
    folder_.Write("dat/DS24_kikai.csv", "rent\r\n30001\r\n20001\r\n10001\r\n");
    ASSERT_EQ(manager_.LoadData(), AnsiString(""));
    ASSERT_TRUE(manager_.SelectPackage(u8"鉄筋ｺﾝｸﾘｰﾄ殻"_sj, u8"ﾀﾞﾝﾌﾟﾄﾗｯｸ10t"_sj));
    EXPECT_THROW(manager_.SetAreaPrices(0), EListError);                          // row 3
    ASSERT_TRUE(manager_.SelectPackage(u8"無筋ｺﾝｸﾘｰﾄ殻"_sj, u8"ﾀﾞﾝﾌﾟﾄﾗｯｸ4t"_sj)); // row 1
    EXPECT_NO_THROW(manager_.SetAreaPrices(2));
    EXPECT_THROW(manager_.SetAreaPrices(3), EListError); // no fuel price
}

// ---------------------------------------------------------------------------------------------
// Sites, distance and direction

TEST_F(COutputDataManagerTest, MaterialTypeOutsideTheListsHasNoSites) {
    ASSERT_EQ(manager_.LoadData(), AnsiString(""));
    for (int type : {3, -1}) {
        manager_.SetCondition(0, false, type, 0);
        EXPECT_TRUE(manager_.IsEnd()) << type;
        EXPECT_FALSE(manager_.Next()) << type;
        EXPECT_THROW(manager_.GetSyobunjoName(), EListError) << type;
    }
}

TEST_F(COutputDataManagerTest, SetConditionPutsTheCursorOnTheFirstSiteAgain) {
    ASSERT_EQ(manager_.LoadData(), AnsiString(""));
    manager_.SetCondition(0, false, 2, 0);
    ASSERT_FALSE(manager_.IsEnd());
    EXPECT_TRUE(manager_.Next());
    EXPECT_TRUE(manager_.IsEnd());
    EXPECT_FALSE(manager_.Next());
    manager_.SetCondition(0, false, 2, 0);
    ASSERT_FALSE(manager_.IsEnd());
    EXPECT_EQ(manager_.GetSyobunjoName(), u8"ｱｽｺﾝ処分場"_sj);
}

TEST_F(COutputDataManagerTest, SiteCoordinatesAreKeptAsFifteenDigitTexts) {
    ASSERT_EQ(manager_.LoadData(), AnsiString(""));
    manager_.SetCondition(0, false, 0, 0);
    // Nothing stored yet: the empty texts are no numbers.
    EXPECT_THROW(manager_.CalcDistance(), EConvertError);
    EXPECT_THROW(manager_.GetSiteLatitude(), EConvertError);
    EXPECT_THROW(manager_.GetSiteLongitude(), EConvertError);
    manager_.SetSiteCoordinates(0.1 + 0.2, 136.0 + 1.0 / 3.0, 10000.000000000001, -20000.5);
    EXPECT_EQ(manager_.GetCoordinates().GetLatitude(), AnsiString("0.3"));
    EXPECT_EQ(manager_.GetCoordinates().GetLongitude(), AnsiString("136.333333333333"));
    EXPECT_EQ(manager_.GetCoordinates().GetX(), AnsiString("10000"));
    EXPECT_EQ(manager_.GetCoordinates().GetY(), AnsiString("-20000.5"));
    EXPECT_EQ(manager_.GetSiteLatitude(), 0.3);
    EXPECT_EQ(manager_.GetSiteLongitude(), 136.333333333333);
}

// The largest doubles are stored as a text that rounds a little beyond them; it reads back as
// the largest double instead of failing later with a text nobody typed.
TEST_F(COutputDataManagerTest, SiteCoordinatesAtTheTopOfTheDoubleRangeReadBack) {
    const double largest = std::numeric_limits<double>::max();
    manager_.SetSiteCoordinates(largest, -std::nextafter(largest, 0.0), 1.0, 2.0);
    EXPECT_EQ(manager_.GetCoordinates().GetLatitude(), AnsiString("1.79769313486232E308"));
    EXPECT_EQ(manager_.GetSiteLatitude(), largest);
    EXPECT_EQ(manager_.GetSiteLongitude(), -largest);
}

struct DirectionCase {
    const char* what;
    double workX; // the work site; the site is K003 at X 10000, Y 20000
    double workY;
    double km;
    const char* direction; // UTF-8
};

void PrintTo(const DirectionCase& c, std::ostream* out) {
    *out << c.what;
}

class COutputDataManagerDirection : public testing::TestWithParam<DirectionCase> {
protected:
    ProgramFolderCopy folder_;
    COutputDataManager manager_;
};

TEST_P(COutputDataManagerDirection, MeasuresFromTheWorkSite) {
    const DirectionCase& c = GetParam();
    ASSERT_EQ(manager_.LoadData(), AnsiString(""));
    manager_.SetCondition(0, false, 0, 0);
    while (!manager_.IsEnd() && manager_.GetSyobunjoName() != u8"同位置処分場"_sj) {
        manager_.Next();
    }
    ASSERT_FALSE(manager_.IsEnd());
    manager_.SetSiteCoordinates(35, 136, c.workX, c.workY);
    EXPECT_EQ(manager_.CalcDistance(), c.km);
    EXPECT_EQ(manager_.GetDirection(), AnsiString::FromUtf8(c.direction));
}

INSTANTIATE_TEST_SUITE_P(
    Table, COutputDataManagerDirection,
    testing::Values(
        // 3000 m north-south and 4000 m east-west: 5.0 km; the site lies south-west.
        DirectionCase{"3-4-5", 13000, 24000, 5.0, "南西"},
        // 1234 m due east: 1.2 km.
        DirectionCase{"due east", 10000, 18766, 1.2, "東"},
        DirectionCase{"due west", 10000, 25000, 5.0, "西"},
        DirectionCase{"due south", 15000, 20000, 5.0, "南"},
        DirectionCase{"due north", 5000, 20000, 5.0, "北"},
        // dX = -1000, dY = -400: 1.077 -> 1.1 km; atan2 = -111.8 degrees.
        DirectionCase{"north-north-east", 9000, 19600, 1.1, "北北東"},
        // At the work site itself there is no direction.
        DirectionCase{"same place", 10000, 20000, 0.0, ""}));

// The walk of one calculation over the reinforced-concrete sites of the fixture, checked
// against values worked out by hand.
//
// Condition: area 0, no DID section, material type 0, haul kind 0. Daily price 55400
// (2 x 20000 + 100 x 1 + floor(0.5 x 30001) + floor(0.3 x 1001)); band table "10t DID無":
// [0, 4.999] 0.5, [5, 9.999] 1.2, [10, 60] 2.0; factor 1.37; digits -2; divisor 100. So
//   value 0.5: r = 0.685 -> 0.69; c = 55400 x 0.69 = 38226; up to hundreds 38300; cost 383
//   value 1.2: r = 1.644 -> 1.64; c = 90856; 90900; cost 909
//   value 2.0: r = 2.74; c = 151796; 151800; cost 1518
// Package P001 (keys "鉄筋ｺﾝｸﾘｰﾄ殻", "ﾀﾞﾝﾌﾟﾄﾗｯｸ10t", "DID区間無"): brackets 5 12000, 10 15000,
// 20 15000, 60 18000.5; machine-rent row 3. Local prices of area 0: P1 = 25000 (row 3),
// P2 = 20000, P3 = 100; against S = 25000, 20000, 150 with K = 50, 30, 20 the factor is
// 0.5 + 0.3 + 0.2 x 100 / 150 = 0.93333...
//   12000 -> 11200
//   18000.5 -> 18001 -> 16800.93 -> four significant digits 16800
// Work site: X 10000, Y 20000.
struct WalkRow {
    const char* name; // UTF-8
    double km;
    const char* direction;
    int fee;
    const char* unit;
    const char* source;
    int labourCost;
    const char* labourText;
    int packageCost;
    const char* packageText;
    double x;
    double y;
};

TEST_F(COutputDataManagerTest, WalksTheSitesOfOneCalculation) {
    const WalkRow expected[] = {
        // dX = -3000, dY = -4000: 5.0 km; atan2 = -143.13 degrees, north side -> north-east.
        {"北東処分場", 5.0, "北東", 3000, "円/t", "見積", 909, "9.999km以下", 11200, "5km以下",
         13000, 24000},
        // dX = 0, dY = -1234: 1.234 -> 1.2 km; atan2 = 180 -> east.
        {"東処分場", 1.2, "東", 2500, "円/m3", "刊行物", 383, "4.999km以下", 11200, "5km以下",
         10000, 21234},
        // At the work site: 0.0 km, no direction; the first band and bracket.
        {"同位置処分場", 0.0, "", 1800, "円/t", "見積", 383, "4.999km以下", 11200, "5km以下", 10000,
         20000},
        // dX = 50000: 50.0 km due south; the last band and the 60 km bracket.
        {"南処分場", 50.0, "南", 4000, "円/t", "見積", 1518, "60km以下", 16800, "60km以下", -40000,
         20000},
        // No coordinate line: X = Y = 0; dX = 10000, dY = 20000: 22.36 -> 22.4 km; atan2 =
        // 26.57 degrees -> west-south-west; the empty fee column gives 0.
        {"座標なし処分場", 22.4, "西南西", 0, "円/t", "見積", 1518, "60km以下", 16800, "60km以下",
         0, 0},
        // dX = 61000: 61.0 km, beyond 60 km: neither method prices it.
        {"遠方処分場", 61.0, "南", 1500, "円/t", "見積", 0, "99999km以下", 0, "99999km以下", -51000,
         20000},
    };
    ASSERT_EQ(manager_.LoadData(), AnsiString(""));
    manager_.SetCondition(0, false, 0, 0);
    EXPECT_EQ(manager_.GetDTTanka(), 55400);
    ASSERT_TRUE(manager_.SelectPackage(u8"鉄筋ｺﾝｸﾘｰﾄ殻"_sj, u8"ﾀﾞﾝﾌﾟﾄﾗｯｸ10t"_sj, u8"DID区間無"_sj));
    manager_.SetAreaPrices(0);
    manager_.SetSiteCoordinates(35.1, 136.2, 10000, 20000);
    std::size_t i = 0;
    for (; !manager_.IsEnd(); ++i) {
        ASSERT_LT(i, std::size(expected));
        const WalkRow& row = expected[i];
        EXPECT_EQ(manager_.GetSyobunjoName(), AnsiString::FromUtf8(row.name)) << i;
        const double km = manager_.CalcDistance();
        EXPECT_EQ(km, row.km) << row.name;
        EXPECT_EQ(manager_.GetDirection(), AnsiString::FromUtf8(row.direction)) << row.name;
        EXPECT_EQ(manager_.GetSyobunjoDisposalCost(), row.fee) << row.name;
        EXPECT_EQ(manager_.GetSyobunjoUnit(), AnsiString::FromUtf8(row.unit)) << row.name;
        EXPECT_EQ(manager_.GetSyobunjoSource(), AnsiString::FromUtf8(row.source)) << row.name;
        EXPECT_EQ(manager_.GetTransportCost(km), row.labourCost) << row.name;
        EXPECT_EQ(manager_.GetCostChangeDistance(km), AnsiString::FromUtf8(row.labourText))
            << row.name;
        EXPECT_EQ(manager_.GetPackageTransportCost(km), row.packageCost) << row.name;
        EXPECT_EQ(manager_.GetPackageCostChangeDistance(km), AnsiString::FromUtf8(row.packageText))
            << row.name;
        EXPECT_EQ(manager_.GetSyobunjoX(), row.x) << row.name;
        EXPECT_EQ(manager_.GetSyobunjoY(), row.y) << row.name;
        EXPECT_TRUE(manager_.Next());
    }
    EXPECT_EQ(i, std::size(expected));
    EXPECT_FALSE(manager_.Next());
    EXPECT_EQ(manager_.GetSiteLatitude(), 35.1);
    EXPECT_EQ(manager_.GetSiteLongitude(), 136.2);
    EXPECT_TRUE(messages_.Calls().empty());
}

} // namespace
