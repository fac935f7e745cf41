#include "WebFlowsFixture.h"

#include "TSelectForm.h"

#include "model/SharedConstants.h"

#include "platform/qt/QtText.h"

#include <QPointer>

namespace {

class BiddingSiteTest : public WebFlowsTest {
protected:
    // Waits until the selection window shows the selection page of the kind.
    TSelectForm* AwaitSelection(const QString& kind) {
        TSelectForm* form = nullptr;
        EXPECT_TRUE(WaitUntil([&] {
            form = Form().PopupSelectForm.data();
            return form != nullptr &&
                   form->BrowserSelect->LocationURL().Contains(ToAnsi("kind=" + kind)) &&
                   form->BrowserSelect->ReadyState() == 4 && !form->BrowserSelect->Busy();
        })) << kind.toStdString();
        return form;
    }
    static AnsiString ToAnsi(const QString& text) { return FromQString(text); }
};

TEST_F(BiddingSiteTest, SearchResultsOpenOutsideTheProgramAndTheSearchIsForgotten) {
    StartOnBiddingSite();
    ClickLink(*Form().BrowserNyusatsuInfo, QStringLiteral("search"));
    std::vector<TWebBrowser*> windows;
    ASSERT_TRUE(WaitUntil([&] {
        windows = OutsideWindows();
        return windows.size() == 1 && windows[0]->LocationURL().Contains("/ppi/result.html") &&
               !windows[0]->Busy();
    }));
    EXPECT_EQ(Text(*windows[0], QStringLiteral("out")), QString::fromUtf8("検索結果"));
    EXPECT_EQ(Form().LastNavigateText, AnsiString()) << "cleared by the window it opened";
    EXPECT_TRUE(Form().PopupSelectForm.isNull());
    EXPECT_EQ(Form().BrowserTemp->LocationURL(), AnsiString());
    EXPECT_EQ(Form().BrowserNyusatsuInfo->LocationURL(), FromWide(URL_NYUSATSU_INFO));
    EXPECT_TRUE(messages.Calls().empty());
    delete windows[0];
}

TEST_F(BiddingSiteTest, SelectionPagesShowInOneStayOnTopWindowThatTheirEndHides) {
    StartOnBiddingSite();
    TWebBrowser& main = *Form().BrowserNyusatsuInfo;
    ClickLink(main, QStringLiteral("category"));
    QPointer<TSelectForm> first = AwaitSelection(QStringLiteral("categoryName"));
    ASSERT_FALSE(first.isNull());
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(first->isWindow());
    EXPECT_TRUE(first->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(first->windowTitle(), QString::fromUtf8("vor　入札情報サービス"));
    EXPECT_EQ(first->size(), QSize(620, 530)) << "636 x 568 with the frame";
    EXPECT_EQ(first->parentWidget(), &Form());
    EXPECT_EQ(Text(*first->BrowserSelect, QStringLiteral("kind")), QStringLiteral("categoryName"));

    // A second selection replaces the first.
    ClickLink(main, QStringLiteral("organ"));
    QPointer<TSelectForm> second = AwaitSelection(QStringLiteral("orderOrganHName"));
    EXPECT_TRUE(first.isNull());
    ASSERT_FALSE(second.isNull());

    // Other links of the page keep it; its end hides it, and the page goes on.
    ClickLink(*second->BrowserSelect, QStringLiteral("keep"));
    ASSERT_TRUE(
        WaitUntil([&] { return Text(*second->BrowserSelect, QStringLiteral("out")) == "kept"; }));
    EXPECT_TRUE(second->isVisible());
    ClickLink(*second->BrowserSelect, QStringLiteral("done"));
    ASSERT_TRUE(WaitUntil([&] { return !second->isVisible(); }));
    EXPECT_TRUE(
        WaitUntil([&] { return Text(*second->BrowserSelect, QStringLiteral("out")) == "chosen"; }));
    EXPECT_EQ(Form().PopupSelectForm.data(), second.data()) << "hidden, not deleted";

    // A link to the top of the first selection page ends it too ("1#").
    ClickLink(main, QStringLiteral("category"));
    QPointer<TSelectForm> third = AwaitSelection(QStringLiteral("categoryName"));
    ASSERT_FALSE(third.isNull());
    ClickLink(*third->BrowserSelect, QStringLiteral("top"));
    ASSERT_TRUE(WaitUntil([&] { return !third->isVisible(); }));

    // A change of page deletes it.
    EXPECT_TRUE(Form().PageControl->MayChange());
    EXPECT_TRUE(third.isNull());
    EXPECT_TRUE(Form().PopupSelectForm.isNull());
    EXPECT_TRUE(OutsideWindows().empty());
    EXPECT_TRUE(messages.Calls().empty());
}

TEST_F(BiddingSiteTest, OtherPopupsLoadUnseenInTheHiddenBrowser) {
    StartOnBiddingSite();
    ClickLink(*Form().BrowserNyusatsuInfo, QStringLiteral("notice"));
    TWebBrowser& temp = *Form().BrowserTemp;
    ASSERT_TRUE(WaitUntil([&] {
        return temp.LocationURL().Contains("/ppi/notice.html") && temp.ReadyState() == 4 &&
               !temp.Busy();
    }));
    EXPECT_EQ(Text(temp, QStringLiteral("out")), QString::fromUtf8("お知らせ"));
    EXPECT_EQ(Form().BrowserNyusatsuInfo->LocationURL(), FromWide(URL_NYUSATSU_INFO));
    EXPECT_TRUE(OutsideWindows().empty());
    EXPECT_TRUE(Form().PopupSelectForm.isNull());
    EXPECT_TRUE(OwnEnabled(Form().ButtonNyusatsuInfo)) << "no lock";
    EXPECT_TRUE(messages.Calls().empty());
}

TEST_F(BiddingSiteTest, AttachmentLinksAreRefused) {
    StartOnBiddingSite();
    TWebBrowser& main = *Form().BrowserNyusatsuInfo;
    ClickLink(main, QStringLiteral("attachment"));
    ASSERT_TRUE(WaitUntil([&] { return !messages.Calls().empty(); }));
    EXPECT_EQ(messages.Calls(),
              (std::vector<Call>{{Sj("本ツールでは添付ファイルを閲覧することは出来ません。\r\n"
                                     "InternetExplorer等のブラウザで閲覧してください。"),
                                  Sj("警告"), 0x40030}}));
    EXPECT_EQ(Utf8(Form().LastNavigateText), "javascript:openFile('pub', 'C001', '1');")
        << "remembered all the same";
    // The link's script never ran: nothing was written, no window opened.
    EXPECT_EQ(Text(main, QStringLiteral("out")), QString());
    EXPECT_TRUE(OutsideWindows().empty());
    EXPECT_EQ(Form().BrowserTemp->LocationURL(), AnsiString());
    EXPECT_EQ(main.LocationURL(), FromWide(URL_NYUSATSU_INFO));
}

TEST_F(BiddingSiteTest, TheSiteButtonAndTheHistoryButtonsMoveTheMainBrowser) {
    StartOnBiddingSite();
    TWebBrowser& main = *Form().BrowserNyusatsuInfo;
    const AnsiString site = FromWide(URL_NYUSATSU_INFO);
    const AnsiString notice = Address(kBiddingHost, QStringLiteral("/ppi/notice.html"));
    const auto shows = [&](const AnsiString& url) {
        return WaitUntil([&] { return main.LocationURL() == url && !main.Busy(); });
    };
    main.Navigate(notice);
    ASSERT_TRUE(shows(notice));
    Click(Form().ButtonPrev);
    EXPECT_TRUE(shows(site));
    Click(Form().ButtonPrev); // the first page: nothing happens
    Click(Form().ButtonNext);
    EXPECT_TRUE(shows(notice));
    Click(Form().ButtonNyusatsuInfo);
    EXPECT_TRUE(shows(site));
    EXPECT_TRUE(WaitUntil([&] { return !completions.empty() && completions.back() == site; }));
    EXPECT_TRUE(messages.Calls().empty());
}

} // namespace
