#include "RoutePageFixture.h"

#include "TWaitCalcForm.h"

#include "model/CRankingData.h"
#include "model/CRankingList.h"
#include "model/SharedConstants.h"

#include "platform/qt/ErrorDisplay.h"

#include <QApplication>

#include <algorithm>

namespace {

using Route = ScriptedRoutePage::Route;

const Call kNoData{Sj("表にデータがありません。\r\n先に計算を実行してください。"), Sj("無効な処理"),
                   0x40030};
const Call kBadCount{Sj("件数の値が不正です。\r\n再度入力してください。"), Sj("無効な値"), 0x40030};
const Call kGivenUp{Sj("最安値の計算に連続で失敗したため、\r\n処理を中断します。\r\n"
                       "再度実行してください。"),
                    Sj("計算失敗"), 0x40030};

Call Confirmation(const std::string& count) {
    return {Sj("計算結果の上位　" + count +
               "　件の距離が\r\n道のり距離に置き換わるまで\r\n距離を取得し続け、\r\n"
               "最安値を計算します。\r\n\r\n実行してもよろしいですか？"),
            Sj("確認"), 0x40024};
}

Call Done(int seconds) {
    return {Sj("計算が完了しました。\r\n所要時間：" + std::to_string(seconds) + "秒"),
            Sj("計算完了"), 0x40000};
}

std::vector<TWaitCalcForm*> WaitDialogs() {
    std::vector<TWaitCalcForm*> dialogs;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = dynamic_cast<TWaitCalcForm*>(widget)) {
            dialogs.push_back(dialog);
        }
    }
    return dialogs;
}

class TopNTest : public RoutePageTest {
protected:
    void SetUp() override {
        RoutePageTest::SetUp();
        // Everything the refinement shows after its question comes once the wait dialog has
        // gone and the window is enabled again.
        messages.OnShow([this](const Call& call) {
            if (call.caption != Sj("確認")) {
                EXPECT_TRUE(WaitDialogs().empty()) << Utf8(call.text);
                EXPECT_TRUE(Form().isEnabled()) << Utf8(call.text);
            }
        });
        // Each fetch runs with the window disabled and the dialog up, and records its site.
        route->onCalcRoute = [this] {
            EXPECT_FALSE(Form().isEnabled());
            EXPECT_EQ(WaitDialogs().size(), 1u);
            fetched.push_back(Cell(1, Form().SelectedRow));
        };
    }

    // Types the count, presses the button and answers the question with Yes.
    void Run(const std::string& count) {
        Form().EditGetLowest->SetText(Sj(count));
        messages.Answer(mb::IDYES);
        Click(Form().BitBtnGetLowest);
    }

    std::vector<std::string> fetched;
};

TEST_F(TopNTest, WithoutResultsItWarnsAndShowsTheConditions) {
    Form().ClearResultGrid();
    Click(Form().BitBtnGetLowest);
    EXPECT_EQ(messages.Calls(), std::vector<Call>{kNoData});
    EXPECT_EQ(Form().PageControl->ActivePageIndex(), 0);
    EXPECT_EQ(Form().StringGrid->RowCount(), 2) << "nothing redisplayed";
}

TEST_F(TopNTest, ACountThatIsNotAPositiveWholeNumberIsRefusedAndEmptied) {
    for (const char* count : {"0", "-1", "abc", "", "1.5", "$3", "0x2", " 2"}) {
        messages.Clear();
        Form().EditGetLowest->SetText(Sj(count));
        Click(Form().BitBtnGetLowest);
        EXPECT_EQ(messages.Calls(), std::vector<Call>{kBadCount}) << count;
        EXPECT_EQ(Utf8(Form().EditGetLowest->Text()), "") << count;
    }
    EXPECT_TRUE(route->log.empty());
}

TEST_F(TopNTest, FullWidthDigitsCountAndNoEndsTheRunAfterTheRedisplay) {
    Form().RadioGroupSort->SetItemIndex(1);
    ASSERT_EQ(Cell(1, 1), "処分場A");
    Form().EditGetLowest->SetText(Sj("３"));
    messages.Answer(mb::IDNO);
    Click(Form().BitBtnGetLowest);
    EXPECT_EQ(messages.Calls(), std::vector<Call>{Confirmation("3")});
    EXPECT_TRUE(route->log.empty());
    EXPECT_EQ(Utf8(Form().SortKey), "sum");
    EXPECT_EQ(Column(1),
              (std::vector<std::string>{"処分場B", "処分場A", "処分場D", "処分場F", "処分場C"}));
    EXPECT_EQ(Column(3), (std::vector<std::string>(5, "0")));
    EXPECT_TRUE(Form().isEnabled());
    EXPECT_TRUE(WaitDialogs().empty());
}

struct PatternCase {
    const char* name;
    friend void PrintTo(const PatternCase& c, std::ostream* out) { *out << c.name; }
    const char* count;
    std::vector<Route> answers;
    std::vector<std::string> fetched;
    bool givenUp;
};

class TopNPatternTest : public TopNTest, public testing::WithParamInterface<PatternCase> {};

