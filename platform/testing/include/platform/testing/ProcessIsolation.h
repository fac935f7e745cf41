#pragma once

// Keeps a test program from finding, ending or closing any process that it did not start. The
// tests run the programs' process helpers on the programs' fixed names, so on a shared process
// table a user's open program, or another test run, would decide whether they pass, and the
// tests could end it.
enum class ProcessTable {
    // The machine's: nothing has been isolated (IsolateTestProcesses was not called).
    Shared,
    // A process table of the program's own (a PID namespace with its own /proc): only the
    // processes that the program starts, and theirs, exist for it.
    Own,
    // No namespace could be made: the process list is narrowed to this program and the
    // processes it started, which it keeps as descendants by adopting the orphaned ones.
    StartedOnly,
};

// The first call in a test program's main(), while it has a single thread. It moves the tests
// into a process table of their own: the call returns in a new process, the first process of
// that table, while the calling process waits for it and ends as it ends, and a small first
// process of the table outlives every process the tests leave behind and ends them with it. As
// another user than root, the table belongs to a user namespace that maps only the own user, and
// the tests' process keeps no capabilities, so file permissions hold as before. Where no
// namespace can be made it narrows the process list (NarrowProcessList) instead, says why on
// standard error, and returns in the calling process.
ProcessTable IsolateTestProcesses();

// What IsolateTestProcesses made.
ProcessTable CurrentProcessTable();

// Why a test that runs the built programs skips without a table of its own: those programs
// look at every process of their user, and only a namespace keeps them from the machine's.
inline constexpr const char* kNeedsOwnProcessTable =
    "runs the built programs, which see every process of their user: needs a process table of "
    "its own, and no PID namespace could be made here";
