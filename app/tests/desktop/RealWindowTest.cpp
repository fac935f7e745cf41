// The main window shown on the tests' X server: clicked with the X server's own mouse input and
// closed as the desktop closes it (WM_DELETE_WINDOW), while its handlers run and wait.
#include "MainFormFixture.h"
#include "ScriptedRoutePage.h"
#include "SteppingClock.h"
#include "TWaitCalcForm.h"

#include "model/SharedConstants.h"

#include "platform/DesktopWindows.h"
#include "platform/browser/testing/BrowserTesting.h"
#include "platform/qt/ErrorDisplay.h"
#include "platform/qt/QtText.h"
#include "platform/testing/LocalHttpServer.h"
#include "platform/testing/UserInput.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <functional>
#include <optional>
#include <thread>

namespace {

using Log = std::vector<std::string>;

const Call kRoutePageNotLoaded{Sj("GoogleMapsサイトの読み込みが終わりませんでした。\r\n"
                                  "時間をおいて再度「GoogleMapsサイトを開き、座標情報を送る」"
                                  "ボタンをクリックしてください。"),
                               Sj("読み込みの失敗"), 0x40030};
const Call kConfirmTopTwo{
    Sj("計算結果の上位　2　件の距離が\r\n道のり距離に置き換わるまで\r\n距離を取得し続け、\r\n"
       "最安値を計算します。\r\n\r\n実行してもよろしいですか？"),
    Sj("確認"), 0x40024};

// A scripted route page that can act when the handlers navigate or read the body.
class WatchedRoutePage : public ScriptedRoutePage {
public:
    std::function<void()> onNavigate;
    std::function<void()> onBodyRead;

    void Navigate(const AnsiString& url) override {
        ScriptedRoutePage::Navigate(url);
        if (onNavigate) {
            onNavigate();
        }
    }
    AnsiString BodyInnerHTML() override {
        if (onBodyRead) {
            onBodyRead();
        }
        return ScriptedRoutePage::BodyInnerHTML();
    }
};

bool WaitDialogShown() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (dynamic_cast<TWaitCalcForm*>(widget) != nullptr && widget->isVisible()) {
            return true;
        }
    }
    return false;
}

class RealWindowTest : public MainFormTest {
public:
    using MainFormTest::Calculate;
    using MainFormTest::Form;
    using MainFormTest::messages;

protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
            GTEST_SKIP() << "needs Xvfb, to show the window on an X server";
        }
        Start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form()));
        auto page = std::make_unique<WatchedRoutePage>();
        route = page.get();
        Form().RoutePage = std::move(page);
    }

public:
    static QPoint Centre(const QWidget* widget) {
        return widget->mapToGlobal(widget->rect().center());
    }
    // Handles the window's messages for a while, as the message loop does between inputs.
    static void Pump(int milliseconds) {
        QElapsedTimer elapsed;
        elapsed.start();
        while (elapsed.elapsed() < milliseconds) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
    }
    void ClickOn(const QWidget* widget) {
        ASSERT_TRUE(widget->isVisible() && widget->isEnabled());
        ASSERT_TRUE(user_input::Click(Centre(widget).x(), Centre(widget).y()));
    }
    // The desktop asks the main window to close, as its close box does; the request has reached
    // the program's connection when this returns, so the next handling of messages delivers it.
    void CloseFromDesktop() {
        closedAt.start();
        ASSERT_TRUE(desktop::SendCloseRequest(Form().winId()));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    void TypeCoordinates() {
        Form().EditX->SetText(Sj(kFixtureX));
        Form().EditY->SetText(Sj(kFixtureY));
        ASSERT_TRUE(Form().ButtonCalc->isEnabled());
    }

    WatchedRoutePage* route = nullptr;
    QElapsedTimer closedAt;
};

