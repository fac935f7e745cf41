#include "BrowserFixture.h"

#include "platform/browser/testing/BrowserTesting.h"

#include <QFile>
#include <QWebEnginePage>

#include <vector>

namespace {

using NavigationTest = BrowserTest;

HttpResponse SlowPage(const LocalHttpServer& server) {
    HttpResponse response = server.FileResponse("/second.html");
    // The document arrives after a while, and its end later still.
    response.delayMs = 400;
    response.pauseAfter = 40;
    response.pauseMs = 400;
    return response;
}

TEST_F(NavigationTest, StatesFollowASlowPageAndLocationChangesWithItsDocument) {
    server.Handle("/slow.html", [this](const HttpRequest&) { return SlowPage(server); });
    auto browser = MakeBrowser();
    EXPECT_EQ(browser->LocationURL(), "");
    EXPECT_FALSE(browser->Busy());
    EXPECT_EQ(browser->ReadyState(), 0);

    // Busy at once, although the engine has not started yet; the address shows only once the
    // document is there.
    const AnsiString slow = Address(QStringLiteral("/slow.html"));
    browser->Navigate(slow);
    EXPECT_TRUE(browser->Busy());
    EXPECT_EQ(browser->ReadyState(), 1);
    EXPECT_EQ(browser->LocationURL(), "");
    std::vector<int> states;
    ASSERT_TRUE(WaitUntil([&] {
        if (states.empty() || states.back() != browser->ReadyState()) {
            states.push_back(browser->ReadyState());
        }
        return browser->ReadyState() == 4 && !browser->Busy();
    }));
    EXPECT_EQ(states, (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(browser->LocationURL(), slow);
    EXPECT_EQ(Text(*browser, QStringLiteral("out")), QStringLiteral("Second page"));

    // A second navigation keeps the old address until its document comes.
    Load(*browser, QStringLiteral("/index.html"));
    browser->Navigate(slow);
    EXPECT_TRUE(browser->Busy());
    EXPECT_EQ(browser->LocationURL(), Address(QStringLiteral("/index.html")));
    ASSERT_TRUE(WaitUntilComplete(*browser));
    EXPECT_EQ(browser->LocationURL(), slow);
}

TEST_F(NavigationTest, PollingUntilCompleteNeverStopsEarly) {
    // The way the programs wait: pump once per turn while ReadyState is not 4 or Busy holds.
    server.Handle("/slow.html", [this](const HttpRequest&) { return SlowPage(server); });
    auto browser = MakeBrowser();
    Load(*browser, QStringLiteral("/index.html"));
    for (int round = 0; round < 2; ++round) {
        browser->Navigate(Address(QStringLiteral("/slow.html")));
        ASSERT_TRUE(WaitUntil([&] { return browser->ReadyState() == 4 && !browser->Busy(); }));
        EXPECT_EQ(Text(*browser, QStringLiteral("out")), QStringLiteral("Second page"));
        Load(*browser, QStringLiteral("/index.html"));
    }
}

TEST_F(NavigationTest, TheLateEndOfALoadDoesNotEndTheNextNavigation) {
    // The engine reports a load's end a turn after the load has stopped; a wait can see the page
    // complete before it, and the next navigation be asked for. That end then comes while the
    // next navigation has not started yet.
    server.Handle("/slow.html", [this](const HttpRequest&) { return SlowPage(server); });
    auto browser = MakeBrowser();
    Load(*browser, QStringLiteral("/index.html"));
    const AnsiString slow = Address(QStringLiteral("/slow.html"));
    browser->Navigate(slow);
    emit browser->Page()->loadFinished(true);
    EXPECT_TRUE(browser->Busy());
    EXPECT_NE(browser->ReadyState(), 4);
    ASSERT_TRUE(WaitUntilComplete(*browser));
    EXPECT_EQ(browser->LocationURL(), slow);
    EXPECT_EQ(Text(*browser, QStringLiteral("out")), QStringLiteral("Second page"));
}

TEST_F(NavigationTest, FailedLoadsEndAsComplete) {
    // A host that does not answer and a missing page both end the wait, and both report their
    // address as completed.
    auto browser = MakeBrowser();
    std::vector<AnsiString> completed;
    browser->OnNavigateComplete2 = [&](TWebBrowser*, const AnsiString& url) {
        completed.push_back(url);
    };
    for (const AnsiString& address : {AnsiString("http://127.0.0.1:1/nothing.html"),
                                      Address(QStringLiteral("/missing.html"))}) {
        completed.clear();
        browser->Navigate(address);
        ASSERT_TRUE(WaitUntilComplete(*browser)) << address;
        EXPECT_EQ(browser->LocationURL(), address);
        EXPECT_TRUE(WaitUntil([&] { return !completed.empty(); }));
        EXPECT_EQ(completed, std::vector<AnsiString>{address});
    }
}

TEST_F(NavigationTest, JavascriptAddressRunsInThePageAndKeepsTheLocation) {
    struct Case {
        bool cancel;
        QString text;
    };
    for (const Case& c :
         {Case{false, QStringLiteral("a b:c")}, Case{true, QStringLiteral("nothing yet")}}) {
        auto browser = MakeBrowser();
        Load(*browser, QStringLiteral("/index.html"));
        std::vector<AnsiString> offered;
        browser->OnBeforeNavigate2 = [&](TWebBrowser* sender, const AnsiString& url, bool& cancel) {
            EXPECT_EQ(sender, browser.get());
            offered.push_back(url);
            cancel = c.cancel;
        };
        const AnsiString script = "javascript:mark('a%20b', 'c');void(0);";
        browser->Navigate(script);
        // Offered at once, with the address as given.
        EXPECT_EQ(offered, std::vector<AnsiString>{script});
        EXPECT_TRUE(WaitUntil([&] { return Text(*browser, QStringLiteral("out")) == c.text; }))
            << Text(*browser, QStringLiteral("out")).toStdString();
        EXPECT_EQ(browser->LocationURL(), Address(QStringLiteral("/index.html")));
        EXPECT_FALSE(browser->Busy());
        EXPECT_EQ(browser->ReadyState(), 4);
    }
}

TEST_F(NavigationTest, HistoryStepsAndIgnoresItsEnds) {
    auto browser = MakeBrowser();
    // Nothing to go back or forward to yet.
    browser->GoBack();
    browser->GoForward();
    EXPECT_FALSE(browser->Busy());
    EXPECT_EQ(browser->LocationURL(), "");

    Load(*browser, QStringLiteral("/index.html"));
    Load(*browser, QStringLiteral("/second.html"));
    browser->GoForward();
    EXPECT_FALSE(browser->Busy());
    browser->GoBack();
    EXPECT_TRUE(browser->Busy());
    ASSERT_TRUE(WaitUntilComplete(*browser));
    EXPECT_EQ(browser->LocationURL(), Address(QStringLiteral("/index.html")));
    browser->GoBack();
    EXPECT_FALSE(browser->Busy());
    browser->GoForward();
    ASSERT_TRUE(WaitUntilComplete(*browser));
    EXPECT_EQ(browser->LocationURL(), Address(QStringLiteral("/second.html")));
}

} // namespace
