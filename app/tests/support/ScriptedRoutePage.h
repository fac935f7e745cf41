#pragma once

#include "BrowserAccess.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

// A route page without a web engine, for the route and refinement handlers: it loads after a
// set number of state readings, keeps the form's fields, and answers each route calculation
// with the next scripted route. Everything the handlers do is written to a log.
class ScriptedRoutePage : public BrowserAccess {
public:
    struct Route {
        // The page body once the route is calculated, and the length field.
        std::string body;
        std::string totaldaze;

        // A drawn route of the given length text, e.g. "12.5km".
        static Route Length(const std::string& length) {
            return {"<div id=\"summary\">" + length + "</div>", length};
        }
        // No route: nothing in the page says "km".
        static Route None() { return {"<p>no route</p>", ""}; }
    };

    // Answers of the next route calculations, oldest first; without one the page draws none.
    std::deque<Route> routes;
    // State readings that report the page as loading after each navigation to a page.
    int loadingReads = 0;
    // The page never finishes loading; reading its document fails.
    bool neverLoads = false;
    // Body readings that still show the page before the route, after each calculation.
    int bodyReadsBeforeRoute = 0;
    // Runs at each route calculation, after the route is drawn.
    std::function<void()> onCalcRoute;

    std::vector<std::string> log;
    std::map<std::string, double> values;
    bool handChecked = true;
    int bodyReads = 0;
    int fieldReads = 0;
    int calculations = 0;

    void Navigate(const AnsiString& url) override;
    AnsiString LocationURL() override { return location_; }
    bool Busy() override;
    int ReadyState() override;
    void Update() override {}
    AnsiString BodyInnerHTML() override;
    AnsiString FormFieldValue(const AnsiString& form, const AnsiString& field) override;
    void SetFormFieldValue(const AnsiString& form, const AnsiString& field, double value) override;
    void SetFormFieldChecked(const AnsiString& form, const AnsiString& field,
                             bool checked) override;

private:
    AnsiString location_;
    std::string body_;
    std::string totaldaze_;
    int loadingLeft_ = 0;
    int beforeRouteLeft_ = 0;
};
