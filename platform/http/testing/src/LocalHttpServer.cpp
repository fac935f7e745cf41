#include "platform/testing/LocalHttpServer.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <poll.h>
#include <sstream>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kPollMilliseconds = 20;
// Real time between two trickled pieces.
constexpr int kTrickleRealMilliseconds = 10;
// Real time the client has to read what was sent before the server resets the connection or
// shows that it holds the rest back.
constexpr int kSettleMilliseconds = 50;

const char* Reason(int code) {
    switch (code) {
    case 200:
        return "OK";
    case 300:
        return "Multiple Choices";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string ContentTypeOf(const std::string& path) {
    if (EndsWith(path, ".html") || EndsWith(path, ".htm")) {
        return "text/html; charset=utf-8";
    }
    if (EndsWith(path, ".js")) {
        return "text/javascript; charset=utf-8";
    }
    if (EndsWith(path, ".css")) {
        return "text/css; charset=utf-8";
    }
    if (EndsWith(path, ".svg")) {
        return "image/svg+xml";
    }
    if (EndsWith(path, ".txt")) {
        return "text/plain; charset=utf-8";
    }
    return "application/octet-stream";
}

std::string PercentDecoded(const std::string& text) {
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() &&
            std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            decoded += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

// Sends everything; false when the client has gone or the server stops, also while a client
// that reads nothing keeps the connection open.
bool SendAll(int connection, const char* data, std::size_t size, const std::atomic<bool>& stop) {
    while (size > 0) {
        if (stop) {
            return false;
        }
        const ssize_t sent = ::send(connection, data, size, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
            pollfd wait{connection, POLLOUT, 0};
            ::poll(&wait, 1, kPollMilliseconds);
            continue;
        }
        if (sent <= 0) {
            return false;
        }
        data += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

HttpResponse NotFound() {
    HttpResponse response;
    response.status = 404;
    response.body = "not found\n";
    return response;
}

} // namespace

LocalHttpServer::Response LocalHttpServer::Ok(std::string body) {
    return Status(200, std::move(body));
}

LocalHttpServer::Response LocalHttpServer::Status(int code, std::string body) {
    Response response;
    response.status = code;
    response.body = std::move(body);
    return response;
}

LocalHttpServer::Response LocalHttpServer::Redirect(int code, const std::string& location) {
    Response response = Status(code, "moved\n");
    response.headers.emplace_back("Location", location);
    return response;
}

LocalHttpServer::Response LocalHttpServer::WithoutLength(std::string body) {
    Response response = Ok(std::move(body));
    response.bodyLength = false;
    return response;
}

LocalHttpServer::Response LocalHttpServer::Announcing(std::int64_t length, std::string body) {
    return WithLengths({std::to_string(length)}, std::move(body));
}

LocalHttpServer::Response LocalHttpServer::WithLengths(std::vector<std::string> values,
                                                       std::string body) {
    Response response = WithoutLength(std::move(body));
    for (std::string& value : values) {
        response.headers.emplace_back("Content-Length", std::move(value));
    }
    return response;
}

LocalHttpServer::Response LocalHttpServer::Chunked(const std::string& body, std::size_t chunkBytes,
                                                   const std::string& ending) {
    std::string chunked;
    for (std::size_t at = 0; at < body.size(); at += chunkBytes) {
        const std::string piece = body.substr(at, chunkBytes);
        char size[24];
        std::snprintf(size, sizeof size, "%zX\r\n", piece.size());
        chunked += size + piece + "\r\n";
    }
    Response response = WithoutLength(chunked + ending);
    response.headers.emplace_back("Transfer-Encoding", "chunked");
    return response;
}

LocalHttpServer::LocalHttpServer(int port) {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener_ < 0) {
        throw std::runtime_error("cannot make a socket");
    }
    const int reuse = 1;
    ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    socklen_t length = sizeof address;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 64) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(listener_);
        throw std::runtime_error("the local HTTP server cannot listen on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { Accept(); });
}

LocalHttpServer::~LocalHttpServer() {
    stop_ = true;
    acceptor_.join();
    for (std::thread& connection : connections_) {
        connection.join();
    }
    ::close(listener_);
}

std::string LocalHttpServer::Url(const std::string& path) const {
    return Url("127.0.0.1", path);
}

std::string LocalHttpServer::Url(const std::string& host, const std::string& path) const {
    return "http://" + host + ":" + std::to_string(port_) + path;
}

void LocalHttpServer::Serve(const std::string& target, Response response) {
    Handle(target, [response = std::move(response)](const HttpRequest&) { return response; });
}

void LocalHttpServer::Handle(const std::string& target, Handler handler) {
    std::lock_guard lock(mutex_);
    handlers_[target] = std::move(handler);
}

void LocalHttpServer::ServeFolder(const std::string& folder) {
    std::lock_guard lock(mutex_);
    folder_ = folder;
}

LocalHttpServer::Response LocalHttpServer::FileResponse(const std::string& path) const {
    std::string folder;
    {
        std::lock_guard lock(mutex_);
        folder = folder_;
    }
    const std::string relative = PercentDecoded(path);
    if (folder.empty() || relative.empty() || relative.front() != '/' ||
        relative.find("..") != std::string::npos) {
        return NotFound();
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(folder + relative, error)) {
        return NotFound();
    }
    std::ifstream file(folder + relative, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    Response response = Ok(content.str());
    response.contentType = ContentTypeOf(path);
    return response;
}

std::vector<std::string> LocalHttpServer::Requests() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> lines;
    for (const HttpRequest& request : requests_) {
        lines.push_back(request.line);
    }
    return lines;
}

std::vector<HttpRequest> LocalHttpServer::ReceivedRequests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void LocalHttpServer::Accept() {
    while (!stop_) {
        pollfd wait{listener_, POLLIN, 0};
        if (::poll(&wait, 1, kPollMilliseconds) <= 0) {
            continue;
        }
        const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) {
            continue;
        }
        connections_.emplace_back([this, connection] {
            Answer(connection);
            ::close(connection);
        });
    }
}

bool LocalHttpServer::Pause(int milliseconds) const {
    for (int waited = 0; waited < milliseconds && !stop_; waited += kPollMilliseconds) {
        std::this_thread::sleep_for(
            std::chrono::milliseconds(std::min(kPollMilliseconds, milliseconds - waited)));
    }
    return !stop_;
}

bool LocalHttpServer::ReadRequest(int connection, HttpRequest& request) {
    std::string data;
    std::size_t headEnd = std::string::npos;
    std::size_t bodyLength = 0;
    while (headEnd == std::string::npos || data.size() < headEnd + 4 + bodyLength) {
        if (stop_) {
            return false;
        }
        pollfd wait{connection, POLLIN, 0};
        if (::poll(&wait, 1, kPollMilliseconds) <= 0) {
            continue;
        }
        char buffer[4096];
        const ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0) {
            return false;
        }
        data.append(buffer, static_cast<std::size_t>(got));
        if (headEnd == std::string::npos) {
            headEnd = data.find("\r\n\r\n");
            if (headEnd == std::string::npos) {
                continue;
            }
            std::istringstream head(data.substr(0, headEnd));
            std::getline(head, request.line);
            request.line = Trimmed(request.line);
            for (std::string line; std::getline(head, line);) {
                const std::size_t colon = line.find(':');
                if (colon != std::string::npos && colon > 0) {
                    request.headers[Lower(Trimmed(line.substr(0, colon)))] =
                        Trimmed(line.substr(colon + 1));
                }
            }
            const auto length = request.headers.find("content-length");
            if (length != request.headers.end()) {
                bodyLength =
                    static_cast<std::size_t>(std::strtoull(length->second.c_str(), nullptr, 10));
            }
        }
    }
    request.body = data.substr(headEnd + 4, bodyLength);
    const std::size_t first = request.line.find(' ');
    const std::size_t second = request.line.find(' ', first + 1);
    if (first == std::string::npos) {
        return false;
    }
    request.method = request.line.substr(0, first);
    const std::string target = request.line.substr(first + 1, second - first - 1);
    const std::size_t question = target.find('?');
    request.path = target.substr(0, question);
    request.query = question == std::string::npos ? std::string() : target.substr(question + 1);
    return true;
}

LocalHttpServer::Response LocalHttpServer::Find(const HttpRequest& request) {
    const std::size_t first = request.line.find(' ');
    const std::string target =
        request.line.substr(first + 1, request.line.find(' ', first + 1) - first - 1);
    Handler handler;
    {
        std::lock_guard lock(mutex_);
        auto found = handlers_.find(target);
        if (found == handlers_.end()) {
            found = handlers_.find(request.path);
        }
        if (found != handlers_.end()) {
            handler = found->second;
        }
    }
    if (!handler) {
        return FileResponse(request.path);
    }
    std::lock_guard lock(handlerMutex_);
    return handler(request);
}

void LocalHttpServer::Answer(int connection) {
    HttpRequest request;
    if (!ReadRequest(connection, request)) {
        return;
    }
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(request);
    }
    Send(connection, Find(request));
}

