#pragma once

#include "platform/testing/TempDir.h"

#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

// A program running as another user of the machine (user and group 65534), under an executable
// file name of the test's choice: a copy of `program` (by default /bin/sleep 60) in a folder of
// its own. It is a child of the test and is ended when the object goes. Only root can start it:
// Started() is false otherwise, and the test should skip.
class OtherUserProcess {
public:
    explicit OtherUserProcess(const std::string& name, const std::string& program = "/bin/sleep",
                              const std::vector<std::string>& arguments = {"60"});
    ~OtherUserProcess();
    OtherUserProcess(const OtherUserProcess&) = delete;
    OtherUserProcess& operator=(const OtherUserProcess&) = delete;

    static constexpr std::uint32_t kUser = 65534;

    // Running under its name.
    bool Started() const { return started_; }
    std::uint32_t Id() const { return static_cast<std::uint32_t>(pid_); }
    // Not ended yet, by itself or by anyone else.
    bool Running();

private:
    TempDir dir_;
    pid_t pid_ = -1;
    bool started_ = false;
    bool reaped_ = false;
};
