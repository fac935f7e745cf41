#pragma once

#include "platform/AnsiString.h"
#include "platform/TStringList.h"

#include <vector>

// An INI file held in memory. The file is read whole when the object is made: empty lines and
// lines beginning with ";" are skipped, a line "[name]" starts a section, and every other line
// of a section is kept whole. Section names and keys match without regard to ASCII letter case
// and without trimming; a key's value is everything after the first "=" of its line. A missing
// file gives an empty reader; a file that exists but cannot be read raises EFOpenError.
class TMemIniFile {
public:
    explicit TMemIniFile(const AnsiString& path);

    const AnsiString& FileName() const { return path_; }

    AnsiString ReadString(const AnsiString& section, const AnsiString& key,
                          const AnsiString& fallback) const;
    void WriteString(const AnsiString& section, const AnsiString& key, const AnsiString& value);

    // The section's lines, whole and in file order; empty for a missing section. When a section
    // name occurs twice the first occurrence counts.
    void ReadSectionValues(const AnsiString& section, TStringList& lines) const;
    // The keys (text before the first "=") of the section's lines that hold one.
    void ReadSection(const AnsiString& section, TStringList& keys) const;
    void ReadSections(TStringList& names) const;
    bool SectionExists(const AnsiString& section) const;
    bool ValueExists(const AnsiString& section, const AnsiString& key) const;
    void EraseSection(const AnsiString& section);
    void DeleteKey(const AnsiString& section, const AnsiString& key);

    // Writes every section back to the file, "[name]" followed by its lines and an empty line,
    // lines ending in CR LF. Raises EFOpenError when the file cannot be written.
    void UpdateFile() const;

private:
    struct Section {
        AnsiString name;
        TStringList lines;
    };
    const Section* Find(const AnsiString& name) const;
    Section* Find(const AnsiString& name);
    static int IndexOfKey(const TStringList& lines, const AnsiString& key);

    AnsiString path_;
    std::vector<Section> sections_;
};
