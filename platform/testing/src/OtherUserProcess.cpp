#include "platform/testing/OtherUserProcess.h"

#include "platform/Process.h"
#include "platform/testing/ProcessTesting.h"

#include <csignal>
#include <filesystem>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace stdfs = std::filesystem;

OtherUserProcess::OtherUserProcess(const std::string& name, const std::string& program,
                                   const std::vector<std::string>& arguments) {
    if (::geteuid() != 0) {
        return;
    }
    // The other user must reach and run the copy.
    const std::string path = dir_ / name;
    stdfs::copy_file(program, path);
    const auto open = stdfs::perms::owner_all | stdfs::perms::group_read |
                      stdfs::perms::group_exec | stdfs::perms::others_read |
                      stdfs::perms::others_exec;
    stdfs::permissions(dir_.Path(), open);
    stdfs::permissions(path, open);
    std::vector<char*> argv{const_cast<char*>(path.c_str())};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_ = ::fork();
    if (pid_ == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setresgid(kUser, kUser, kUser) != 0 ||
            ::setresuid(kUser, kUser, kUser) != 0) {
            _exit(126);
        }
        ::execv(path.c_str(), argv.data());
        _exit(127);
    }
    if (pid_ < 0) {
        return;
    }
    started_ = Eventually([&] {
        for (const ProcessEntry& entry : ProcessSnapshot()) {
            if (entry.id == Id()) {
                return entry.exeName == AnsiString(name) && entry.realUserId == kUser;
            }
        }
        return false;
    });
}

OtherUserProcess::~OtherUserProcess() {
    if (pid_ > 0 && !reaped_) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}

bool OtherUserProcess::Running() {
    if (pid_ <= 0 || reaped_) {
        return false;
    }
    if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
        reaped_ = true;
    }
    return !reaped_;
}
