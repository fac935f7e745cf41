// The cost data model end to end on the sample data kit: the kit's tool writes a fresh program
// folder, the tables are deciphered and loaded as the start-up does it, and the sites are priced
// and ordered as a calculation run does it. Every expected value is worked out by hand from the
// kit's readable sources (datakit/sources/dat); the arithmetic stands beside each table.

#include "model/CAreaData.h"
#include "model/COutputDataManager.h"
#include "model/CRankingData.h"
#include "model/CRankingList.h"
#include "model/CSPGaraHasseiRowSource.h"
#include "model/CSPSyubetsuRowSource.h"
#include "model/CSPTsumikomiRowSource.h"
#include "model/CSyubetsuRowSource.h"
#include "model/LCoordinatesConvert.h"
#include "model/LEnDecryption.h"
#include "model/LFileOperate.h"
#include "model/SharedConstants.h"
#include "platform/testing/MessageBoxRecorder.h"
#include "platform/testing/TempDir.h"

#include "KitRun.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------------
// The calculation run's part in the model

enum class Method { LabourRate, Package }; // mode "bugakari", mode "sp"

// A row's transport cost and change-distance text at its fixed distance, and its total.
void PriceRow(const COutputDataManager& manager, Method method, CRankingData& row) {
    const double km = row.GetFixedDistance();
    if (method == Method::LabourRate) {
        row.SetTransportCost(manager.GetTransportCost(km));
        row.SetCostChangeDistance(manager.GetCostChangeDistance(km));
    } else {
        row.SetTransportCost(manager.GetPackageTransportCost(km));
        row.SetCostChangeDistance(manager.GetPackageCostChangeDistance(km));
    }
    row.SetTotalCost(row.GetTransportCost() + row.GetFixedDisposalCost());
}

// The result rows of a run, walked from the site that SetCondition put the cursor on: the first
// run and every run for another work-site point rebuild one row per site; a run for the same
// point reprices the rows found by name, so their distances and typed fees stay.
class RankingRun {
public:
    void BuildRows(COutputDataManager& manager, Method method, double x, double y,
                   CRankingList& rows) {
        const bool rebuild = first_ || x != lastX_ || y != lastY_;
        if (rebuild) {
            rows.Clear();
        }
        for (; !manager.IsEnd(); manager.Next()) {
            if (rebuild) {
                auto row = std::make_unique<CRankingData>();
                row->SetName(manager.GetSyobunjoName());
                row->SetDirectDistance(manager.CalcDistance());
                row->UpdateFixedDistance();
                row->SetDirection(manager.GetDirection());
                row->SetDisposalCost(manager.GetSyobunjoDisposalCost());
                row->SetUnit(manager.GetSyobunjoUnit());
                row->SetSource(manager.GetSyobunjoSource());
                row->UpdateFixedDisposalCost();
                PriceRow(manager, method, *row);
                row->SetX(manager.GetSyobunjoX());
                row->SetY(manager.GetSyobunjoY());
                rows.Add(row.release());
            } else {
                CRankingData* row = rows.FindByName(manager.GetSyobunjoName());
                ASSERT_NE(row, nullptr) << manager.GetSyobunjoName();
                row->SetDisposalCost(manager.GetSyobunjoDisposalCost());
                row->UpdateFixedDisposalCost();
                PriceRow(manager, method, *row);
            }
        }
        if (rebuild) {
            first_ = false;
            lastX_ = x;
            lastY_ = y;
        }
    }

private:
    bool first_ = true;
    double lastX_ = 0.0;
    double lastY_ = 0.0;
};

// ---------------------------------------------------------------------------------------------
// The work site and the rows checked by hand

// Area index 4 is 高岡地区 (EA01, fifth line after the heading); its diesel price is 160 yen/L
// (ET02, fifth price line).
constexpr int kArea = 4;
// Reinforced-concrete rubble: 30 of the kit's 33 sites take it (S004, S010 and S026 take
// asphalt rubble only).
constexpr int kMaterial = 0;
constexpr int kSites = 30;
// The work site, plane rectangular metres, between the 高岡 and 朝霧 sites.
constexpr double kX = -150000.0;
constexpr double kY = 10000.0;

