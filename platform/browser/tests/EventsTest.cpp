#include "BrowserFixture.h"

#include "platform/MessageBox.h"
#include "platform/browser/EWebBrowserError.h"
#include "platform/qt/ErrorDisplay.h"
#include "platform/testing/MessageBoxRecorder.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace {

using EventsTest = BrowserTest;

// Runs the message loop for a while from inside a handler, as a program's timed wait does.
void PumpFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool WasRequested(const LocalHttpServer& server, const std::string& path) {
    const auto requests = server.ReceivedRequests();
    return std::any_of(requests.begin(), requests.end(),
                       [&](const HttpRequest& request) { return request.path == path; });
}

struct LinkCase {
    const char* name;
    QString element;
    bool cancel;
    // Offered address: a path on the server, or a "javascript:" address as written.
    QString offered;
    QString locationPath;
    QString out;
};

void PrintTo(const LinkCase& c, std::ostream* out) {
    *out << c.name;
}

class BeforeNavigate2Test : public BrowserTest, public testing::WithParamInterface<LinkCase> {};

TEST_P(BeforeNavigate2Test, OffersTheNavigationAndHonoursTheAnswer) {
    const LinkCase& c = GetParam();
    server.Handle("/submit",
                  [this](const HttpRequest&) { return server.FileResponse("/second.html"); });
    auto browser = MakeBrowser();
    Load(*browser, QStringLiteral("/index.html"));
    std::vector<AnsiString> offered;
    browser->OnBeforeNavigate2 = [&](TWebBrowser*, const AnsiString& url, bool& cancel) {
        offered.push_back(url);
        cancel = c.cancel;
    };
    Click(*browser, c.element);
    const AnsiString expected = c.offered.startsWith(QStringLiteral("javascript:"))
                                    ? FromQString(c.offered)
                                    : Address(c.offered);
    ASSERT_TRUE(WaitUntil([&] { return !offered.empty(); }));
    EXPECT_EQ(offered, std::vector<AnsiString>{expected});
    ASSERT_TRUE(WaitUntil([&] {
        return !browser->Busy() && browser->LocationURL() == Address(c.locationPath) &&
               Text(*browser, QStringLiteral("out")) == c.out;
    })) << browser->LocationURL()
        << " " << Text(*browser, QStringLiteral("out")).toStdString();
    EXPECT_EQ(browser->ReadyState(), 4);
}

INSTANTIATE_TEST_SUITE_P(
    Links, BeforeNavigate2Test,
    testing::Values(
        LinkCase{"Link", "plain", false, "/second.html", "/second.html", "Second page"},
        LinkCase{"LinkCancelled", "plain", true, "/second.html", "/index.html", "nothing yet"},
        LinkCase{"FormPost", "send", false, "/submit", "/submit", "Second page"},
        LinkCase{"FormPostCancelled", "send", true, "/submit", "/index.html", "nothing yet"},
        LinkCase{"ScriptLink", "script", false, "javascript:mark('clicked', 'one');void(0);",
                 "/index.html", "clicked:one"},
        LinkCase{"ScriptLinkCancelled", "script", true,
                 "javascript:mark('clicked', 'one');void(0);", "/index.html", "nothing yet"},
        LinkCase{"Fragment", "fragment", false, "/index.html#part", "/index.html#part",
                 "nothing yet"},
        LinkCase{"FragmentCancelled", "fragment", true, "/index.html#part", "/index.html",
                 "nothing yet"}),
    [](const testing::TestParamInfo<LinkCase>& info) { return std::string(info.param.name); });

TEST_F(EventsTest, CancelledNavigationsSendNothing) {
    // A cancelled form leaves the server untouched; an allowed one arrives with its data.
    server.Handle("/submit",
                  [this](const HttpRequest&) { return server.FileResponse("/second.html"); });
    for (bool cancel : {true, false}) {
        auto browser = MakeBrowser();
        Load(*browser, QStringLiteral("/index.html"));
        int offered = 0;
        browser->OnBeforeNavigate2 = [&](TWebBrowser*, const AnsiString&, bool& cancelled) {
            ++offered;
            cancelled = cancel;
        };
        Click(*browser, QStringLiteral("send"));
        ASSERT_TRUE(WaitUntil([&] { return offered == 1 && !browser->Busy(); }));
        EXPECT_EQ(WasRequested(server, "/submit"), !cancel);
    }
    ASSERT_TRUE(WasRequested(server, "/submit"));
    const HttpRequest post = server.ReceivedRequests().back();
    EXPECT_EQ(post.method, "POST");
    EXPECT_EQ(post.body, "q=abc");
}

