#pragma once

#include "platform/testing/TempDir.h"

#include <filesystem>
#include <string>

// A copy of a fixture program folder (a folder of model/tests/data holding dat/) in a fresh
// temporary folder, made the current folder while it lives, so that the model's "./dat/..."
// paths name the copy. Folders are open to everyone and files readable by everyone, so that a
// test can run a piece as an unprivileged user (UnprivilegedScope) and still read them.
class ProgramFolderCopy {
public:
    explicit ProgramFolderCopy(const std::string& fixture = "program")
        : scope_(Prepare(dir_, fixture)) {}

    const TempDir& Dir() const { return dir_; }

    // Replaces (or adds) `target` (relative to the program folder, e.g. "dat/DB01_kyori.ini")
    // with the fixture file `source` (relative to model/tests/data).
    void Install(const std::string& source, const std::string& target) const {
        Remove(target);
        std::filesystem::copy_file(Data(source), dir_ / target);
        Open(dir_ / target);
    }
    void Write(const std::string& target, const std::string& bytes) const {
        dir_.Write(target, bytes);
        Open(dir_ / target);
    }
    void Remove(const std::string& target) const { std::filesystem::remove(dir_ / target); }
    // Takes every permission away, so that an unprivileged user can neither read nor list it.
    void MakeUnreadable(const std::string& target) const {
        std::filesystem::permissions(dir_ / target, std::filesystem::perms::none);
    }

    static std::string Data(const std::string& name) {
        return std::string(MODEL_TEST_DATA) + "/" + name;
    }

private:
    static void Open(const std::filesystem::path& path) {
        using std::filesystem::perms;
        const bool folder = std::filesystem::is_directory(path);
        std::filesystem::permissions(path, folder ? perms::owner_all | perms::group_read |
                                                        perms::group_exec | perms::others_read |
                                                        perms::others_exec
                                                  : perms::owner_read | perms::owner_write |
                                                        perms::group_read | perms::others_read);
    }
    static const std::string& Prepare(const TempDir& dir, const std::string& fixture) {
        std::filesystem::copy(Data(fixture), dir.Path(), std::filesystem::copy_options::recursive);
        Open(dir.Path());
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.Path())) {
            Open(entry.path());
        }
        return dir.Path();
    }

    TempDir dir_;
    CurrentDirScope scope_;
};