// Names, as the kit's fee table (ET19) spells them.
const char* const kAsagiriClean = "朝霧ｸﾘｰﾝｾﾝﾀｰ(株)";       // S008
const char* const kTakaoka = "高岡産業(株) ｺﾝｸﾘｰﾄ再生工場"; // S009
const char* const kKenou = "県央ﾘｻｲｸﾙ協業組合";             // S021
const char* const kAomineTechno = "(株)青峰ﾃｸﾉ ﾘｻｲｸﾙｾﾝﾀｰ";  // S014
const char* const kSakuradai = "桜台資源(株)";              // S015
const char* const kKasumino = "霞野再生工業(株)";           // S017
const char* const kTonodai = "(株)遠野台ﾘｻｲｸﾙ";             // S029
const char* const kSotomi = "外海ｸﾘｰﾝｾﾝﾀｰ(株)";             // S030
const char* const kTorei = "(株)東嶺ﾘｻｲｸﾙﾌﾟﾗﾝﾄ";            // S031
const char* const kNishitani = "西谷再生工業(株)";          // S032
const char* const kNantan = "(有)南端ｺﾝｸﾘｰﾄ";               // S033
const char* const kMarunaka = "(株)丸中建材 ﾘｻｲｸﾙ事業部";   // S027
const char* const kMinamidaniSaiseki = "南谷砕石(株)";      // S019
const char* const kMinamidaniKankyo = "(株)南谷環境";       // S020

struct ExpectedRow {
    const char* name;
    double km;     // straight line
    double roadKm; // 0: none, the straight line is the fixed distance
    const char* direction;
    int fee;
    const char* unit;
    const char* source;
    int transport;
    const char* changeText;
    int total;
};

// Distance and direction (EC01 gives each site's X and Y; dX = work X - site X, dY = work Y -
// site Y; km = sqrt(dX^2 + dY^2) / 1000 rounded half up to 0.1; the angle atan2(dX, dY) is 0 for
// a site due west, +90 due south, -90 due north, +-180 due east):
//   S008 X -139861.0 Y  12644.8: dX -10139.0, dY  -2644.8; sqrt(102799321 + 6994967.04)
//        = 10478.3 m -> 10.5 km; angle -104.62, |a| in (101.25, 123.75], north side: 北北東
//   S009 X -147132.6 Y  -8215.7: dX  -2867.4, dY  18215.7; sqrt(8221982.76 + 331811726.49)
//        = 18440.0 m -> 18.4 km; angle -8.95, |a| <= 11.25: 西
//   S021 X -142563.7 Y  28614.9: dX  -7436.3, dY -18614.9; sqrt(55298557.69 + 346514502.01)
//        = 20045.3 m -> 20.0 km; angle -158.22, in (146.25, 168.75], north side: 東北東
//   S014 X -180327.7 Y   6218.3: dX  30327.7, dY   3781.7; sqrt(919769387.29 + 14301254.89)
//        = 30562.6 m -> 30.6 km; angle 82.89, in (78.75, 101.25]: 南
//   S015 X -187645.1 Y  56372.6: dX  37645.1, dY -46372.6; sqrt(1417153554.01 + 2150418030.76)
//        = 59729.2 m -> 59.7 km; angle 140.93, in (123.75, 146.25], south side: 南東
//   S017 X -211874.0 Y  33961.5: dX  61874.0, dY -23961.5; sqrt(3828391876 + 574153482.25)
//        = 66351.7 m -> 66.4 km; angle 111.17, in (101.25, 123.75], south side: 南南東
// Fee, unit and source are columns 11, 12 and 22 of each site's 鉄筋ｺﾝｸﾘｰﾄ塊 line; S014's fee
// column is empty (still being surveyed), so its fee is 0 and its total the transport alone.

