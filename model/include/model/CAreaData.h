#pragma once

#include "platform/AnsiString.h"
#include "platform/TStringList.h"

// The area names (地区) of the areas table, in file order. The position of a name is the area
// index that the cost data model takes everywhere, the same as the area combo box's index.
class CAreaData {
public:
    // Reads the areas table, the working copy "DA01" in "./dat/": its first line is a heading,
    // every further line one area name taken whole (an empty line is an area with an empty
    // name). Returns "" for the start-up's list of failed files. A table that is not found or
    // cannot be read raises EFOpenError, a table without any line EListError; in both cases
    // the names held before stay.
    AnsiString LoadFromFile();

    // The name at area index 0 to GetCount() - 1; EListError for any other index.
    AnsiString GetAreaName(int index) const;
    int GetCount() const;

private:
    TStringList names_;
};
