#include "platform/Shell.h"

#include "platform/FileSystem.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Starts `argv` in a grandchild process, so that it is never left as an unreaped child of ours.
// A pipe closed on exec tells whether the exec itself succeeded.
bool Spawn(const std::vector<std::string>& argv, const std::string& directory) {
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        return false;
    }
    pid_t child = ::fork();
    if (child < 0) {
        ::close(report[0]);
        ::close(report[1]);
        return false;
    }
    if (child == 0) {
        ::close(report[0]);
        ::setsid();
        pid_t grandchild = ::fork();
        if (grandchild != 0) {
            _exit(grandchild < 0 ? 1 : 0);
        }
        if (!directory.empty() && ::chdir(directory.c_str()) != 0) {
            int error = errno;
            (void)!::write(report[1], &error, sizeof error);
            _exit(127);
        }
        std::vector<char*> args;
        for (const std::string& arg : argv) {
            args.push_back(const_cast<char*>(arg.c_str()));
        }
        args.push_back(nullptr);
        int devnull = ::open("/dev/null", O_RDONLY);
        if (devnull >= 0) {
            ::dup2(devnull, STDIN_FILENO);
            ::close(devnull);
        }
        ::execvp(args[0], args.data());
        int error = errno;
        (void)!::write(report[1], &error, sizeof error);
        _exit(127);
    }
    ::close(report[1]);
    int status = 0;
    ::waitpid(child, &status, 0);
    int error = 0;
    ssize_t got;
    do {
        got = ::read(report[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    ::close(report[0]);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && got == 0;
}

bool IsExecutableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// The file's absolute path: a relative one counts from `directory` when given, else from the
// current folder. Empty when the file does not exist.
std::string Resolve(const std::string& file, const std::string& directory) {
    if (file.empty()) {
        return {};
    }
    std::string path = (file.front() == '/' || directory.empty()) ? file : directory + "/" + file;
    char resolved[PATH_MAX];
    if (!::realpath(path.c_str(), resolved)) {
        return {};
    }
    return resolved;
}

} // namespace

std::vector<AnsiString> SplitParameters(const AnsiString& parameters) {
    std::vector<AnsiString> parts;
    const std::string& s = parameters.str();
    std::string current;
    bool quoted = false;
    bool any = false;
    for (char c : s) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (c == ' ' && !quoted) {
            if (any) {
                parts.emplace_back(current);
                current.clear();
                any = false;
            }
        } else {
            current += c;
            any = true;
        }
    }
    if (any) {
        parts.emplace_back(current);
    }
    return parts;
}

bool StartDetached(const AnsiString& program, const std::vector<AnsiString>& arguments,
                   const AnsiString& directory) {
    std::vector<std::string> argv{fs932::ToOsPath(program)};
    for (const AnsiString& argument : arguments) {
        argv.push_back(fs932::ToOsPath(argument));
    }
    return Spawn(argv, fs932::ToOsPath(directory));
}

bool ShellOpen(const AnsiString& file, const AnsiString& parameters, const AnsiString& directory) {
    const std::string osDirectory = fs932::ToOsPath(directory);
    const std::string path = Resolve(fs932::ToOsPath(file), osDirectory);
    if (path.empty()) {
        return false;
    }
    if (IsExecutableFile(path)) {
        std::vector<std::string> argv{path};
        for (const AnsiString& part : SplitParameters(parameters)) {
            argv.push_back(fs932::ToOsPath(part));
        }
        return Spawn(argv, osDirectory);
    }
    return Spawn({"xdg-open", path}, osDirectory);
}