// Labour-rate mode, haul type 0 (ﾀﾞﾝﾌﾟﾄﾗｯｸ10t積級), no DID section: band table "10t DID無",
// volume factor 1.37, rounding to hundreds (-2), divisor 100.
// Daily price, truck class 0, quantities [ﾀﾞﾝﾌﾟﾄﾗｯｸ10t数量] 1, 66, 1.13, 1.0:
//   labour  1 x 23900 (ER01)                                 = 23900
//   fuel    160 (ET02, area 4) x 66                          = 10560
//   rent    floor(1.13 x 24600 (ES24 row 0))                 = 27797: the double nearest 1.13
//           lies below it, so the product is 27797.999999999996 and the floor takes a yen off
//   wear    floor(1.0 x 1850 (ES22 row 0))                   =  1850
//   daily price                                              = 64107
// Cost of a band value v: r = v x 1.37 rounded half up to 2 decimals; c = trunc(64107 x r);
// rounded up to hundreds; / 100. The text is the band's upper bound (next lower bound - 0.001,
// the last band 60) + "km以下":
//   10.5 km band [9.5, 10.999]  v 2.44:  3.3428 -> 3.34;  214117.38 -> 214117 -> 214200: 2142
//   18.4 km band [17.0, 19.499] v 3.90:  5.343  -> 5.34;  342331.38 -> 342331 -> 342400: 3424
//   20.0 km band [19.5, 21.999] v 4.36:  5.9732 -> 5.97;  382718.79 -> 382718 -> 382800: 3828
//   30.6 km band [30.0, 35.499] v 6.55:  8.9735 -> 8.97;  575039.79 -> 575039 -> 575100: 5751
//   59.7 km band [43.5, 60]     v 10.02: 13.7274 -> 13.73; 880189.11 -> 880189 -> 880200: 8802
//   66.4 km beyond 60 km: 0 and "99999km以下"
const std::array<ExpectedRow, 6> kLabourRateRows = {{
    {kAsagiriClean, 10.5, 0.0, "北北東", 3600, "t", "見積 R7.4", 2142, "10.999km以下", 5742},
    {kTakaoka, 18.4, 0.0, "西", 2900, "t", "見積 R7.4", 3424, "19.499km以下", 6324},
    {kKenou, 20.0, 0.0, "東北東", 3000, "t", "組合単価表 R7", 3828, "21.999km以下", 6828},
    {kAomineTechno, 30.6, 0.0, "南", 0, "t", "調査中", 5751, "35.499km以下", 5751},
    {kSakuradai, 59.7, 0.0, "南東", 3900, "t", "HP公表 R7.4", 8802, "60km以下", 12702},
    {kKasumino, 66.4, 0.0, "南南東", 4300, "t", "見積 R7.4", 0, "99999km以下", 4300},
}};

// Package mode, keys 殻運搬 / ｺﾝｸﾘｰﾄ(無筋･鉄筋)構造物とりこわし / ﾊﾞｯｸﾎｳ山積0.45m3(平積0.35m3) /
// DID有: the first line holding all four is package P032's key line. Its first row gives the
// machine-rent row 4, K1 = X1 = 35.2, K2 = X2 = 43.5, K3 = X3 = 12.1, S1 14400, S2 25100, S3 152.
// Local prices: P1 = 14200 (ES24 row 4), P2 = 23900 (ER01), P3 = 160 (ET02, area 4).
//   t1   = 0.352 x 14200 / 14400 = 0.352 x 0.986111 = 0.347111
//   t2   = 0.435 x 23900 / 25100 = 0.435 x 0.952191 = 0.414203
//   t3   = 0.121 x   160 /   152 = 0.121 x 1.052632 = 0.127368
//   rest = 0.01 x (100 - 35.2 - 43.5 - 12.1)          = 0.092
//   ratio                                              = 0.980683
// Cost: the first bracket whose threshold reaches the distance; its price x ratio, cut to four
// significant digits, then to whole yen. The text is that threshold as written + "km以下":
//   10.5 km bracket 11.0:  3430 x 0.980683 =  3363.74 ->  3363
//   18.4 km bracket 19.5:  5640 x 0.980683 =  5531.05 ->  5531
//   20.0 km bracket 22.0:  6290 x 0.980683 =  6168.49 ->  6168
//   30.6 km bracket 35.5:  9800 x 0.980683 =  9610.69 ->  9610
//   59.7 km bracket 60.0: 16170 x 0.980683 = 15857.64 -> 15850 (five digits before the point)
//   66.4 km beyond 60 km: 0 and "99999km以下"
const std::array<ExpectedRow, 6> kPackageRows = {{
    {kAsagiriClean, 10.5, 0.0, "北北東", 3600, "t", "見積 R7.4", 3363, "11.0km以下", 6963},
    {kTakaoka, 18.4, 0.0, "西", 2900, "t", "見積 R7.4", 5531, "19.5km以下", 8431},
    {kKenou, 20.0, 0.0, "東北東", 3000, "t", "組合単価表 R7", 6168, "22.0km以下", 9168},
    {kAomineTechno, 30.6, 0.0, "南", 0, "t", "調査中", 9610, "35.5km以下", 9610},
    {kSakuradai, 59.7, 0.0, "南東", 3900, "t", "HP公表 R7.4", 15850, "60.0km以下", 19750},
    {kKasumino, 66.4, 0.0, "南南東", 4300, "t", "見積 R7.4", 0, "99999km以下", 4300},
}};

