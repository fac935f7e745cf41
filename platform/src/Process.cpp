#include "platform/Process.h"

#include "platform/FileSystem.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Name of the executable behind /proc/<id>/exe; empty when it cannot be read (another user's
// process without the right to look, a kernel thread, a process that has ended).
std::string ExecutableName(const std::string& id) {
    char target[4096];
    const std::string link = "/proc/" + id + "/exe";
    ssize_t length = ::readlink(link.c_str(), target, sizeof target - 1);
    if (length <= 0) {
        return {};
    }
    std::string path(target, static_cast<std::size_t>(length));
    const std::string deleted = " (deleted)";
    if (path.size() > deleted.size() &&
        path.compare(path.size() - deleted.size(), deleted.size(), deleted) == 0) {
        path.resize(path.size() - deleted.size());
    }
    return FileNameOf(path);
}

// File name of the program named first on the process's command line, which every user may
// read; empty for a kernel thread or a process that has ended (their command line is empty).
std::string CommandName(const std::string& id) {
    const std::string cmdline = ReadProcFile("/proc/" + id + "/cmdline");
    return FileNameOf(cmdline.substr(0, cmdline.find('\0')));
}

// The name a process is listed by: its executable's, or, when that is hidden from us, the one
// its command line gives.
std::string ProgramName(const std::string& id) {
    const std::string name = ExecutableName(id);
    return name.empty() ? CommandName(id) : name;
}

// The real user id: the first of the four on the "Uid:" line of the process's status, which
// every user may read. None when the process has ended meanwhile.
std::optional<std::uint32_t> RealUserId(const std::string& id) {
    std::istringstream status(ReadProcFile("/proc/" + id + "/status"));
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Uid:", 0) == 0) {
            std::istringstream fields(line.substr(4));
            std::uint32_t uid = 0;
            if (fields >> uid) {
                return uid;
            }
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::vector<std::function<bool(std::uint32_t)>>& Narrowings() {
    static std::vector<std::function<bool(std::uint32_t)>> narrowings;
    return narrowings;
}

bool InProcessList(std::uint32_t id) {
    return std::all_of(Narrowings().begin(), Narrowings().end(),
                       [id](const auto& keep) { return keep(id); });
}

bool IsZombie(const std::string& id) {
    const std::string content = ReadProcFile("/proc/" + id + "/stat");
    std::size_t close = content.rfind(')');
    return close != std::string::npos && close + 2 < content.size() &&
           (content[close + 2] == 'Z' || content[close + 2] == 'X');
}

} // namespace

std::string ReadProcFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return {};
    }
    std::string content;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0) {
            content.append(buffer, static_cast<std::size_t>(got));
        } else if (got == 0 || errno != EINTR) {
            if (got < 0) {
                content.clear();
            }
            break;
        }
    }
    ::close(fd);
    return content;
}

std::vector<ProcessEntry> ProcessSnapshot() {
    std::vector<ProcessEntry> entries;
    std::unique_ptr<DIR, int (*)(DIR*)> proc(::opendir("/proc"), ::closedir);
    if (!proc) {
        return entries;
    }
    while (dirent* entry = ::readdir(proc.get())) {
        const std::string id = entry->d_name;
        if (id.empty() || !std::all_of(id.begin(), id.end(), [](char c) {
                return std::isdigit(static_cast<unsigned char>(c));
            })) {
            continue;
        }
        const auto number = static_cast<std::uint32_t>(std::stoul(id));
        if (!InProcessList(number)) {
            continue;
        }
        const std::string name = ProgramName(id);
        const std::optional<std::uint32_t> user = RealUserId(id);
        if (name.empty() || !user || IsZombie(id)) {
            continue;
        }
        entries.push_back(ProcessEntry{number, fs932::FromOsName(name), *user});
    }
    std::sort(entries.begin(), entries.end(),
              [](const ProcessEntry& a, const ProcessEntry& b) { return a.id < b.id; });
    return entries;
}

std::vector<ProcessEntry> OwnUserProcessSnapshot() {
    const auto own = static_cast<std::uint32_t>(::getuid());
    std::vector<ProcessEntry> entries = ProcessSnapshot();
    std::erase_if(entries, [own](const ProcessEntry& entry) { return entry.realUserId != own; });
    return entries;
}

std::uint32_t CurrentProcessId() {
    return static_cast<std::uint32_t>(::getpid());
}

bool TerminateProcessById(std::uint32_t id) {
    // kill() takes 0 for the own process group and ids past the largest pid as negative, for
    // another group or every process the program may signal: none of them is one process.
    if (id == 0 || id > static_cast<std::uint32_t>(std::numeric_limits<pid_t>::max())) {
        return false;
    }
    return InProcessList(id) && ::kill(static_cast<pid_t>(id), SIGKILL) == 0;
}

void NarrowProcessList(std::function<bool(std::uint32_t id)> keep) {
    Narrowings().push_back(std::move(keep));
}
