#include "platform/TStringList.h"

#include "platform/Exceptions.h"
#include "platform/FileSystem.h"

const AnsiString& TStringList::operator[](int index) const {
    if (index < 0 || index >= Count()) {
        throw EListError::IndexOutOfBounds(index);
    }
    return lines_[static_cast<std::size_t>(index)];
}

AnsiString& TStringList::operator[](int index) {
    if (index < 0 || index >= Count()) {
        throw EListError::IndexOutOfBounds(index);
    }
    return lines_[static_cast<std::size_t>(index)];
}

int TStringList::Add(const AnsiString& line) {
    lines_.push_back(line);
    return Count() - 1;
}

void TStringList::Insert(int index, const AnsiString& line) {
    if (index < 0 || index > Count()) {
        throw EListError::IndexOutOfBounds(index);
    }
    lines_.insert(lines_.begin() + index, line);
}

void TStringList::Delete(int index) {
    if (index < 0 || index >= Count()) {
        throw EListError::IndexOutOfBounds(index);
    }
    lines_.erase(lines_.begin() + index);
}

int TStringList::IndexOf(const AnsiString& line) const {
    for (int i = 0; i < Count(); ++i) {
        if (lines_[static_cast<std::size_t>(i)] == line) {
            return i;
        }
    }
    return -1;
}

void TStringList::LoadFromFile(const AnsiString& path) {
    auto bytes = fs932::ReadFileBytes(path);
    if (!bytes) {
        throw EFOpenError::CannotOpen(path);
    }
    SetText(*bytes);
}

void TStringList::SaveToFile(const AnsiString& path) const {
    if (!fs932::WriteFileBytes(path, Text())) {
        throw EFOpenError::CannotOpen(path);
    }
}

void TStringList::SetText(const std::string& bytes) {
    lines_.clear();
    std::size_t start = 0;
    const std::size_t size = bytes.size();
    while (start < size) {
        std::size_t end = start;
        while (end < size && bytes[end] != '\r' && bytes[end] != '\n') {
            ++end;
        }
        lines_.emplace_back(bytes.substr(start, end - start));
        if (end < size && bytes[end] == '\r') {
            ++end;
            if (end < size && bytes[end] == '\n') {
                ++end;
            }
        } else if (end < size) {
            ++end; // LF
        }
        start = end;
    }
}

std::string TStringList::Text() const {
    std::string out;
    for (const AnsiString& line : lines_) {
        out += line.str();
        out += "\r\n";
    }
    return out;
}
