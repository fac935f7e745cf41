#include "platform/browser/testing/BrowserTestMain.h"

#include "platform/browser/TWebBrowserSession.h"
#include "platform/browser/testing/BrowserTesting.h"
#include "platform/qt/ErrorDisplay.h"
#include "platform/testing/ProcessIsolation.h"
#include "platform/testing/TestExit.h"

#include <gtest/gtest.h>

int RunBrowserTests(int argc, char** argv) {
    return RunBrowserTests(argc, argv, nullptr);
}

int RunBrowserTests(int argc, char** argv, void (*prepare)()) {
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
        // Listing the tests needs no engine and starts nothing.
        return RUN_ALL_TESTS();
    }
    IsolateTestProcesses();
    if (prepare != nullptr) {
        prepare();
    }
    TApplication app(argc, argv);
    TWebBrowserSession session;
    return TestProgramExitCode(RUN_ALL_TESTS());
}
