#include "model/CRowSourceLists.h"

#include "platform/Exceptions.h"
#include "platform/TMemIniFile.h"

CRowSourceLists::CRowSourceLists(std::vector<AnsiString> sections, bool selectable)
    : sections_(std::move(sections)), lists_(sections_.size()), current_(selectable ? -1 : 0) {}

bool CRowSourceLists::LoadFromFile(const AnsiString& path) {
    const TMemIniFile ini(path);
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        ini.ReadSectionValues(sections_[i], lists_[i]);
    }
    return true;
}

void CRowSourceLists::Select(std::int32_t index) {
    if (index >= 0 && static_cast<std::size_t>(index) < lists_.size()) {
        current_ = index;
    }
}

const TStringList* CRowSourceLists::CurrentList() const {
    if (current_ < 0 || static_cast<std::size_t>(current_) >= lists_.size()) {
        return nullptr;
    }
    return &lists_[static_cast<std::size_t>(current_)];
}

bool CRowSourceLists::IsEnd() const {
    const TStringList* list = CurrentList();
    // At or past the end: a cursor left beyond a shorter list after a selection still ends
    // the walk instead of running on.
    return list == nullptr || cursor_ >= list->Count();
}

bool CRowSourceLists::Next() {
    if (IsEnd()) {
        return false;
    }
    ++cursor_;
    return true;
}

AnsiString CRowSourceLists::GetCurrent() const {
    const TStringList* list = CurrentList();
    if (list == nullptr) {
        throw EListError::IndexOutOfBounds(cursor_);
    }
    return (*list)[cursor_];
}
