#include "RoutePageFixture.h"

#include "model/COutputDataManager.h"
#include "model/CRankingData.h"
#include "model/CRankingList.h"
#include "model/LCoordinatesConvert.h"
#include "model/SharedConstants.h"

#include "TMainFormControls.h"

#include "platform/qt/ErrorDisplay.h"

namespace {

using Log = std::vector<std::string>;

const Call kNoRowSelected{Sj("座標を送りたい処分場の\r\n行を選択してください。"), Sj("行の未選択"),
                          0x40030};
const Call kRouteNotOpened{Sj("先に計算結果から処分場の座標を\r\nGoogleMapsサイト上へ送り、\r\n"
                              "距離を取得してください。"),
                           Sj("距離の取得に失敗"), 0x40030};
const Call kRouteFailed{Sj("距離の計算に失敗しました。\r\n再度「GoogleMapsサイトを開き、"
                           "座標情報を送る」ボタンをクリックしてください。"),
                        Sj("距離の計算に失敗"), 0x40030};
const Call kRoutePageNotLoaded{Sj("GoogleMapsサイトの読み込みが終わりませんでした。\r\n"
                                  "時間をおいて再度「GoogleMapsサイトを開き、座標情報を送る」"
                                  "ボタンをクリックしてください。"),
                               Sj("読み込みの失敗"), 0x40030};

std::string RouteAddress() {
    return Utf8(FromWide(URL_ROUTE_PAGE));
}

class RouteTest : public RoutePageTest {
protected:
    // Send and fetch for the site, as the user does with the two buttons.
    void SendAndFetch(const std::string& siteName, const ScriptedRoutePage::Route& answer) {
        Select(siteName);
        route->routes.push_back(answer);
        Click(Form().ButtonSendLaLo);
        Click(Form().ButtonGetDistance);
    }
    const CRankingData& Row(const std::string& siteName) {
        const CRankingData* row = Form().RankingList->FindByName(Sj(siteName));
        EXPECT_NE(row, nullptr) << siteName;
        return *row;
    }
};

TEST_F(RouteTest, ASendWithoutASelectedSiteOnlyWarns) {
    const std::vector<std::function<void()>> noSelection = {
        [&] { Form().SelectedRow = 0; },
        // A selection left over from a run that listed nothing names no site.
        [&] { Form().ClearResultGrid(); },
    };
    for (const auto& makeNoSelection : noSelection) {
        messages.Clear();
        makeNoSelection();
        Click(Form().ButtonSendLaLo);
        EXPECT_EQ(messages.Calls(), std::vector<Call>{kNoRowSelected});
        EXPECT_TRUE(route->log.empty()) << "the browser is not touched";
        EXPECT_EQ(Form().PageControl->ActivePageIndex(), 1);
        EXPECT_TRUE(Form().ButtonGetDistance->isEnabled());
    }
}

TEST_F(RouteTest, ASendEntersBothSitesIntoTheLoadedPageAndStartsTheRoute) {
    Select("処分場A");
    route->loadingReads = 3;
    bool fetchDisabledMeanwhile = false;
    std::int64_t calculatedAt = 0;
    route->onCalcRoute = [&] {
        fetchDisabledMeanwhile = !Form().ButtonGetDistance->isEnabled();
        EXPECT_EQ(Form().PageControl->ActivePageIndex(), 2);
        calculatedAt = clock.Now();
    };
    Click(Form().ButtonSendLaLo);
    EXPECT_TRUE(messages.Calls().empty());
    EXPECT_EQ(route->log, (Log{"Navigate " + RouteAddress(), "Check fm.hand off", "Set fm.stLat",
                               "Set fm.stLng", "Set fm.edLat", "Set fm.edLng",
                               "Navigate javascript:calcRoute();void(0);"}));
    EXPECT_FALSE(route->handChecked);
    EXPECT_EQ(route->values["stLat"], Form().OutputDataManager->GetSiteLatitude());
    EXPECT_EQ(route->values["stLng"], Form().OutputDataManager->GetSiteLongitude());
    LCoordinatesConvert site;
    site.ConvertXYToLatLon(-7000, 20000); // 処分場A of the fixture
    EXPECT_EQ(route->values["edLat"], site.GetLatitude());
    EXPECT_EQ(route->values["edLng"], site.GetLongitude());
    EXPECT_TRUE(fetchDisabledMeanwhile);
    EXPECT_TRUE(Form().ButtonGetDistance->isEnabled());
    EXPECT_GE(clock.Now() - calculatedAt, 1000) << "a second for the page to draw the route";
    EXPECT_EQ(Form().PageControl->ActivePageIndex(), 2);
}

TEST_F(RouteTest, ARoutePageThatNeverLoadsEndsTheSendWithoutWritingAnything) {
    route->neverLoads = true;
    Select("処分場A");
    for (bool fetchEnabled : {true, false}) {
        messages.Clear();
        route->log.clear();
        Form().ButtonGetDistance->setEnabled(fetchEnabled);
        const std::int64_t start = clock.Now();
        Click(Form().ButtonSendLaLo);
        EXPECT_EQ(messages.Calls(), std::vector<Call>{kRoutePageNotLoaded});
        EXPECT_GE(clock.Now() - start, TMainForm::kRoutePageTimeoutMs);
        EXPECT_EQ(route->log, Log{"Navigate " + RouteAddress()});
        EXPECT_FALSE(Form().ButtonGetDistance->isEnabled())
            << "disabled until a send runs to its end, whatever it was before";
        EXPECT_EQ(Row("処分場A").GetRouteDistance(), 0.0);
    }
    // The automatic refinement's sends give up without a message; its count of failures
    // reports them.
    messages.Clear();
    Form().ButtonSendLaLoClick(Form().BitBtnGetLowest);
    EXPECT_TRUE(messages.Calls().empty());
    EXPECT_FALSE(Form().ButtonGetDistance->isEnabled());
    // The next send that runs to its end gives the fetch back.
    route->neverLoads = false;
    Click(Form().ButtonSendLaLo);
    EXPECT_TRUE(messages.Calls().empty());
    EXPECT_TRUE(Form().ButtonGetDistance->isEnabled());
}

TEST_F(RouteTest, AFetchBeforeAnySendWarnsAndShowsTheResultsEvenWhenQuiet) {
    for (TButton* sender : {Form().ButtonGetDistance, Form().BitBtnGetLowest}) {
        messages.Clear();
        Form().PageControl->SetActivePageIndex(2);
        RunHandler([&] { Form().ButtonGetDistanceClick(sender); });
        EXPECT_EQ(messages.Calls(), std::vector<Call>{kRouteNotOpened}) << sender->Tag;
        EXPECT_EQ(Form().PageControl->ActivePageIndex(), 1);
    }
    EXPECT_EQ(route->bodyReads, 0);
}

TEST_F(RouteTest, AFetchedLengthRepricesTheRowByTheLastRunsMethod) {
    // The condition page shows the other method now; the rows stay priced by the one they were
    // calculated with.
    Form().RadioButtonBugakari->click();
    ASSERT_EQ(Utf8(Form().CalcMode), "bugakari");
    SendAndFetch("処分場A", ScriptedRoutePage::Route::Length("12.5km"));
    EXPECT_TRUE(messages.Calls().empty());
    const int a = RowOf("処分場A");
    EXPECT_EQ(Cell(3, a), "12.5");
    EXPECT_EQ(Cell(4, a), "12.5");
    EXPECT_EQ(Cell(11, a), "3000") << "the package price up to 20 km";
    EXPECT_EQ(Cell(12, a), "6000");
    EXPECT_EQ(Cell(14, a), "20km以下");
    EXPECT_EQ(Form().SelectedRow, a) << "still selected where the new order put it";
    EXPECT_EQ(Form().PageControl->ActivePageIndex(), 1);

    // A run in the labour-rate method, then back to the package method on the page.
    Calculate();
    Form().RadioButtonSP->click();
    SendAndFetch("処分場B", ScriptedRoutePage::Route::Length("12.5km"));
    const CRankingData& b = Row("処分場B");
    EXPECT_EQ(b.GetTransportCost(), Form().OutputDataManager->GetTransportCost(12.5));
    EXPECT_EQ(b.GetCostChangeDistance(), Form().OutputDataManager->GetCostChangeDistance(12.5));
    EXPECT_NE(b.GetTransportCost(), Form().OutputDataManager->GetPackageTransportCost(12.5));
}

TEST_F(RouteTest, TheDistanceOrderStaysTheOrderAfterAFetch) {
    Form().RadioGroupSort->SetItemIndex(1);
    SendAndFetch("処分場A", ScriptedRoutePage::Route::Length("12.5km"));
    EXPECT_EQ(Utf8(Form().SortKey), "distance");
    EXPECT_EQ(Column(1),
              (std::vector<std::string>{"処分場B", "処分場C", "処分場A", "処分場F", "処分場D"}));
    EXPECT_EQ(Form().SelectedRow, 3);
}

struct ReadCase {
    const char* name;
    friend void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.name; }
    // Body readings that still show no route.
    int readsBeforeRoute;
    ScriptedRoutePage::Route answer;
    bool fetched;
    int bodyReads;
    int fieldReads;
};

