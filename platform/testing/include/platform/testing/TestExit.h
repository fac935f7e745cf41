#pragma once

// The exit code of a test program whose selected tests were all skipped, none failing. CTest
// counts a test as skipped by this code alone, never by what its output holds: a failing test
// may quote another program's output, skip marks included.
inline constexpr int kAllTestsSkippedExitCode = VAKREL_TEST_SKIPPED_EXIT_CODE;

// The exit code of a test program from the result of RUN_ALL_TESTS(): that result, except
// kAllTestsSkippedExitCode when it passed and every test it ran was skipped.
int TestProgramExitCode(int runAllTestsResult);
