#include "WebFlowsFixture.h"

#include "model/LCoordinatesConvert.h"
#include "model/SharedConstants.h"

#include "platform/qt/QtText.h"

#include <QApplication>

namespace {

struct SitePoint {
    const char* name;
    double x;
    double y;
};

// The disposal sites of the fixture program folder (dat/EC01_sites.csv).
const SitePoint kSites[] = {{"処分場A", -7000, 20000},
                            {"処分場B", -10000, 28000},
                            {"処分場C", -22000, 20000},
                            {"処分場D", 26000, 68000},
                            {"処分場F", -25000, 0}};

quint16 TestPagesPort() {
    return static_cast<quint16>(qEnvironmentVariableIntValue(kTestPagesPortVariable));
}

} // namespace

WebFlowsTest::WebFlowsTest() : server(TestPagesPort()) {
    server.ServeFolder(WEBFLOWS_TEST_PAGES);
    server.Handle("/ppi/pub",
                  [this](const HttpRequest&) { return server.FileResponse("/ppi/pub.html"); });
    SetNoRoutes();
}

void WebFlowsTest::ServeRoutes(std::string script) {
    HttpResponse response = LocalHttpServer::Ok(std::move(script));
    response.contentType = "text/javascript; charset=utf-8";
    server.Serve("/distance/routes.js", std::move(response));
}

void WebFlowsTest::StartOnBiddingSite() {
    Start();
    TWebBrowser& browser = *Form().BrowserNyusatsuInfo;
    const AnsiString site = FromWide(URL_NYUSATSU_INFO);
    ASSERT_TRUE(WaitUntil([&] {
        return browser.LocationURL() == site && browser.ReadyState() == 4 && !browser.Busy();
    })) << browser.LocationURL();
    auto handler = browser.OnNavigateComplete2;
    browser.OnNavigateComplete2 = [this, handler](TWebBrowser* sender, const AnsiString& url) {
        handler(sender, url);
        completions.push_back(url);
    };
}

AnsiString WebFlowsTest::Address(const char* host, const QString& path) const {
    return FromQString(QString::fromStdString(server.Url(host, path.toStdString())));
}

void WebFlowsTest::ClickLink(TWebBrowser& browser, const QString& id) {
    ASSERT_EQ(EvaluateScript(browser, QStringLiteral("var link = document.getElementById('%1'); "
                                                     "link.click(); link !== null")
                                          .arg(id)),
              QVariant(true))
        << id.toStdString();
}

QString WebFlowsTest::Text(TWebBrowser& browser, const QString& id) {
    return EvaluateScript(browser,
                          QStringLiteral("document.getElementById('%1').textContent").arg(id))
        .toString();
}

std::vector<TWebBrowser*> WebFlowsTest::OutsideWindows() {
    std::vector<TWebBrowser*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* browser = dynamic_cast<TWebBrowser*>(widget); browser && browser->isVisible()) {
            windows.push_back(browser);
        }
    }
    return windows;
}

void WebFlowsTest::SetRoutes(const std::map<std::string, std::string>& lengthBySite) {
    LCoordinatesConvert convert;
    std::string script = "var routeLengths = [\n";
    for (const SitePoint& site : kSites) {
        const auto length = lengthBySite.find(site.name);
        if (length == lengthBySite.end()) {
            continue;
        }
        convert.ConvertXYToLatLon(site.x, site.y);
        script += "  [" + QByteArray::number(convert.GetLatitude(), 'g', 17).toStdString() + ", " +
                  QByteArray::number(convert.GetLongitude(), 'g', 17).toStdString() + ", '" +
                  length->second + "'],\n";
    }
    ServeRoutes(script + "];\n");
}

void WebFlowsTest::SetNoRoutes() {
    ServeRoutes("var routeLengths = null;\n");
}

int WebFlowsTest::RoutePageLoads() const {
    int loads = 0;
    for (const HttpRequest& request : server.ReceivedRequests()) {
        loads += request.path == "/distance/index.html" ? 1 : 0;
    }
    return loads;
}

bool WebFlowsTest::Completed(const AnsiString& url) const {
    return std::find(completions.begin(), completions.end(), url) != completions.end();
}
