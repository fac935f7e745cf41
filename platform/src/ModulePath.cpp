#include "platform/ModulePath.h"

#include "platform/FileSystem.h"

#include <climits>
#include <unistd.h>

AnsiString ModuleFileName() {
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0 || length >= static_cast<ssize_t>(sizeof path)) {
        return AnsiString();
    }
    return fs932::FromOsName(std::string(path, static_cast<std::size_t>(length)));
}
