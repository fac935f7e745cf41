#pragma once

#include "platform/AnsiString.h"
#include "platform/Exceptions.h"

#include <cstdint>
#include <functional>
#include <memory>

// A failed transfer: no connection, a refused address, a time-out, a socket error, a response
// that breaks the client's bounds.
class EHttpError : public Exception {
public:
    using Exception::Exception;
};

// An HTTP/1.0 client for plain http addresses that fetches one address at a time into a file.
// The transfer is synchronous: Get returns when it is over, and the events run nested inside
// it, on the calling thread. While it waits for the network it lets the application handle its
// pending events, so windows repaint and their buttons work (a button may call Disconnect).
//
// Each connection runs OnConnect when it is made, OnPacketRecvd after every packet of the
// response body (at most 64 KiB each) and OnDisconnect when it closes. A response with status
// 300 to 302 and a Location is followed to that address on a connection of its own, up to
// MaxRedirects times. The body of every response, whatever its status, is written to the body
// file, which is made new, readable by its owner only, when the response header has arrived:
// whatever stood at its name (an earlier file, a symbolic link) is removed first, and nothing is
// ever written through a link. OnSuccess runs after the last response's body is complete, only
// for a status of 298 or below.
//
// A body is complete when it reaches its Content-Length and the response has ended well or,
// without a length, when the server closes the connection. The packet that brings the body to
// its length is counted (and OnPacketRecvd run for it) only once the response has ended well,
// so BytesRecvd never reaches BytesTotal in a transfer that fails. A response whose body ends
// before its length, whose Content-Length is not a plain decimal number or disagrees with
// another Content-Length of the response, or that carries both Transfer-Encoding and
// Content-Length, fails the transfer; all but the first fail at the header, before the body
// file is made.
class HttpClient {
public:
    using Event = std::function<void()>;

    HttpClient();
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    // File that receives the response body.
    void SetBodyFile(const AnsiString& path) { bodyFile_ = path; }
    // Milliseconds allowed for the connection and for each wait for the next packet; 0: none.
    // Measured on the Clock.
    void SetTimeOut(int milliseconds) { timeOut_ = milliseconds; }
    // Milliseconds allowed for the whole transfer, redirections included, however steadily
    // its packets come; 0: none. Measured on the Clock.
    void SetTotalTimeOut(int milliseconds) { totalTimeOut_ = milliseconds; }
    // Redirections followed at most; one more fails the transfer.
    void SetMaxRedirects(int count) { maxRedirects_ = count; }
    // Bytes of body accepted at most, announced or not; a longer body fails the transfer.
    void SetMaxBodySize(std::int64_t bytes) { maxBodySize_ = bytes; }

    Event OnConnect;
    Event OnPacketRecvd;
    Event OnDisconnect;
    Event OnSuccess;

    // The current response's Content-Length, 0 when it announced none.
    std::int64_t BytesTotal() const { return bytesTotal_; }
    // Body bytes of the current response received so far.
    std::int64_t BytesRecvd() const { return bytesRecvd_; }
    // Status of the current response, 0 before its header has arrived.
    int StatusCode() const { return statusCode_; }
    // Whether the last Get created or overwrote the body file.
    bool BodyFileCreated() const { return bodyFileCreated_; }

    // Fetches the address (an address without scheme counts as http; the port is 80 unless
    // the address names one). Raises EHttpError when the transfer fails, with "HTTP Secure
    // Socket is not supported" for an https address; an error raised by an event handler
    // passes through unchanged.
    void Get(const AnsiString& address);

    // Closes the connection at once and runs OnDisconnect. The transfer then ends as if the
    // body were complete, without an error: OnSuccess still runs for a status of 298 or
    // below, then OnDisconnect once more. Nothing happens outside a transfer.
    void Disconnect();

    static constexpr std::int64_t kMaxPacketSize = 64 * 1024;

private:
    struct Hop;
    // One request on a connection of its own; returns the address to go on to, if any.
    std::string RunHop(const std::string& address);
    void Fire(const Event& event);
    void PumpEvents();

    AnsiString bodyFile_;
    int timeOut_ = 0;
    int totalTimeOut_ = 0;
    int maxRedirects_ = 5;
    std::int64_t maxBodySize_ = std::int64_t(1) << 30;

    std::int64_t bytesTotal_ = 0;
    std::int64_t bytesRecvd_ = 0;
    int statusCode_ = 0;
    bool inTransfer_ = false;
    bool hopActive_ = false;
    bool disconnected_ = false;
    bool bodyFileCreated_ = false;
    std::int64_t transferStart_ = 0;
};
