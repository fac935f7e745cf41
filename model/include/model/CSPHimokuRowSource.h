#pragma once

#include "model/CRowSourceLists.h"
#include "platform/AnsiString.h"

// Disposal-cost items of the construction-package mode: section "処分費目" of
// "./dat/SPHimoku_RowSource.ini", one list.
// The file is read once, when the object is made; a missing file gives empty lists.
class CSPHimokuRowSource {
public:
    // Reads the file (LoadFromFile). A file that exists but cannot be read raises EFOpenError.
    CSPHimokuRowSource();

    // Reads the file's sections into the lists; true.
    bool LoadFromFile();

    // Cursor over the current list: First, then while not IsEnd: GetCurrent, Next.
    void First() { lists_.First(); }
    bool IsEnd() const { return lists_.IsEnd(); }
    bool Next() { return lists_.Next(); }
    AnsiString GetCurrent() const { return lists_.GetCurrent(); }

private:
    CRowSourceLists lists_;
};
