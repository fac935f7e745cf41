#include "WebFlowsFixture.h"

#include "TWaitCalcForm.h"

#include "model/CRankingData.h"
#include "model/CRankingList.h"

#include "platform/qt/QtText.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>

namespace {

using Names = std::vector<std::string>;

class RoutePageTest : public WebFlowsTest {
protected:
    void SetUp() override {
        StartOnBiddingSite();
        Calculate();
        ASSERT_TRUE(messages.Calls().empty());
    }
    void SendAndFetch(const std::string& siteName) {
        Form().StringGrid->SetRow(RowOf(siteName));
        ASSERT_EQ(Cell(1, Form().SelectedRow), siteName);
        Click(Form().ButtonSendLaLo);
        Click(Form().ButtonGetDistance);
    }
    std::vector<std::string> RowCells(const std::string& siteName, std::vector<int> columns) {
        std::vector<std::string> cells;
        const int row = RowOf(siteName);
        for (int col : columns) {
            cells.push_back(Cell(col, row));
        }
        return cells;
    }
};

// Notes the wait dialog's mark whenever a queued call reaches the dialog, before it runs.
class TurnWatch : public QObject {
public:
    explicit TurnWatch(std::vector<std::string>& marks) : marks_(marks) {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~TurnWatch() override { QCoreApplication::instance()->removeEventFilter(this); }
    TurnWatch(const TurnWatch&) = delete;
    TurnWatch& operator=(const TurnWatch&) = delete;

protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        if (event->type() != QEvent::MetaCall) {
            return false;
        }
        // Found among the windows: the web engine's own receivers of queued calls have no type
        // information to cast by.
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* dialog = window == target ? dynamic_cast<TWaitCalcForm*>(window) : nullptr;
            if (dialog != nullptr) {
                const std::string caption = Utf8(dialog->Label2->Caption());
                marks_.push_back(caption.substr(caption.size() - 3));
            }
        }
        return false;
    }

private:
    std::vector<std::string>& marks_;
};

struct FetchCase {
    const char* site;
    const char* length;
    // Route and fixed distance, transport cost, total and cost-change column afterwards.
    std::vector<std::string> cells;
    Names order;
};

// The page writes its length a moment after the send; the fetch takes it into the row, which
// is repriced by the package method of the run, and the results are shown again in their order.
TEST_F(RoutePageTest, AFetchedLengthRepricesTheRow) {
    SetRoutes({{"処分場A", "12.5km"}, {"処分場B", "60km"}, {"処分場D", "75.2km"}});
    const FetchCase cases[] = {
        {"処分場A",
         "12.5km",
         {"12.5", "12.5", "3000", "6000", "20km以下"},
         {"処分場B", "処分場D", "処分場F", "処分場A", "処分場C"}},
        {"処分場B",
         "60km",
         {"60", "60", "4000", "5000", "60km以下"},
         {"処分場D", "処分場F", "処分場B", "処分場A", "処分場C"}},
        {"処分場D",
         "75.2km",
         {"75.2", "75.2", "0", "0", "上限値を超えています"},
         {"処分場F", "処分場B", "処分場A", "処分場D", "処分場C"}},
    };
    for (const FetchCase& c : cases) {
        SCOPED_TRACE(c.site);
        SendAndFetch(c.site);
        EXPECT_TRUE(messages.Calls().empty());
        EXPECT_EQ(RowCells(c.site, {3, 4, 11, 12, 14}), c.cells);
        EXPECT_EQ(Column(1), c.order);
        EXPECT_EQ(Cell(1, Form().SelectedRow), c.site) << "still selected";
        EXPECT_EQ(Form().PageControl->ActivePageIndex(), 1);
        EXPECT_TRUE(Form().ButtonGetDistance->isEnabled());
    }
    // The page was given the work site as start and the site as end, by hand drawing off.
    EXPECT_EQ(
        EvaluateScript(*Form().BrowserGoogleMaps,
                       QStringLiteral("requests.length === 1 && !requests[0].hand && "
                                      "requests[0].stLat !== '' && requests[0].edLng !== ''")),
        QVariant(true));
    EXPECT_EQ(Form().RankingList->FindByName(Sj("処分場D"))->GetCostChangeDistance(),
              Sj("60km以下"))
        << "beyond the limit the text stays as it was";
}

