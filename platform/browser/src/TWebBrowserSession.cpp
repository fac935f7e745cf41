#include "platform/browser/TWebBrowserSession.h"

#include "BrowserEvents.h"
#include "BrowserPage.h"
#include "PageReports.h"
#include "platform/browser/TWebBrowser.h"

#include <QApplication>
#include <QPointer>
#include <QUuid>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

#include <unistd.h>
#include <vector>

namespace {

TWebBrowserSession* current = nullptr;

} // namespace

void PrepareWebBrowserProcess() {
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    // The engine shares its drawing context with the widgets; it must be asked for before the
    // application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

TWebBrowserSession::TWebBrowserSession() {
    token_ = QStringLiteral("wb") + QUuid::createUuid().toString(QUuid::Id128);
    profile_ = new QWebEngineProfile();
    QWebEngineSettings* settings = profile_->settings();
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    // Pages that do not state their encoding are taken as Japanese, as on the desktops the
    // programs were made for.
    settings->setDefaultTextEncoding(QStringLiteral("Shift_JIS"));

    QWebEngineScript reports;
    reports.setName(QString::fromUtf8(page_reports::kScriptName));
    reports.setInjectionPoint(QWebEngineScript::DocumentCreation);
    reports.setWorldId(QWebEngineScript::ApplicationWorld);
    reports.setRunsOnSubFrames(true);
    reports.setSourceCode(page_reports::ScriptSource(token_));
    profile_->scripts()->insert(reports);
    current = this;
}

TWebBrowserSession::~TWebBrowserSession() {
    browser_events::Clear();
    std::vector<QPointer<TWebBrowser>> browsers(browsers_.begin(), browsers_.end());
    for (const QPointer<TWebBrowser>& browser : browsers) {
        if (browser && browser->IsOutsideWindow()) {
            delete browser.data();
        }
    }
    for (const QPointer<TWebBrowser>& browser : browsers) {
        if (browser) {
            browser->ReleaseEngine();
        }
    }
    browser_events::DisposeWaiting();
    // Pop-ups that never reached a browser.
    std::vector<QPointer<BrowserPage>> pages(pages_.begin(), pages_.end());
    for (const QPointer<BrowserPage>& page : pages) {
        delete page.data();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    delete profile_;
    profile_ = nullptr;
    current = nullptr;
}

TWebBrowserSession* TWebBrowserSession::Current() {
    return current;
}
