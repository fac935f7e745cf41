#include "platform/browser/TWebBrowser.h"

#include "BrowserEvents.h"
#include "BrowserPage.h"
#include "DocumentScripts.h"
#include "platform/browser/EWebBrowserError.h"
#include "platform/browser/TWebBrowserSession.h"
#include "platform/qt/ErrorDisplay.h"
#include "platform/qt/QtText.h"

#include <QEventLoop>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <memory>

namespace {

constexpr int kReadyStateUninitialized = 0;
constexpr int kReadyStateLoading = 1;
constexpr int kReadyStateInteractive = 3;
constexpr int kReadyStateComplete = 4;

const QString kJavaScriptScheme = QStringLiteral("javascript:");

} // namespace

TWebBrowser::TWebBrowser(QWidget* parent) : QWidget(parent) {
    TWebBrowserSession* session = TWebBrowserSession::Current();
    if (session == nullptr) {
        throw EWebBrowserError::NoSession();
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = new QWebEngineView(this);
    layout->addWidget(view_);
    session->Register(this);
    AttachPage(new BrowserPage(session->Profile()));
}

TWebBrowser::~TWebBrowser() {
    if (TWebBrowserSession* session = TWebBrowserSession::Current()) {
        session->Unregister(this);
    }
    ReleaseEngine();
}

QWebEnginePage* TWebBrowser::Page() const {
    return page_.data();
}

void TWebBrowser::AttachPage(BrowserPage* page) {
    BrowserPage* old = page_.data();
    if (old == page) {
        return;
    }
    page_ = page;
    pending_ = false;
    started_ = requested_;
    // A pop-up's page has gone on loading before it came here.
    documentCreated_ = !page->url().isEmpty();
    view_->setPage(page);
    page->SetOwner(this);
    if (old != nullptr) {
        old->SetOwner(nullptr);
        browser_events::Dispose(old);
    }
}

void TWebBrowser::ReleaseEngine() {
    BrowserPage* page = page_.data();
    QWebEngineView* view = view_;
    page_ = nullptr;
    view_ = nullptr;
    if (page != nullptr) {
        page->SetOwner(nullptr);
    }
    if (view != nullptr) {
        if (browser_events::InEngineCallback()) {
            // Deleted once the engine no longer waits on its page.
            view->hide();
            view->setParent(nullptr);
        }
        browser_events::Dispose(view);
    }
    browser_events::Dispose(page);
}

void TWebBrowser::Navigate(const AnsiString& url) {
    if (browser_events::InEngineCallback()) {
        // The engine cannot start a navigation while it waits on us; it starts right after.
        browser_events::Post([self = QPointer<TWebBrowser>(this), url] {
            if (self) {
                self->Navigate(url);
            }
        });
        return;
    }
    if (!page_) {
        return;
    }
    const QString text = ToQString(url);
    if (text.startsWith(kJavaScriptScheme, Qt::CaseInsensitive)) {
        QPointer<TWebBrowser> self(this);
        bool cancel = false;
        FireBeforeNavigate2(url, cancel);
        if (cancel || !self || !page_) {
            return;
        }
        const QString script =
            QUrl::fromPercentEncoding(text.mid(kJavaScriptScheme.size()).toUtf8());
        page_->runJavaScript(script, QWebEngineScript::MainWorld);
        return;
    }
    const QUrl address = QUrl::fromUserInput(text);
    if (!address.isValid()) {
        return;
    }
    Request();
    page_->load(address);
}

void TWebBrowser::GoBack() {
    if (browser_events::InEngineCallback()) {
        browser_events::Post([self = QPointer<TWebBrowser>(this)] {
            if (self) {
                self->GoBack();
            }
        });
        return;
    }
    if (page_ && page_->history()->canGoBack()) {
        Request();
        page_->triggerAction(QWebEnginePage::Back);
    }
}

void TWebBrowser::GoForward() {
    if (browser_events::InEngineCallback()) {
        browser_events::Post([self = QPointer<TWebBrowser>(this)] {
            if (self) {
                self->GoForward();
            }
        });
        return;
    }
    if (page_ && page_->history()->canGoForward()) {
        Request();
        page_->triggerAction(QWebEnginePage::Forward);
    }
}

AnsiString TWebBrowser::LocationURL() const {
    if (!page_) {
        return AnsiString();
    }
    return FromQString(page_->url().toString());
}

bool TWebBrowser::Busy() const {
    return page_ && (pending_ || page_->isLoading());
}

int TWebBrowser::ReadyState() const {
    if (Busy()) {
        return documentCreated_ ? kReadyStateInteractive : kReadyStateLoading;
    }
    if (!page_ || page_->url().isEmpty()) {
        return kReadyStateUninitialized;
    }
    return kReadyStateComplete;
}

void TWebBrowser::Update() {
    repaint();
    if (view_ != nullptr) {
        view_->repaint();
        if (QWidget* surface = view_->focusProxy()) {
            surface->repaint();
        }
    }
}

void TWebBrowser::Request() {
    pending_ = true;
    ++requested_;
}

void TWebBrowser::PageLoadStarted() {
    // From here the engine reports the navigation as loading.
    pending_ = false;
    started_ = requested_;
    documentCreated_ = false;
}

void TWebBrowser::PageUrlChanged() {
    pending_ = false;
}

void TWebBrowser::PageLoadFinished() {
    // The engine reports a load's end a turn of the message loop after the load has stopped,
    // when a wait may already have seen the page complete and asked for the next navigation:
    // that one is still to start, and this end is the earlier load's.
    if (started_ == requested_) {
        pending_ = false;
    }
}

void TWebBrowser::PageDocumentCreated() {
    documentCreated_ = true;
}

void TWebBrowser::FireBeforeNavigate2(const AnsiString& url, bool& cancel) {
    if (!OnBeforeNavigate2) {
        return;
    }
    // A copy: the handler may replace the member while it runs.
    const TBeforeNavigate2Event handler = OnBeforeNavigate2;
    RunHandler([&] { handler(this, url, cancel); });
}

void TWebBrowser::FireNavigateComplete2(const AnsiString& url) {
    if (!OnNavigateComplete2) {
        return;
    }
    const TNavigateComplete2Event handler = OnNavigateComplete2;
    RunHandler([&] { handler(this, url); });
}

void TWebBrowser::OpenPopup(BrowserPage* popup) {
    TWebBrowser* chosen = nullptr;
    if (OnNewWindow2) {
        const TNewWindow2Event handler = OnNewWindow2;
        QPointer<BrowserPage> held(popup);
        RunHandler([&] { handler(this, chosen); });
        if (!held) {
            // The pop-up closed itself meanwhile.
            return;
        }
    }
    TWebBrowserSession* session = TWebBrowserSession::Current();
    if (chosen != nullptr && session != nullptr && session->IsLive(chosen) && chosen->view_) {
        chosen->AttachPage(popup);
    } else {
        OpenOutside(popup);
    }
}

void TWebBrowser::OpenOutside(BrowserPage* popup) {
    auto* window = new TWebBrowser(nullptr);
    window->outside_ = true;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->AttachPage(popup);
    const QRect geometry = popup->RequestedGeometry();
    window->resize(geometry.width() > 0 ? geometry.width() : 800,
                   geometry.height() > 0 ? geometry.height() : 600);
    window->setWindowTitle(popup->title());
    QObject::connect(popup, &QWebEnginePage::titleChanged, window, &QWidget::setWindowTitle);
    window->show();
}

QVariantMap TWebBrowser::RunDocumentScript(const QString& script) {
    if (browser_events::InEngineCallback()) {
        throw EWebBrowserError::DuringEngineCallback();
    }
    if (!page_ || page_->url().isEmpty()) {
        throw EWebBrowserError::NoDocument();
    }
    // Shared with the callback, which may arrive after the wait has given up.
    struct Answer {
        bool done = false;
        QVariant value;
        QPointer<QEventLoop> loop;
    };
    auto answer = std::make_shared<Answer>();
    QEventLoop loop;
    answer->loop = &loop;
    page_->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                         [answer](const QVariant& value) {
                             answer->done = true;
                             answer->value = value;
                             if (answer->loop) {
                                 answer->loop->quit();
                             }
                         });
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(documentTimeoutMs_);
    QPointer<TWebBrowser> self(this);
    {
        browser_events::DocumentWaitScope hold;
        if (!answer->done) {
            loop.exec(QEventLoop::ExcludeUserInputEvents);
        }
    }
    answer->loop = nullptr;
    if (!self) {
        throw EWebBrowserError::ClosedDuringAccess();
    }
    if (!answer->done) {
        throw EWebBrowserError::Timeout(documentTimeoutMs_);
    }
    if (answer->value.typeId() != QMetaType::QVariantMap) {
        throw EWebBrowserError::ScriptFailed(AnsiString());
    }
    return answer->value.toMap();
}

