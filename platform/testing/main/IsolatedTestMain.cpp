// Entry point of test programs without an application object. The tests run in a process table
// of their own, so that they never find or end a process that they did not start.
#include "platform/testing/ProcessIsolation.h"
#include "platform/testing/TestExit.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (!GTEST_FLAG_GET(list_tests)) { // listing the tests starts nothing
        IsolateTestProcesses();
    }
    return TestProgramExitCode(RUN_ALL_TESTS());
}
