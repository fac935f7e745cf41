#include "platform/web/TWebBrowser.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Serves one fixed page to every request, on 127.0.0.1.
class PageServer {
public:
    explicit PageServer(QByteArray body) : body_(std::move(body)) {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    socket->readAll();
                    socket->write("HTTP/1.0 200 OK\r\nContent-Type: text/html; charset=utf-8\r\n"
                                  "Content-Length: " +
                                  QByteArray::number(body_.size()) + "\r\n\r\n" + body_);
                    socket->disconnectFromHost();
                });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
    QString Url(const QString& path) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path);
    }

private:
    QTcpServer server_;
    QByteArray body_;
};

bool WaitFor(const std::function<bool()>& done, int milliseconds = 30000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return done();
}

TEST(TWebBrowserTest, NavigateLoadsThePageAndScriptsKeepTheAddress) {
    PageServer server("<html><body><p id='p'>route</p></body></html>");
    TWebBrowser browser;
    browser.resize(300, 200);
    browser.show();
    EXPECT_EQ(browser.LocationURL(), AnsiString());
    EXPECT_EQ(browser.ReadyState(), TWebBrowser::READYSTATE_UNINITIALIZED);
    browser.GoBack();

    const QString address = server.Url(QStringLiteral("/distance/index.html"));
    browser.Navigate(AnsiString(address.toStdString()));
    EXPECT_TRUE(browser.Busy()) << "busy at once, before the engine reports the load";
    ASSERT_TRUE(WaitFor([&] { return browser.ReadyState() == TWebBrowser::READYSTATE_COMPLETE; }));
    EXPECT_FALSE(browser.Busy());
    EXPECT_EQ(browser.LocationURL(), AnsiString(address.toStdString()));

    browser.Navigate("javascript:document.title='done';void(0);");
    ASSERT_TRUE(WaitFor([&] { return browser.title() == QStringLiteral("done"); }));
    EXPECT_EQ(browser.LocationURL(), AnsiString(address.toStdString()));
    EXPECT_FALSE(browser.Busy());
}

} // namespace