AnsiString TWebBrowser::FieldScriptResult(const QString& script, const AnsiString& form,
                                          const AnsiString& field) {
    const QVariantMap result = RunDocumentScript(script);
    const QString error = result.value(QStringLiteral("error")).toString();
    if (error.isEmpty()) {
        return FromQString(result.value(QStringLiteral("value")).toString());
    }
    if (error == QStringLiteral("body")) {
        throw EWebBrowserError::NoBody();
    }
    if (error == QStringLiteral("form")) {
        throw EWebBrowserError::NoForm(form);
    }
    if (error == QStringLiteral("field")) {
        throw EWebBrowserError::NoField(form, field);
    }
    if (error == QStringLiteral("value")) {
        throw EWebBrowserError::NoValue(field);
    }
    if (error == QStringLiteral("checked")) {
        throw EWebBrowserError::NotCheckable(field);
    }
    throw EWebBrowserError::ScriptFailed(
        FromQString(result.value(QStringLiteral("detail")).toString()));
}

AnsiString TWebBrowser::BodyInnerHTML() {
    return FieldScriptResult(document_scripts::BodyInnerHtml(), AnsiString(), AnsiString());
}

AnsiString TWebBrowser::FormFieldValue(const AnsiString& form, const AnsiString& field) {
    return FieldScriptResult(document_scripts::ReadValue(ToQString(form), ToQString(field)), form,
                             field);
}

void TWebBrowser::SetFormFieldValue(const AnsiString& form, const AnsiString& field,
                                    const AnsiString& value) {
    FieldScriptResult(
        document_scripts::WriteValue(ToQString(form), ToQString(field),
                                     document_scripts::StringLiteral(ToQString(value))),
        form, field);
}

void TWebBrowser::SetFormFieldValue(const AnsiString& form, const AnsiString& field, double value) {
    FieldScriptResult(document_scripts::WriteValue(ToQString(form), ToQString(field),
                                                   document_scripts::NumberLiteral(value)),
                      form, field);
}

void TWebBrowser::SetFormFieldChecked(const AnsiString& form, const AnsiString& field,
                                      bool checked) {
    FieldScriptResult(document_scripts::WriteChecked(ToQString(form), ToQString(field), checked),
                      form, field);
}
