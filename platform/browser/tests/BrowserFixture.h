#pragma once

#include "platform/browser/TWebBrowser.h"
#include "platform/browser/testing/BrowserTesting.h"
#include "platform/qt/QtText.h"
#include "platform/testing/LocalHttpServer.h"

#include <gtest/gtest.h>

#include <memory>

// Tests of browsers showing the fixture pages of data/ from a local server, under a host name
// of the kind a deployment uses.
class BrowserTest : public testing::Test {
protected:
    BrowserTest() { server.ServeFolder(BROWSER_TEST_DATA); }

    static std::unique_ptr<TWebBrowser> MakeBrowser() {
        auto browser = std::make_unique<TWebBrowser>();
        browser->resize(480, 320);
        browser->show();
        return browser;
    }

    AnsiString Address(const QString& path,
                       const QString& host = QStringLiteral("pages.example.jp")) const {
        return FromQString(
            QString::fromStdString(server.Url(host.toStdString(), path.toStdString())));
    }

    // Navigates and waits until the page is complete.
    void Load(TWebBrowser& browser, const QString& path) {
        browser.Navigate(Address(path));
        ASSERT_TRUE(WaitUntilComplete(browser)) << "loading " << path.toStdString();
    }

    // textContent of an element of the main frame.
    static QString Text(TWebBrowser& browser, const QString& id) {
        return EvaluateScript(browser,
                              QStringLiteral("document.getElementById('%1').textContent").arg(id))
            .toString();
    }

    static void Click(TWebBrowser& browser, const QString& id) {
        EvaluateScript(browser,
                       QStringLiteral("document.getElementById('%1').click(); true").arg(id));
    }

    LocalHttpServer server;
};
