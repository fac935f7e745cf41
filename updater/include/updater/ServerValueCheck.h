#pragma once

#include "platform/AnsiString.h"

// Longest server value accepted as part of a file or program name, in bytes.
constexpr int kMaxServerNameLength = 100;

// Whether a value from the server's version file may become part of a file name or a program
// name in the update checker's folder or its parent: no path separator ("/", or "\" outside a
// double-byte character), no "..", no control character, at most kMaxServerNameLength bytes.
bool IsSafeServerName(const AnsiString& value);

// Whether a file name is, in any letter case, that of one of the programs in the update
// checker's folder: its own ("lumbrixon.exe", "travomet.exe", "travomet_org.exe") and the
// data-kit updater's ("velnaro_tallisk.exe", "velnaro_travomet_org.exe"). A download must never
// replace or delete them.
bool IsCheckersOwnProgram(const AnsiString& fileName);

// Whether the file system can hold the name in the folder: the name as it is stored on disk
// (UTF-8) within the longest file name of the folder's file system, and the whole path within
// the longest path. An empty name always fits.
bool FitsTheFileSystem(const AnsiString& folder, const AnsiString& name);
