// The main window shown on the tests' X server: clicked with the X server's own mouse input and
// closed as the desktop closes it (WM_DELETE_WINDOW), while its handlers run and wait.
#include "MainFormFixture.h"
#include "ScriptedRoutePage.h"
#include "SteppingClock.h"
#include "TWaitCalcForm.h"
#include "WebBrowserAccess.h"

#include "model/SharedConstants.h"

#include "platform/DesktopWindows.h"
#include "platform/browser/testing/BrowserTesting.h"
#include "platform/browser/testing/HeldPage.h"
#include "platform/qt/ErrorDisplay.h"
#include "platform/qt/QtText.h"
#include "platform/testing/ClientMarks.h"
#include "platform/testing/LocalHttpServer.h"
#include "platform/testing/UserInput.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <chrono>
#include <functional>
#include <optional>
#include <thread>

#include <xcb/xcb.h>

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

// The route page on the window's own browser, loaded from the test's server in place of the
// deployment address; every navigation and document access of the handlers is counted.
class ServedRoutePage : public WebBrowserAccess {
public:
    ServedRoutePage(TWebBrowser& browser, AnsiString address, int& accesses)
        : WebBrowserAccess(browser), address_(std::move(address)), accesses_(accesses) {}

    // Loads of the route page so far.
    int loads = 0;
    // Runs before each read of the length field.
    std::function<void()> beforeLengthRead;

    void Navigate(const AnsiString& url) override {
        ++accesses_;
        if (url == FromWide(URL_ROUTE_PAGE)) {
            ++loads;
            WebBrowserAccess::Navigate(address_);
        } else {
            WebBrowserAccess::Navigate(url);
        }
    }
    AnsiString BodyInnerHTML() override {
        ++accesses_;
        return WebBrowserAccess::BodyInnerHTML();
    }
    AnsiString FormFieldValue(const AnsiString& form, const AnsiString& field) override {
        ++accesses_;
        if (field == "totaldaze" && beforeLengthRead) {
            beforeLengthRead();
        }
        return WebBrowserAccess::FormFieldValue(form, field);
    }
    void SetFormFieldValue(const AnsiString& form, const AnsiString& field, double value) override {
        ++accesses_;
        WebBrowserAccess::SetFormFieldValue(form, field, value);
    }
    void SetFormFieldChecked(const AnsiString& form, const AnsiString& field,
                             bool checked) override {
        ++accesses_;
        WebBrowserAccess::SetFormFieldChecked(form, field, checked);
    }

private:
    AnsiString address_;
    int& accesses_;
};

// Sees the program handle marks of one name (ClientMarks.h), and takes them.
class MarkWatch : public QAbstractNativeEventFilter {
public:
    explicit MarkWatch(const std::string& name) : atom_(client_marks::MarkAtom(name)) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~MarkWatch() override { QCoreApplication::instance()->removeNativeEventFilter(this); }
    MarkWatch(const MarkWatch&) = delete;
    MarkWatch& operator=(const MarkWatch&) = delete;

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") {
            return false;
        }
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & ~0x80) != XCB_CLIENT_MESSAGE ||
            reinterpret_cast<const xcb_client_message_event_t*>(event)->type != atom_) {
            return false;
        }
        seen = true;
        if (onSeen) {
            onSeen();
        }
        return true;
    }

    bool seen = false;
    std::function<void()> onSeen;

