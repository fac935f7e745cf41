#include "platform/browser/testing/BrowserTesting.h"

#include "platform/browser/TWebBrowser.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWebEnginePage>

#include <memory>

void MapAllHostsToLoopback() {
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.isEmpty()) {
        flags += ' ';
    }
    flags += "--host-resolver-rules=\"MAP * 127.0.0.1\"";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
}

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done()) {
        if (elapsed.elapsed() > timeoutMs) {
            return false;
        }
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

bool WaitUntilComplete(TWebBrowser& browser, int timeoutMs) {
    return WaitUntil([&] { return browser.ReadyState() == 4 && !browser.Busy(); }, timeoutMs);
}

QVariant EvaluateScript(TWebBrowser& browser, const QString& script, int timeoutMs) {
    struct Answer {
        bool done = false;
        QVariant value;
    };
    auto answer = std::make_shared<Answer>();
    browser.Page()->runJavaScript(script, 0, [answer](const QVariant& value) {
        answer->done = true;
        answer->value = value;
    });
    WaitUntil([&] { return answer->done; }, timeoutMs);
    return answer->value;
}
