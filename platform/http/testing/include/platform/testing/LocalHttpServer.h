#pragma once

#include "platform/Clock.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <list>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

// A request as the local server received it.
struct HttpRequest {
    // "GET /path?query HTTP/1.0"
    std::string line;
    std::string method;
    // The target less its query, e.g. "/distance/index.html".
    std::string path;
    std::string query;
    // Header names in lower case.
    std::map<std::string, std::string> headers;
    std::string body;
};

// An answer of the local server, well-formed or scripted to misbehave.
struct HttpResponse {
    static constexpr std::size_t kWhole = std::string::npos;

    int status = 200;
    // Sent as Content-Type unless empty.
    std::string contentType;
    std::string body;
    // Sends "Content-Length:" with the body's size. Off, the length is whatever `headers` say:
    // none, another number, several, or not a number at all.
    bool bodyLength = true;
    // Further header lines, in order.
    std::vector<std::pair<std::string, std::string>> headers;

    // Real milliseconds before anything of the answer is sent.
    int delayMs = 0;
    // Bytes of the body sent before a pause of pauseMs real milliseconds; the rest follows.
    std::size_t pauseAfter = kWhole;
    int pauseMs = 0;
    // Bytes of the body sent before the server holds the rest back; the connection then stays
    // open without data until the client closes it.
    std::size_t stallAfter = kWhole;
    // When above 0: the body goes out in pieces of this many bytes, a few real milliseconds
    // apart, each piece standing for trickleMs of the server's scripted time (see StallClock).
    std::size_t trickleBytes = 0;
    std::int64_t trickleMs = 0;
    // After the body, send it again and again until the client closes the connection.
    bool endless = false;
    // After what was sent, the connection is reset instead of closed in order.
    bool reset = false;
};

// An HTTP server for tests, on threads of its own, listening on 127.0.0.1 only, at a given port
// or one of the system's choosing. It answers every connection at once, each by the request's
// target: a response or handler registered for the whole target, else for its path, else a file
// of the served folder, else 404. Every answer is HTTP/1.0 and closes its connection (or, as
// scripted, resets it, holds it or never ends it).
//
// Handlers run on the server's threads, one at a time: a handler that reads the test's own
// state needs that state to be settled before the request can come.
class LocalHttpServer {
public:
    using Response = HttpResponse;
    using Handler = std::function<HttpResponse(const HttpRequest&)>;

    // 200 with a Content-Length that matches the body.
    static Response Ok(std::string body);
    static Response Status(int code, std::string body);
    static Response Redirect(int code, const std::string& location);
    // 200 without Content-Length.
    static Response WithoutLength(std::string body);
    // 200 that announces `length` bytes, whatever the body's length.
    static Response Announcing(std::int64_t length, std::string body);
    // 200 whose Content-Length header lines carry the given values as they are, in order.
    static Response WithLengths(std::vector<std::string> values, std::string body);
    // 200 with "Transfer-Encoding: chunked" and no Content-Length: the body in chunks of
    // `chunkBytes`, then `ending` (by default the last chunk and an empty trailer).
    static Response Chunked(const std::string& body, std::size_t chunkBytes,
                            const std::string& ending = "0\r\n\r\n");

    // Listens at the given port, or at one the system chooses when it is 0.
    explicit LocalHttpServer(int port = 0);
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    int Port() const { return port_; }
    // "http://127.0.0.1:<port>" followed by the path.
    std::string Url(const std::string& path) const;
    // "http://" + host + ":" + port + path. Names under ".localhost", and any name when the
    // client maps every host to loopback, reach this server.
    std::string Url(const std::string& host, const std::string& path) const;

    void Serve(const std::string& target, Response response);
    void Handle(const std::string& target, Handler handler);
    // Files under `folder` answer the paths below "/" (".html" as UTF-8 HTML, ".js", ".css",
    // ".svg", ".txt"; anything else as bytes).
    void ServeFolder(const std::string& folder);
    // The answer the served folder gives for a path (404 when there is no such file), for
    // handlers that change it.
    Response FileResponse(const std::string& path) const;

    // Request lines received so far ("GET /path HTTP/1.0"), oldest first.
    std::vector<std::string> Requests() const;
    // The requests received so far, whole, oldest first.
    std::vector<HttpRequest> ReceivedRequests() const;
    // True while a response is being held back, from a moment after its last bytes went out.
    bool Stalled() const { return stalled_.load() > 0; }
    // The time that trickled answers stood for so far, in milliseconds.
    std::int64_t ScriptedMilliseconds() const { return scripted_.load(); }

private:
    void Accept();
    void Answer(int connection);
    bool ReadRequest(int connection, HttpRequest& request);
    Response Find(const HttpRequest& request);
    void Send(int connection, const Response& response);
    // Waits real milliseconds; false when the server stops meanwhile.
    bool Pause(int milliseconds) const;

    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> stalled_{0};
    std::atomic<std::int64_t> scripted_{0};
    mutable std::mutex mutex_;
    std::mutex handlerMutex_;
    std::map<std::string, Handler> handlers_;
    std::string folder_;
    std::vector<HttpRequest> requests_;
    std::list<std::thread> connections_;
    std::thread acceptor_;
};

// A clock for tests of time-outs: it stands still, except that every reading taken while the
// server holds a response back moves it a minute on, so any time-out passes after a few waits
// without anyone sleeping, and that it moves with the time the server's trickled answers stand
// for. Sleeps only move it.
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
