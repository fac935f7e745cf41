#include "RunTestProgram.h"

#include "platform/testing/TempDir.h"

#include <cerrno>
#include <csignal>
#include <cstddef>
#include <fcntl.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

Outcome RunProgram(const std::vector<std::string>& arguments,
                   const std::function<bool()>& prepare) {
    TempDir dir;
    const std::string log = dir / "output.txt";
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || ::dup2(out, STDOUT_FILENO) < 0 || ::dup2(out, STDERR_FILENO) < 0) {
            _exit(125);
        }
        if (prepare && !prepare()) {
            _exit(125);
        }
        ::execv(argv[0], argv.data());
        _exit(127);
    }
    Outcome outcome;
    for (int waited = 0; waited < 300000; waited += 20) {
        int status = 0;
        if (::waitpid(child, &status, WNOHANG) == child) {
            outcome.status = status;
            break;
        }
        ::usleep(20000);
    }
    if (outcome.status == -1) {
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    outcome.output = ReadWholeFile(log);
    return outcome;
}

bool RefuseNamespaces() {
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_unshare, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | (EPERM & SECCOMP_RET_DATA)),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog program{static_cast<unsigned short>(sizeof filter / sizeof filter[0]), filter};
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

int ExitCode(const Outcome& outcome) {
    return outcome.status != -1 && WIFEXITED(outcome.status) ? WEXITSTATUS(outcome.status) : -1;
}
