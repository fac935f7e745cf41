#pragma once

#include <string>
#include <vector>

// Turns the kit's readable sources into a program folder's data files.
//
// The source folder holds dat/ (UTF-8 text) and lumbrixon/version.ini. Every file of dat/ whose
// name begins with one of the nine table codes (ER01, ES22, ES24, ET02, ET19, EC01, EA01, ESP2,
// EB01) is a table: it is converted to code page 932 and enciphered with the running key. The
// plain INI files the program reads by name (the six row sources, DTTankaSuryo.ini and
// SyobunjoKikakuSource.ini) are converted and written as they are, and so is the version file.
// Line ends become CR LF. File names stay as they are (UTF-8 on disk).
class LDataKitWriter {
public:
    // Paths are UTF-8 folder paths, without a trailing "/".
    LDataKitWriter(std::string sourceFolder, std::string programFolder);

    // Reads and checks every source first: all nine tables (each code exactly once), all eight
    // INI files, the version file, nothing else in dat/, and only text that code page 932 can
    // hold. Then writes programFolder/dat/... and programFolder/lumbrixon/version.ini, after
    // removing files of programFolder/dat/ that carry a table code (in either form, so also
    // deciphered copies left behind) but are not part of this kit. Returns the written paths
    // relative to the program folder. Raises Exception, with nothing written, when a source is
    // missing or faulty, and Exception when a file cannot be written.
    std::vector<std::string> Write() const;

private:
    struct Output {
        std::string relativePath;
        std::string bytes;
    };
    std::vector<Output> ReadSources() const;
    void RemoveStaleTables(const std::vector<Output>& outputs) const;

    std::string sourceFolder_;
    std::string programFolder_;
};

// The bytes a kit source becomes in the program folder before any enciphering: code page 932
// with CR LF line ends. Raises Exception naming `what` when the text is not UTF-8 or holds a
// character that code page 932 lacks.
std::string ToKitText(const std::string& utf8, const std::string& what);
