#pragma once

#include "platform/AnsiString.h"

// Longest server value accepted as part of a file or program name, in bytes.
constexpr int kMaxServerNameLength = 100;

// Whether a value from the server's version file may become part of a file name or a program
// name in the update checker's folder or its parent: no path separator ("/", or "\" outside a
// double-byte character), no "..", no control character, at most kMaxServerNameLength bytes.
bool IsSafeServerName(const AnsiString& value);
