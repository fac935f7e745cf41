#include "WebBrowserAccess.h"

#include "platform/browser/TWebBrowser.h"

void WebBrowserAccess::Navigate(const AnsiString& url) {
    browser_.Navigate(url);
}

AnsiString WebBrowserAccess::LocationURL() {
    return browser_.LocationURL();
}

bool WebBrowserAccess::Busy() {
    return browser_.Busy();
}

int WebBrowserAccess::ReadyState() {
    return browser_.ReadyState();
}

void WebBrowserAccess::Update() {
    browser_.Update();
}

AnsiString WebBrowserAccess::BodyInnerHTML() {
    return browser_.BodyInnerHTML();
}

AnsiString WebBrowserAccess::FormFieldValue(const AnsiString& form, const AnsiString& field) {
    return browser_.FormFieldValue(form, field);
}

void WebBrowserAccess::SetFormFieldValue(const AnsiString& form, const AnsiString& field,
                                         double value) {
    browser_.SetFormFieldValue(form, field, value);
}

void WebBrowserAccess::SetFormFieldChecked(const AnsiString& form, const AnsiString& field,
                                           bool checked) {
    browser_.SetFormFieldChecked(form, field, checked);
}
