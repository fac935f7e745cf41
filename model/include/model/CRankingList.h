#pragma once

#include "model/CRankingData.h"
#include "platform/AnsiString.h"

#include <vector>

// The result rows in display order, with a cursor, a lookup by site name and the two orderings
// of the result views.
//
// The list holds pointers. Clear deletes the rows; the destructor releases only the sequence.
// So the main list's owner calls Clear before each rebuild and before destroying it, and a
// result view can build a temporary list of rows that the main list holds and simply drop it.
//
// Iteration: First, then while not IsEnd: GetCurrent, work, Next.
class CRankingList {
public:
    CRankingList() = default;
    ~CRankingList() = default;
    // A copy would share the rows; views are built with Add instead.
    CRankingList(const CRankingList&) = delete;
    CRankingList& operator=(const CRankingList&) = delete;

    // Appends the row at the end; the cursor keeps its position. No check for duplicates.
    void Add(CRankingData* row);
    // Deletes every row, then empties the sequence; the cursor stands at the end.
    void Clear();

    int GetCount() const { return static_cast<int>(rows_.size()); }

    // Cursor to the first row (to the end for an empty list).
    void First() { cursor_ = 0; }
    // True when the cursor is past the last row; always true for an empty list.
    bool IsEnd() const { return cursor_ >= rows_.size(); }
    // Steps the cursor one row on and answers true, also when that step reaches the end; at the
    // end answers false and stays there.
    bool Next();
    // The row under the cursor; nullptr at the end (callers ask only while IsEnd is false).
    CRankingData* GetCurrent() const;

    // The first row, in the current order, whose name equals `name` byte for byte; the cursor
    // is left on it. nullptr when none matches, with the cursor at the end. Uses the list's own
    // cursor.
    CRankingData* FindByName(const AnsiString& name);

    // Stable ascending orderings of the whole sequence. The cursor keeps its position (now on
    // whatever row lies there); callers call First afterwards.
    // By total cost; equal totals by fixed distance; equal both keep their relative order.
    void SortByTotalCost();
    // By fixed distance; equal distances keep their relative order (the previous sort decides).
    void SortByDistance();

    // Strict comparators: whether a goes before b.
    static bool CompareTotalCost(const CRankingData* a, const CRankingData* b);
    static bool CompareDistance(const CRankingData* a, const CRankingData* b);

private:
    std::vector<CRankingData*> rows_;
    std::size_t cursor_ = 0;
};
