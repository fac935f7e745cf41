#include "platform/Process.h"

#include "platform/FileSystem.h"

#include <algorithm>
#include <cctype>
#include <csignal>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <memory>
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
    std::ifstream cmdline("/proc/" + id + "/cmdline", std::ios::binary);
    std::string first;
    std::getline(cmdline, first, '\0');
    return FileNameOf(first);
}

// The name a process is listed by: its executable's, or, when that is hidden from us, the one
// its command line gives.
std::string ProgramName(const std::string& id) {
    const std::string name = ExecutableName(id);
    return name.empty() ? CommandName(id) : name;
}

bool IsZombie(const std::string& id) {
    std::ifstream stat("/proc/" + id + "/stat");
    std::string content((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::size_t close = content.rfind(')');
    return close != std::string::npos && close + 2 < content.size() &&
           (content[close + 2] == 'Z' || content[close + 2] == 'X');
}

} // namespace

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
        const std::string name = ProgramName(id);
        if (name.empty() || IsZombie(id)) {
            continue;
        }
        entries.push_back(
            ProcessEntry{static_cast<std::uint32_t>(std::stoul(id)), fs932::FromOsName(name)});
    }
    std::sort(entries.begin(), entries.end(),
              [](const ProcessEntry& a, const ProcessEntry& b) { return a.id < b.id; });
    return entries;
}

std::uint32_t CurrentProcessId() {
    return static_cast<std::uint32_t>(::getpid());
}

bool TerminateProcessById(std::uint32_t id) {
    return ::kill(static_cast<pid_t>(id), SIGKILL) == 0;
}