// The first click of a fast double click on [計算実行] runs the calculation and brings up the
// result grid under the pointer; the second click is a click on the grid, not a double click
// that would send a row to the route page. A double click whose clicks both go to the grid
// sends the row.
TEST_F(RealWindowTest, AFastDoubleClickOnTheCalculationIsNoDoubleClickOnTheGrid) {
    TypeCoordinates();
    const QPoint calc = Centre(Form().ButtonCalc);
    ASSERT_TRUE(user_input::DoubleClick(calc.x(), calc.y()));
    ASSERT_TRUE(WaitUntil([&] { return Form().PageControl->ActivePageIndex() == 1; }));
    Pump(500);
    EXPECT_EQ(QApplication::widgetAt(calc), Form().StringGrid->viewport())
        << "the second click went to the grid";
    EXPECT_EQ(Form().PageControl->ActivePageIndex(), 1);
    EXPECT_EQ(route->log, Log{}) << "nothing was sent to the route page";
    EXPECT_TRUE(messages.Calls().empty());
    EXPECT_EQ(Cell(1, 1), "処分場B") << "the calculation ran once and filled the grid";

    const QPoint row2 =
        Form().StringGrid->viewport()->mapToGlobal(Form().StringGrid->CellRect(1, 2).center());
    ASSERT_TRUE(user_input::DoubleClick(row2.x(), row2.y()));
    ASSERT_TRUE(WaitUntil([&] { return !route->log.empty(); }));
    EXPECT_EQ(Form().SelectedRow, 2);
    EXPECT_EQ(route->log.front(), "Navigate " + Utf8(FromWide(URL_ROUTE_PAGE)));
    EXPECT_EQ(Form().PageControl->ActivePageIndex(), 2);
}

// A send that gives up on a route page that never finishes loading leaves nothing to fetch:
// [GoogleMapsサイトから距離を取得する] stays disabled (a click on it does nothing) until a send
// runs to its end.
TEST_F(RealWindowTest, ASendThatHitTheLoadingBoundLeavesTheFetchDisabled) {
    SteppingClock clock;
    ClockScope scope(clock);
    Calculate();
    route->neverLoads = true;
    Form().StringGrid->SetRow(1);
    ClickOn(Form().ButtonSendLaLo);
    ASSERT_TRUE(WaitUntil([&] { return !messages.Calls().empty(); }));
    EXPECT_EQ(messages.Calls(), std::vector<Call>{kRoutePageNotLoaded});
    ASSERT_EQ(Form().PageControl->ActivePageIndex(), 2);
    EXPECT_FALSE(Form().ButtonGetDistance->isEnabled());

    const QPoint fetch = Centre(Form().ButtonGetDistance);
    ASSERT_TRUE(user_input::Click(fetch.x(), fetch.y()));
    Pump(500);
    EXPECT_EQ(messages.Calls(), std::vector<Call>{kRoutePageNotLoaded})
        << "the disabled button reads no page";
    EXPECT_EQ(route->bodyReads, 0);

    route->neverLoads = false;
    Form().PageControl->SetActivePageIndex(1);
    ClickOn(Form().ButtonSendLaLo);
    ASSERT_TRUE(WaitUntil(
        [&] { return route->calculations == 1 && Form().ButtonGetDistance->isEnabled(); }));
    EXPECT_EQ(messages.Calls(), std::vector<Call>{kRoutePageNotLoaded});
}

// Closing the main window while a handler waits ends the wait at once and unwinds the handler:
// the program's message loop gets control back within moments, nothing more is fetched or shown
// and the wait dialog is gone.
struct CloseCase {
    const char* name;
    // Prepares the window, arranges the close during the wait, and starts the handler.
    std::function<void(class CloseDuringWaitTest&)> start;
    // Messages shown before the close.
    std::vector<Call> before;
};

void PrintTo(const CloseCase& c, std::ostream* out) {
    *out << c.name;
}

class CloseDuringWaitTest : public RealWindowTest, public testing::WithParamInterface<CloseCase> {
public:
    // The route handlers' waits run on a stepping clock: unless the close ends them, they run
    // to their bounds (a minute for the route page) without the test waiting that long.
    void UseSteppingClock() { scope.emplace(clock); }
    void CloseAfter(int milliseconds) {
        QTimer::singleShot(milliseconds, [this] { CloseFromDesktop(); });
    }
    void CloseAtFirstNavigation() {
        route->onNavigate = [this] {
            if (!closedAt.isValid()) {
                CloseFromDesktop();
            }
        };
    }

