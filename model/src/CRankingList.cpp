#include "model/CRankingList.h"

#include <algorithm>
#include <cstdint>

void CRankingList::Add(CRankingData* row) {
    // The cursor keeps its index: a cursor that stood at the end now stands on the new row.
    rows_.push_back(row);
}

void CRankingList::Clear() {
    for (CRankingData* row : rows_) {
        delete row;
    }
    rows_.clear();
    cursor_ = 0;
}

bool CRankingList::Next() {
    if (IsEnd()) {
        return false;
    }
    ++cursor_;
    return true;
}

CRankingData* CRankingList::GetCurrent() const {
    return IsEnd() ? nullptr : rows_[cursor_];
}

CRankingData* CRankingList::FindByName(const AnsiString& name) {
    for (First(); !IsEnd(); Next()) {
        if (GetCurrent()->GetName() == name) {
            return GetCurrent();
        }
    }
    return nullptr;
}

namespace {

// A row with its sort keys beside it, so that a sort compares keys that lie together instead of
// reaching into every row at each comparison. Sorting these with the same comparison gives the
// same order as sorting the rows.
struct KeyedRow {
    std::int32_t totalCost;
    double fixedDistance;
    CRankingData* row;
};

template <typename Less> void SortRows(std::vector<CRankingData*>& rows, Less less) {
    std::vector<KeyedRow> keyed;
    keyed.reserve(rows.size());
    for (CRankingData* row : rows) {
        keyed.push_back({row->GetTotalCost(), row->GetFixedDistance(), row});
    }
    std::stable_sort(keyed.begin(), keyed.end(), less);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i] = keyed[i].row;
    }
}

} // namespace

void CRankingList::SortByTotalCost() {
    // As CompareTotalCost.
    SortRows(rows_, [](const KeyedRow& a, const KeyedRow& b) {
        if (a.totalCost == b.totalCost) {
            return a.fixedDistance < b.fixedDistance;
        }
        return a.totalCost < b.totalCost;
    });
}

void CRankingList::SortByDistance() {
    // As CompareDistance.
    SortRows(rows_, [](const KeyedRow& a, const KeyedRow& b) {
        return a.fixedDistance < b.fixedDistance;
    });
}

bool CRankingList::CompareTotalCost(const CRankingData* a, const CRankingData* b) {
    if (a->GetTotalCost() == b->GetTotalCost()) {
        return a->GetFixedDistance() < b->GetFixedDistance();
    }
    return a->GetTotalCost() < b->GetTotalCost();
}

bool CRankingList::CompareDistance(const CRankingData* a, const CRankingData* b) {
    return a->GetFixedDistance() < b->GetFixedDistance();
}
