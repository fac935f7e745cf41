#pragma once

#include <QString>

#include <set>

class QWebEngineProfile;
class BrowserPage;
class TWebBrowser;

// Prepares the process for the web engine; call it first thing in main, before the application
// object exists. Running as root, the engine's sandbox cannot start, so it is switched off
// (QTWEBENGINE_DISABLE_SANDBOX=1) unless the environment already says otherwise.
void PrepareWebBrowserProcess();

// The web engine's shared state: the one profile (off the record: cookies and cache live in
// memory) that every page of every TWebBrowser uses. Make one after the application object and
// let it go before it, e.g. as a local of main after the application. Its end deletes every
// page and view that still exists, and every pop-up window, before the profile: the engine
// crashes at exit otherwise. Browsers that outlive it stay as empty widgets.
class TWebBrowserSession {
public:
    TWebBrowserSession();
    ~TWebBrowserSession();
    TWebBrowserSession(const TWebBrowserSession&) = delete;
    TWebBrowserSession& operator=(const TWebBrowserSession&) = delete;

    // The session in use, or null.
    static TWebBrowserSession* Current();

    QWebEngineProfile* Profile() const { return profile_; }

private:
    friend class BrowserPage;
    friend class TWebBrowser;

    // Marks the console messages of the script that reports from every frame.
    const QString& ReportToken() const { return token_; }
    void Register(TWebBrowser* browser) { browsers_.insert(browser); }
    void Unregister(TWebBrowser* browser) { browsers_.erase(browser); }
    bool IsLive(const TWebBrowser* browser) const {
        return browsers_.count(const_cast<TWebBrowser*>(browser)) != 0;
    }
    void Register(BrowserPage* page) { pages_.insert(page); }
    void Unregister(BrowserPage* page) { pages_.erase(page); }

    QWebEngineProfile* profile_ = nullptr;
    QString token_;
    std::set<TWebBrowser*> browsers_;
    std::set<BrowserPage*> pages_;
};
