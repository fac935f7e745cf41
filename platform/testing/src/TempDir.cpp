#include "platform/testing/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

namespace stdfs = std::filesystem;

TempDir::TempDir() {
    std::string pattern = (stdfs::temp_directory_path() / "vakrel-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    // Restore permissions a test may have taken away, so that everything can be removed.
    for (auto it = stdfs::recursive_directory_iterator(path_, ignored);
         it != stdfs::recursive_directory_iterator(); it.increment(ignored)) {
        stdfs::permissions(it->path(), stdfs::perms::owner_all, stdfs::perm_options::add, ignored);
    }
    stdfs::remove_all(path_, ignored);
}

std::string TempDir::Write(const std::string& name, const std::string& bytes) const {
    std::string full = *this / name;
    stdfs::create_directories(stdfs::path(full).parent_path());
    std::ofstream out(full, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + full);
    }
    return full;
}

std::string TempDir::MakeFolder(const std::string& name) const {
    std::string full = *this / name;
    stdfs::create_directories(full);
    return full;
}

bool TempDir::Exists(const std::string& name) const {
    return stdfs::exists(*this / name);
}

std::string TempDir::Read(const std::string& name) const {
    return ReadWholeFile(*this / name);
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

CurrentDirScope::CurrentDirScope(const std::string& folder) {
    previous_ = stdfs::current_path().string();
    stdfs::current_path(folder);
}

CurrentDirScope::~CurrentDirScope() {
    std::error_code ignored;
    stdfs::current_path(previous_, ignored);
}
