#pragma once

#include "model/CRankingData.h"
#include "model/CRankingList.h"
#include "platform/AnsiString.h"

#include <string_view>
#include <unordered_map>

// The rows of a result list by name, for many lookups in a row: Find gives what
// CRankingList::FindByName gives (the first row in the list's order whose name equals the name
// byte for byte) without walking the list each time. Built from the list as it stands; it holds
// the rows' names, so it lives only while the rows and their names stay as they are. Building
// it walks the list's cursor to the end.
class RankingNameIndex {
public:
    explicit RankingNameIndex(CRankingList& list);

    // The first row of the name, nullptr when none.
    CRankingData* Find(const AnsiString& name) const;
    // The number of rows in the list.
    int RowCount() const { return rows_; }

private:
    std::unordered_map<std::string_view, CRankingData*> firstRowOfName_;
    int rows_ = 0;
};