TEST_F(EventsTest, ALinkThatItsPageStopsIsNotOffered) {
    auto browser = MakeBrowser();
    Load(*browser, QStringLiteral("/index.html"));
    int offered = 0;
    browser->OnBeforeNavigate2 = [&](TWebBrowser*, const AnsiString&, bool&) { ++offered; };
    Click(*browser, QStringLiteral("prevented"));
    Click(*browser, QStringLiteral("script"));
    ASSERT_TRUE(WaitUntil([&] { return Text(*browser, QStringLiteral("out")) == "clicked:one"; }));
    EXPECT_EQ(offered, 1);
}

TEST_F(EventsTest, NavigateComplete2ReportsTheMainFrameThenEveryFrame) {
    auto browser = MakeBrowser();
    std::vector<AnsiString> completed;
    browser->OnNavigateComplete2 = [&](TWebBrowser* sender, const AnsiString& url) {
        EXPECT_EQ(sender, browser.get());
        completed.push_back(url);
    };
    Load(*browser, QStringLiteral("/frames.html"));
    // The frame added after loading is an about:blank frame too.
    ASSERT_TRUE(WaitUntil([&] { return completed.size() >= 4; }));
    EXPECT_EQ(completed.front(), Address(QStringLiteral("/frames.html")));
    std::vector<AnsiString> frames(completed.begin() + 1, completed.end());
    std::sort(frames.begin(), frames.end());
    EXPECT_EQ(frames, (std::vector<AnsiString>{"about:blank", "about:blank",
                                               Address(QStringLiteral("/frame.html"))}));
    // Nothing reported twice.
    EvaluateScript(*browser, QStringLiteral("1"));
    EXPECT_EQ(completed.size(), 4u);
}

TEST_F(EventsTest, SubFrameNavigationsAreOfferedAndCanBeCancelled) {
    auto browser = MakeBrowser();
    std::vector<AnsiString> offered;
    std::vector<AnsiString> completed;
    browser->OnBeforeNavigate2 = [&](TWebBrowser*, const AnsiString& url, bool& cancel) {
        offered.push_back(url);
        cancel = url.Contains("frame.html") && !url.Contains("frames.html");
    };
    browser->OnNavigateComplete2 = [&](TWebBrowser*, const AnsiString& url) {
        completed.push_back(url);
    };
    Load(*browser, QStringLiteral("/frames.html"));
    ASSERT_TRUE(WaitUntil([&] { return completed.size() >= 3; }));
    EXPECT_EQ(offered, (std::vector<AnsiString>{Address(QStringLiteral("/frames.html")),
                                                Address(QStringLiteral("/frame.html"))}));
    EXPECT_EQ(completed, (std::vector<AnsiString>{Address(QStringLiteral("/frames.html")),
                                                  "about:blank", "about:blank"}));
    EXPECT_FALSE(WasRequested(server, "/frame.html"));
}

TEST_F(EventsTest, ScriptLinksInAFrameRunInThatFrameUnlessCancelled) {
    for (bool cancel : {true, false}) {
        auto browser = MakeBrowser();
        Load(*browser, QStringLiteral("/frames.html"));
        ASSERT_TRUE(WaitUntil([&] {
            return EvaluateScript(*browser, QStringLiteral("frames[0].document.readyState")) ==
                   QStringLiteral("complete");
        }));
        std::vector<AnsiString> offered;
        browser->OnBeforeNavigate2 = [&](TWebBrowser*, const AnsiString& url, bool& cancelled) {
            offered.push_back(url);
            cancelled = cancel;
        };
        EvaluateScript(*browser,
                       QStringLiteral("frames[0].document.getElementById('script').click(); 1"));
        ASSERT_TRUE(WaitUntil([&] { return !offered.empty(); }));
        EXPECT_EQ(offered, std::vector<AnsiString>{"javascript:mark('frame', 'link');void(0);"});
        const QString expected = cancel ? QStringLiteral("frame") : QStringLiteral("frame:link");
        const QString frameOut =
            QStringLiteral("frames[0].document.getElementById('out').textContent");
        EXPECT_TRUE(WaitUntil([&] { return EvaluateScript(*browser, frameOut) == expected; }))
            << EvaluateScript(*browser, frameOut).toString().toStdString();
        // The main frame's own script was not touched.
        EXPECT_EQ(browser->LocationURL(), Address(QStringLiteral("/frames.html")));
    }
}