// Failures are counted in a row: a success starts the count again, a failure tries the same
// row again, and only three failures in a row end the run.
TEST_P(TopNPatternTest, OnlyThreeFailuresInARowEndTheRun) {
    const PatternCase& c = GetParam();
    route->routes.assign(c.answers.begin(), c.answers.end());
    Run(c.count);
    EXPECT_EQ(fetched, c.fetched);
    ASSERT_EQ(messages.Calls().size(), 2u);
    EXPECT_EQ(messages.Calls()[0], Confirmation(c.count));
    if (c.givenUp) {
        EXPECT_EQ(messages.Calls()[1], kGivenUp);
    } else {
        EXPECT_EQ(Utf8(messages.Calls()[1].caption), "計算完了");
        EXPECT_EQ(Form().SelectedRow, 1);
        EXPECT_EQ(Form().StringGrid->Row(), 1);
    }
    EXPECT_EQ(Form().PageControl->ActivePageIndex(), 1);
    EXPECT_EQ(Form().RadioGroupSort->ItemIndex(), 0);
    EXPECT_TRUE(Form().isEnabled());
    EXPECT_TRUE(WaitDialogs().empty());
}

const Route kNone = Route::None();

INSTANTIATE_TEST_SUITE_P(
    Cases, TopNPatternTest,
    testing::Values(
        PatternCase{"FailSucceedAlternately",
                    "3",
                    {kNone, Route::Length("5km"), kNone, Route::Length("4km"), kNone,
                     Route::Length("59km")},
                    {"処分場B", "処分場B", "処分場A", "処分場A", "処分場D", "処分場D"},
                    false},
        PatternCase{"TwoFailuresTwice",
                    "2",
                    {kNone, kNone, Route::Length("5km"), kNone, kNone, Route::Length("4km")},
                    {"処分場B", "処分場B", "処分場B", "処分場A", "処分場A", "処分場A"},
                    false},
        PatternCase{"ThreeFailuresInARow",
                    "2",
                    {Route::Length("5km"), kNone, kNone, kNone},
                    {"処分場B", "処分場A", "処分場A", "処分場A"},
                    true},
        PatternCase{"NegativeLengthsFail",
                    "2",
                    {Route::Length("-5km"), Route::Length("5km"), Route::Length("-1e308km"),
                     Route::Length("-5km"), Route::Length("-0.5km")},
                    {"処分場B", "処分場B", "処分場A", "処分場A", "処分場A"},
                    true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TopNTest, ASiteThatBecameDearerMovesDownAndTheRowThatMovedUpIsFetched) {
    // 25 km prices 処分場B at 4000 + 1000; 処分場A comes first.
    route->routes = {Route::Length("25km"), Route::Length("4km")};
    Run("1");
    EXPECT_EQ(fetched, (std::vector<std::string>{"処分場B", "処分場A"}));
    EXPECT_EQ(Column(1),
              (std::vector<std::string>{"処分場A", "処分場D", "処分場F", "処分場B", "処分場C"}));
    EXPECT_EQ(Column(3), (std::vector<std::string>{"4", "0", "0", "25", "0"}));
    // Half a second before the first page, then a second's wait in the send and one in the
    // fetch, twice.
    EXPECT_EQ(messages.Calls().back(), Done(4));

    // A second run skips every row that has its distance.
    messages.Clear();
    fetched.clear();
    route->routes = {Route::Length("59km")};
    Run("2");
    EXPECT_EQ(fetched, std::vector<std::string>{"処分場D"});
    EXPECT_EQ(messages.Calls().back(), Done(2));
}

TEST_F(TopNTest, ACountBeyondTheRowsFetchesEveryRow) {
    // Far enough that no site changes its place.
    route->routes = {Route::Length("8km"), Route::Length("3km"), Route::Length("60km"),
                     Route::Length("75.2km"), Route::Length("12km")};
    Run("9");
    EXPECT_EQ(fetched,
              (std::vector<std::string>{"処分場B", "処分場A", "処分場D", "処分場F", "処分場C"}));
    EXPECT_EQ(Column(3), (std::vector<std::string>{"8", "3", "60", "75.2", "12"}));
    EXPECT_EQ(Cell(14, 4), "上限値を超えています") << "kept, and so not fetched again";
}

TEST_F(TopNTest, RowsThatHaveTheirDistancesAlreadyAreNotFetched) {
    for (const char* name : {"処分場B", "処分場A"}) {
        CRankingData* row = Form().RankingList->FindByName(Sj(name));
        row->SetRouteDistance(row->GetDirectDistance());
        row->UpdateFixedDistance();
    }
    Form().ShowRankingBySum();
    Run("2");
    EXPECT_TRUE(fetched.empty());
    EXPECT_TRUE(route->log.empty());
    EXPECT_EQ(messages.Calls().back(), Done(0));
}

// A route page that never finishes loading is a failed fetch: its document is not read, and
// three of them in a row end the run as any other failures do.
TEST_F(TopNTest, ARoutePageThatNeverLoadsIsAFailedFetch) {
    route->neverLoads = true;
    Run("1");
    EXPECT_EQ(messages.Calls(), (std::vector<Call>{Confirmation("1"), kGivenUp}));
    EXPECT_EQ(route->bodyReads + route->fieldReads, 0);
    EXPECT_EQ(std::count(route->log.begin(), route->log.end(),
                         "Navigate " + Utf8(FromWide(URL_ROUTE_PAGE))),
              3);
    EXPECT_EQ(Column(3), (std::vector<std::string>(5, "0")));
    EXPECT_TRUE(Form().isEnabled());
    EXPECT_TRUE(WaitDialogs().empty());
}

TEST_F(TopNTest, AnErrorEndsTheRunWithTheWindowEnabledAndNoDialog) {
    route->routes = {{"<p>?km</p>", "?km"}};
    Run("1");
    ASSERT_EQ(messages.Calls().size(), 2u);
    EXPECT_EQ(messages.Calls()[1],
              (Call{Sj("'?' は有効な浮動小数点数ではありません。"), Sj(ErrorCaption()), 0x10}));
    EXPECT_TRUE(Form().isEnabled());
    EXPECT_TRUE(WaitDialogs().empty());
}

} // namespace
