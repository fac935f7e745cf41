#pragma once

#include "model/CRowSourceLists.h"
#include "platform/AnsiString.h"

#include <cstdint>

// Loading methods, one list per rubble-producing work, from
// "./dat/SPTsumikomiKubun_RowSource.ini": 0 "ｺﾝｸﾘｰﾄ(無筋･鉄筋)構造物とりこわし",
// 1 "吹付法面取壊し(ﾓﾙﾀﾙ)", 2 "舗装版破砕", 3 "舗装版破砕積込み(電線共同溝)".
// The file is read once, when the object is made; a missing file gives empty lists.
class CSPTsumikomiRowSource {
public:
    // Reads the file (LoadFromFile). A file that exists but cannot be read raises EFOpenError.
    CSPTsumikomiRowSource();

    // Reads the file's sections into the lists; true.
    bool LoadFromFile();

    // Selects by the disposal-cost item (ComboBoxHimoku index) and the rubble-producing work
    // (ComboBoxGaraHassei index): items 0 and 1 with work 0 or 1 give list 0 or 1, item 2 with
    // work 0 or 1 gives list 2 or 3; every other pair leaves the current list as it is. The
    // cursor is not moved.
    void SetHimoku(std::int32_t himoku, std::int32_t garaHassei);

    // Cursor over the current list: First, then while not IsEnd: GetCurrent, Next.
    void First() { lists_.First(); }
    bool IsEnd() const { return lists_.IsEnd(); }
    bool Next() { return lists_.Next(); }
    AnsiString GetCurrent() const { return lists_.GetCurrent(); }

private:
    CRowSourceLists lists_;
};
