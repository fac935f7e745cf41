#include "platform/testing/ProcessIsolation.h"

#include "platform/Process.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <linux/capability.h>
#include <sched.h>
#include <sstream>
#include <string>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

ProcessTable current = ProcessTable::Shared;

// What the tests' process sends up once the table is ready; anything else names the step that
// failed.
constexpr char kReady = 'R';

bool WriteText(const char* path, const std::string& text) {
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::close(fd);
    return written;
}

// Reports the failed step to the program's first process and ends this one.
[[noreturn]] void Fail(int report, const char* step) {
    const std::string text = std::string(step) + ": " + std::strerror(errno);
    (void)!::write(report, text.data(), text.size());
    _exit(1);
}

// Maps the own user and group, and only them, into the new user namespace.
bool MapOwnUser(uid_t uid, gid_t gid) {
    return WriteText("/proc/self/uid_map",
                     std::to_string(uid) + " " + std::to_string(uid) + " 1") &&
           WriteText("/proc/self/setgroups", "deny") &&
           WriteText("/proc/self/gid_map", std::to_string(gid) + " " + std::to_string(gid) + " 1");
}

// Gives up every capability that the user namespace lent: the tests then meet file permissions
// as their user does.
bool DropCapabilities() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    return ::syscall(SYS_capset, &header, data) == 0;
}

int WaitFor(pid_t child) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// Ends the calling process as the tests' process ended: with its exit code, or by its signal.
[[noreturn]] void EndAs(int status) {
    if (WIFSIGNALED(status)) {
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore); // the tests' process has dumped what there was
        std::signal(WTERMSIG(status), SIG_DFL);
        ::raise(WTERMSIG(status));
        _exit(128 + WTERMSIG(status));
    }
    _exit(WIFEXITED(status) ? WEXITSTATUS(status) : 1);
}

// The first process of the new table: mounts the table's own /proc, starts the tests' process
// (which returns from here), reaps every process that ends in the table, and hands the tests'
// end up through `status`. Its own end ends every process still left in the table.
void RunFirstProcess(int report, int status, bool userNamespace) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::mount("proc", "/proc", "proc", MS_NOSUID | MS_NODEV | MS_NOEXEC, nullptr) != 0) {
        Fail(report, "mount /proc");
    }
    const pid_t tests = ::fork();
    if (tests < 0) {
        Fail(report, "fork");
    }
    if (tests == 0) {
        ::close(status);
        if (userNamespace && !DropCapabilities()) {
            Fail(report, "capset");
        }
        (void)!::write(report, &kReady, 1);
        ::close(report);
        return;
    }
    ::close(report);
    if (userNamespace) {
        DropCapabilities(); // it needs none of them any more
    }
    int ended = 0;
    for (;;) {
        int any = 0;
        const pid_t child = ::wait(&any);
        if (child == tests) {
            ended = any;
            break;
        }
        if (child < 0 && errno != EINTR) {
            ended = 1 << 8;
            break;
        }
    }
    (void)!::write(status, &ended, sizeof ended);
    _exit(0);
}

// The parent of a process (the fourth field of its stat file); 0 when it has ended.
std::uint32_t ParentOf(std::uint32_t id) {
    const std::string content = ReadProcFile("/proc/" + std::to_string(id) + "/stat");
    const std::size_t close = content.rfind(')');
    if (close == std::string::npos) {
        return 0;
    }
    std::istringstream fields(content.substr(close + 1));
    std::string state;
    std::uint32_t parent = 0;
    fields >> state >> parent;
    return parent;
}

bool IsOrDescendsFrom(std::uint32_t id, std::uint32_t ancestor) {
    for (int depth = 0; depth < 1024 && id > 1; ++depth) {
        if (id == ancestor) {
            return true;
        }
        id = ParentOf(id);
    }
    return id == ancestor;
}

ProcessTable KeepToStartedProcesses(const std::string& reason) {
    // Orphans of the processes started here (a program started detached) become this
    // program's children instead of the system's, so they stay its descendants.
    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
    const auto self = static_cast<std::uint32_t>(::getpid());
    NarrowProcessList([self](std::uint32_t id) { return IsOrDescendsFrom(id, self); });
    std::fprintf(stderr,
                 "no process table of its own (%s): the tests see only the processes they "
                 "start\n",
                 reason.c_str());
    current = ProcessTable::StartedOnly;
    return current;
}

} // namespace

ProcessTable IsolateTestProcesses() {
    int report[2];
    int status[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        return KeepToStartedProcesses(std::string("pipe: ") + std::strerror(errno));
    }
    if (::pipe2(status, O_CLOEXEC) != 0) {
        ::close(report[0]);
        ::close(report[1]);
        return KeepToStartedProcesses(std::string("pipe: ") + std::strerror(errno));
    }
    const pid_t first = ::getpid();
    const uid_t uid = ::getuid();
    const gid_t gid = ::getgid();
    const bool userNamespace = ::geteuid() != 0;

    // The namespaces are made in a child, so that this process is unchanged if they fail.
    const pid_t setup = ::fork();
    if (setup == 0) {
        ::close(report[0]);
        ::close(status[0]);
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != first) {
            _exit(1);
        }
        const int flags = CLONE_NEWPID | CLONE_NEWNS | (userNamespace ? CLONE_NEWUSER : 0);
        if (::unshare(flags) != 0) {
            Fail(report[1], "unshare");
        }
        if (userNamespace && !MapOwnUser(uid, gid)) {
            Fail(report[1], "user mapping");
        }
        // The table's /proc stays inside its mount namespace: the mount it goes onto must not
        // pass mounts on to the machine's. Where the root folder is no mount of its own (a
        // chroot of a plain folder), only the /proc mount can be named, and is enough.
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 &&
            ::mount(nullptr, "/proc", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            Fail(report[1], "mount --make-rprivate / or /proc");
        }
        const pid_t init = ::fork();
        if (init < 0) {
            Fail(report[1], "fork");
        }
        if (init == 0) {
            RunFirstProcess(report[1], status[1], userNamespace);
            current = ProcessTable::Own;
            return current;
        }
        ::close(report[1]);
        ::close(status[1]);
        WaitFor(init);
        _exit(0);
    }
    ::close(report[1]);
    ::close(status[1]);
    if (setup < 0) {
        ::close(report[0]);
        ::close(status[0]);
        return KeepToStartedProcesses(std::string("fork: ") + std::strerror(errno));
    }
    std::string message;
    char buffer[256];
    for (;;) {
        const ssize_t got = ::read(report[0], buffer, sizeof buffer);
        if (got > 0) {
            message.append(buffer, static_cast<std::size_t>(got));
        } else if (got == 0 || errno != EINTR) {
            break;
        }
    }
    ::close(report[0]);
    if (message != std::string(1, kReady)) {
        WaitFor(setup);
        ::close(status[0]);
        return KeepToStartedProcesses(message.empty() ? "setup ended" : message);
    }
    // The tests run in the new table; this process waits and ends as they end.
    WaitFor(setup);
    int ended = 0;
    if (::read(status[0], &ended, sizeof ended) != static_cast<ssize_t>(sizeof ended)) {
        _exit(1);
    }
    EndAs(ended);
}

ProcessTable CurrentProcessTable() {
    return current;
}
