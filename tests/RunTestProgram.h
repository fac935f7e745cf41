#pragma once

#include <functional>
#include <string>
#include <vector>

// How a program run by RunProgram ended: its wait status and everything it wrote.
struct Outcome {
    int status = -1;
    std::string output;
};

// Runs a program with its arguments (the first is the program's path) and waits for it, at most
// five minutes. Its standard output and error go to one log. `prepare`, when given, runs in the
// new process just before the program starts; when it answers false the process ends with 125.
Outcome RunProgram(const std::vector<std::string>& arguments,
                   const std::function<bool()>& prepare = {});

// Makes unshare() fail with EPERM in this process and the programs it starts, as on a machine
// that allows no namespaces. (The filter looks at the call's number only.)
bool RefuseNamespaces();

// The exit code of a program that ended by exit(); -1 when it did not.
int ExitCode(const Outcome& outcome);
