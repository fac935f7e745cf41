#include "platform/testing/TestExit.h"

#include <gtest/gtest.h>

int TestProgramExitCode(int runAllTestsResult) {
    const testing::UnitTest& tests = *testing::UnitTest::GetInstance();
    if (runAllTestsResult == 0 && tests.Passed() && tests.test_to_run_count() > 0 &&
        tests.skipped_test_count() == tests.test_to_run_count()) {
        return kAllTestsSkippedExitCode;
    }
    return runAllTestsResult;
}
