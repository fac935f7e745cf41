#pragma once

#include "platform/AnsiString.h"

// Absolute path of the running program's executable file (code page 932); empty when it cannot
// be read.
AnsiString ModuleFileName();

// Makes the folder of the running program's executable the current folder, so that the
// program's relative paths ("./dat/...", "./lumbrixon/...") name its own files whichever folder
// it was started from. False, the current folder unchanged, when that folder cannot be found or
// entered.
bool EnterProgramFolder();
