#include "platform/HttpClient.h"

#include "platform/Clock.h"
#include "platform/FileSystem.h"

#include <QCoreApplication>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <curl/curl.h>
#include <deque>
#include <fcntl.h>
#include <mutex>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

// How long one wait for the network lasts before the application's events are handled again.
constexpr int kPollMilliseconds = 20;

void InitialiseCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// The address as it goes to the network; raises for an address of another kind.
std::string PlainHttpAddress(const std::string& address) {
    const std::size_t separator = address.find("://");
    if (separator == std::string::npos) {
        return "http://" + address;
    }
    const std::string scheme = Lower(std::string_view(address).substr(0, separator));
    if (scheme == "https") {
        throw EHttpError("HTTP Secure Socket is not supported");
    }
    if (scheme != "http") {
        throw EHttpError("Unsupported address: " + address);
    }
    return address;
}

// libcurl refuses an address that holds a blank, as an installer's file name may: blanks go
// out as %20, every other byte as it is.
std::string WithBlanksEncoded(const std::string& address) {
    std::string encoded;
    encoded.reserve(address.size());
    for (char c : address) {
        if (c == ' ') {
            encoded += "%20";
        } else {
            encoded += c;
        }
    }
    return encoded;
}

std::int64_t Now() {
    return Clock::Current().Milliseconds();
}

// The value of a Content-Length header line: a plain decimal number between optional blanks
// (a number too large for any body is kept as a very large one), or -1 for anything else.
std::int64_t PlainLength(std::string_view value) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!value.empty() && blank(value.front())) {
        value.remove_prefix(1);
    }
    while (!value.empty() && blank(value.back())) {
        value.remove_suffix(1);
    }
    if (value.empty()) {
        return -1;
    }
    std::int64_t number = 0;
    for (char c : value) {
        if (c < '0' || c > '9') {
            return -1;
        }
        number = std::min<std::int64_t>(number * 10 + (c - '0'), INT64_MAX / 16);
    }
    return number;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// The body file, made new and readable by its owner only: whatever stands at its name (an
// earlier file, a symbolic link planted there) is removed first, and the creation refuses to
// follow or reuse anything that appears there meanwhile. Nothing when it cannot be made.
FilePtr CreateNewFile(const AnsiString& path) {
    const std::string osPath = fs932::ToOsPath(path);
    ::unlink(osPath.c_str());
    const int descriptor =
        ::open(osPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (descriptor < 0) {
        return nullptr;
    }
    FilePtr file(::fdopen(descriptor, "wb"));
    if (!file) {
        ::close(descriptor);
    }
    return file;
}

} // namespace

// What libcurl's callbacks collect during one request; the client acts on it between waits, so
// that the events never run inside libcurl.
struct HttpClient::Hop {
    std::deque<std::string> packets;
    std::int64_t accepted = 0;
    std::int64_t contentLength = -1;
    std::int64_t maxBody = 0;
    bool connected = false;
    bool sawStatusLine = false;
    bool interim = false;
    bool headerDone = false;
    bool tooLarge = false;
    // A Content-Length that is not a plain decimal number, or one of several that disagree.
    bool unclearLength = false;
    bool sawContentLength = false;
    bool sawTransferEncoding = false;

    static int OnConnected(void* user, char*, char*, int, int) {
        static_cast<Hop*>(user)->connected = true;
        return CURL_PREREQFUNC_OK;
    }

    static std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* user) {
        Hop& hop = *static_cast<Hop*>(user);
        const std::size_t length = size * count;
        std::string_view line(data, length);
        if (hop.headerDone) {
            // The trailer of a chunked body: no header of the response.
            return length;
        }
        if (line.starts_with("HTTP/")) {
            // A new status line: an interim 1xx response is followed by the real one.
            const std::size_t blank = line.find(' ');
            hop.interim = blank != std::string_view::npos && blank + 1 < line.size() &&
                          line[blank + 1] == '1';
            hop.sawStatusLine = true;
            hop.contentLength = -1;
            hop.unclearLength = false;
            hop.sawContentLength = false;
            hop.sawTransferEncoding = false;
        } else if (line == "\r\n" || line == "\n") {
            if (hop.sawStatusLine && !hop.interim) {
                hop.headerDone = true;
            }
        } else if (Lower(line.substr(0, 18)) == "transfer-encoding:") {
            hop.sawTransferEncoding = true;
        } else if (Lower(line.substr(0, 15)) == "content-length:") {
            hop.sawContentLength = true;
            const std::int64_t number = PlainLength(line.substr(15));
            if (number < 0 || (hop.contentLength >= 0 && number != hop.contentLength)) {
                hop.unclearLength = true;
            } else {
                hop.contentLength = number;
            }
        }
        return length;
    }

    static std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* user) {
        Hop& hop = *static_cast<Hop*>(user);
        const std::size_t length = size * count;
        std::int64_t keep = static_cast<std::int64_t>(length);
        if (hop.contentLength >= 0) {
            // Nothing beyond the announced length is taken.
            keep = std::min(keep, std::max<std::int64_t>(0, hop.contentLength - hop.accepted));
        }
        if (hop.accepted + keep > hop.maxBody) {
            hop.tooLarge = true;
            return 0;
        }
        for (std::int64_t offset = 0; offset < keep; offset += kMaxPacketSize) {
            hop.packets.emplace_back(
                data + offset, static_cast<std::size_t>(std::min(kMaxPacketSize, keep - offset)));
        }
        hop.accepted += keep;
        return length;
    }
};

