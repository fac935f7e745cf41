#pragma once

#include "platform/AnsiString.h"

#include <vector>

// An ordered list of texts. Loading splits a file into lines that end at CR, LF or CR LF; a
// last line without an end still counts, and no bytes are altered.
class TStringList {
public:
    TStringList() = default;

    int Count() const { return static_cast<int>(lines_.size()); }
    bool IsEmpty() const { return lines_.empty(); }

    // The line at a 0-based index; EListError outside 0..Count()-1.
    const AnsiString& operator[](int index) const;
    AnsiString& operator[](int index);
    const AnsiString& Strings(int index) const { return (*this)[index]; }

    int Add(const AnsiString& line);
    void Insert(int index, const AnsiString& line);
    // Removes the line at the index; EListError outside 0..Count()-1.
    void Delete(int index);
    void Clear() { lines_.clear(); }
    // First index whose text equals the given one exactly, -1 when none.
    int IndexOf(const AnsiString& line) const;

    // Replaces the lines by the file's lines; EFOpenError when the file cannot be read.
    void LoadFromFile(const AnsiString& path);
    // Writes every line followed by CR LF; EFOpenError when the file cannot be written.
    void SaveToFile(const AnsiString& path) const;

    void SetText(const std::string& bytes);
    // Every line followed by CR LF.
    std::string Text() const;

    const std::vector<AnsiString>& Lines() const { return lines_; }
    std::vector<AnsiString>::const_iterator begin() const { return lines_.begin(); }
    std::vector<AnsiString>::const_iterator end() const { return lines_.end(); }

private:
    std::vector<AnsiString> lines_;
};
