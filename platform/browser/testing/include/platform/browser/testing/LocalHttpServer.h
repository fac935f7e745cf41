#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QTcpServer;
class QTcpSocket;

struct HttpRequest {
    QByteArray method;
    // The path without the query, e.g. "/distance/index.html".
    QByteArray path;
    QByteArray query;
    // Header names in lower case.
    QMap<QByteArray, QByteArray> headers;
    QByteArray body;
};

struct HttpResponse {
    int status = 200;
    QByteArray contentType = "text/html; charset=utf-8";
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers;
    // Milliseconds before anything of the response is sent.
    int delayMs = 0;
    // When 0 or more: only this many bytes of the body are sent at first, the rest
    // restDelayMs milliseconds later.
    int firstPartBytes = -1;
    int restDelayMs = 0;
};

// An HTTP server for tests inside the test process: it listens on 127.0.0.1 at a port the system
// chooses (or a given one) and answers from the message loop of the thread that made it, so tests
// must keep the loop running while a page loads. Requests are answered by a handler registered for
// their path, else from the served folder, else with 404. Every answer closes its connection.
class LocalHttpServer {
public:
    using Handler = std::function<HttpResponse(const HttpRequest&)>;

    // Listens at the given port, or at one the system chooses when it is 0.
    explicit LocalHttpServer(quint16 port = 0);
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    quint16 Port() const;

    // Files under `folder` answer the paths below "/" (".html" as UTF-8 HTML, ".js", ".css",
    // ".txt"; anything else as bytes).
    void ServeFolder(const QString& folder);
    void Handle(const QByteArray& path, Handler handler);
    void Serve(const QByteArray& path, HttpResponse response);
    // The answer the served folder gives for a path (404 when there is no such file), for
    // handlers that change it, e.g. to add a delay.
    HttpResponse FileResponse(const QByteArray& path) const;

    // "http://" + host + ":" + port + path. With every host name mapped to 127.0.0.1 (see
    // MapAllHostsToLoopback) any host name reaches this server, as do names under ".localhost".
    QString Url(const QString& host, const QString& path) const;
    QString Url(const QString& path) const { return Url(QStringLiteral("127.0.0.1"), path); }

    // Every request answered so far, oldest first.
    const std::vector<HttpRequest>& Requests() const { return requests_; }

private:
    void Accept();
    void Read(QTcpSocket* socket);
    void Answer(QTcpSocket* socket, const HttpRequest& request);

    std::unique_ptr<QTcpServer> server_;
    QString folder_;
    QMap<QByteArray, Handler> handlers_;
    QMap<QTcpSocket*, QByteArray> received_;
    std::vector<HttpRequest> requests_;
};
