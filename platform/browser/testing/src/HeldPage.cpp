#include "platform/browser/testing/HeldPage.h"

#include "platform/browser/TWebBrowser.h"
#include "platform/browser/testing/BrowserTesting.h"
#include "platform/testing/LocalHttpServer.h"

#include <QString>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <chrono>

HeldPage::HeldPage(LocalHttpServer& server, const std::string& target) : target_(target) {
    server.Handle(target, [this](const HttpRequest&) {
        std::unique_lock lock(mutex_);
        held_ = true;
        changed_.wait_for(lock, std::chrono::seconds(60), [this] { return released_; });
        return LocalHttpServer::Ok("released");
    });
}

HeldPage::~HeldPage() {
    Release();
}

bool HeldPage::Hold(TWebBrowser& browser) {
    EvaluateScript(browser, QStringLiteral("setTimeout(function () { var r = new "
                                           "XMLHttpRequest(); r.open('GET', '%1', false); "
                                           "r.send(); }, 0); 1")
                                .arg(QString::fromStdString(target_)));
    return WaitUntil([this] { return Held(); });
}

void HeldPage::Start(TWebBrowser& browser) {
    browser.Page()->runJavaScript(QStringLiteral("var heldRequest = new XMLHttpRequest(); "
                                                 "heldRequest.open('GET', '%1', false); "
                                                 "heldRequest.send();")
                                      .arg(QString::fromStdString(target_)),
                                  QWebEngineScript::MainWorld);
}

bool HeldPage::Held() {
    std::lock_guard lock(mutex_);
    return held_ && !released_;
}

void HeldPage::Release() {
    {
        std::lock_guard lock(mutex_);
        released_ = true;
    }
    changed_.notify_all();
}