class RouteReadTest : public RouteTest, public testing::WithParamInterface<ReadCase> {};

// The body is read until it shows the route, ten times at most; the length field likewise until
// it has a text. Quiet fetches fail without a message and stay on the route page.
TEST_P(RouteReadTest, TheRouteIsReadTenTimesAtMost) {
    const ReadCase& c = GetParam();
    for (TButton* sender : {Form().ButtonGetDistance, Form().BitBtnGetLowest}) {
        SCOPED_TRACE(sender->Tag);
        Calculate();
        messages.Clear();
        Select("処分場A");
        route->bodyReadsBeforeRoute = c.readsBeforeRoute;
        route->routes.push_back(c.answer);
        Click(Form().ButtonSendLaLo);
        route->bodyReads = 0;
        route->fieldReads = 0;
        RunHandler([&] { Form().ButtonGetDistanceClick(sender); });
        EXPECT_EQ(route->bodyReads, c.bodyReads);
        EXPECT_EQ(route->fieldReads, c.fieldReads);
        const bool quiet = sender->Tag == 10;
        if (c.fetched) {
            EXPECT_TRUE(messages.Calls().empty());
            EXPECT_EQ(Row("処分場A").GetRouteDistance(), 4.0);
            EXPECT_EQ(Form().PageControl->ActivePageIndex(), 1);
        } else {
            EXPECT_EQ(messages.Calls(),
                      quiet ? std::vector<Call>{} : std::vector<Call>{kRouteFailed});
            EXPECT_EQ(Row("処分場A").GetRouteDistance(), 0.0);
            EXPECT_EQ(Cell(1, 2), "処分場A") << "nothing redisplayed";
            EXPECT_EQ(Form().PageControl->ActivePageIndex(), quiet ? 2 : 1);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RouteReadTest,
    testing::Values(
        ReadCase{"DrawnAtOnce", 0, ScriptedRoutePage::Route::Length("4km"), true, 1, 1},
        ReadCase{"DrawnAtTheTenthRead", 9, ScriptedRoutePage::Route::Length("4km"), true, 10, 1},
        ReadCase{"NeverDrawn", 10, ScriptedRoutePage::Route::Length("4km"), false, 10, 0},
        ReadCase{"NoRoute", 0, ScriptedRoutePage::Route::None(), false, 10, 0},
        ReadCase{"NoLength", 0, {"<p>0km</p>", ""}, false, 1, 10}),
    [](const auto& info) { return std::string(info.param.name); });

// No road is shorter than nothing: a negative length is a failed read, reported unless the
// fetch is quiet, and the row keeps what it had.
TEST_F(RouteTest, ANegativeLengthIsAFailedRead) {
    const int totalBefore = Row("処分場A").GetTotalCost();
    for (const char* length : {"-5km", "-1e308km", "-0.001km"}) {
        for (TButton* sender : {Form().ButtonGetDistance, Form().BitBtnGetLowest}) {
            SCOPED_TRACE(std::string(length) + " " + std::to_string(sender->Tag));
            messages.Clear();
            Select("処分場A");
            route->routes.push_back(ScriptedRoutePage::Route::Length(length));
            Click(Form().ButtonSendLaLo);
            RunHandler([&] { Form().ButtonGetDistanceClick(sender); });
            const bool quiet = sender->Tag == 10;
            EXPECT_EQ(messages.Calls(),
                      quiet ? std::vector<Call>{} : std::vector<Call>{kRouteFailed});
            EXPECT_EQ(Form().PageControl->ActivePageIndex(), quiet ? 2 : 1);
            const CRankingData& row = Row("処分場A");
            EXPECT_EQ(row.GetRouteDistance(), 0.0);
            EXPECT_EQ(row.GetFixedDistance(), row.GetDirectDistance());
            EXPECT_EQ(row.GetTotalCost(), totalBefore);
            EXPECT_EQ(Cell(1, 2), "処分場A") << "nothing redisplayed";
        }
    }
}

TEST_F(RouteTest, ALengthThatIsNoNumberGoesToTheErrorDisplayAndLeavesTheRow) {
    SendAndFetch("処分場A", {"<p>?km</p>", "?km"});
    EXPECT_EQ(messages.Calls(), (std::vector<Call>{{Sj("'?' は有効な浮動小数点数ではありません。"),
                                                    Sj(ErrorCaption()), 0x10}}));
    EXPECT_EQ(Row("処分場A").GetRouteDistance(), 0.0);
    EXPECT_EQ(Row("処分場A").GetTotalCost(), 4000);
}

TEST_F(RouteTest, ALengthWhoseTotalHasNo32BitValueGoesToTheErrorDisplayAndLeavesTheRow) {
    // A fee that fits with the straight-line price but not with the price of the fetched length.
    const int a = RowOf("処分場A");
    TypeIntoCell(9, a, "2147482647");
    PressInGrid(Qt::Key_Return);
    ASSERT_TRUE(messages.Calls().empty());
    const int totalBefore = Row("処分場A").GetTotalCost();
    SendAndFetch("処分場A", ScriptedRoutePage::Route::Length("40km"));
    EXPECT_EQ(messages.Calls(),
              (std::vector<Call>{{Sj("金額の合計 4000 + 2147482647 は整数の範囲を超えているため"
                                     "計算できません。"),
                                  Sj(ErrorCaption()), 0x10}}));
    const CRankingData& row = Row("処分場A");
    EXPECT_EQ(row.GetRouteDistance(), 0.0) << "the row is as it was";
    EXPECT_EQ(row.GetFixedDistance(), row.GetDirectDistance());
    EXPECT_EQ(row.GetTransportCost(), 1000);
    EXPECT_EQ(row.GetTotalCost(), totalBefore);
}

TEST_F(RouteTest, AFetchWhoseSiteHasGoneFromTheGridChangesNothing) {
    Select("処分場A");
    route->routes.push_back(ScriptedRoutePage::Route::Length("4km"));
    Click(Form().ButtonSendLaLo);
    Form().ClearResultGrid();
    Click(Form().ButtonGetDistance);
    EXPECT_EQ(messages.Calls(), std::vector<Call>{kNoRowSelected});
    messages.Clear();
    Form().ButtonGetDistanceClick(Form().BitBtnGetLowest);
    EXPECT_TRUE(messages.Calls().empty());
    EXPECT_EQ(Row("処分場A").GetRouteDistance(), 0.0);
}

} // namespace
