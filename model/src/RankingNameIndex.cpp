#include "model/RankingNameIndex.h"

RankingNameIndex::RankingNameIndex(CRankingList& list) {
    firstRowOfName_.reserve(static_cast<std::size_t>(list.GetCount()));
    for (list.First(); !list.IsEnd(); list.Next()) {
        CRankingData* row = list.GetCurrent();
        firstRowOfName_.emplace(row->GetName().str(), row); // a later row of a name is not taken
        ++rows_;
    }
}

CRankingData* RankingNameIndex::Find(const AnsiString& name) const {
    const auto found = firstRowOfName_.find(name.str());
    return found == firstRowOfName_.end() ? nullptr : found->second;
}
