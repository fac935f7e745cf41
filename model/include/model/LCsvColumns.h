#pragma once

#include "platform/AnsiString.h"

#include <vector>

// Column holders for comma-separated data rows. Rows have no quoting: a row is split at every
// comma to its end, column k being the text between the (k-1)-th and the k-th comma (the first
// column starts the row, the last one runs to its end). A column that is empty stores nothing,
// so its holder keeps the text it had (empty after Clear); the following columns keep their
// positions. A column longer than the bound is cut to its first `maxBytes` bytes: bytes, not
// characters, so a two-byte character at the cut is split like any other byte pair. Columns
// beyond the number of holders are ignored, and columns the row does not reach keep their text.
class LCsvColumns {
public:
    // columnCount: number of holders, 1 or more; maxBytes: bound of a kept column, 1 or more.
    LCsvColumns(int columnCount, int maxBytes);

    // Empties every holder.
    void Clear();
    // Stores the row's non-empty columns into the holders.
    void Split(const AnsiString& row);
    // The text held for 1-based column k; EListError outside 1..Count().
    const AnsiString& Column(int k) const;
    int Count() const { return static_cast<int>(columns_.size()); }

private:
    std::vector<AnsiString> columns_;
    std::size_t maxBytes_;
};
