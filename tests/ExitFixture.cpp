// A test program for the tests of the test programs' exit codes: one test of each outcome. It is
// run only by those tests, never registered with CTest.
#include <gtest/gtest.h>

#include <iostream>

namespace {

TEST(ExitFixture, Passes) {
    SUCCEED();
}

TEST(ExitFixture, Skips) {
    GTEST_SKIP() << "the reason for skipping";
}

// Fails while its output holds what a skipped test prints, as a failure that quotes another
// test program's output does.
TEST(ExitFixture, FailsQuotingASkip) {
    std::cout << "[  SKIPPED ] Quoted.Test (0 ms)\n";
    ADD_FAILURE() << "quoted output:\n[  SKIPPED ] Quoted.Test (0 ms)";
}

} // namespace
