#pragma once

#include "platform/AnsiString.h"

// Absolute path of the running program's executable file (code page 932); empty when it cannot
// be read.
AnsiString ModuleFileName();
