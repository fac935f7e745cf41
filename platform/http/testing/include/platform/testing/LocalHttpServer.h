#pragma once

#include "platform/Clock.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// An HTTP server for tests, on its own thread, listening on 127.0.0.1 only at a port of the
// system's choosing. It answers each request by its path from the responses it was given, one
// connection at a time, and closes the connection after the response (HTTP/1.0). A path
// without a response gets 404.
class LocalHttpServer {
public:
    struct Response {
        // Status line and header lines, each ending in CR LF, without the blank line.
        std::string head;
        std::string body;
        // Bytes of the body sent before the server holds the rest back; the connection then
        // stays open without data until the client closes it.
        std::size_t stallAfter = std::string::npos;
        // After the body, send it again and again until the client closes the connection.
        bool endless = false;
    };

    // 200 with a Content-Length that matches the body.
    static Response Ok(std::string body);
    static Response Status(int code, std::string body);
    static Response Redirect(int code, const std::string& location);
    // 200 without Content-Length.
    static Response WithoutLength(std::string body);
    // 200 that announces `length` bytes, whatever the body's length.
    static Response Announcing(std::int64_t length, std::string body);

    LocalHttpServer();
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    int Port() const { return port_; }
    // "http://127.0.0.1:<port>" followed by the path.
    std::string Url(const std::string& path) const;
    void Serve(const std::string& path, Response response);
    // Request lines received so far ("GET /path HTTP/1.0"), in order.
    std::vector<std::string> Requests() const;
    // True while a response is being held back.
    bool Stalled() const { return stalled_.load(); }

private:
    void Run();
    void Answer(int connection);

    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<bool> stalled_{false};
    mutable std::mutex mutex_;
    std::map<std::string, Response> responses_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

// A clock for tests of time-outs: it stands still, except that every reading taken while the
// server holds a response back moves it a minute on, so any time-out passes after a few waits
// without anyone sleeping. Sleeps only move it.
class StallClock : public Clock {
public:
    explicit StallClock(const LocalHttpServer& server) : server_(server) {}
    std::int64_t Milliseconds() override;
    void Sleep(int milliseconds) override { now_ += milliseconds; }
    std::int64_t Slept() const { return now_; }

private:
    const LocalHttpServer& server_;
    std::int64_t now_ = 0;
};
