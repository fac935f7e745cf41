#include "model/LCsvColumns.h"

#include "platform/Exceptions.h"

#include <algorithm>

LCsvColumns::LCsvColumns(int columnCount, int maxBytes)
    : columns_(static_cast<std::size_t>(std::max(columnCount, 1))),
      maxBytes_(static_cast<std::size_t>(std::max(maxBytes, 1))) {}

void LCsvColumns::Clear() {
    for (AnsiString& column : columns_) {
        column = AnsiString();
    }
}

void LCsvColumns::Split(const AnsiString& row) {
    const std::string& bytes = row.str();
    std::size_t start = 0;
    for (std::size_t k = 0; k < columns_.size(); ++k) {
        std::size_t end = bytes.find(',', start);
        const bool last = end == std::string::npos;
        if (last) {
            end = bytes.size();
        }
        if (end > start) {
            columns_[k] = AnsiString(bytes.substr(start, std::min(end - start, maxBytes_)));
        }
        if (last) {
            return; // the row ends here; the remaining holders keep their text
        }
        start = end + 1;
    }
}

const AnsiString& LCsvColumns::Column(int k) const {
    if (k < 1 || k > Count()) {
        throw EListError::IndexOutOfBounds(k);
    }
    return columns_[static_cast<std::size_t>(k - 1)];
}
