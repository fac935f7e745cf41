#pragma once

#include "model/CSyobunjoData.h"
#include "platform/AnsiString.h"

#include <memory>
#include <vector>

// The disposal sites of one material type, in the order of their lines in the disposal-fee
// table, with a cursor. The list owns its sites.
//
// Files in "./dat/": the category texts ("SyobunjoKikakuSource.ini", section "処分費目": line n
// is the text of material type n), the disposal-fee table (working copy with code "DT19": a
// line holding the category text is a site line; columns 6 key, 8 name, 11 fee, 12 unit,
// 22 source) and the site-coordinate table (code "DC01": column 2 key, 3 X, 4 Y in metres).
// Columns are read with LCsvColumns, each cut to 255 bytes.
class CSyobunjoList {
public:
    CSyobunjoList() = default;
    ~CSyobunjoList();
    CSyobunjoList(const CSyobunjoList&) = delete;
    CSyobunjoList& operator=(const CSyobunjoList&) = delete;

    // Category text = line n (0-based) of the category section. Raises EListError when the
    // section has no line n (also when the file is missing), EFOpenError when the file exists
    // but cannot be read.
    void SetCategory(int n);
    const AnsiString& GetCategory() const { return category_; }

    // Appends a site for every line of the fee table that holds category text n (an empty text
    // is in no line), then reads their coordinates (LoadCoordinates) and gives true. When the
    // table is missing or unreadable, or a fee column is no whole number, it shows
    // "ファイルが開けませんでした。\nET19.txt" (caption "エラー", warning) and gives false: the
    // sites before the failing line stay, no coordinates are read. Raises what SetCategory and
    // LoadCoordinates raise.
    bool LoadFromFile(int n);
    // Sets X and Y of every site from the first coordinate line whose key equals the site's
    // key without regard to ASCII letter case; a site without such a line keeps its position.
    // Leaves the cursor at the end. A missing or unreadable table shows
    // "ファイルが開けませんでした。\nvor処分場座標.csv" (caption "エラー", warning) and gives
    // false. Raises EConvertError for a non-empty X or Y that is no number; the sites after it
    // keep their position.
    bool LoadCoordinates();
    // Deletes every site.
    void Clear();

    // Cursor: First puts it on the first site (at the end for an empty list); Next gives false
    // at the end, else steps on (also onto the end) and gives true.
    void First() { cursor_ = 0; }
    bool IsEnd() const { return cursor_ >= sites_.size(); }
    bool Next();
    // The site at the cursor, still owned by the list; only while IsEnd() is false.
    CSyobunjoData* GetCurrent() const;
    int Count() const { return static_cast<int>(sites_.size()); }

private:
    std::vector<std::unique_ptr<CSyobunjoData>> sites_;
    std::size_t cursor_ = 0;
    AnsiString category_;
};
