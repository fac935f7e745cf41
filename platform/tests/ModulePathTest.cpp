#include "platform/ModulePath.h"
#include "platform/testing/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(ModulePathTest, NamesThisProgramsExecutable) {
    const AnsiString path = ModuleFileName();
    EXPECT_EQ(path.SubString(1, 1), "/");
    EXPECT_EQ(path.SubString(path.Length() - 14, 15), "/platform_tests");
    EXPECT_TRUE(std::filesystem::equivalent(path.str(), "/proc/self/exe")) << path.str();
}

TEST(ModulePathTest, TheProgramsFolderBecomesTheCurrentFolder) {
    TempDir elsewhere;
    const CurrentDirScope restore(elsewhere.Path());
    ASSERT_TRUE(EnterProgramFolder());
    // The running file itself, not the path /proc gives for it: a test program that left the
    // mount namespace of a chroot is given the path outside the chroot's folder.
    EXPECT_TRUE(std::filesystem::equivalent("platform_tests", "/proc/self/exe"))
        << std::filesystem::current_path();
}

} // namespace
