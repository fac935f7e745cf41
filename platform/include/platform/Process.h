#pragma once

#include "platform/AnsiString.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Processes as the system's process list reports them.
struct ProcessEntry {
    std::uint32_t id = 0;
    // File name of the process's executable, without folder (code page 932). For a process
    // whose executable may not be looked at (another user's), the file name of the program
    // that its command line names first.
    AnsiString exeName;
    // The user who started the process (its real user id).
    std::uint32_t realUserId = 0;
};

// Every running process of a program, in ascending id order (the order in which a walk of the
// process list meets them), whichever user runs it. Processes that have ended but are not yet
// reaped, and kernel threads, are left out. Empty when the list cannot be read.
// The whole of a file under /proc; empty when it cannot be read. A process that ends while its
// file is read makes the read fail, which std::ifstream would report by throwing.
std::string ReadProcFile(const std::string& path);

std::vector<ProcessEntry> ProcessSnapshot();

// The processes of ProcessSnapshot whose real user is this program's real user, in the same
// order. A program that looks for programs by name looks here, so that on a machine shared by
// several users it never finds, waits for or ends another user's program.
std::vector<ProcessEntry> OwnUserProcessSnapshot();

std::uint32_t CurrentProcessId();

// Ends the process at once. False when it cannot be ended (gone, left out of the process list
// by NarrowProcessList, or no right to).
bool TerminateProcessById(std::uint32_t id);

// Narrows the process list, for the rest of the program's life, to the processes that `keep`
// accepts, on top of every narrowing before; nothing widens it again. ProcessSnapshot lists
// only those processes and TerminateProcessById ends only those. Test programs that cannot
// have a process table of their own keep it to the processes they started; the programs
// themselves never narrow it. Call it before other threads look at processes.
void NarrowProcessList(std::function<bool(std::uint32_t id)> keep);
