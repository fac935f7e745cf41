#include "model/CSyobunjoList.h"

#include "model/LCsvColumns.h"
#include "model/LFileOperate.h"
#include "model/SharedConstants.h"
#include "platform/Cp932.h"
#include "platform/Exceptions.h"
#include "platform/MessageBox.h"
#include "platform/TMemIniFile.h"
#include "platform/TStringList.h"

#include <string>
#include <unordered_map>

namespace {

constexpr int kColumnBytes = 255;

void ShowCannotOpen(const AnsiString& fileName) {
    ShowMessageBox(u8"ファイルが開けませんでした。\n"_sj + fileName, u8"エラー"_sj,
                   mb::ICONWARNING);
}

// Every line of the working copy with `code`; false when it is missing or cannot be read.
bool ReadTable(const AnsiString& code, TStringList& lines) {
    const AnsiString path = LFileOperate().FindFile(code, DAT_FOLDER);
    if (path.IsEmpty()) {
        return false;
    }
    try {
        lines.LoadFromFile(path);
        return true;
    } catch (const EFOpenError&) {
        return false;
    }
}

} // namespace

CSyobunjoList::~CSyobunjoList() {
    Clear();
}

void CSyobunjoList::SetCategory(int n) {
    TMemIniFile file(FILE_SYOBUNJO_KIKAKU_SOURCE);
    TStringList lines;
    file.ReadSectionValues(SECTION_SYOBUN_HIMOKU, lines);
    category_ = lines[n];
}

bool CSyobunjoList::LoadFromFile(int n) {
    SetCategory(n);
    TStringList lines;
    bool read = ReadTable(CODE_DT19, lines);
    if (read) {
        LCsvColumns columns(22, kColumnBytes);
        for (const AnsiString& line : lines) {
            if (!line.Contains(category_)) {
                continue;
            }
            columns.Clear();
            columns.Split(line);
            auto site = std::make_unique<CSyobunjoData>();
            site->SetKey(columns.Column(6));
            site->SetName(columns.Column(8));
            try {
                site->SetDisposalCost(columns.Column(11));
            } catch (const EConvertError&) {
                read = false;
                break;
            }
            site->SetUnit(columns.Column(12));
            site->SetSource(columns.Column(22));
            sites_.push_back(std::move(site));
        }
    }
    if (!read) {
        ShowCannotOpen(CODE_ET19 + ".txt");
        return false;
    }
    First();
    LoadCoordinates();
    return true;
}

bool CSyobunjoList::LoadCoordinates() {
    TStringList lines;
    if (!ReadTable(CODE_DC01, lines)) {
        ShowCannotOpen(FILE_SYOBUNJO_ZAHYO.SubString(7, 100));
        return false;
    }
    // Key i belongs to line i; the first line's key takes part like any other.
    struct Position {
        AnsiString key;
        AnsiString x;
        AnsiString y;
    };
    std::vector<Position> positions;
    positions.reserve(static_cast<std::size_t>(lines.Count()));
    LCsvColumns columns(4, kColumnBytes);
    for (const AnsiString& line : lines) {
        columns.Clear();
        columns.Split(line);
        positions.push_back({columns.Column(2), columns.Column(3), columns.Column(4)});
    }
    // The first line of each key, keys compared as SameText compares them.
    std::unordered_map<std::string, std::size_t> firstLineOfKey;
    firstLineOfKey.reserve(positions.size());
    for (std::size_t i = 0; i < positions.size(); ++i) {
        firstLineOfKey.emplace(cp932::SameTextKey(positions[i].key.str()), i);
    }
    for (First(); !IsEnd(); Next()) {
        CSyobunjoData& site = *GetCurrent();
        const auto found = firstLineOfKey.find(cp932::SameTextKey(site.GetKey().str()));
        if (found != firstLineOfKey.end()) {
            const Position& position = positions[found->second];
            site.SetX(position.x);
            site.SetY(position.y);
        }
    }
    return true;
}

void CSyobunjoList::Clear() {
    sites_.clear();
    cursor_ = 0;
}

bool CSyobunjoList::Next() {
    if (IsEnd()) {
        return false;
    }
    ++cursor_;
    return true;
}

CSyobunjoData* CSyobunjoList::GetCurrent() const {
    if (IsEnd()) {
        throw EListError::IndexOutOfBounds(static_cast<int>(cursor_));
    }
    return sites_[cursor_].get();
}
