#pragma once

#include "platform/AnsiString.h"

// Finds a file by a code contained in its name.
class LFileOperate {
public:
    // The folder followed by the name of the first entry of the folder's listing (after the
    // entry that starts it) whose name contains `code` byte for byte; files and subfolders
    // alike, in the file system's own order. The empty text when nothing matches or the folder
    // cannot be listed. `folder` ends with "/" (DAT_FOLDER or "./").
    AnsiString FindFile(const AnsiString& code, const AnsiString& folder);
};
