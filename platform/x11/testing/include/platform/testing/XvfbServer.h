#pragma once

#include <string>

// A virtual X server (Xvfb) for tests, on a display number of its own choosing, that only local
// programs can reach. While it lives, DISPLAY names it, for this process and the programs it
// starts. Running() is false when Xvfb could not be started; the test should then skip.
class XvfbServer {
public:
    XvfbServer() : XvfbServer("640x480x24") {}
    // `screen` as Xvfb takes it: width x height x depth.
    explicit XvfbServer(const std::string& screen);
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool Running() const { return pid_ > 0 && !display_.empty(); }
    // ":N"
    const std::string& Display() const { return display_; }

private:
    int pid_ = -1;
    std::string display_;
    bool hadDisplay_ = false;
    std::string previousDisplay_;
};