    LocalHttpServer server;

private:
    SteppingClock clock;
    std::optional<ClockScope> scope;
};

TEST_P(CloseDuringWaitTest, ClosingTheWindowEndsTheWaitAndTheProgramGoesOnToItsEnd) {
    bool loopEnded = false;
    Form().OnClosed = [&] { loopEnded = true; };
    GetParam().start(*this);
    ASSERT_TRUE(WaitUntil([&] { return Form().Closed(); }, 20000)) << "the close never came";
    // The handler ran inside the handling of messages that delivered the start; it has
    // returned once the test gets control back.
    const qint64 unwound = closedAt.elapsed();
    const std::size_t navigations = route->log.size();
    const int reads = route->bodyReads;
    Pump(1500);
    EXPECT_TRUE(loopEnded);
    EXPECT_LT(unwound, 2000) << "ms from the close until the handler had returned";
    EXPECT_EQ(messages.Calls(), GetParam().before) << "nothing is shown after the close";
    EXPECT_EQ(route->log.size(), navigations) << "nothing more is sent or fetched";
    EXPECT_EQ(route->bodyReads, reads);
    EXPECT_FALSE(WaitDialogShown());
    EXPECT_FALSE(Form().isVisible());
}

const CloseCase kCloseCases[] = {
    {"TopNRefinement",
     [](CloseDuringWaitTest& t) {
         t.UseSteppingClock();
         t.Calculate();
         t.route->neverLoads = true;
         t.CloseAtFirstNavigation();
         t.Form().EditGetLowest->SetText("2");
         t.messages.Answer(mb::IDYES);
         t.ClickOn(t.Form().BitBtnGetLowest);
     },
     {kConfirmTopTwo}},
    {"SendPageWait",
     [](CloseDuringWaitTest& t) {
         t.UseSteppingClock();
         t.Calculate();
         t.route->neverLoads = true;
         t.CloseAtFirstNavigation();
         t.Form().StringGrid->SetRow(1);
         t.ClickOn(t.Form().ButtonSendLaLo);
     },
     {}},
    {"FetchReads",
     [](CloseDuringWaitTest& t) {
         t.UseSteppingClock();
         t.Calculate();
         t.Form().StringGrid->SetRow(1);
         t.Form().ButtonSendLaLo->Click();
         // The page shows no route yet at any of the fetch's reads.
         t.route->bodyReadsBeforeRoute = 100;
         t.route->onBodyRead = [&t] {
             if (!t.closedAt.isValid()) {
                 t.CloseFromDesktop();
             }
         };
         t.ClickOn(t.Form().ButtonGetDistance);
     },
     {}},
    {"CoordinateTries",
     [](CloseDuringWaitTest& t) {
         // A map page whose coordinate pop-up never shows the values.
         t.server.Serve("/map/index.html", LocalHttpServer::Ok("<html><body>map</body></html>"));
         TWebBrowser& browser = *t.Form().BrowserNyusatsuInfo;
         browser.Navigate(FromQString(
             QString::fromStdString(t.server.Url(GIS_HOST.ToUtf8(), "/map/index.html"))));
         ASSERT_TRUE(WaitUntil([&] {
             return browser.LocationURL().Contains(GIS_HOST) && browser.ReadyState() == 4 &&
                    !browser.Busy();
         }));
         t.CloseAfter(800);
         t.Form().ButtonGetCoord->Click();
     },
     {}},
    {"WaitSeconds",
     [](CloseDuringWaitTest& t) {
         // The map's end of loading: three seconds before the window is unlocked.
         t.CloseAfter(300);
         RunHandler([&] { t.Form().BrowserNyusatsuInfoNavigateComplete2(nullptr, "about:blank"); });
     },
     {}},
};

INSTANTIATE_TEST_SUITE_P(Waits, CloseDuringWaitTest, testing::ValuesIn(kCloseCases),
                         [](const testing::TestParamInfo<CloseCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
