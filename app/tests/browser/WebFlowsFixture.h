#pragma once

#include "MainFormFixture.h"

#include "platform/browser/TWebBrowser.h"
#include "platform/browser/testing/BrowserTesting.h"
#include "platform/testing/LocalHttpServer.h"

#include <QString>

#include <map>
#include <string>
#include <vector>

// The deployment host names of the fixture pages and the variable that carries their port.
inline const char* const kTestPagesPortVariable = "VAKREL_TEST_PAGES_PORT";
inline const char* const kBiddingHost = "nyusatsu.example.localhost";
inline const char* const kGisHost = "gismap.example.localhost";
inline const char* const kRouteHost = "route.example.localhost";

// The started main window with the fixture pages of browser/data served under the deployment
// host names: the bidding site (/ppi/pub), the GIS map (/map/) and the route page
// (/distance/index.html, with the lengths it draws in /distance/routes.js).
class WebFlowsTest : public MainFormTest {
protected:
    WebFlowsTest();

    // Starts the window and waits until the bidding site is shown. Completions of the main
    // browser are recorded from here on, once its handler has dealt with them.
    void StartOnBiddingSite();

    AnsiString Address(const char* host, const QString& path) const;
    // Clicks the element of the browser's page with the id, as the user does.
    static void ClickLink(TWebBrowser& browser, const QString& id);
    static QString Text(TWebBrowser& browser, const QString& id);
    // Browsers in windows of their own, outside the program.
    static std::vector<TWebBrowser*> OutsideWindows();

    // The lengths the route page draws for the fixture's sites, by site name; with none it draws
    // no route at all.
    void SetRoutes(const std::map<std::string, std::string>& lengthBySite);
    void SetNoRoutes();
    int RoutePageLoads() const;

    bool Completed(const AnsiString& url) const;

    LocalHttpServer server;
    std::vector<AnsiString> completions;

private:
    void ServeRoutes(std::string script);
};

// Own enabled state of a control, whatever its parents'.
inline bool OwnEnabled(const QWidget* control) {
    return !control->testAttribute(Qt::WA_ForceDisabled);
}
