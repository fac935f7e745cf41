#pragma once

#include "platform/testing/TempDir.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

// A program folder for the main window, made from the fixture files in data/program: the nine
// tables enciphered as the program finds them, every file in code page 932. It is the current
// folder while it lives.
class ProgramFolder {
public:
    struct Options {
        // Fixture files (by name, "dat/EA01_areas.csv") left out or written empty.
        std::set<std::string> omit;
        std::set<std::string> empty;
    };

    ProgramFolder();
    explicit ProgramFolder(const Options& options);
    ~ProgramFolder();

    const TempDir& Dir() const { return dir_; }
    std::string Path(const std::string& name) const { return dir_ / name; }
    // Writes a file given as UTF-8 text in code page 932.
    void WriteText(const std::string& name, const std::string& utf8) const;
    // The file's bytes as UTF-8 text.
    std::string ReadText(const std::string& name) const;
    // Names of the working copies in dat/ (files named with a deciphered table's code).
    std::vector<std::string> WorkingCopies() const;

private:
    TempDir dir_;
    std::unique_ptr<CurrentDirScope> scope_;
};