void LocalHttpServer::Send(int connection, const Response& response) {
    if (response.delayMs > 0 && !Pause(response.delayMs)) {
        return;
    }
    std::string head =
        "HTTP/1.0 " + std::to_string(response.status) + " " + Reason(response.status) + "\r\n";
    if (!response.contentType.empty()) {
        head += "Content-Type: " + response.contentType + "\r\n";
    }
    if (response.bodyLength) {
        head += "Content-Length: " + std::to_string(response.body.size()) + "\r\n";
    }
    head += "Cache-Control: no-store\r\nConnection: close\r\n";
    for (const auto& [name, value] : response.headers) {
        head += name + ": " + value + "\r\n";
    }
    head += "\r\n";
    if (!SendAll(connection, head.data(), head.size(), stop_)) {
        return;
    }

    const std::string& body = response.body;
    const std::size_t end = std::min(response.stallAfter, body.size());
    const std::size_t piece = response.trickleBytes > 0 ? response.trickleBytes : end;
    for (std::size_t sent = 0; sent < end;) {
        if (sent == response.pauseAfter && !Pause(response.pauseMs)) {
            return;
        }
        std::size_t next = std::min(end, sent + piece);
        if (response.pauseAfter > sent) {
            next = std::min(next, response.pauseAfter);
        }
        if (response.trickleBytes > 0) {
            scripted_ += response.trickleMs;
        }
        if (!SendAll(connection, body.data() + sent, next - sent, stop_)) {
            return;
        }
        sent = next;
        if (response.trickleBytes > 0 && !Pause(kTrickleRealMilliseconds)) {
            return;
        }
    }

    if (response.stallAfter != HttpResponse::kWhole) {
        if (!Pause(kSettleMilliseconds)) {
            return;
        }
        ++stalled_;
        while (!stop_) {
            pollfd wait{connection, POLLIN, 0};
            if (::poll(&wait, 1, kPollMilliseconds) > 0) {
                char buffer[256];
                if (::recv(connection, buffer, sizeof buffer, 0) <= 0) {
                    break;
                }
            }
        }
        --stalled_;
        return;
    }
    while (response.endless && !stop_ && !body.empty()) {
        if (!SendAll(connection, body.data(), body.size(), stop_)) {
            return;
        }
    }
    if (response.reset) {
        Pause(kSettleMilliseconds);
        const linger hard{1, 0};
        ::setsockopt(connection, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    }
}

std::int64_t StallClock::Milliseconds() {
    if (server_.Stalled()) {
        now_ += 60000;
    }
    return now_ + server_.ScriptedMilliseconds();
}
