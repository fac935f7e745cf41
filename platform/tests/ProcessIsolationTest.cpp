#include "platform/testing/ProcessIsolation.h"

#include "platform/Process.h"
#include "platform/Shell.h"
#include "platform/testing/ProcessTesting.h"
#include "platform/testing/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

namespace stdfs = std::filesystem;

std::string StatusLine(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key + ":", 0) == 0) {
            return line.substr(key.size() + 1);
        }
    }
    return {};
}

// The test program sees its own processes and nothing else of the machine, also those that it
// started detached.
TEST(ProcessIsolationTest, TheTestsSeeOnlyThisProgramAndWhatItStarts) {
    ASSERT_NE(CurrentProcessTable(), ProcessTable::Shared);
    for (const ProcessEntry& entry : ProcessSnapshot()) {
        EXPECT_EQ(entry.exeName, "platform_tests") << entry.id;
    }
    TempDir dir;
    const std::string name = "Detached_" + std::to_string(::getpid()) + ".exe";
    stdfs::copy_file("/bin/sleep", dir / name);
    ASSERT_TRUE(StartDetached(AnsiString(dir / name), {"30"}));
    EXPECT_TRUE(Eventually([&] { return ProcessIdsNamed(AnsiString(name)).size() == 1; }));
    for (std::uint32_t id : ProcessIdsNamed(AnsiString(name))) {
        EXPECT_TRUE(TerminateProcessById(id));
    }
}

// In a table of its own the first process is this program's, and a user other than root keeps
// no capability there, so file permissions hold for the tests as for the user.
TEST(ProcessIsolationTest, AnOwnTableBelongsToThisProgramAndLendsNoCapabilities) {
    if (CurrentProcessTable() != ProcessTable::Own) {
        GTEST_SKIP() << "no PID namespace could be made here";
    }
    std::error_code error;
    EXPECT_EQ(stdfs::read_symlink("/proc/1/exe", error), stdfs::read_symlink("/proc/self/exe"));
    EXPECT_NE(CurrentProcessId(), 1u);
    if (::geteuid() != 0) {
        EXPECT_EQ(StatusLine("CapEff"), "\t0000000000000000");
        EXPECT_EQ(StatusLine("CapPrm"), "\t0000000000000000");
    }
}

} // namespace
