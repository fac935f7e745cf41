// Entry point of test programs that need an application object: the tests run in a process
// table of their own (they never find or end a process that they did not start), and windows
// are drawn offscreen unless the caller chose a display platform (a test that needs X sets
// QT_QPA_PLATFORM=xcb).
#include "platform/qt/ErrorDisplay.h"
#include "platform/testing/ProcessIsolation.h"
#include "platform/testing/TestExit.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (!GTEST_FLAG_GET(list_tests)) { // listing the tests starts nothing
        IsolateTestProcesses();
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    TApplication app(argc, argv);
    return TestProgramExitCode(RUN_ALL_TESTS());
}
