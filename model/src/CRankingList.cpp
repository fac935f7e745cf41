#include "model/CRankingList.h"

#include <algorithm>

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

void CRankingList::SortByTotalCost() {
    std::stable_sort(rows_.begin(), rows_.end(), CompareTotalCost);
}

void CRankingList::SortByDistance() {
    std::stable_sort(rows_.begin(), rows_.end(), CompareDistance);
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
