#pragma once

#include "platform/AnsiString.h"

#include <QWebEngineView>

// Makes the web engine usable by the calling process: as root the engine's sandbox cannot run,
// so it is switched off (QTWEBENGINE_DISABLE_SANDBOX) unless the environment says otherwise.
// Call it before the application object exists; the browser calls it again, harmlessly.
void PrepareWebEngine();

// The embedded web browser as the system's code uses the Windows browser control.
class TWebBrowser : public QWebEngineView {
public:
    // Ready states of the browser control.
    static constexpr int READYSTATE_UNINITIALIZED = 0;
    static constexpr int READYSTATE_LOADING = 1;
    static constexpr int READYSTATE_COMPLETE = 4;

    explicit TWebBrowser(QWidget* parent = nullptr);
    ~TWebBrowser() override;

    // Opens an address. A "javascript:" address runs its script in the current page instead,
    // which leaves the address of the page as it is.
    void Navigate(const AnsiString& url);

    // Address of the page shown (or being opened); empty before the first navigation.
    AnsiString LocationURL() const;

    // One step back or forward in the history; nothing at either end.
    void GoBack();
    void GoForward();

    // True from a navigation until its page has finished loading.
    bool Busy() const;
    int ReadyState() const;

private:
    bool pending_ = false;
    bool loaded_ = false;
};
