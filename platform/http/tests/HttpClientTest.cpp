#include "platform/HttpClient.h"
#include "platform/testing/LocalHttpServer.h"
#include "platform/testing/TempDir.h"

#include <QTimer>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Response = LocalHttpServer::Response;

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A client that writes into a temporary file and logs its events.
class HttpClientTest : public testing::Test {
protected:
    HttpClientTest() {
        client.SetBodyFile(AnsiString(dir / "body.bin"));
        client.SetTimeOut(60000);
        client.OnConnect = [this] {
            events.push_back("connect");
            lastReceived = 0;
        };
        client.OnDisconnect = [this] { events.push_back("disconnect"); };
        client.OnSuccess = [this] { events.push_back("success " + Status()); };
        client.OnPacketRecvd = [this] {
            EXPECT_GT(client.BytesRecvd() - lastReceived, 0);
            EXPECT_LE(client.BytesRecvd() - lastReceived, HttpClient::kMaxPacketSize);
            lastReceived = client.BytesRecvd();
            ++packets;
        };
    }

    std::string Status() const { return std::to_string(client.StatusCode()); }
    std::string Body() const { return dir.Read("body.bin"); }
    void Get(const std::string& path) { client.Get(AnsiString(server.Url(path))); }

    TempDir dir;
    LocalHttpServer server;
    HttpClient client;
    std::vector<std::string> events;
    std::int64_t lastReceived = 0;
    int packets = 0;
};

TEST_F(HttpClientTest, FetchesTheBodyIntoTheFileInPacketsOfAtMost64KiB) {
    std::string body(300 * 1024 + 17, '\0');
    for (std::size_t i = 0; i < body.size(); ++i) {
        body[i] = static_cast<char>(i * 7);
    }
    server.Serve("/files/setup.exe", LocalHttpServer::Ok(body));
    Get("/files/setup.exe");
    EXPECT_EQ(Body(), body);
    EXPECT_EQ(client.BytesTotal(), static_cast<std::int64_t>(body.size()));
    EXPECT_EQ(client.BytesRecvd(), static_cast<std::int64_t>(body.size()));
    EXPECT_GE(packets, 5);
    EXPECT_EQ(events, (std::vector<std::string>{"connect", "disconnect", "success 200"}));
    EXPECT_EQ(server.Requests(), (std::vector<std::string>{"GET /files/setup.exe HTTP/1.0"}));
}

