#include "platform/ModulePath.h"

#include <gtest/gtest.h>

namespace {

TEST(ModulePathTest, NamesThisProgramsExecutable) {
    const AnsiString path = ModuleFileName();
    EXPECT_EQ(path.SubString(1, 1), "/");
    EXPECT_EQ(path.SubString(path.Length() - 14, 15), "/platform_tests");
}

} // namespace
