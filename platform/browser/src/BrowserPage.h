#pragma once

#include <QPointer>
#include <QRect>
#include <QWebEnginePage>

#include <functional>
#include <vector>

class TWebBrowser;
class QWebEngineNewWindowRequest;

// The page of a TWebBrowser: turns the engine's calls into the browser's events. A page opened
// as a pop-up has no browser until the opener's NewWindow2 has been handled; its events wait
// until then.
class BrowserPage : public QWebEnginePage {
public:
    explicit BrowserPage(QWebEngineProfile* profile);
    ~BrowserPage() override;

    TWebBrowser* Owner() const;
    // Gives the page to a browser (or takes it away with null); events that waited for a
    // browser are queued for it.
    void SetOwner(TWebBrowser* owner);

    // Size and place that the opener asked for when this page was opened as a pop-up.
    QRect RequestedGeometry() const { return requestedGeometry_; }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                  int lineNumber, const QString& sourceId) override;
    void javaScriptAlert(const QUrl& securityOrigin, const QString& message) override;
    bool javaScriptConfirm(const QUrl& securityOrigin, const QString& message) override;
    bool javaScriptPrompt(const QUrl& securityOrigin, const QString& message,
                          const QString& defaultValue, QString* result) override;

private:
    using Event = std::function<void(TWebBrowser*)>;
    // Queues an event for the page's browser at the time it runs.
    void PostEvent(Event event);
    void NewWindowRequested(QWebEngineNewWindowRequest& request);

    QPointer<TWebBrowser> owner_;
    std::vector<Event> waiting_;
    QRect requestedGeometry_;
};
