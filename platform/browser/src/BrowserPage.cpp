#include "BrowserPage.h"

#include "BrowserEvents.h"
#include "PageReports.h"
#include "platform/MessageBox.h"
#include "platform/browser/TWebBrowser.h"
#include "platform/browser/TWebBrowserSession.h"
#include "platform/qt/ErrorDisplay.h"
#include "platform/qt/QtText.h"

#include <QWebEngineNewWindowRequest>
#include <QWebEngineScript>

namespace {

// Caption of the boxes of a page's alert() and confirm().
AnsiString DialogCaption() {
    return u8"Web ページからのメッセージ"_sj;
}

AnsiString AddressText(const QUrl& url) {
    return FromQString(url.toString());
}

TWebBrowserSession& Session() {
    return *TWebBrowserSession::Current();
}

} // namespace

BrowserPage::BrowserPage(QWebEngineProfile* profile) : QWebEnginePage(profile) {
    Session().Register(this);
    connect(this, &QWebEnginePage::loadStarted, this, [this] {
        if (owner_) {
            owner_->PageLoadStarted();
        }
    });
    connect(this, &QWebEnginePage::urlChanged, this, [this] {
        if (owner_) {
            owner_->PageUrlChanged();
        }
    });
    connect(this, &QWebEnginePage::loadFinished, this, [this] {
        if (owner_) {
            owner_->PageLoadFinished();
        }
    });
    connect(this, &QWebEnginePage::newWindowRequested, this,
            [this](QWebEngineNewWindowRequest& request) { NewWindowRequested(request); });
    connect(this, &QWebEnginePage::windowCloseRequested, this, [this] {
        // window.close() closes a window of its own, not a browser that a program placed.
        PostEvent([](TWebBrowser* browser) {
            if (browser->IsOutsideWindow()) {
                browser->close();
            }
        });
    });
}

BrowserPage::~BrowserPage() {
    if (TWebBrowserSession* session = TWebBrowserSession::Current()) {
        session->Unregister(this);
    }
}

TWebBrowser* BrowserPage::Owner() const {
    return owner_;
}

void BrowserPage::SetOwner(TWebBrowser* owner) {
    owner_ = owner;
    if (owner == nullptr) {
        return;
    }
    std::vector<Event> waiting;
    waiting.swap(waiting_);
    for (Event& event : waiting) {
        PostEvent(std::move(event));
    }
}

void BrowserPage::PostEvent(Event event) {
    browser_events::Post([page = QPointer<BrowserPage>(this), event = std::move(event)]() mutable {
        if (!page) {
            return;
        }
        if (TWebBrowser* owner = page->Owner()) {
            event(owner);
        } else {
            page->waiting_.push_back(std::move(event));
        }
    });
}

bool BrowserPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool) {
    TWebBrowser* owner = owner_;
    if (owner == nullptr || type == NavigationTypeRedirect || !owner->OnBeforeNavigate2) {
        return true;
    }
    bool cancel = false;
    {
        // The engine waits for the answer: the handler may pump messages, but no document
        // access can be answered until it returns.
        browser_events::EngineCallbackScope scope;
        owner->FireBeforeNavigate2(AddressText(url), cancel);
    }
    return !cancel;
}

void BrowserPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                           const QString& message, int lineNumber,
                                           const QString& sourceId) {
    browser_events::EngineCallbackScope scope;
    const std::optional<page_reports::Report> report =
        page_reports::Parse(Session().ReportToken(), message, sourceId);
    if (!report) {
        QWebEnginePage::javaScriptConsoleMessage(level, message, lineNumber, sourceId);
        return;
    }
    if (report->kind == page_reports::Report::Kind::Document) {
        AnsiString address = FromQString(QUrl(report->url).toString());
        if (report->mainFrame) {
            if (report->url.startsWith(QStringLiteral("chrome-error:"))) {
                // The engine's error page stands for the address that failed.
                address = AddressText(url());
            }
            if (owner_) {
                owner_->PageDocumentCreated();
            }
        }
        PostEvent([address](TWebBrowser* browser) { browser->FireNavigateComplete2(address); });
        return;
    }
    const AnsiString address = FromQString(report->url);
    PostEvent([address, path = report->framePath, id = report->id](TWebBrowser* browser) {
        bool cancel = false;
        QPointer<TWebBrowser> alive(browser);
        QPointer<QWebEnginePage> page(browser->Page());
        browser->FireBeforeNavigate2(address, cancel);
        if (alive && page && alive->Page() == page) {
            page->runJavaScript(
                page_reports::ResumeLinkScript(Session().ReportToken(), path, id, !cancel),
                QWebEngineScript::ApplicationWorld);
        }
    });
}

void BrowserPage::javaScriptAlert(const QUrl&, const QString& message) {
    browser_events::EngineCallbackScope scope;
    RunHandler([&] { ShowMessageBox(FromQString(message), DialogCaption(), mb::ICONWARNING); });
}

bool BrowserPage::javaScriptConfirm(const QUrl&, const QString& message) {
    browser_events::EngineCallbackScope scope;
    int answer = mb::IDNO;
    RunHandler([&] {
        answer =
            ShowMessageBox(FromQString(message), DialogCaption(), mb::ICONQUESTION | mb::YESNO);
    });
    return answer == mb::IDYES;
}

bool BrowserPage::javaScriptPrompt(const QUrl&, const QString&, const QString&, QString*) {
    // There is no text input box among the programs' dialogs: the prompt is answered as
    // cancelled.
    return false;
}

void BrowserPage::NewWindowRequested(QWebEngineNewWindowRequest& request) {
    browser_events::EngineCallbackScope scope;
    // The pop-up must get a page now, or the engine drops it; which browser shows it is
    // decided by the opener's NewWindow2 handler afterwards.
    auto* popup = new BrowserPage(profile());
    popup->requestedGeometry_ = request.requestedGeometry();
    request.openIn(popup);
    QPointer<BrowserPage> held(popup);
    browser_events::Post([opener = QPointer<BrowserPage>(this), held] {
        if (!held) {
            return;
        }
        TWebBrowser* owner = opener ? opener->Owner() : nullptr;
        if (owner != nullptr) {
            owner->OpenPopup(held);
        } else if (opener) {
            // The opener is itself a pop-up still waiting for its browser.
            opener->waiting_.push_back([held](TWebBrowser* browser) {
                if (held) {
                    browser->OpenPopup(held);
                }
            });
        } else {
            TWebBrowser::OpenOutside(held);
        }
    });
}
