// Entry point of test programs that use embedded browsers: windows are drawn offscreen unless
// the caller chose a display platform, every host name reaches the local test server, and one
// browser session lives while the tests run.
#include "platform/browser/TWebBrowserSession.h"
#include "platform/browser/testing/BrowserTesting.h"
#include "platform/qt/ErrorDisplay.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Tests run the browser without Chromium's sandbox whoever runs them: build machines often
    // allow neither root's sandbox nor the user namespaces an unprivileged sandbox needs.
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    PrepareWebBrowserProcess();
    MapAllHostsToLoopback();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) {
        // Listing the tests needs no engine.
        return RUN_ALL_TESTS();
    }
    TApplication app(argc, argv);
    TWebBrowserSession session;
    return RUN_ALL_TESTS();
}
