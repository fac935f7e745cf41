#pragma once

#include "platform/AnsiString.h"

#include <cstdint>
#include <vector>

// Processes as the system's process list reports them.
struct ProcessEntry {
    std::uint32_t id = 0;
    // File name of the process's executable, without folder (code page 932). For a process
    // whose executable may not be looked at (another user's), the file name of the program
    // that its command line names first.
    AnsiString exeName;
};

// Every running process of a program, in ascending id order (the order in which a walk of the
// process list meets them), whichever user runs it. Processes that have ended but are not yet
// reaped, and kernel threads, are left out. Empty when the list cannot be read.
std::vector<ProcessEntry> ProcessSnapshot();

std::uint32_t CurrentProcessId();

// Ends the process at once. False when it cannot be ended (gone, or no right to).
bool TerminateProcessById(std::uint32_t id);
