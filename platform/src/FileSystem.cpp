#include "platform/FileSystem.h"

#include "platform/Cp932.h"

#include <cstdio>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace fs932 {

std::string ToOsPath(const AnsiString& path) {
    if (auto utf8 = cp932::ToUtf8Strict(path.str())) {
        return *utf8;
    }
    return path.str();
}

AnsiString FromOsName(const std::string& name) {
    if (auto sjis = cp932::FromUtf8Strict(name)) {
        return AnsiString(*sjis);
    }
    return AnsiString(name);
}

bool FileExists(const AnsiString& path) {
    if (path.IsEmpty()) {
        return false;
    }
    struct stat info {};
    return ::stat(ToOsPath(path).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(const AnsiString& path) {
    if (path.IsEmpty()) {
        return false;
    }
    struct stat info {};
    return ::stat(ToOsPath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool DeleteFile(const AnsiString& path) {
    return ::unlink(ToOsPath(path).c_str()) == 0;
}

namespace {
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;
} // namespace

std::optional<std::string> ReadFileBytes(const AnsiString& path) {
    if (DirectoryExists(path)) {
        return std::nullopt;
    }
    FilePtr file(std::fopen(ToOsPath(path).c_str(), "rb"));
    if (!file) {
        return std::nullopt;
    }
    std::string content;
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        content.append(buffer, got);
    }
    if (std::ferror(file.get())) {
        return std::nullopt;
    }
    return content;
}

bool WriteFileBytes(const AnsiString& path, const std::string& bytes) {
    FilePtr file(std::fopen(ToOsPath(path).c_str(), "wb"));
    if (!file) {
        return false;
    }
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        return false;
    }
    return std::fflush(file.get()) == 0;
}

std::optional<std::vector<AnsiString>> ListFolder(const AnsiString& folder) {
    const std::string osFolder = folder.IsEmpty() ? std::string(".") : ToOsPath(folder);
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(osFolder.c_str()), ::closedir);
    if (!dir) {
        return std::nullopt;
    }
    std::vector<AnsiString> entries{".", ".."};
    while (dirent* entry = ::readdir(dir.get())) {
        std::string name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        entries.push_back(FromOsName(name));
    }
    return entries;
}

} // namespace fs932
