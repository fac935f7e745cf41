#include "platform/web/TWebBrowser.h"

#include "platform/qt/QtText.h"

#include <QCoreApplication>
#include <QUrl>
#include <QWebEnginePage>

#include <unistd.h>

void PrepareWebEngine() {
    if (!QCoreApplication::instance()) {
        // The engine shares OpenGL contexts with the widgets; this must precede the application.
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    }
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
}

namespace {

QWidget* Prepared(QWidget* parent) {
    PrepareWebEngine();
    return parent;
}

} // namespace

TWebBrowser::TWebBrowser(QWidget* parent) : QWebEngineView(Prepared(parent)) {
    connect(this, &QWebEngineView::loadStarted, this, [this] {
        pending_ = true;
        loaded_ = false;
    });
    connect(this, &QWebEngineView::loadFinished, this, [this] {
        pending_ = false;
        loaded_ = true;
    });
}

TWebBrowser::~TWebBrowser() = default;

void TWebBrowser::Navigate(const AnsiString& address) {
    const QString url = ToQString(address);
    static const QString scheme = QStringLiteral("javascript:");
    if (url.startsWith(scheme, Qt::CaseInsensitive)) {
        page()->runJavaScript(QUrl::fromPercentEncoding(url.mid(scheme.size()).toUtf8()));
        return;
    }
    // isLoading() stays false for a moment after load(): remember the navigation ourselves.
    pending_ = true;
    loaded_ = false;
    load(QUrl(url));
}

AnsiString TWebBrowser::LocationURL() const {
    const QUrl current = url();
    return current.isEmpty() ? AnsiString() : FromQString(current.toString());
}

void TWebBrowser::GoBack() {
    back();
}

void TWebBrowser::GoForward() {
    forward();
}

bool TWebBrowser::Busy() const {
    return pending_;
}

int TWebBrowser::ReadyState() const {
    if (pending_) {
        return READYSTATE_LOADING;
    }
    return loaded_ ? READYSTATE_COMPLETE : READYSTATE_UNINITIALIZED;
}
