#include "platform/FileSystem.h"

#include "platform/Cp932.h"

#include <cstdio>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace fs932 {

namespace {

// Calls `convert` for every part of `path` between "/" separators and joins the results with
// "/". A separator is never part of a two-byte character, so the parts are whole texts.
template <typename Convert> std::string EachPart(std::string_view path, Convert convert) {
    std::string out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t slash = path.find('/', start);
        out += convert(path.substr(start, slash == std::string_view::npos ? std::string_view::npos
                                                                          : slash - start));
        if (slash == std::string_view::npos) {
            return out;
        }
        out += '/';
        start = slash + 1;
    }
}

// The code-page-932 form of a name when it leads back to the name exactly and cannot be taken
// for a text that holds raw-byte codes.
std::optional<std::string> PlainName(std::string_view name) {
    auto sjis = cp932::FromUtf8Strict(name);
    if (!sjis || cp932::HasRawByteCodes(*sjis)) {
        return std::nullopt;
    }
    const auto back = cp932::ToUtf8Strict(*sjis);
    if (!back || *back != name) {
        return std::nullopt;
    }
    return sjis;
}

std::string PartToOs(std::string_view part) {
    if (cp932::HasRawByteCodes(part)) {
        return cp932::ToOsBytes(part);
    }
    if (auto utf8 = cp932::ToUtf8Strict(part)) {
        return *utf8;
    }
    return std::string(part);
}

std::string PartFromOs(std::string_view name) {
    if (auto sjis = PlainName(name)) {
        return *sjis;
    }
    // A name that is neither UTF-8 nor valid code page 932 keeps its bytes: the way back passes
    // it as it is. A UTF-8 name carries what code page 932 cannot hold as raw-byte codes, so
    // that it shows as its own characters, not as what its bytes read as in code page 932.
    if (!cp932::IsUtf8(name) && !cp932::ToUtf8Strict(name) && !cp932::HasRawByteCodes(name)) {
        return std::string(name);
    }
    return cp932::FromOsBytes(name);
}

} // namespace

std::string ToOsPath(const AnsiString& path) {
    if (!cp932::HasRawByteCodes(path.str())) {
        if (auto utf8 = cp932::ToUtf8Strict(path.str())) {
            return *utf8;
        }
    }
    return EachPart(path.str(), PartToOs);
}

AnsiString FromOsName(const std::string& name) {
    if (auto sjis = PlainName(name)) {
        return AnsiString(*sjis);
    }
    return AnsiString(EachPart(name, PartFromOs));
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
