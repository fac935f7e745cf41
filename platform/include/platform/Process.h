#pragma once

#include "platform/AnsiString.h"

#include <cstdint>
#include <vector>

// Processes as the system's process list reports them.
struct ProcessEntry {
    std::uint32_t id = 0;
    // File name of the process's executable, without folder (code page 932).
    AnsiString exeName;
};

// Every running process that has an executable, in ascending id order (the order in which a
// walk of the process list meets them). Processes that have ended but are not yet reaped are
// left out. Empty when the list cannot be read.
std::vector<ProcessEntry> ProcessSnapshot();

std::uint32_t CurrentProcessId();

// Ends the process at once. False when it cannot be ended (gone, or no right to).
bool TerminateProcessById(std::uint32_t id);
