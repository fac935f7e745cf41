#include "platform/testing/XvfbServer.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Longest wait for Xvfb to report its display.
constexpr int kStartMilliseconds = 10000;

} // namespace

XvfbServer::XvfbServer(const std::string& screen) {
    if (const char* display = std::getenv("DISPLAY")) {
        hadDisplay_ = true;
        previousDisplay_ = display;
    }
    int report[2];
    if (::pipe(report) != 0) {
        return;
    }
    ::fcntl(report[0], F_SETFD, FD_CLOEXEC);
    pid_ = ::fork();
    if (pid_ < 0) {
        ::close(report[0]);
        ::close(report[1]);
        return;
    }
    if (pid_ == 0) {
        ::close(report[0]);
        int devnull = ::open("/dev/null", O_RDWR);
        if (devnull >= 0) {
            ::dup2(devnull, STDIN_FILENO);
            ::dup2(devnull, STDOUT_FILENO);
            ::dup2(devnull, STDERR_FILENO);
        }
        const std::string fd = std::to_string(report[1]);
        ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-ac", "-screen",
                 "0", screen.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    ::close(report[1]);
    std::string number;
    for (int waited = 0; waited < kStartMilliseconds && number.find('\n') == std::string::npos;
         waited += 50) {
        pollfd wait{report[0], POLLIN, 0};
        if (::poll(&wait, 1, 50) > 0) {
            char buffer[16];
            ssize_t got = ::read(report[0], buffer, sizeof buffer);
            if (got <= 0) {
                break; // Xvfb ended without a display
            }
            number.append(buffer, static_cast<std::size_t>(got));
        }
    }
    ::close(report[0]);
    if (number.find('\n') == std::string::npos) {
        return;
    }
    number.resize(number.find('\n'));
    display_ = ":" + number;
    ::setenv("DISPLAY", display_.c_str(), 1);
}

XvfbServer::~XvfbServer() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
    if (hadDisplay_) {
        ::setenv("DISPLAY", previousDisplay_.c_str(), 1);
    } else {
        ::unsetenv("DISPLAY");
    }
}
