#include "platform/browser/testing/LocalHttpServer.h"

#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <stdexcept>

namespace {

QByteArray ReasonPhrase(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    default:
        return "Status";
    }
}

QByteArray ContentTypeOf(const QByteArray& path) {
    if (path.endsWith(".html") || path.endsWith(".htm")) {
        return "text/html; charset=utf-8";
    }
    if (path.endsWith(".js")) {
        return "text/javascript; charset=utf-8";
    }
    if (path.endsWith(".css")) {
        return "text/css; charset=utf-8";
    }
    if (path.endsWith(".svg")) {
        return "image/svg+xml";
    }
    if (path.endsWith(".txt")) {
        return "text/plain; charset=utf-8";
    }
    return "application/octet-stream";
}

// Parses a request whose head (and body, by Content-Length) has fully arrived.
bool ParseRequest(const QByteArray& data, HttpRequest& request) {
    const int headEnd = data.indexOf("\r\n\r\n");
    if (headEnd < 0) {
        return false;
    }
    const QList<QByteArray> lines = data.left(headEnd).split('\n');
    const QList<QByteArray> start = lines.value(0).trimmed().split(' ');
    if (start.size() < 2) {
        return false;
    }
    request.method = start[0];
    const QByteArray target = start[1];
    const int question = target.indexOf('?');
    request.path = question < 0 ? target : target.left(question);
    request.query = question < 0 ? QByteArray() : target.mid(question + 1);
    for (int i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        const int colon = line.indexOf(':');
        if (colon > 0) {
            request.headers.insert(line.left(colon).trimmed().toLower(),
                                   line.mid(colon + 1).trimmed());
        }
    }
    const int length = request.headers.value("content-length").toInt();
    if (data.size() - (headEnd + 4) < length) {
        return false;
    }
    request.body = data.mid(headEnd + 4, length);
    return true;
}

void Send(const QPointer<QTcpSocket>& socket, const QByteArray& bytes, bool last) {
    if (!socket) {
        return;
    }
    socket->write(bytes);
    socket->flush();
    if (last) {
        socket->disconnectFromHost();
    }
}

} // namespace

LocalHttpServer::LocalHttpServer(quint16 port) : server_(std::make_unique<QTcpServer>()) {
    if (!server_->listen(QHostAddress::LocalHost, port)) {
        throw std::runtime_error("the local HTTP server cannot listen on 127.0.0.1");
    }
    QObject::connect(server_.get(), &QTcpServer::newConnection, server_.get(),
                     [this] { Accept(); });
}

LocalHttpServer::~LocalHttpServer() {
    server_->close();
    for (QTcpSocket* socket : received_.keys()) {
        socket->abort();
        delete socket;
    }
}

quint16 LocalHttpServer::Port() const {
    return server_->serverPort();
}

void LocalHttpServer::ServeFolder(const QString& folder) {
    folder_ = folder;
}

void LocalHttpServer::Handle(const QByteArray& path, Handler handler) {
    handlers_.insert(path, std::move(handler));
}

void LocalHttpServer::Serve(const QByteArray& path, HttpResponse response) {
    Handle(path, [response](const HttpRequest&) { return response; });
}

HttpResponse LocalHttpServer::FileResponse(const QByteArray& path) const {
    HttpResponse response;
    const QString relative = QString::fromUtf8(QByteArray::fromPercentEncoding(path));
    if (folder_.isEmpty() || relative.contains(QStringLiteral(".."))) {
        response.status = 404;
        response.body = "not found";
        return response;
    }
    QFile file(QDir(folder_).filePath(relative.mid(1)));
    if (!file.open(QIODevice::ReadOnly)) {
        response.status = 404;
        response.body = "not found";
        return response;
    }
    response.body = file.readAll();
    response.contentType = ContentTypeOf(path);
    return response;
}

QString LocalHttpServer::Url(const QString& host, const QString& path) const {
    return QStringLiteral("http://%1:%2%3").arg(host, QString::number(Port()), path);
}

void LocalHttpServer::Accept() {
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        received_.insert(socket, QByteArray());
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { Read(socket); });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, [this, socket] {
            received_.remove(socket);
            socket->deleteLater();
        });
    }
}

void LocalHttpServer::Read(QTcpSocket* socket) {
    if (!received_.contains(socket)) {
        return;
    }
    QByteArray& data = received_[socket];
    data += socket->readAll();
    HttpRequest request;
    if (!ParseRequest(data, request)) {
        return;
    }
    data.clear();
    requests_.push_back(request);
    Answer(socket, request);
}

void LocalHttpServer::Answer(QTcpSocket* socket, const HttpRequest& request) {
    const auto handler = handlers_.constFind(request.path);
    const HttpResponse response =
        handler != handlers_.constEnd() ? (*handler)(request) : FileResponse(request.path);

    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' +
                      ReasonPhrase(response.status) + "\r\n";
    head += "Content-Type: " + response.contentType + "\r\n";
    head += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
    head += "Cache-Control: no-store\r\n";
    head += "Connection: close\r\n";
    for (const auto& header : response.headers) {
        head += header.first + ": " + header.second + "\r\n";
    }
    head += "\r\n";

    const bool split =
        response.firstPartBytes >= 0 && response.firstPartBytes < response.body.size();
    const QByteArray first =
        head + (split ? response.body.left(response.firstPartBytes) : response.body);
    const QByteArray rest = split ? response.body.mid(response.firstPartBytes) : QByteArray();
    QPointer<QTcpSocket> target(socket);
    auto sendAll = [target, first, rest, split, restDelay = response.restDelayMs] {
        Send(target, first, !split);
        if (split) {
            QTimer::singleShot(restDelay, target.data(),
                               [target, rest] { Send(target, rest, true); });
        }
    };
    if (response.delayMs > 0) {
        QTimer::singleShot(response.delayMs, socket, sendAll);
    } else {
        sendAll();
    }
}
