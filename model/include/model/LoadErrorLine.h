#pragma once

#include "platform/AnsiString.h"

// The line that names a data table that failed to load, as the start-up lists them: the found
// path from its 8th byte on (with "./dat/" that is the file name without its first character),
// at most 100 bytes, followed by "\r\n". A table that was not found (empty path) gives "\r\n".
AnsiString LoadErrorLine(const AnsiString& foundPath);
