// Entry point of test programs without an application object. The tests run in a process table
// of their own, so that they never find or end a process that they did not start.
#include "platform/testing/ProcessIsolation.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    IsolateTestProcesses();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
