#include "platform/testing/LocalHttpServer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kPollMilliseconds = 20;
// A request whose header has not arrived after this long is dropped.
constexpr int kRequestPolls = 250;

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

std::string StatusLine(int code) {
    return "HTTP/1.0 " + std::to_string(code) + " " + Reason(code) + "\r\n";
}

// Sends everything; false when the client has gone.
bool SendAll(int connection, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t sent = ::send(connection, data, size, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) {
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

} // namespace

LocalHttpServer::Response LocalHttpServer::Ok(std::string body) {
    return Status(200, std::move(body));
}

LocalHttpServer::Response LocalHttpServer::Status(int code, std::string body) {
    Response response;
    response.head = StatusLine(code) + "Content-Length: " + std::to_string(body.size()) + "\r\n";
    response.body = std::move(body);
    return response;
}

LocalHttpServer::Response LocalHttpServer::Redirect(int code, const std::string& location) {
    Response response = Status(code, "moved\n");
    response.head += "Location: " + location + "\r\n";
    return response;
}

LocalHttpServer::Response LocalHttpServer::WithoutLength(std::string body) {
    Response response;
    response.head = StatusLine(200);
    response.body = std::move(body);
    return response;
}

LocalHttpServer::Response LocalHttpServer::Announcing(std::int64_t length, std::string body) {
    Response response;
    response.head = StatusLine(200) + "Content-Length: " + std::to_string(length) + "\r\n";
    response.body = std::move(body);
    return response;
}

LocalHttpServer::LocalHttpServer() {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener_ < 0) {
        throw std::runtime_error("cannot make a socket");
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 8) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(listener_);
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Run(); });
}

LocalHttpServer::~LocalHttpServer() {
    stop_ = true;
    thread_.join();
    ::close(listener_);
}

std::string LocalHttpServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void LocalHttpServer::Serve(const std::string& path, Response response) {
    std::lock_guard lock(mutex_);
    responses_[path] = std::move(response);
}

std::vector<std::string> LocalHttpServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void LocalHttpServer::Run() {
    while (!stop_) {
        pollfd wait{listener_, POLLIN, 0};
        if (::poll(&wait, 1, kPollMilliseconds) <= 0) {
            continue;
        }
        int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) {
            continue;
        }
        Answer(connection);
        ::close(connection);
    }
}

void LocalHttpServer::Answer(int connection) {
    std::string request;
    for (int polls = 0; request.find("\r\n\r\n") == std::string::npos; ++polls) {
        if (stop_ || polls > kRequestPolls) {
            return;
        }
        pollfd wait{connection, POLLIN, 0};
        if (::poll(&wait, 1, kPollMilliseconds) <= 0) {
            continue;
        }
        char buffer[4096];
        ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0) {
            return;
        }
        request.append(buffer, static_cast<std::size_t>(got));
    }
    const std::string line = request.substr(0, request.find("\r\n"));
    const std::size_t first = line.find(' ');
    const std::size_t second = line.find(' ', first + 1);
    const std::string path =
        first == std::string::npos ? std::string() : line.substr(first + 1, second - first - 1);
    Response response;
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(line);
        auto found = responses_.find(path);
        response = found != responses_.end() ? found->second : Status(404, "not found\n");
    }
    const std::string head = response.head + "\r\n";
    if (!SendAll(connection, head.data(), head.size())) {
        return;
    }
    const std::size_t count = std::min(response.stallAfter, response.body.size());
    if (!SendAll(connection, response.body.data(), count)) {
        return;
    }
    if (response.stallAfter != std::string::npos) {
        stalled_ = true;
        while (!stop_) {
            pollfd wait{connection, POLLIN, 0};
            if (::poll(&wait, 1, kPollMilliseconds) > 0) {
                char buffer[256];
                if (::recv(connection, buffer, sizeof buffer, 0) <= 0) {
                    break;
                }
            }
        }
        stalled_ = false;
        return;
    }
    while (response.endless && !stop_ && !response.body.empty()) {
        if (!SendAll(connection, response.body.data(), response.body.size())) {
            break;
        }
    }
}

std::int64_t StallClock::Milliseconds() {
    if (server_.Stalled()) {
        now_ += 60000;
    }
    return now_;
}
