// Entry point of the browser workflow tests. The deployment settings are read when the program
// starts, so the program first restarts itself with them pointing at a port on 127.0.0.1 that
// is free, where each test's local server then serves the fixture pages under the deployment
// host names. After that it runs as every browser test program does: offscreen, every host name
// mapped to the local server, one browser session while the tests run.
#include "WebFlowsFixture.h"

#include "platform/browser/testing/BrowserTestMain.h"


#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

bool CanListenAt(int port) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) {
        return false;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    const bool free = bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return free;
}

// A free port below the range the system hands out for outgoing connections, so that nothing
// takes it before the restarted program listens there.
int FreePort() {
    std::random_device seed;
    std::uniform_int_distribution<int> ports(20000, 32000);
    for (int attempt = 0; attempt < 200; ++attempt) {
        const int port = ports(seed);
        if (CanListenAt(port)) {
            return port;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty(kTestPagesPortVariable)) {
        const int port = FreePort();
        if (port == 0) {
            std::fputs("no free port on 127.0.0.1\n", stderr);
            return 1;
        }
        const std::string address = ":" + std::to_string(port);
        setenv(kTestPagesPortVariable, std::to_string(port).c_str(), 1);
        setenv("VAKREL_NYUSATSU_URL",
               ("http://" + std::string(kBiddingHost) + address + "/ppi/pub").c_str(), 1);
        setenv("VAKREL_GIS_HOST", kGisHost, 1);
        setenv("VAKREL_ROUTE_URL",
               ("http://" + std::string(kRouteHost) + address + "/distance/index.html").c_str(), 1);
        execv("/proc/self/exe", argv);
        std::perror("restarting the test program");
        return 1;
    }
    return RunBrowserTests(argc, argv);
}
