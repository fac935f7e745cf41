#include "BrowserFixture.h"

#include <QApplication>
#include <QPointer>

#include <vector>

namespace {

using PopupTest = BrowserTest;

// The browsers in windows of their own, apart from the ones a test made.
std::vector<TWebBrowser*> OutsideWindows(const std::vector<const TWebBrowser*>& known) {
    std::vector<TWebBrowser*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* browser = dynamic_cast<TWebBrowser*>(widget);
        if (browser != nullptr && browser->isVisible() &&
            std::find(known.begin(), known.end(), browser) == known.end()) {
            windows.push_back(browser);
        }
    }
    return windows;
}

bool OpenPopup(TWebBrowser& opener, const AnsiString& address) {
    return EvaluateScript(opener, QStringLiteral("openPopup('%1')").arg(ToQString(address)))
        .toBool();
}

TEST_F(PopupTest, APopupHandedToAnotherBrowserLoadsThere) {
    auto opener = MakeBrowser();
    auto target = MakeBrowser();
    Load(*opener, QStringLiteral("/opener.html"));
    Load(*target, QStringLiteral("/second.html"));
    int requests = 0;
    opener->OnNewWindow2 = [&](TWebBrowser* sender, TWebBrowser*& newWindow) {
        EXPECT_EQ(sender, opener.get());
        EXPECT_EQ(newWindow, nullptr);
        ++requests;
        newWindow = target.get();
    };
    std::vector<AnsiString> completed;
    target->OnNavigateComplete2 = [&](TWebBrowser* sender, const AnsiString& url) {
        EXPECT_EQ(sender, target.get());
        completed.push_back(url);
    };
    const AnsiString popup = Address(QStringLiteral("/popup.html"));
    ASSERT_TRUE(OpenPopup(*opener, popup));
    ASSERT_TRUE(WaitUntil([&] {
        return target->LocationURL() == popup && !target->Busy() && target->ReadyState() == 4;
    })) << target->LocationURL();
    EXPECT_EQ(requests, 1);
    EXPECT_EQ(completed, std::vector<AnsiString>{popup});
    EXPECT_EQ(Text(*target, QStringLiteral("out")), QStringLiteral("pop-up"));
    // Still the opener's pop-up, and the opener stays where it was.
    EXPECT_EQ(EvaluateScript(*target, QStringLiteral("window.opener !== null")), QVariant(true));
    EXPECT_EQ(opener->LocationURL(), Address(QStringLiteral("/opener.html")));
    EXPECT_TRUE(OutsideWindows({opener.get(), target.get()}).empty());
}

TEST_F(PopupTest, PopupsOfScriptLinksAndFormsArriveWhole) {
    // A script link is offered first and its pop-up requested after; a form sent to a new
    // window arrives there with its data.
    server.Handle("/submit",
                  [this](const HttpRequest&) { return server.FileResponse("/second.html"); });
    struct Case {
        QString element;
        QString popupPath;
    };
    for (const Case& c : {Case{QStringLiteral("search"), QStringLiteral("/popup.html")},
                          Case{QStringLiteral("send"), QStringLiteral("/submit")}}) {
        auto opener = MakeBrowser();
        auto target = MakeBrowser();
        Load(*opener, QStringLiteral("/opener.html"));
        std::vector<std::string> events;
        opener->OnBeforeNavigate2 = [&](TWebBrowser*, const AnsiString& url, bool&) {
            events.push_back("BeforeNavigate2 " + url.ToUtf8());
        };
        opener->OnNewWindow2 = [&](TWebBrowser*, TWebBrowser*& newWindow) {
            events.push_back("NewWindow2");
            newWindow = target.get();
        };
        Click(*opener, c.element);
        ASSERT_TRUE(WaitUntil([&] {
            return target->LocationURL() == Address(c.popupPath) && !target->Busy();
        })) << target->LocationURL();
        if (c.element == QStringLiteral("search")) {
            EXPECT_EQ(events, (std::vector<std::string>{
                                  "BeforeNavigate2 javascript:openPopup('popup.html');void(0);",
                                  "NewWindow2"}));
        } else {
            EXPECT_EQ(events, std::vector<std::string>{"NewWindow2"});
            const HttpRequest post = server.ReceivedRequests().back();
            EXPECT_EQ(post.path, "/submit");
            EXPECT_EQ(post.method, "POST");
            EXPECT_EQ(post.body, "q=abc");
        }
        EXPECT_EQ(opener->LocationURL(), Address(QStringLiteral("/opener.html")));
    }
}

TEST_F(PopupTest, APopupNotHandedOverOpensInAWindowOfItsOwn) {
    for (bool withHandler : {false, true}) {
        auto opener = MakeBrowser();
        Load(*opener, QStringLiteral("/opener.html"));
        int requests = 0;
        if (withHandler) {
            opener->OnNewWindow2 = [&](TWebBrowser*, TWebBrowser*&) { ++requests; };
        }
        const AnsiString popup = Address(QStringLiteral("/popup.html"));
        ASSERT_TRUE(OpenPopup(*opener, popup));
        std::vector<TWebBrowser*> windows;
        ASSERT_TRUE(WaitUntil([&] {
            windows = OutsideWindows({opener.get()});
            return windows.size() == 1 && windows[0]->LocationURL() == popup && !windows[0]->Busy();
        }));
        EXPECT_EQ(requests, withHandler ? 1 : 0);
        QPointer<TWebBrowser> window(windows[0]);
        EXPECT_TRUE(window->isWindow());
        EXPECT_EQ(window->size(), QSize(420, 260));
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Pop-up"));
        EXPECT_EQ(opener->LocationURL(), Address(QStringLiteral("/opener.html")));
        // The page may close its own window.
        EvaluateScript(*window, QStringLiteral("closeMe(); 1"));
        EXPECT_TRUE(WaitUntil([&] { return window.isNull(); }));
    }
}

TEST_F(PopupTest, AHandlerMayReplaceTheBrowserOfTheLastPopup) {
    // As a program does with a small window per pop-up: each request deletes the last window's
    // browser and makes a new one.
    auto opener = MakeBrowser();
    Load(*opener, QStringLiteral("/opener.html"));
    std::unique_ptr<TWebBrowser> current;
    QPointer<TWebBrowser> first;
    int requests = 0;
    opener->OnNewWindow2 = [&](TWebBrowser*, TWebBrowser*& newWindow) {
        current = MakeBrowser();
        if (++requests == 1) {
            first = current.get();
        }
        newWindow = current.get();
    };
    ASSERT_TRUE(OpenPopup(*opener, Address(QStringLiteral("/popup.html"))));
    ASSERT_TRUE(
        WaitUntil([&] { return current && !current->Busy() && current->ReadyState() == 4; }));
    ASSERT_TRUE(OpenPopup(*opener, Address(QStringLiteral("/second.html"))));
    ASSERT_TRUE(WaitUntil([&] {
        return first.isNull() &&
               current->LocationURL() == Address(QStringLiteral("/second.html")) &&
               !current->Busy();
    }));
    EXPECT_EQ(requests, 2);
    EXPECT_EQ(Text(*current, QStringLiteral("out")), QStringLiteral("Second page"));
    EXPECT_TRUE(OutsideWindows({opener.get(), current.get()}).empty());
}

} // namespace
