#pragma once

#include "BrowserAccess.h"

class TWebBrowser;

// The access of an embedded web browser.
class WebBrowserAccess : public BrowserAccess {
public:
    explicit WebBrowserAccess(TWebBrowser& browser) : browser_(browser) {}

    void Navigate(const AnsiString& url) override;
    AnsiString LocationURL() override;
    bool Busy() override;
    int ReadyState() override;
    void Update() override;
    AnsiString BodyInnerHTML() override;
    AnsiString FormFieldValue(const AnsiString& form, const AnsiString& field) override;
    void SetFormFieldValue(const AnsiString& form, const AnsiString& field, double value) override;
    void SetFormFieldChecked(const AnsiString& form, const AnsiString& field,
                             bool checked) override;

private:
    TWebBrowser& browser_;
};
