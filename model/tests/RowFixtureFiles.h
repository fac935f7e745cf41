#pragma once

#include "platform/Cp932.h"
#include "platform/testing/TempDir.h"

#include <gtest/gtest.h>

#include <string>

// Fixture files are kept as UTF-8 text beside the tests; the program reads code page 932, so
// they are converted on their way into a test's program folder.
inline std::string FixturePath(const std::string& name) {
    return std::string(MODEL_TEST_DATA) + "/" + name;
}

// Copies fixture `name` into the temporary folder as `target`, converted to code page 932.
inline void CopyFixtureAsCp932(const TempDir& dir, const std::string& name,
                               const std::string& target) {
    const std::string utf8 = ReadWholeFile(FixturePath(name));
    const auto sjis = cp932::FromUtf8Strict(utf8);
    ASSERT_TRUE(sjis.has_value()) << name << " is not code-page-932 text";
    dir.Write(target, *sjis);
}
