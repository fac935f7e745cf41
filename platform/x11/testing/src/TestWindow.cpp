#include "platform/testing/TestWindow.h"

#include <csignal>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>

TestWindow::TestWindow(const std::string& mode, const std::string& record,
                       const std::string& program)
    : record_(record) {
    pid_ = ::fork();
    if (pid_ == 0) {
        ::execl(program.c_str(), program.c_str(), mode.c_str(), record.c_str(),
                static_cast<char*>(nullptr));
        _exit(127);
    }
}

TestWindow::~TestWindow() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
}

std::string TestWindow::Record() const {
    std::ifstream in(record_);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool TestWindow::WaitFor(const std::string& line) const {
    for (int i = 0; i < 1000; ++i) {
        if (Record().find(line + "\n") != std::string::npos) {
            return true;
        }
        ::usleep(10000);
    }
    return false;
}