TEST_F(EventsTest, HandlersThatPumpMessagesDoNotHang) {
    MessageBoxRecorder recorder;
    auto browser = MakeBrowser();
    Load(*browser, QStringLiteral("/index.html"));
    int offered = 0;
    AnsiString body;
    browser->OnBeforeNavigate2 = [&](TWebBrowser*, const AnsiString&, bool&) {
        ++offered;
        PumpFor(50);
        ShowMessageBox("pumping", "caption", mb::ICONWARNING | mb::TOPMOST);
    };
    browser->OnNavigateComplete2 = [&](TWebBrowser* sender, const AnsiString& url) {
        PumpFor(50);
        if (url == Address(QStringLiteral("/second.html"))) {
            body = sender->BodyInnerHTML();
        }
    };
    Click(*browser, QStringLiteral("plain"));
    ASSERT_TRUE(WaitUntil([&] { return !body.IsEmpty(); }));
    EXPECT_TRUE(body.Contains("Second page")) << body;
    EXPECT_EQ(offered, 1);
    EXPECT_EQ(recorder.Calls(), (std::vector<MessageBoxRecorder::Call>{
                                    {"pumping", "caption", mb::ICONWARNING | mb::TOPMOST}}));

    // Script links are offered from the message loop; the handler may read the document there.
    AnsiString during;
    browser->OnBeforeNavigate2 = [&](TWebBrowser* sender, const AnsiString&, bool&) {
        PumpFor(50);
        during = sender->BodyInnerHTML();
    };
    Load(*browser, QStringLiteral("/index.html"));
    during = AnsiString();
    Click(*browser, QStringLiteral("script"));
    ASSERT_TRUE(WaitUntil([&] { return Text(*browser, QStringLiteral("out")) == "clicked:one"; }));
    EXPECT_TRUE(during.Contains("nothing yet")) << during;
}

TEST_F(EventsTest, DocumentAccessWhileTheEngineWaitsRaisesToTheErrorDisplay) {
    MessageBoxRecorder recorder;
    SetApplicationTitle("Browser test");
    auto browser = MakeBrowser();
    Load(*browser, QStringLiteral("/index.html"));
    bool after = false;
    browser->OnBeforeNavigate2 = [&](TWebBrowser* sender, const AnsiString&, bool&) {
        sender->BodyInnerHTML();
        after = true;
    };
    Click(*browser, QStringLiteral("plain"));
    // The error ends the handler, not the navigation.
    ASSERT_TRUE(WaitUntil([&] {
        return !browser->Busy() &&
               browser->LocationURL() == Address(QStringLiteral("/second.html"));
    }));
    EXPECT_FALSE(after);
    EXPECT_EQ(
        recorder.Calls(),
        (std::vector<MessageBoxRecorder::Call>{
            {u8"Web ブラウザが移動の可否を待っている間は、ドキュメントにアクセスできません。"_sj,
             "Browser test", 0x10}}));
}

TEST_F(EventsTest, AHandlerMayCancelAndNavigateElsewhere) {
    auto browser = MakeBrowser();
    Load(*browser, QStringLiteral("/index.html"));
    std::vector<AnsiString> offered;
    browser->OnBeforeNavigate2 = [&](TWebBrowser* sender, const AnsiString& url, bool& cancel) {
        offered.push_back(url);
        if (url.Contains("second.html")) {
            cancel = true;
            sender->Navigate(Address(QStringLiteral("/form.html")));
        }
    };
    Click(*browser, QStringLiteral("plain"));
    ASSERT_TRUE(WaitUntil([&] {
        return browser->LocationURL() == Address(QStringLiteral("/form.html")) && !browser->Busy();
    }));
    EXPECT_EQ(offered, (std::vector<AnsiString>{Address(QStringLiteral("/second.html")),
                                                Address(QStringLiteral("/form.html"))}));
}

TEST_F(EventsTest, AHandlerMayDeleteItsOwnBrowser) {
    auto browser = MakeBrowser();
    Load(*browser, QStringLiteral("/index.html"));
    QPointer<TWebBrowser> watch(browser.get());
    browser->OnBeforeNavigate2 = [&](TWebBrowser*, const AnsiString&, bool& cancel) {
        browser.reset();
        cancel = true;
    };
    Click(*browser, QStringLiteral("plain"));
    ASSERT_TRUE(WaitUntil([&] { return watch.isNull(); }));
    // The engine goes on serving other browsers.
    auto other = MakeBrowser();
    Load(*other, QStringLiteral("/second.html"));
    EXPECT_EQ(Text(*other, QStringLiteral("out")), QStringLiteral("Second page"));
}

TEST_F(EventsTest, PageDialogsGoThroughTheMessageBox) {
    MessageBoxRecorder recorder;
    recorder.Answer(mb::IDOK);
    recorder.Answer(mb::IDYES);
    auto browser = MakeBrowser();
    Load(*browser, QStringLiteral("/index.html"));
    EXPECT_EQ(EvaluateScript(*browser, QStringLiteral("alert('注意'); confirm('続けますか') && "
                                                      "!confirm('もう一度')")),
              QVariant(true));
    const AnsiString caption = u8"Web ページからのメッセージ"_sj;
    EXPECT_EQ(recorder.Calls(), (std::vector<MessageBoxRecorder::Call>{
                                    {u8"注意"_sj, caption, mb::ICONWARNING},
                                    {u8"続けますか"_sj, caption, mb::ICONQUESTION | mb::YESNO},
                                    {u8"もう一度"_sj, caption, mb::ICONQUESTION | mb::YESNO}}));
}

} // namespace
