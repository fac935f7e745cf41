// Entry point of test programs that run other test programs from outside, as a user's session
// does: on the machine's process table.
#include "platform/testing/TestExit.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    return TestProgramExitCode(RUN_ALL_TESTS());
}
