#pragma once

#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes. Paths are UTF-8, as on disk.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    // Path of an entry inside the folder.
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }
    // Writes a file (creating folders on the way) and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const;
    std::string MakeFolder(const std::string& name) const;
    bool Exists(const std::string& name) const;
    std::string Read(const std::string& name) const;

private:
    std::string path_;
};

// Makes a folder the current folder while it lives.
class CurrentDirScope {
public:
    explicit CurrentDirScope(const std::string& folder);
    ~CurrentDirScope();
    CurrentDirScope(const CurrentDirScope&) = delete;
    CurrentDirScope& operator=(const CurrentDirScope&) = delete;

private:
    std::string previous_;
};

// Reads a whole file; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);
