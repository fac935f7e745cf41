// Entry point of test programs that need an application object: windows are drawn offscreen
// unless the caller chose a display platform (a test that needs X sets QT_QPA_PLATFORM=xcb).
#include "platform/qt/ErrorDisplay.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    testing::InitGoogleTest(&argc, argv);
    TApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
