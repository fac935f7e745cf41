#pragma once

#include "platform/AnsiString.h"

#include <QPointer>
#include <QVariantMap>
#include <QWidget>

#include <functional>

class QWebEnginePage;
class QWebEngineView;
class BrowserPage;

// An embedded web browser: a widget showing one web page, with the navigation, the events and
// the few document reads and writes that the programs use. Every browser of the process shares
// the profile of the TWebBrowserSession, which must exist while browsers are made and used.
//
// Events are handler members. A handler may pump messages (wait with the message loop running,
// show a message box); an error that escapes it goes to the application's error display, and
// the event goes on with what the handler had set (a cancel already set stays). Events that
// come from the message loop run one per pass, in order, never while a document access waits
// for its answer and never while a BeforeNavigate2 handler runs for the engine (below).
// - OnBeforeNavigate2 runs before the main frame or a sub-frame goes to another address and may
//   cancel it.
//   For the navigations the engine starts (typed, Navigate, links, forms, history, scripts
//   setting an address, frames loading) it runs while the engine waits for the answer, so that
//   a cancel is exact (a form's data, the frame, the referrer stay as they were). Meanwhile the
//   engine does nothing else for any browser: the handler may pump messages, but the document of
//   no browser can be read or written (that raises EWebBrowserError at once), and a Navigate,
//   GoBack or GoForward it calls starts when it has returned. For Navigate it runs shortly after
//   Navigate has returned.
//   Links to "javascript:" addresses and to a place in the same document never reach the engine
//   as navigations: the page holds the click, the handler runs from the message loop with the
//   address as written in the link, and the link goes on unless it was cancelled. A link that
//   its page stops itself (its onclick returns false) is not offered. Server redirects are not
//   offered.
// - OnNewWindow2 runs, from the message loop, when a page opens a window (window.open, a link or
//   form with a target). The pop-up has already started loading; the handler either sets
//   newWindow to another TWebBrowser, whose page is then replaced by the pop-up (the pop-up's
//   first navigation is not offered to its OnBeforeNavigate2; its completions are reported),
//   or leaves it null, and the pop-up is shown in a separate top-level window of its own, which
//   window.close() closes. Without a handler pop-ups open in separate windows. The request
//   cannot be refused.
// - OnNavigateComplete2 runs, from the message loop, each time a document has been created in the
//   main frame or in a sub-frame (about:blank frames included), with that document's address
//   (a failed main-frame load reports the address that failed); the main frame's comes before
//   its sub-frames'. Going to a place in the same document reports nothing.
class TWebBrowser : public QWidget {
public:
    using TBeforeNavigate2Event =
        std::function<void(TWebBrowser* sender, const AnsiString& url, bool& cancel)>;
    using TNewWindow2Event = std::function<void(TWebBrowser* sender, TWebBrowser*& newWindow)>;
    using TNavigateComplete2Event = std::function<void(TWebBrowser* sender, const AnsiString& url)>;

    // Raises EWebBrowserError when no TWebBrowserSession exists.
    explicit TWebBrowser(QWidget* parent = nullptr);
    ~TWebBrowser() override;
    TWebBrowser(const TWebBrowser&) = delete;
    TWebBrowser& operator=(const TWebBrowser&) = delete;

    TBeforeNavigate2Event OnBeforeNavigate2;
    TNewWindow2Event OnNewWindow2;
    TNavigateComplete2Event OnNavigateComplete2;

    // Goes to an address. A "javascript:" address is offered to OnBeforeNavigate2 at once and,
    // unless cancelled, runs as script in the main frame's page (percent escapes decoded;
    // LocationURL stays as it was); any other address is loaded. Called while the engine waits
    // on a BeforeNavigate2 handler, it acts once the handler has returned.
    void Navigate(const AnsiString& url);
    // One step back or forward in the history; nothing at either end.
    void GoBack();
    void GoForward();

    // Address of the document shown in the main frame; empty until the first navigation.
    AnsiString LocationURL() const;
    // True from a navigation's request until its document has finished loading.
    bool Busy() const;
    // 0 before the first navigation, 1 while a navigation waits for its document, 3 while the
    // document loads, 4 once it is complete.
    int ReadyState() const;
    // Repaints the browser at once.
    void Update();

    // Document access, all synchronous: each waits for the page's answer with the message loop
    // running (user input excepted; browser events are held back until it returns) and raises
    // EWebBrowserError when there is no document, when what it names is missing, or when the
    // page does not answer within DocumentTimeout milliseconds (5000 unless set).

    // The main frame's document.body.innerHTML as code-page-932 text (characters that code page
    // 932 lacks become "?").
    AnsiString BodyInnerHTML();
    // The value of the field `field` of the form `form`. The form is found by name or id among
    // the document's forms; the field is the form's first control, or else first element, of
    // that name or id.
    AnsiString FormFieldValue(const AnsiString& form, const AnsiString& field);
    // Sets a field's value to a text, or to a number, which the page turns into text as
    // JavaScript does (60 gives "60", 34.5 gives "34.5", 1e-7 gives "1e-7").
    void SetFormFieldValue(const AnsiString& form, const AnsiString& field,
                           const AnsiString& value);
    void SetFormFieldValue(const AnsiString& form, const AnsiString& field, double value);
    // Sets the `checked` state of a check box (or another input element) of a form.
    void SetFormFieldChecked(const AnsiString& form, const AnsiString& field, bool checked);

    int DocumentTimeout() const { return documentTimeoutMs_; }
    void SetDocumentTimeout(int milliseconds) { documentTimeoutMs_ = milliseconds; }

    // The engine's page and view, for tests and for what the class does not cover; null after
    // the session has ended.
    QWebEnginePage* Page() const;
    QWebEngineView* View() const { return view_; }

private:
    friend class BrowserPage;
    friend class TWebBrowserSession;

    // Shows `page` in place of the current page, which is deleted.
    void AttachPage(BrowserPage* page);
    // Deletes the view and the page; the browser stays as an empty widget.
    void ReleaseEngine();
    // A page of this browser asked for a new window; `popup` already holds it.
    void OpenPopup(BrowserPage* popup);
    static void OpenOutside(BrowserPage* popup);
    bool IsOutsideWindow() const { return outside_; }

    // A navigation is asked of the engine: busy until the engine takes it up.
    void Request();
    // From the page, as the engine reports them.
    void PageLoadStarted();
    void PageUrlChanged();
    void PageLoadFinished();
    void PageDocumentCreated();

    void FireBeforeNavigate2(const AnsiString& url, bool& cancel);
    void FireNavigateComplete2(const AnsiString& url);

    QVariantMap RunDocumentScript(const QString& script);
    AnsiString FieldScriptResult(const QString& script, const AnsiString& form,
                                 const AnsiString& field);

    QWebEngineView* view_ = nullptr;
    QPointer<BrowserPage> page_;
    bool outside_ = false;
    bool pending_ = false;
    // Navigations asked for, and the one that the last load the engine started belongs to.
    unsigned requested_ = 0;
    unsigned started_ = 0;
    bool documentCreated_ = false;
    int documentTimeoutMs_ = 5000;
};
