#pragma once

#include "platform/AnsiString.h"
#include "platform/Exceptions.h"

// A failed access to the document of an embedded web browser, or a browser used without its
// session.
class EWebBrowserError : public Exception {
public:
    using Exception::Exception;

    static EWebBrowserError NoSession();
    static EWebBrowserError NoDocument();
    static EWebBrowserError NoBody();
    static EWebBrowserError NoForm(const AnsiString& form);
    static EWebBrowserError NoField(const AnsiString& form, const AnsiString& field);
    static EWebBrowserError NoValue(const AnsiString& field);
    static EWebBrowserError NotCheckable(const AnsiString& field);
    static EWebBrowserError ScriptFailed(const AnsiString& detail);
    static EWebBrowserError Timeout(int milliseconds);
    static EWebBrowserError DuringEngineCallback();
    static EWebBrowserError ClosedDuringAccess();
};
