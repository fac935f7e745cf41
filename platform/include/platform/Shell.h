#pragma once

#include "platform/AnsiString.h"

#include <vector>

// Opens a file as the desktop would ("Open"): an executable file is started as a program of its
// own, detached and not waited for, with the parameters split at blanks (a part in double
// quotes may hold blanks); a folder or document is handed to xdg-open. A relative path counts
// from the current folder, or from `directory` when one is given, which is then also the
// program's working folder. True when the program or xdg-open was started.
bool ShellOpen(const AnsiString& file, const AnsiString& parameters = "",
               const AnsiString& directory = "");

// Starts a program with the given arguments, detached and not waited for. True when it started.
bool StartDetached(const AnsiString& program, const std::vector<AnsiString>& arguments,
                   const AnsiString& directory = "");

// Splits a parameter text at blanks; double quotes group a part that holds blanks.
std::vector<AnsiString> SplitParameters(const AnsiString& parameters);