TEST_F(HttpClientTest, WritesEveryBodyButSucceedsOnlyUpTo298) {
    const struct {
        int status;
        bool success;
    } cases[] = {{200, true}, {298, true}, {299, false}, {303, false}, {404, false}, {500, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        events.clear();
        const std::string body = "status " + std::to_string(c.status) + "\n";
        server.Serve("/s", LocalHttpServer::Status(c.status, body));
        Get("/s");
        EXPECT_EQ(Body(), body);
        EXPECT_EQ(client.StatusCode(), c.status);
        std::vector<std::string> expected{"connect", "disconnect"};
        if (c.success) {
            expected.push_back("success " + std::to_string(c.status));
        }
        EXPECT_EQ(events, expected);
    }
}

TEST_F(HttpClientTest, FollowsRedirectionsEachOnAConnectionOfItsOwn) {
    server.Serve("/a", LocalHttpServer::Redirect(301, server.Url("/b")));
    server.Serve("/b", LocalHttpServer::Redirect(302, "/c")); // relative to the server
    server.Serve("/c", LocalHttpServer::Redirect(300, server.Url("/d")));
    server.Serve("/d", LocalHttpServer::Ok("final"));
    Get("/a");
    EXPECT_EQ(Body(), "final");
    EXPECT_EQ(events,
              (std::vector<std::string>{"connect", "disconnect", "connect", "disconnect", "connect",
                                        "disconnect", "connect", "disconnect", "success 200"}));
    EXPECT_EQ(server.Requests().size(), 4u);
}

// An installer's file name may hold blanks; they go out as %20, in a redirection too, and
// every other byte goes out as it is.
TEST_F(HttpClientTest, BlanksInTheAddressGoAsPercent20) {
    const struct {
        std::string address;
        std::string sent;
    } cases[] = {
        {"/files/My Setup(1.0).exe", "/files/My%20Setup(1.0).exe"},
        {"/a  b%20c+d~e", "/a%20%20b%20c+d~e"},
        {"/q?name=x y&z=1", "/q?name=x%20y&z=1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address);
        events.clear();
        server.Serve(c.sent, LocalHttpServer::Ok("installer"));
        Get(c.address);
        EXPECT_EQ(server.Requests().back(), "GET " + c.sent + " HTTP/1.0");
        EXPECT_EQ(Body(), "installer");
        EXPECT_EQ(events, (std::vector<std::string>{"connect", "disconnect", "success 200"}));
    }

    server.Serve("/new%20version", LocalHttpServer::Redirect(302, "/files/New Setup(2.0).exe"));
    server.Serve("/files/New%20Setup(2.0).exe", LocalHttpServer::Ok("moved installer"));
    Get("/new version");
    EXPECT_EQ(Body(), "moved installer");
    const auto requests = server.Requests();
    ASSERT_GE(requests.size(), 2u);
    EXPECT_EQ(requests[requests.size() - 2], "GET /new%20version HTTP/1.0");
    EXPECT_EQ(requests.back(), "GET /files/New%20Setup(2.0).exe HTTP/1.0");
}

TEST_F(HttpClientTest, ARedirectionLoopFailsAfterABoundedNumberOfHops) {
    server.Serve("/loop", LocalHttpServer::Redirect(302, "/loop"));
    client.SetMaxRedirects(3);
    EXPECT_THROW(Get("/loop"), EHttpError);
    EXPECT_EQ(server.Requests().size(), 4u);
    EXPECT_EQ(std::count(events.begin(), events.end(), "success 302"), 0);
}

TEST_F(HttpClientTest, SecureAndOtherAddressesAreRefused) {
    for (const std::string address : {"https://127.0.0.1/x", "HTTPS://127.0.0.1/x"}) {
        try {
            client.Get(AnsiString(address));
            ADD_FAILURE() << "no error for " << address;
        } catch (const EHttpError& error) {
            EXPECT_STREQ(error.what(), "HTTP Secure Socket is not supported");
        }
    }
    EXPECT_THROW(client.Get(AnsiString("file:///etc/passwd")), EHttpError);
    server.Serve("/to-secure", LocalHttpServer::Redirect(302, "https://127.0.0.1/x"));
    server.Serve("/to-file", LocalHttpServer::Redirect(301, "file:///etc/passwd"));
    EXPECT_THROW(Get("/to-secure"), EHttpError);
    EXPECT_THROW(Get("/to-file"), EHttpError);
    EXPECT_EQ(server.Requests().size(), 2u);
    EXPECT_TRUE(events.empty() || std::count(events.begin(), events.end(), "success 200") == 0);
}

TEST_F(HttpClientTest, BodiesAreBoundedByTheirLengthAndByTheLimit) {
    // Cut short by the server: a failed transfer, written as far as it went.
    server.Serve("/short", LocalHttpServer::Announcing(1000, std::string(400, 's')));
    EXPECT_THROW(Get("/short"), EHttpError);
    EXPECT_EQ(Body(), std::string(400, 's'));
    EXPECT_EQ(client.BytesTotal(), 1000);
    EXPECT_EQ(events.back(), "disconnect");

    // Longer than announced: only the announced bytes are taken.
    server.Serve("/long", LocalHttpServer::Announcing(100, std::string(300, 'l')));
    Get("/long");
    EXPECT_EQ(Body(), std::string(100, 'l'));
    EXPECT_EQ(client.BytesRecvd(), 100);

    client.SetMaxBodySize(256 * 1024);
    // No length and no end.
    Response endless = LocalHttpServer::WithoutLength(std::string(8192, 'e'));
    endless.endless = true;
    server.Serve("/endless", endless);
    EXPECT_THROW(Get("/endless"), EHttpError);
    EXPECT_LE(client.BytesRecvd(), 256 * 1024);
    // An announced length above the limit fails before anything is written.
    dir.Write("body.bin", "old");
    server.Serve("/huge", LocalHttpServer::Announcing(1 << 20, "x"));
    EXPECT_THROW(Get("/huge"), EHttpError);
    EXPECT_EQ(Body(), "old");
    // Without a length, a body within the limit is complete when the server closes.
    server.Serve("/plain", LocalHttpServer::WithoutLength("no length"));
    Get("/plain");
    EXPECT_EQ(Body(), "no length");
    EXPECT_EQ(client.BytesTotal(), 0);
}

Response ResetAfterSending(Response response) {
    response.reset = true;
    return response;
}

// A chunked answer that also announces a length, the two header lines in the given order.
Response ChunkedWithLength(Response chunked, const std::string& length, bool lengthFirst = true) {
    const auto position = lengthFirst ? chunked.headers.begin() : chunked.headers.end();
    chunked.headers.emplace(position, "Content-Length", length);
    return chunked;
}

Response WithTransferEncoding(Response response, const std::string& coding) {
    response.headers.emplace_back("Transfer-Encoding", coding);
    return response;
}

struct HostileCase {
    const char* label;
    Response response;
    bool fails;
    // The body file afterwards; "old" as it was before the transfer.
    std::string body;
};

void PrintTo(const HostileCase& c, std::ostream* out) {
    *out << c.label;
}

class HostileResponseTest : public HttpClientTest,
                            public testing::WithParamInterface<HostileCase> {};

// Only a body that reaches a length stated plainly and once (or, without any, the server's
// orderly close) is complete; the body file shows how far a failed one got.
TEST_P(HostileResponseTest, OnlyABodyOfClearLengthThatArrivesWholeIsComplete) {
    const HostileCase& c = GetParam();
    dir.Write("body.bin", "old");
    server.Serve("/hostile", c.response);
    if (c.fails) {
        EXPECT_THROW(Get("/hostile"), EHttpError);
        EXPECT_EQ(events, (std::vector<std::string>{"connect", "disconnect"}));
    } else {
        Get("/hostile");
        EXPECT_EQ(events, (std::vector<std::string>{"connect", "disconnect", "success 200"}));
    }
    EXPECT_EQ(client.BodyFileCreated(), c.body != "old");
    EXPECT_EQ(Body(), c.body);
    if (c.body == "old") {
        EXPECT_EQ(packets, 0) << "refused at the header";
    }
    if (c.fails && client.BytesTotal() > 0) {
        EXPECT_LT(client.BytesRecvd(), client.BytesTotal())
            << "a failed body never counts up to its length";
    }
}

const std::string k4064(4064, 'i');
const std::string k2000(2000, 'i');
const std::string k10(10, 'i');

INSTANTIATE_TEST_SUITE_P(
    Responses, HostileResponseTest,
    testing::Values(
        HostileCase{"ShortOfItsLength", LocalHttpServer::Announcing(4064, k2000), true, k2000},
        HostileCase{"ResetMidBody", ResetAfterSending(LocalHttpServer::Announcing(4064, k2000)),
                    true, k2000},
        HostileCase{"ResetWithoutLength", ResetAfterSending(LocalHttpServer::WithoutLength(k2000)),
                    true, k2000},
        HostileCase{"LengthsDisagree", LocalHttpServer::WithLengths({"4064", "100"}, k4064), true,
                    "old"},
        HostileCase{"LengthsDisagreeLargerLast",
                    LocalHttpServer::WithLengths({"100", "4064"}, k4064), true, "old"},
        HostileCase{"LengthWithLetters", LocalHttpServer::WithLengths({"10x5000"}, k4064), true,
                    "old"},
        HostileCase{"LengthEmpty", LocalHttpServer::WithLengths({""}, k10), true, "old"},
        HostileCase{"LengthNegative", LocalHttpServer::WithLengths({"-10"}, k10), true, "old"},
        HostileCase{"LengthSigned", LocalHttpServer::WithLengths({"+10"}, k10), true, "old"},
        HostileCase{"LengthHex", LocalHttpServer::WithLengths({"0xA"}, k10), true, "old"},
        HostileCase{"LengthTwoNumbers", LocalHttpServer::WithLengths({"1 0"}, k10), true, "old"},
        HostileCase{"LengthList", LocalHttpServer::WithLengths({"10, 10"}, k10), true, "old"},
        HostileCase{"LengthsAgree", LocalHttpServer::WithLengths({"10", "10"}, k10), false, k10},
        HostileCase{"LengthWithBlanksAndZeros", LocalHttpServer::WithLengths({"0010 \t"}, k10),
                    false, k10},
        HostileCase{"NoLengthClosedInOrder", LocalHttpServer::WithoutLength(k2000), false, k2000},
        // A length beside a transfer coding says nothing of the body: the answer is refused.
        HostileCase{"ChunkedWithItsLength",
                    ChunkedWithLength(LocalHttpServer::Chunked(k4064, 1000), "4064"), true, "old"},
        HostileCase{"ChunkedBeforeItsLength",
                    ChunkedWithLength(LocalHttpServer::Chunked(k4064, 1000), "4064", false), true,
                    "old"},
        HostileCase{"ChunkedWithAShorterLengthAndABrokenChunk",
                    ChunkedWithLength(
                        LocalHttpServer::Chunked(k4064.substr(0, 4063), 4063, "zz\r\n"), "1000"),
                    true, "old"},
        HostileCase{"IdentityCodingWithLength",
                    WithTransferEncoding(LocalHttpServer::Ok(k10), "identity"), true, "old"},
        HostileCase{"ChunkedWithoutLength", LocalHttpServer::Chunked(k4064, 1000), false, k4064},
        HostileCase{"BrokenChunkWithoutLength",
                    LocalHttpServer::Chunked(k4064.substr(0, 4063), 4063, "zz\r\n"), true,
                    k4064.substr(0, 4063)}),
    [](const testing::TestParamInfo<HostileCase>& info) { return std::string(info.param.label); });

// The per-packet time-out restarts with every packet; only the overall bound ends a body that
// keeps trickling in.
TEST_F(HttpClientTest, TheOverallBoundEndsATrickleThatNoPacketTimeOutEnds) {
    StallClock clock(server);
    ClockScope scope(clock);
    const std::string body(100, 't');
    Response trickle = LocalHttpServer::Ok(body);
    trickle.trickleBytes = 1;
    trickle.trickleMs = 10000;
    server.Serve("/trickle", trickle);
    client.SetTimeOut(300000);

    Get("/trickle");
    EXPECT_EQ(Body(), body);
    EXPECT_GE(clock.Milliseconds(), 1000000);

    client.SetTotalTimeOut(300000);
    const std::int64_t start = clock.Milliseconds();
    EXPECT_THROW(Get("/trickle"), EHttpError);
    EXPECT_GT(clock.Milliseconds() - start, 300000);
    EXPECT_GT(client.BytesRecvd(), 0);
    EXPECT_LT(client.BytesRecvd(), 100);
}

TEST_F(HttpClientTest, AStallLongerThanTheTimeOutFails) {
    StallClock clock(server);
    ClockScope scope(clock);
    Response stall = LocalHttpServer::Ok(std::string(5000, 'x'));
    stall.stallAfter = 1000;
    server.Serve("/stall", stall);
    client.SetTimeOut(900000);
    EXPECT_THROW(Get("/stall"), EHttpError);
    EXPECT_EQ(Body(), std::string(1000, 'x'));
    EXPECT_EQ(events, (std::vector<std::string>{"connect", "disconnect"}));
}

TEST_F(HttpClientTest, DisconnectFromAnEventEndsTheTransferWithoutAnError) {
    Response stall = LocalHttpServer::Ok(std::string(5000, 'x'));
    stall.stallAfter = 1000;
    server.Serve("/stall", stall);
    client.OnPacketRecvd = [this] {
        events.push_back("packet " + std::to_string(client.BytesRecvd()));
        client.Disconnect();
    };
    Get("/stall");
    EXPECT_EQ(events, (std::vector<std::string>{"connect", "packet 1000", "disconnect",
                                                "success 200", "disconnect"}));
    EXPECT_EQ(Body(), std::string(1000, 'x'));
    client.Disconnect(); // outside a transfer: nothing
    EXPECT_EQ(events.size(), 5u);
}

TEST_F(HttpClientTest, TheApplicationsEventsRunWhileTheClientWaits) {
    Response stall = LocalHttpServer::Ok(std::string(5000, 'x'));
    stall.stallAfter = 10;
    server.Serve("/stall", stall);
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [this] {
        if (server.Stalled()) {
            events.push_back("button");
            client.Disconnect();
        }
    });
    timer.start(5);
    Get("/stall");
    EXPECT_EQ(events, (std::vector<std::string>{"connect", "button", "disconnect", "success 200",
                                                "disconnect"}));
}

// The body file is made new, readable by its owner only: what stood at its name is replaced,
// and nothing is written through a link into another file.
TEST_F(HttpClientTest, TheBodyFileIsMadeNewNeverThroughALink) {
    const struct {
        const char* label;
        // Makes what stands at the body file's name, given the path of another file.
        std::function<void(const std::string& body, const std::string& elsewhere)> plant;
        // Whether the other file exists beforehand, with "elsewhere" in it.
        bool elsewhereExists;
    } cases[] = {
        {"Nothing", [](const std::string&, const std::string&) {}, true},
        {"AnEarlierFile",
         [](const std::string& body, const std::string&) { WriteFile(body, "earlier"); }, true},
        {"AHardLink",
         [](const std::string& body, const std::string& elsewhere) {
             ASSERT_EQ(::link(elsewhere.c_str(), body.c_str()), 0);
         },
         true},
        {"ASymbolicLink",
         [](const std::string& body, const std::string& elsewhere) {
             ASSERT_EQ(::symlink(elsewhere.c_str(), body.c_str()), 0);
         },
         true},
        {"ADanglingSymbolicLink",
         [](const std::string& body, const std::string& elsewhere) {
             ASSERT_EQ(::symlink(elsewhere.c_str(), body.c_str()), 0);
         },
         false},
    };
    server.Serve("/setup.exe", LocalHttpServer::Ok("installer"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const TempDir other;
        const std::string elsewhere = other / "elsewhere.bin";
        if (c.elsewhereExists) {
            other.Write("elsewhere.bin", "elsewhere");
        }
        ::unlink((dir / "body.bin").c_str());
        c.plant(dir / "body.bin", elsewhere);
        Get("/setup.exe");
        struct stat made {};
        ASSERT_EQ(::lstat((dir / "body.bin").c_str(), &made), 0);
        EXPECT_TRUE(S_ISREG(made.st_mode));
        EXPECT_EQ(made.st_mode & 07777, 0600u);
        EXPECT_EQ(made.st_nlink, 1u);
        EXPECT_EQ(Body(), "installer");
        EXPECT_EQ(other.Exists("elsewhere.bin"), c.elsewhereExists);
        if (c.elsewhereExists) {
            EXPECT_EQ(other.Read("elsewhere.bin"), "elsewhere");
        }
    }
}

TEST_F(HttpClientTest, ARefusedConnectionFailsWithoutEvents) {
    // A port that was just free and has no listener.
    int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length), 0);
    ::close(probe);
    EXPECT_THROW(
        client.Get(AnsiString("http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/")),
        EHttpError);
    EXPECT_TRUE(events.empty());
    EXPECT_FALSE(dir.Exists("body.bin"));
}

} // namespace