AnsiString Sj(const char* utf8) {
    return AnsiString::FromUtf8(utf8);
}

template <class Source> std::vector<AnsiString> Items(Source& source) {
    std::vector<AnsiString> items;
    for (source.First(); !source.IsEnd(); source.Next()) {
        items.push_back(source.GetCurrent());
    }
    return items;
}

std::vector<std::string> Names(CRankingList& rows, std::size_t count) {
    std::vector<std::string> names;
    for (rows.First(); !rows.IsEnd() && names.size() < count; rows.Next()) {
        names.push_back(rows.GetCurrent()->GetName().ToUtf8());
    }
    return names;
}

template <std::size_t N> std::vector<std::string> Names(const std::array<ExpectedRow, N>& rows) {
    std::vector<std::string> names;
    for (const ExpectedRow& row : rows) {
        names.emplace_back(row.name);
    }
    return names;
}

// ---------------------------------------------------------------------------------------------
// The fixture: a program folder written by the kit's tool, loaded as the start-up loads it

class KitEndToEndTest : public testing::Test {
protected:
    void SetUp() override {
        const KitRun run = RunKitTool(DATAKIT_SOURCES, program_.Path(), scratch_);
        ASSERT_EQ(run.exitCode, 0) << run.errors;
        folder_.emplace(program_.Path());

        // The start-up's order: decipher the nine tables, load the areas and the tables, then
        // delete the working copies again.
        LEnDecryption cipher;
        for (const AnsiString* code : {&CODE_EA01, &CODE_ER01, &CODE_ES22, &CODE_ES24, &CODE_ET02,
                                       &CODE_ET19, &CODE_EC01, &CODE_EB01, &CODE_ESP2}) {
            EXPECT_TRUE(cipher.DecryptFile(LFileOperate().FindFile(*code, DAT_FOLDER))) << *code;
        }
        EXPECT_EQ(areas_.LoadFromFile(), AnsiString());
        EXPECT_EQ(manager_.LoadData(), AnsiString());
        cipher.DeleteDecryptedFiles();
        ASSERT_FALSE(HasFailure());
    }

    void TearDown() override {
        rows_.Clear();
        EXPECT_EQ(recorder_.Calls(), std::vector<MessageBoxRecorder::Call>());
    }

    // Converts the work site to latitude and longitude and hands all four to the manager.
    void SetWorkSite() {
        LCoordinatesConvert convert;
        convert.ConvertXYToLatLon(kX, kY);
        manager_.SetSiteCoordinates(convert.GetLatitude(), convert.GetLongitude(), kX, kY);
        // 150 km south of the zone origin (36 N, 136 E) at about 110.95 km per degree of
        // latitude, 10 km east at about 91.7 km per degree of longitude there.
        EXPECT_NEAR(manager_.GetSiteLatitude(), 34.648, 0.001);
        EXPECT_NEAR(manager_.GetSiteLongitude(), 136.109, 0.001);
        EXPECT_NEAR(manager_.GetSiteLatitude(), convert.GetLatitude(), 1e-12);
        EXPECT_NEAR(manager_.GetSiteLongitude(), convert.GetLongitude(), 1e-12);
    }

