#pragma once

#include "model/CRowSourceLists.h"
#include "platform/AnsiString.h"

#include <cstdint>

// Haul types of the labour-rate mode, one list per disposal-cost item, from
// "./dat/Syubetsu_RowSource.ini": 0 "鉄筋ｺﾝｸﾘｰﾄ塊", 1 "無筋ｺﾝｸﾘｰﾄ塊", 2 "ｱｽｺﾝ塊".
// The file is read once, when the object is made; a missing file gives empty lists.
class CSyubetsuRowSource {
public:
    // Reads the file (LoadFromFile). A file that exists but cannot be read raises EFOpenError.
    CSyubetsuRowSource();

    // Reads the file's sections into the lists; true.
    bool LoadFromFile();

    // Makes the list of disposal-cost item `himoku` (the ComboBoxHimoku index, 0 to 2) current;
    // any other value, -1 included, leaves the current list as it is. The cursor is not moved.
    void Select(std::int32_t himoku);

    // Cursor over the current list: First, then while not IsEnd: GetCurrent, Next.
    void First() { lists_.First(); }
    bool IsEnd() const { return lists_.IsEnd(); }
    bool Next() { return lists_.Next(); }
    AnsiString GetCurrent() const { return lists_.GetCurrent(); }

private:
    CRowSourceLists lists_;
};
