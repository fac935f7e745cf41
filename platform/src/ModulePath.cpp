#include "platform/ModulePath.h"

#include "platform/FileSystem.h"

#include <climits>
#include <string>
#include <unistd.h>

namespace {

// The executable's path as the system names it (UTF-8); empty when it cannot be read.
std::string ExecutablePath() {
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0 || length >= static_cast<ssize_t>(sizeof path)) {
        return {};
    }
    return std::string(path, static_cast<std::size_t>(length));
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