    // The labour-rate condition of the tables above.
    void SetLabourRateCondition() {
        CSyubetsuRowSource hauls;
        hauls.Select(kMaterial);
        ASSERT_EQ(Items(hauls).at(0), Sj("ﾀﾞﾝﾌﾟﾄﾗｯｸ10t積級"));
        manager_.SetCondition(kArea, false, kMaterial, 0);
        EXPECT_EQ(manager_.GetDTTanka(), 64107);
        EXPECT_DOUBLE_EQ(manager_.GetVolumeFactor(), 1.37);
        EXPECT_EQ(manager_.GetRoundingDigits(), -2);
        EXPECT_EQ(manager_.GetUnitDivisor(), 100);
    }

    // The package condition of the tables above, its keys built from the row sources' entries as
    // the condition page offers them: haul type 0, work 0, loading method 1, DID.
    void SetPackageCondition() {
        CSPSyubetsuRowSource hauls;
        CSPGaraHasseiRowSource works;
        CSPTsumikomiRowSource methods;
        hauls.SetHimoku(kMaterial);
        works.SetHimoku(kMaterial);
        methods.SetHimoku(kMaterial, 0);
        const AnsiString haul = Items(hauls).at(0);
        const AnsiString work = Items(works).at(0);
        const AnsiString method = Items(methods).at(1);
        ASSERT_EQ(haul, Sj("殻運搬"));
        ASSERT_EQ(work, Sj("ｺﾝｸﾘｰﾄ(無筋･鉄筋)構造物とりこわし"));
        ASSERT_EQ(method, Sj("ﾊﾞｯｸﾎｳ山積0.45m3(平積0.35m3)"));

        manager_.SetCondition(kArea, true, kMaterial, 0);
        ASSERT_TRUE(manager_.SelectPackage(haul, work, method, Sj("DID有")));
        manager_.SetAreaPrices(kArea);
        const CSekouPackageData& package = manager_.GetSekouPackageData();
        EXPECT_EQ(package.GetDTIndex(), 4);
        ASSERT_EQ(package.GetThresholds().Count(), 26); // 0.5 to 60.0 km
        EXPECT_EQ(package.GetPrices()[0], AnsiString("700"));
    }

    void ExpectRows(const std::array<ExpectedRow, 6>& expected) {
        EXPECT_EQ(rows_.GetCount(), kSites);
        for (const ExpectedRow& want : expected) {
            SCOPED_TRACE(want.name);
            const CRankingData* row = rows_.FindByName(Sj(want.name));
            ASSERT_NE(row, nullptr);
            EXPECT_DOUBLE_EQ(row->GetDirectDistance(), want.km);
            EXPECT_DOUBLE_EQ(row->GetRouteDistance(), want.roadKm);
            EXPECT_DOUBLE_EQ(row->GetFixedDistance(), want.roadKm != 0.0 ? want.roadKm : want.km);
            EXPECT_EQ(row->GetDirection(), Sj(want.direction));
            EXPECT_EQ(row->GetDisposalCost(), want.fee);
            EXPECT_EQ(row->GetFixedDisposalCost(), want.fee);
            EXPECT_EQ(row->GetUnit(), Sj(want.unit));
            EXPECT_EQ(row->GetSource(), Sj(want.source));
            EXPECT_EQ(row->GetTransportCost(), want.transport);
            EXPECT_EQ(row->GetCostChangeDistance(), Sj(want.changeText));
            EXPECT_EQ(row->GetTotalCost(), want.total);
        }
    }

    // The checked rows in a view list (it owns nothing), ordered both ways.
    void ExpectOrders(const std::array<ExpectedRow, 6>& expected,
                      const std::vector<std::string>& byTotal) {
        CRankingList view;
        for (const ExpectedRow& want : expected) {
            view.Add(rows_.FindByName(Sj(want.name)));
        }
        view.SortByTotalCost();
        EXPECT_EQ(Names(view, 6), byTotal);
        // The tables list the rows by distance already.
        view.SortByDistance();
        EXPECT_EQ(Names(view, 6), Names(expected));
    }

    TempDir scratch_;
    TempDir program_;
    std::optional<CurrentDirScope> folder_;
    MessageBoxRecorder recorder_;
    CAreaData areas_;
    COutputDataManager manager_;
    CRankingList rows_;
    RankingRun run_;
};