TEST_F(RoutePageTest, TheRefinementFetchesUntilTheCheapestRowsHaveTheirDistances) {
    // 処分場B gets dearer by road and moves down; 処分場A and 処分場D come up and are fetched.
    SetRoutes({{"処分場B", "25km"}, {"処分場A", "4km"}, {"処分場D", "59km"}, {"処分場F", "30km"}});
    // The wait dialog's mark as each turn reaches it: every turn is asked of the main thread as
    // a queued call to the dialog, so the mark seen as such a call arrives is the one that the
    // turns before it left, however late the main thread gets to them.
    std::vector<std::string> marks;
    TurnWatch watch(marks);
    Form().EditGetLowest->SetText("2");
    messages.Answer(mb::IDYES);
    QElapsedTimer elapsed;
    elapsed.start();
    Click(Form().BitBtnGetLowest);
    const qint64 seconds = elapsed.elapsed() / 1000;

    ASSERT_EQ(messages.Calls().size(), 2u);
    EXPECT_EQ(
        messages.Calls()[0],
        (Call{Sj("計算結果の上位　2　件の距離が\r\n道のり距離に置き換わるまで\r\n"
                 "距離を取得し続け、\r\n最安値を計算します。\r\n\r\n実行してもよろしいですか？"),
              Sj("確認"), 0x40024}));
    const std::string done = Utf8(messages.Calls()[1].text);
    const std::string prefix = "計算が完了しました。\r\n所要時間：";
    ASSERT_EQ(done.rfind(prefix, 0), 0u) << done;
    const int reported = std::stoi(done.substr(prefix.size()));
    EXPECT_GE(reported, 6) << "three fetches of two seconds";
    EXPECT_LE(reported, seconds);
    EXPECT_EQ(messages.Calls()[1],
              (Call{Sj(prefix + std::to_string(reported) + "秒"), Sj("計算完了"), 0x40000}));
    EXPECT_EQ(RoutePageLoads(), 3);
    EXPECT_EQ(Column(1), (Names{"処分場A", "処分場D", "処分場F", "処分場B", "処分場C"}));
    EXPECT_EQ(Column(3), (Names{"4", "59", "0", "25", "0"}));
    EXPECT_EQ(Form().SelectedRow, 1);
    EXPECT_EQ(Form().PageControl->ActivePageIndex(), 1);
    EXPECT_TRUE(Form().isEnabled());
    // The dialog starts at ―, and the mark turns a step at a time while the loop works, at
    // least three times in three fetches of two seconds.
    ASSERT_GE(marks.size(), 4u);
    const Names cycle{"―", "＼", "│", "／"};
    for (std::size_t turn = 0; turn < marks.size(); ++turn) {
        EXPECT_EQ(marks[turn], cycle[turn % cycle.size()]) << "before turn " << turn;
    }
}

TEST_F(RoutePageTest, TheRefinementGivesUpAfterThreeFailedFetches) {
    SetNoRoutes();
    Form().EditGetLowest->SetText("1");
    messages.Answer(mb::IDYES);
    Click(Form().BitBtnGetLowest);
    ASSERT_EQ(messages.Calls().size(), 2u);
    EXPECT_EQ(messages.Calls()[1],
              (Call{Sj("最安値の計算に連続で失敗したため、\r\n処理を中断します。\r\n"
                       "再度実行してください。"),
                    Sj("計算失敗"), 0x40030}));
    EXPECT_EQ(RoutePageLoads(), 3);
    EXPECT_EQ(Column(3), Names(5, "0"));
    EXPECT_EQ(Form().PageControl->ActivePageIndex(), 1);
    EXPECT_TRUE(Form().isEnabled());
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        EXPECT_EQ(dynamic_cast<TWaitCalcForm*>(widget), nullptr);
    }
}

} // namespace
