#pragma once

#include "platform/AnsiString.h"

// What the route-distance handlers use of the browser that shows the route page: navigation,
// its states and the few document reads and writes. The main window works through this, so
// that tests can put a scripted page in place of the web engine.
class BrowserAccess {
public:
    virtual ~BrowserAccess() = default;

    virtual void Navigate(const AnsiString& url) = 0;
    virtual AnsiString LocationURL() = 0;
    virtual bool Busy() = 0;
    // 4 once the document is complete.
    virtual int ReadyState() = 0;
    // Repaints the browser at once.
    virtual void Update() = 0;
    // The document's body.innerHTML. Document accesses raise an error when the page lacks what
    // they name.
    virtual AnsiString BodyInnerHTML() = 0;
    virtual AnsiString FormFieldValue(const AnsiString& form, const AnsiString& field) = 0;
    virtual void SetFormFieldValue(const AnsiString& form, const AnsiString& field,
                                   double value) = 0;
    virtual void SetFormFieldChecked(const AnsiString& form, const AnsiString& field,
                                     bool checked) = 0;
};
