#include "platform/ModulePath.h"
#include "platform/testing/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(ModulePathTest, NamesThisProgramsExecutable) {
    const AnsiString path = ModuleFileName();
    EXPECT_EQ(path.SubString(1, 1), "/");
    EXPECT_EQ(path.SubString(path.Length() - 14, 15), "/platform_tests");
}

TEST(ModulePathTest, TheProgramsFolderBecomesTheCurrentFolder) {
    TempDir elsewhere;
    const CurrentDirScope restore(elsewhere.Path());
    ASSERT_TRUE(EnterProgramFolder());
    EXPECT_EQ(std::filesystem::current_path(),
              std::filesystem::read_symlink("/proc/self/exe").parent_path());
}

} // namespace
