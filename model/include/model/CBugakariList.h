#pragma once

#include "model/CBugakariData.h"
#include "platform/AnsiString.h"

#include <memory>
#include <vector>

// The twelve distance-band tables of the labour-rate method, in load order, with a cursor that
// selects one of them. The cursor equals the count when no table is selected.
class CBugakariList {
public:
    CBugakariList() = default;
    ~CBugakariList();
    CBugakariList(const CBugakariList&) = delete;
    CBugakariList& operator=(const CBugakariList&) = delete;

    // Appends the twelve tables of the band file, read in the order of the band sections (the
    // direct-loading 10 t tables first, the road-cutting ones last). Raises EConvertError as
    // CBugakariData::LoadFromFile does.
    void LoadFromFile();
    // Deletes every table.
    void Clear();

    void First() { cursor_ = 0; }
    bool IsEnd() const { return cursor_ >= tables_.size(); }
    // False when already at the end; else one step on (also onto the end) and true.
    bool Next();
    int Count() const { return static_cast<int>(tables_.size()); }

    // The band section of the combination, "" when it has none. didSection: the haul runs
    // through a densely inhabited district; materialType 0-2; haulKind compared unsigned.
    static AnsiString GetSectionName(bool didSection, int materialType, int haulKind);
    // Puts the cursor on the first table named as the combination's section: true when found,
    // else the cursor at the end (no table selected) and false.
    bool Select(bool didSection, int materialType, int haulKind);

    // The selected table's value and band text (CBugakariData::GetValue, GetBandText). With no
    // table selected: beyond 60 km 99999 and "99999km以下", else 0 and "km以下".
    double GetValue(double km) const;
    AnsiString GetBandText(double km) const;

    // The selected table, or none.
    const CBugakariData* GetCurrent() const;

private:
    std::vector<std::unique_ptr<CBugakariData>> tables_;
    std::size_t cursor_ = 0;
};