HttpClient::HttpClient() {
    InitialiseCurl();
}

HttpClient::~HttpClient() = default;

void HttpClient::Fire(const Event& event) {
    if (event) {
        event();
    }
}

void HttpClient::PumpEvents() {
    if (QCoreApplication::instance()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

void HttpClient::Disconnect() {
    if (!hopActive_ || disconnected_) {
        return;
    }
    disconnected_ = true;
    Fire(OnDisconnect);
}

void HttpClient::Get(const AnsiString& address) {
    if (inTransfer_) {
        throw EHttpError("A transfer is already running");
    }
    inTransfer_ = true;
    disconnected_ = false;
    bodyFileCreated_ = false;
    transferStart_ = Now();
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{inTransfer_};

    std::string current = address.str();
    for (int redirects = 0;; ++redirects) {
        const std::string next = RunHop(WithBlanksEncoded(PlainHttpAddress(current)));
        const bool success = statusCode_ > 0 && statusCode_ <= 298;
        if (disconnected_) {
            if (success) {
                Fire(OnSuccess);
            }
            Fire(OnDisconnect);
            return;
        }
        if (next.empty()) {
            if (success) {
                Fire(OnSuccess);
            }
            return;
        }
        if (redirects >= maxRedirects_) {
            throw EHttpError("Too many redirections: " + current);
        }
        current = next;
    }
}

std::string HttpClient::RunHop(const std::string& address) {
    bytesTotal_ = 0;
    bytesRecvd_ = 0;
    statusCode_ = 0;

    Hop hop;
    hop.maxBody = maxBodySize_;
    char error[CURL_ERROR_SIZE] = "";

    // Owns the request while it runs; Close() ends it and so closes its connection.
    struct Request {
        CURLM* multi = curl_multi_init();
        CURL* easy = curl_easy_init();
        bool added = false;
        void Close() {
            if (added) {
                curl_multi_remove_handle(multi, easy);
                added = false;
            }
            if (easy) {
                curl_easy_cleanup(easy);
                easy = nullptr;
            }
        }
        ~Request() {
            Close();
            if (multi) {
                curl_multi_cleanup(multi);
            }
        }
    } request;
    if (!request.multi || !request.easy) {
        throw EHttpError("Cannot start a transfer");
    }
    CURL* easy = request.easy;
    curl_easy_setopt(easy, CURLOPT_URL, address.c_str());
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http");
    // Always straight to the server, whatever proxy the environment names.
    curl_easy_setopt(easy, CURLOPT_PROXY, "");
    curl_easy_setopt(easy, CURLOPT_FRESH_CONNECT, 1L);
    curl_easy_setopt(easy, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 1L);
    curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, static_cast<long>(kMaxPacketSize));
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, error);
    if (timeOut_ > 0) {
        curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(timeOut_));
    }
    curl_easy_setopt(easy, CURLOPT_PREREQFUNCTION, &Hop::OnConnected);
    curl_easy_setopt(easy, CURLOPT_PREREQDATA, &hop);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Hop::OnHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &hop);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Hop::OnBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &hop);
    if (curl_multi_add_handle(request.multi, easy) != CURLM_OK) {
        throw EHttpError("Cannot start a transfer");
    }
    request.added = true;

    struct Active {
        bool& flag;
        explicit Active(bool& f) : flag(f) { flag = true; }
        ~Active() { flag = false; }
    } active(hopActive_);

    FilePtr body;
    bool connectionOpen = false;
    auto closeConnection = [&] {
        request.Close();
        if (connectionOpen) {
            connectionOpen = false;
            Fire(OnDisconnect);
        }
    };
    auto fail = [&](const std::string& message) {
        body.reset();
        closeConnection();
        throw EHttpError(message);
    };

    std::int64_t waitStart = Now();
    CURLcode result = CURLE_OK;
    bool finished = false;
    for (;;) {
        int running = 0;
        const CURLMcode state = curl_multi_perform(request.multi, &running);
        if (state != CURLM_OK) {
            fail(curl_multi_strerror(state));
        }
        if (hop.connected && !connectionOpen) {
            connectionOpen = true;
            Fire(OnConnect);
            waitStart = Now();
            if (disconnected_) {
                break;
            }
        }
        if (hop.headerDone && !body) {
            long status = 0;
            curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
            statusCode_ = static_cast<int>(status);
            bytesTotal_ = std::max<std::int64_t>(hop.contentLength, 0);
            // A message with both a Transfer-Encoding and a Content-Length is an error (RFC 9112,
            // section 6.3): its body would be decoded by the one and counted by the other.
            if (hop.unclearLength || (hop.sawTransferEncoding && hop.sawContentLength)) {
                fail("The response's length is unclear: " + address);
            }
            if (hop.contentLength > maxBodySize_) {
                fail("The response is larger than allowed: " + address);
            }
            body = CreateNewFile(bodyFile_);
            if (!body) {
                fail("Cannot create " + bodyFile_.ToUtf8());
            }
            bodyFileCreated_ = true;
            waitStart = Now();
        }
        int left = 0;
        while (CURLMsg* message = curl_multi_info_read(request.multi, &left)) {
            if (message->msg == CURLMSG_DONE) {
                finished = true;
                result = message->data.result;
            }
        }
        while (body && !hop.packets.empty() && !disconnected_) {
            // The packet that brings the body to its announced length counts only once the
            // response has ended well: a transfer that fails after its last byte has come is
            // never seen complete, not even for a moment.
            const bool completes =
                hop.contentLength >= 0 &&
                bytesRecvd_ + static_cast<std::int64_t>(hop.packets.front().size()) >=
                    hop.contentLength;
            if (completes && !(finished && result == CURLE_OK)) {
                break;
            }
            const std::string packet = std::move(hop.packets.front());
            hop.packets.pop_front();
            // On disk before it counts: the packet event may take the body as complete.
            if (std::fwrite(packet.data(), 1, packet.size(), body.get()) != packet.size() ||
                std::fflush(body.get()) != 0) {
                fail("Cannot write " + bodyFile_.ToUtf8());
            }
            bytesRecvd_ += static_cast<std::int64_t>(packet.size());
            Fire(OnPacketRecvd);
            waitStart = Now();
        }
        if (disconnected_) {
            break;
        }
        if (hop.tooLarge) {
            fail("The response is larger than allowed: " + address);
        }
        if (finished) {
            break;
        }
        if (timeOut_ > 0 && Now() - waitStart > timeOut_) {
            fail("Timed out: " + address);
        }
        if (totalTimeOut_ > 0 && Now() - transferStart_ > totalTimeOut_) {
            fail("Timed out: " + address);
        }
        curl_multi_poll(request.multi, nullptr, 0, kPollMilliseconds, nullptr);
        PumpEvents();
        if (disconnected_) {
            break;
        }
    }

    std::string next;
    if (!disconnected_) {
        if (result != CURLE_OK) {
            fail(std::string(error[0] ? error : curl_easy_strerror(result)) + ": " + address);
        }
        // A body that ends before its announced length is cut short, not complete (responses
        // that never have a body aside).
        const bool bodiless = statusCode_ == 204 || statusCode_ == 304;
        if (!bodiless && hop.contentLength >= 0 && hop.accepted < hop.contentLength) {
            fail("The response ended short of its length: " + address);
        }
        if (statusCode_ >= 300 && statusCode_ <= 302) {
            char* location = nullptr;
            if (curl_easy_getinfo(easy, CURLINFO_REDIRECT_URL, &location) == CURLE_OK && location) {
                next = location;
            }
        }
    }
    if (body && std::fflush(body.get()) != 0) {
        fail("Cannot write " + bodyFile_.ToUtf8());
    }
    body.reset();
    if (disconnected_) {
        request.Close();
    } else {
        closeConnection();
    }
    return next;
}
