#pragma once

#include <cstdint>
#include <string>

// The test window program (x11_test_window) running as a child process; ended when the object
// goes. `program` may be a copy of it under another name.
class TestWindow {
public:
    // Modes and record lines: see the program's own description.
    TestWindow(const std::string& mode, const std::string& record,
               const std::string& program = X11_TEST_WINDOW_PROGRAM);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    std::uint32_t ProcessId() const { return static_cast<std::uint32_t>(pid_); }
    // Waits (at most ten seconds) until the record holds the line; false when it does not.
    bool WaitFor(const std::string& line) const;
    // The record's lines so far.
    std::string Record() const;

private:
    int pid_ = -1;
    std::string record_;
};
