// Entry point of test programs that need an application object: the tests run in a process
// table of their own (they never find or end a process that they did not start), and windows
// are drawn offscreen unless the caller chose a display platform (a test that needs X sets
// QT_QPA_PLATFORM=xcb).
#include "platform/qt/ErrorDisplay.h"
#include "platform/testing/ProcessIsolation.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    IsolateTestProcesses();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    testing::InitGoogleTest(&argc, argv);
    TApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
