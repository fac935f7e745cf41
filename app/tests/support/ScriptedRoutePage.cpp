#include "ScriptedRoutePage.h"

#include "platform/Exceptions.h"

namespace {

const char* const kEmptyForm = "<form name=\"fm\"><input name=\"totaldaze\"></form>";

} // namespace

void ScriptedRoutePage::Navigate(const AnsiString& url) {
    log.push_back("Navigate " + url.ToUtf8());
    if (url == AnsiString("javascript:calcRoute();void(0);")) {
        ++calculations;
        const Route route = routes.empty() ? Route::None() : routes.front();
        if (!routes.empty()) {
            routes.pop_front();
        }
        body_ = kEmptyForm + route.body;
        totaldaze_ = route.totaldaze;
        beforeRouteLeft_ = bodyReadsBeforeRoute;
        if (onCalcRoute) {
            onCalcRoute();
        }
        return;
    }
    location_ = url;
    body_ = kEmptyForm;
    totaldaze_.clear();
    loadingLeft_ = loadingReads;
}

bool ScriptedRoutePage::Busy() {
    return neverLoads || loadingLeft_ > 0;
}

int ScriptedRoutePage::ReadyState() {
    if (neverLoads) {
        return 1;
    }
    if (loadingLeft_ > 0) {
        --loadingLeft_;
        return 1;
    }
    return location_.IsEmpty() ? 0 : 4;
}

AnsiString ScriptedRoutePage::BodyInnerHTML() {
    ++bodyReads;
    if (neverLoads) {
        throw Exception("the page has no document yet");
    }
    if (beforeRouteLeft_ > 0) {
        --beforeRouteLeft_;
        return kEmptyForm;
    }
    return body_;
}

AnsiString ScriptedRoutePage::FormFieldValue(const AnsiString& form, const AnsiString& field) {
    ++fieldReads;
    if (neverLoads || form != AnsiString("fm") || field != AnsiString("totaldaze")) {
        throw Exception("no field " + field.ToUtf8());
    }
    return totaldaze_;
}

void ScriptedRoutePage::SetFormFieldValue(const AnsiString& form, const AnsiString& field,
                                          double value) {
    log.push_back("Set " + form.ToUtf8() + "." + field.ToUtf8());
    values[field.ToUtf8()] = value;
}

void ScriptedRoutePage::SetFormFieldChecked(const AnsiString& form, const AnsiString& field,
                                            bool checked) {
    log.push_back("Check " + form.ToUtf8() + "." + field.ToUtf8() + (checked ? " on" : " off"));
    handChecked = checked;
}