private:
    std::uint32_t atom_;
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

    // The route page becomes the window's own browser on a stand-in page of the test's server
    // that never writes a length; its map shows a scale in km. The scripted page is kept aside.
    ServedRoutePage& UseServedRoutePage() {
        server.ServeFolder(DESKTOP_TEST_PAGES);
        scripted = std::move(Form().RoutePage);
        auto page = std::make_unique<ServedRoutePage>(
            *Form().BrowserGoogleMaps,
            FromQString(
                QString::fromStdString(server.Url("route.example.localhost", "/route.html"))),
            pageAccesses);
        ServedRoutePage& served = *page;
        Form().RoutePage = std::move(page);
        return served;
    }
    // The page holds itself busy from the first read of the length after its given load. Once
    // let go it runs `afterwards` before it answers that read.
    void HoldAtLengthReadAfterLoad(ServedRoutePage& page, int load, QString afterwards = {}) {
        page.beforeLengthRead = [this, &page, load, afterwards] {
            if (page.loads == load && !holdStarted) {
                holdStarted = true;
                held.Start(*Form().BrowserGoogleMaps);
                if (!afterwards.isEmpty()) {
                    // Sent after the held request and before the read: the page runs its
                    // scripts in the order they were sent.
                    Form().BrowserGoogleMaps->Page()->runJavaScript(afterwards,
                                                                    QWebEngineScript::MainWorld);
                }
            }
        };
    }
    // The desktop asks the main window to close while a handler waits in a document access; this
    // returns once the request has reached the program (a mark sent after it has been handled),
    // handling meanwhile what the document access would, without user input.
    void CloseFromDesktopDuringRead() {
        const std::string name = "VAKREL_TEST_CLOSE_SENT";
        MarkWatch mark(name);
        QEventLoop loop;
        mark.onSeen = [&loop] { loop.quit(); };
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        closedAt.start();
        ASSERT_TRUE(desktop::SendCloseRequest(Form().winId()));
        ASSERT_TRUE(client_marks::SendMark(Form().winId(), name));
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        ASSERT_TRUE(mark.seen) << "the close request never reached the program";
    }
    // Sends the first row to the served route page, then clicks the fetch, whose first read of
    // the length is held; the page runs `afterwards` once let go, before it answers.
    void FetchWithHeldLengthRead(const QString& afterwards = {}) {
        Calculate();
        ServedRoutePage& page = UseServedRoutePage();
        Form().StringGrid->SetRow(1);
        ClickOn(Form().ButtonSendLaLo);
        // The send has run to its end once it has loaded the page and enabled the fetch.
        ASSERT_TRUE(
            WaitUntil([&] { return page.loads == 1 && Form().ButtonGetDistance->isEnabled(); }));
        HoldAtLengthReadAfterLoad(page, 1, afterwards);
        CloseDuringHeldReadOf(Form().ButtonGetDistance);
        ClickOn(Form().ButtonGetDistance);
    }
    // Clicks the refinement of the top two, whose read of the length after the given load of the
    // route page is held, as in FetchWithHeldLengthRead.
    void RefineWithHeldLengthRead(int load, const QString& afterwards = {}) {
        Calculate();
        ServedRoutePage& page = UseServedRoutePage();
        HoldAtLengthReadAfterLoad(page, load, afterwards);
        CloseDuringHeldReadOf(Form().BitBtnGetLowest);
        Form().EditGetLowest->SetText("2");
        messages.Answer(mb::IDYES);
        ClickOn(Form().BitBtnGetLowest);
    }
    // Closes the window from the desktop while the button's handler waits for a document access
    // of the held page, then lets the page answer. A document access is the only event loop the
    // handlers run (their other waits handle messages in place): the close comes from the first
    // one that runs inside the handler while the page is held.
    void CloseDuringHeldReadOf(TButton* button) {
        auto handler = button->OnClick;
        button->OnClick = [this, handler] {
            handlerLoops = QThread::currentThread()->loopLevel();
            handler();
        };
        auto* poll = new QTimer(&Form());
        QObject::connect(poll, &QTimer::timeout, poll, [this, poll] {
            if (handlerLoops >= 0 && QThread::currentThread()->loopLevel() > handlerLoops &&
                held.Held()) {
                poll->stop();
                CloseFromDesktopDuringRead();
                held.Release();
            }
        });
        poll->start(1);
    }

    LocalHttpServer server;
    HeldPage held{server};
    // Navigations and document accesses of the pages that the handlers work on.
    int pageAccesses = 0;

private:
    SteppingClock clock;
    std::optional<ClockScope> scope;
    std::unique_ptr<BrowserAccess> scripted;
    bool holdStarted = false;
    // The event loops running when the button's handler started; -1 before.
    int handlerLoops = -1;
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
    const int accesses = pageAccesses;
    Pump(1500);
    EXPECT_TRUE(loopEnded);
    EXPECT_LT(unwound, 2000) << "ms from the close until the handler had returned";
    EXPECT_EQ(messages.Calls(), GetParam().before) << "nothing is shown after the close";
    EXPECT_EQ(route->log.size(), navigations) << "nothing more is sent or fetched";
    EXPECT_EQ(route->bodyReads, reads);
    EXPECT_EQ(pageAccesses, accesses) << "no page is navigated, read or written after the close";
    EXPECT_FALSE(WaitDialogShown());
    EXPECT_FALSE(Form().isVisible());
}

// Takes the route page's form away: a read of its length then raises EWebBrowserError.
const QString kRemoveRouteForm = QStringLiteral("document.forms.fm.remove();");

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
    // The close comes while a document access waits for the held page, and the access that
    // holds user input back is the last wait before a failure message: the fetch's reads of the
    // length (距離の計算に失敗), the pick-up's last read of the pop-up (座標取得失敗), the
    // refinement's third failed fetch (計算失敗).
    {"FetchLengthRead", [](CloseDuringWaitTest& t) { t.FetchWithHeldLengthRead(); }, {}},
    // The read during which the close comes then fails, and its error leaves the handler: the
    // page, let go, removes its form before it answers. The fetch's read of the length, and the
    // refinement's, whose silent fetches pass their errors on.
    {"FetchLengthReadThatFails",
     [](CloseDuringWaitTest& t) { t.FetchWithHeldLengthRead(kRemoveRouteForm); },
     {}},
    {"TopNFetchReadThatFails",
     [](CloseDuringWaitTest& t) { t.RefineWithHeldLengthRead(1, kRemoveRouteForm); },
     {kConfirmTopTwo}},
    {"CoordinatePopupRead",
     [](CloseDuringWaitTest& t) {
         t.UseSteppingClock();
         t.server.ServeFolder(DESKTOP_TEST_PAGES);
         TWebBrowser& browser = *t.Form().BrowserNyusatsuInfo;
         // The pick-up tries ten times; the page is held at the last.
         browser.Navigate(FromQString(
             QString::fromStdString(t.server.Url(GIS_HOST.ToUtf8(), "/map.html?holdAt=10"))));
         ASSERT_TRUE(WaitUntil([&] {
             return browser.LocationURL().Contains(GIS_HOST) && browser.ReadyState() == 4 &&
                    !browser.Busy();
         }));
         auto before = browser.OnBeforeNavigate2;
         browser.OnBeforeNavigate2 = [&t, before](TWebBrowser* sender, const AnsiString& url,
                                                  bool& cancel) {
             ++t.pageAccesses;
             before(sender, url, cancel);
         };
         t.CloseDuringHeldReadOf(t.Form().ButtonGetCoord);
         t.Form().ButtonGetCoord->Click();
     },
     {}},
    {"TopNThirdFetchRead",
     [](CloseDuringWaitTest& t) { t.RefineWithHeldLengthRead(3); },
     {kConfirmTopTwo}},
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
