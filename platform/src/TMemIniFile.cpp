#include "platform/TMemIniFile.h"

#include "platform/Cp932.h"
#include "platform/Exceptions.h"
#include "platform/FileSystem.h"

namespace {

bool IsSectionLine(const AnsiString& line) {
    const std::string& s = line.str();
    return s.size() >= 2 && s.front() == '[' && s.back() == ']';
}

} // namespace

TMemIniFile::TMemIniFile(const AnsiString& path) : path_(path) {
    if (!fs932::FileExists(path)) {
        return;
    }
    TStringList lines;
    lines.LoadFromFile(path);
    Section* current = nullptr;
    for (const AnsiString& line : lines) {
        if (line.IsEmpty() || line.str().front() == ';') {
            continue;
        }
        if (IsSectionLine(line)) {
            sections_.push_back(Section{line.SubString(2, line.Length() - 2), {}});
            current = &sections_.back();
            continue;
        }
        if (current) {
            current->lines.Add(line);
        }
    }
}

const TMemIniFile::Section* TMemIniFile::Find(const AnsiString& name) const {
    for (const Section& section : sections_) {
        if (cp932::SameText(section.name.str(), name.str())) {
            return &section;
        }
    }
    return nullptr;
}

TMemIniFile::Section* TMemIniFile::Find(const AnsiString& name) {
    return const_cast<Section*>(static_cast<const TMemIniFile*>(this)->Find(name));
}

int TMemIniFile::IndexOfKey(const TStringList& lines, const AnsiString& key) {
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string& s = lines[i].str();
        std::size_t equals = s.find('=');
        if (equals != std::string::npos &&
            cp932::SameText(std::string_view(s).substr(0, equals), key.str())) {
            return i;
        }
    }
    return -1;
}

AnsiString TMemIniFile::ReadString(const AnsiString& section, const AnsiString& key,
                                   const AnsiString& fallback) const {
    const Section* found = Find(section);
    if (!found) {
        return fallback;
    }
    int index = IndexOfKey(found->lines, key);
    if (index < 0) {
        return fallback;
    }
    const std::string& s = found->lines[index].str();
    return AnsiString(s.substr(s.find('=') + 1));
}

void TMemIniFile::WriteString(const AnsiString& section, const AnsiString& key,
                              const AnsiString& value) {
    Section* found = Find(section);
    if (!found) {
        sections_.push_back(Section{section, {}});
        found = &sections_.back();
    }
    AnsiString line = key + "=" + value;
    int index = IndexOfKey(found->lines, key);
    if (index < 0) {
        found->lines.Add(line);
    } else {
        found->lines[index] = line;
    }
}

void TMemIniFile::ReadSectionValues(const AnsiString& section, TStringList& lines) const {
    lines.Clear();
    if (const Section* found = Find(section)) {
        for (const AnsiString& line : found->lines) {
            lines.Add(line);
        }
    }
}

void TMemIniFile::ReadSection(const AnsiString& section, TStringList& keys) const {
    keys.Clear();
    if (const Section* found = Find(section)) {
        for (const AnsiString& line : found->lines) {
            std::size_t equals = line.str().find('=');
            if (equals != std::string::npos) {
                keys.Add(AnsiString(line.str().substr(0, equals)));
            }
        }
    }
}

void TMemIniFile::ReadSections(TStringList& names) const {
    names.Clear();
    for (const Section& section : sections_) {
        names.Add(section.name);
    }
}

bool TMemIniFile::SectionExists(const AnsiString& section) const {
    return Find(section) != nullptr;
}

bool TMemIniFile::ValueExists(const AnsiString& section, const AnsiString& key) const {
    const Section* found = Find(section);
    return found && IndexOfKey(found->lines, key) >= 0;
}

void TMemIniFile::EraseSection(const AnsiString& section) {
    for (auto it = sections_.begin(); it != sections_.end(); ++it) {
        if (cp932::SameText(it->name.str(), section.str())) {
            sections_.erase(it);
            return;
        }
    }
}

void TMemIniFile::DeleteKey(const AnsiString& section, const AnsiString& key) {
    if (Section* found = Find(section)) {
        int index = IndexOfKey(found->lines, key);
        if (index >= 0) {
            found->lines.Delete(index);
        }
    }
}

void TMemIniFile::UpdateFile() const {
    TStringList out;
    for (const Section& section : sections_) {
        out.Add("[" + section.name + "]");
        for (const AnsiString& line : section.lines) {
            out.Add(line);
        }
        out.Add("");
    }
    out.SaveToFile(path_);
}
