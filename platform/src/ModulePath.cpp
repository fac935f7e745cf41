#include "platform/ModulePath.h"

#include "platform/FileSystem.h"

#include <climits>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The executable's path as the system names it (UTF-8); empty when it cannot be read.
std::string ExecutablePath() {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    if (length <= 0 || length >= static_cast<ssize_t>(sizeof buffer)) {
        return {};
    }
    const std::string path(buffer, static_cast<std::size_t>(length));
    // A process that left the mount namespace it was started in, inside a chroot, is told the
    // path from outside the chroot's folder: the path within the root folder is then the first
    // of its tails that names the running file.
    struct stat running {};
    struct stat named {};
    if (::stat("/proc/self/exe", &running) != 0 ||
        (::stat(path.c_str(), &named) == 0 && SameFile(named, running))) {
        return path;
    }
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string tail = path.substr(slash);
        if (::stat(tail.c_str(), &named) == 0 && SameFile(named, running)) {
            return tail;
        }
    }
    return path;
}

} // namespace

AnsiString ModuleFileName() {
    const std::string path = ExecutablePath();
    return path.empty() ? AnsiString() : fs932::FromOsName(path);
}

bool EnterProgramFolder() {
    const std::string path = ExecutablePath();
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return false;
    }
    const std::string folder = slash == 0 ? "/" : path.substr(0, slash);
    return ::chdir(folder.c_str()) == 0;
}
