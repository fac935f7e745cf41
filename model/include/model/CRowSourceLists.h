#pragma once

#include "platform/AnsiString.h"
#include "platform/TStringList.h"

#include <cstdint>
#include <vector>

// What every combo-box row source holds: one list of lines per INI section it reads, the list
// that is current, and a cursor over it. A row source with one section has that list current
// from the start; one with several has none current until a valid selection.
class CRowSourceLists {
public:
    // `sections`: the section names in list order. `selectable`: several lists, none current
    // until Select; otherwise list 0 is always current.
    CRowSourceLists(std::vector<AnsiString> sections, bool selectable);

    // Reads the INI file whole and fills list i with the lines of section i, taken whole and
    // in file order (a missing file or section gives an empty list). Always true; a file that
    // exists but cannot be read raises EFOpenError and leaves the lists as they were.
    bool LoadFromFile(const AnsiString& path);

    // Makes list `index` current when it names a list (0 to the number of sections - 1); any
    // other index (-1 included) leaves the current list as it is. The cursor is not moved.
    void Select(std::int32_t index);

    // Cursor to line 0.
    void First() { cursor_ = 0; }
    // True when the cursor has passed the last line of the current list, and always when no
    // list is current.
    bool IsEnd() const;
    // At the end: false, cursor unchanged. Otherwise one line on and true.
    bool Next();
    // A copy of the line under the cursor; EListError when IsEnd is true.
    AnsiString GetCurrent() const;

    // The current list's lines (nullptr when none is current).
    const TStringList* CurrentList() const;

private:
    std::vector<AnsiString> sections_;
    std::vector<TStringList> lists_;
    std::int32_t current_;
    std::int32_t cursor_ = 0;
};