TEST_F(KitEndToEndTest, StartUpLoadsEveryTableAndLeavesNoWorkingCopy) {
    for (const AnsiString* code : {&CODE_DA01, &CODE_DR01, &CODE_DS22, &CODE_DS24, &CODE_DT02,
                                   &CODE_DT19, &CODE_DC01, &CODE_DB01, &CODE_DSP2}) {
        EXPECT_EQ(LFileOperate().FindFile(*code, DAT_FOLDER), AnsiString()) << *code;
    }
    ASSERT_EQ(areas_.GetCount(), 10);
    EXPECT_EQ(areas_.GetAreaName(0), Sj("北浦地区"));
    EXPECT_EQ(areas_.GetAreaName(kArea), Sj("高岡地区"));
    // Sites per material: both concrete rubbles 30; asphalt rubble 31 (every site but S002 and
    // S018, four of them without a fee).
    const int sites[] = {kSites, kSites, 31};
    for (int type = 0; type < 3; ++type) {
        manager_.SetCondition(kArea, false, type, 0);
        int count = 0;
        for (; !manager_.IsEnd(); manager_.Next()) {
            ++count;
        }
        EXPECT_EQ(count, sites[type]) << type;
    }
}

TEST_F(KitEndToEndTest, LabourRateRunPricesEverySiteByItsBand) {
    SetLabourRateCondition();
    SetWorkSite();
    run_.BuildRows(manager_, Method::LabourRate, kX, kY, rows_);
    ExpectRows(kLabourRateRows);
    ExpectOrders(kLabourRateRows,
                 {kKasumino, kAsagiriClean, kAomineTechno, kTakaoka, kKenou, kSakuradai});

    // The whole list by total: the sites beyond 60 km carry their fee alone (2500 S031, 2600
    // S029, 2700 S030, 2800 S032, 2900 S033, 4100 S027, 4300 S017, 4600 S019, 4800 S020), so
    // they come first; the result views leave them out. The cheapest priced sites follow:
    // S008 5742, then S014 5751 (no fee). By distance S008 (10.5 km) is the nearest site.
    rows_.SortByTotalCost();
    EXPECT_EQ(Names(rows_, 11),
              (std::vector<std::string>{kTorei, kTonodai, kSotomi, kNishitani, kNantan, kMarunaka,
                                        kKasumino, kMinamidaniSaiseki, kMinamidaniKankyo,
                                        kAsagiriClean, kAomineTechno}));
    rows_.SortByDistance();
    EXPECT_EQ(Names(rows_, 3), (std::vector<std::string>{kAsagiriClean, kTakaoka, kKenou}));
}

TEST_F(KitEndToEndTest, PackageRunPricesEverySiteByItsBracketAndARerunKeepsTheRows) {
    SetPackageCondition();
    SetWorkSite();
    run_.BuildRows(manager_, Method::Package, kX, kY, rows_);
    ExpectRows(kPackageRows);
    ExpectOrders(kPackageRows,
                 {kKasumino, kAsagiriClean, kTakaoka, kKenou, kAomineTechno, kSakuradai});

    // A road distance for S009 (25.3 km), then the labour-rate run for the same point: the rows
    // stay and are repriced at their fixed distances. S009 at 25.3 km: band [22.0, 25.499]
    // v 4.91: 6.7267 -> 6.73; 64107 x 6.73 = 431440.11 -> 431440 -> 431500: 4315, total 7215.
    CRankingData* takaoka = rows_.FindByName(Sj(kTakaoka));
    ASSERT_NE(takaoka, nullptr);
    takaoka->SetRouteDistance(25.3);
    takaoka->UpdateFixedDistance();
    SetLabourRateCondition();
    SetWorkSite();
    run_.BuildRows(manager_, Method::LabourRate, kX, kY, rows_);

    std::array<ExpectedRow, 6> expected = kLabourRateRows;
    expected[1] = {kTakaoka, 18.4, 25.3, "西", 2900, "t", "見積 R7.4", 4315, "25.499km以下", 7215};
    ExpectRows(expected);
}

} // namespace
