#pragma once

#include "platform/AnsiString.h"

#include <optional>
#include <string>
#include <vector>

// File access for code-page-932 path texts. File names on disk are UTF-8: a path is converted
// on its way to the operating system, and a listed name on its way back, each part between "/"
// separators by itself. A name that is neither UTF-8 nor valid code page 932 keeps its bytes
// unchanged, and the way back passes such a part as it is. Any other name whose code-page-932
// form would not lead back to it exactly carries the bytes that code page 932 cannot hold as
// raw-byte codes (cp932::FromOsBytes), which the way back turns into those bytes again and the
// display shows as the characters they form. So every listed entry opens again from the
// returned text, also with a folder put before it, and a UTF-8 name shows as itself.
namespace fs932 {

std::string ToOsPath(const AnsiString& path);
AnsiString FromOsName(const std::string& name);

// True when a file (anything but a folder) exists at the path.
bool FileExists(const AnsiString& path);
bool DirectoryExists(const AnsiString& path);
// Removes a file; false when it could not be removed.
bool DeleteFile(const AnsiString& path);

// The whole content, or nothing when the file cannot be opened or read.
std::optional<std::string> ReadFileBytes(const AnsiString& path);
// Replaces the file's content; false when it cannot be written.
bool WriteFileBytes(const AnsiString& path, const std::string& bytes);

// The entries of a folder in the order a folder listing gives them: "." and ".." first, then
// the other entries in the file system's own order, unsorted, hidden ones and subfolders
// included. Nothing when the folder cannot be listed.
std::optional<std::vector<AnsiString>> ListFolder(const AnsiString& folder);

} // namespace fs932
