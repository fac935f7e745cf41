#include "platform/Clock.h"
#include "platform/Process.h"
#include "platform/Shell.h"
#include "platform/testing/OtherUserProcess.h"
#include "platform/testing/ProcessTesting.h"
#include "platform/testing/TempDir.h"
#include "updater/TMainForm.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <unistd.h>

namespace {

namespace stdfs = std::filesystem;

bool Running(std::uint32_t id) {
    const auto all = ProcessSnapshot();
    return std::any_of(all.begin(), all.end(), [&](const auto& e) { return e.id == id; });
}

// Children that run a copy of /bin/sleep under a name of the system's; the waits of the helpers
// run on a manual clock.
class ProcessHelpersTest : public testing::Test {
protected:
    ~ProcessHelpersTest() override {
        for (std::uint32_t id : started_) {
            TerminateProcessById(id);
        }
    }

    std::uint32_t StartNamed(const std::string& name) {
        const std::string program = dir_ / name;
        if (!stdfs::exists(program)) {
            stdfs::copy_file("/bin/sleep", program);
        }
        const auto before = ProcessIdsNamed(AnsiString(name));
        EXPECT_TRUE(StartDetached(AnsiString(program), {"30"}));
        std::uint32_t id = 0;
        EXPECT_TRUE(Eventually([&] {
            for (std::uint32_t candidate : ProcessIdsNamed(AnsiString(name))) {
                if (std::find(before.begin(), before.end(), candidate) == before.end()) {
                    id = candidate;
                    return true;
                }
            }
            return false;
        }));
        started_.push_back(id);
        return id;
    }

    ManualClock clock_;
    ClockScope scope_{clock_};

private:
    TempDir dir_;
    std::vector<std::uint32_t> started_;
};

TEST_F(ProcessHelpersTest, KillEndsOnlyTheFirstProcessOfTheNameAndAlwaysWaits) {
    const std::uint32_t a = StartNamed("Vakrel_R581_prototype.exe");
    const std::uint32_t b = StartNamed("Vakrel_R581_prototype.exe");
    const std::uint32_t first = std::min(a, b);
    const std::uint32_t second = std::max(a, b);

    TMainForm::KillProcessByName("Vakrel_R581_prototype.exe");
    EXPECT_EQ(clock_.Milliseconds(), 300);
    EXPECT_TRUE(Eventually([&] { return !Running(first); }));
    EXPECT_TRUE(Running(second));

    TMainForm::KillProcessByName("Vakrel_R581_prototype.exe");
    EXPECT_TRUE(Eventually([&] { return !Running(second); }));

    // Nobody left of the name: nothing is ended, the wait is the same.
    TMainForm::KillProcessByName("Vakrel_R581_prototype.exe");
    EXPECT_EQ(clock_.Milliseconds(), 900);
}

TEST_F(ProcessHelpersTest, NamesMatchWholeAndWithTheirCase) {
    const std::uint32_t id = StartNamed("travomet_org.exe");
    EXPECT_TRUE(TMainForm::IsProcessRunning("travomet_org.exe"));
    for (const char* other : {"Travomet_org.exe", "TRAVOMET_ORG.EXE", "travomet_org",
                              "avomet_org.exe", "travomet_org.exe.bak", ""}) {
        EXPECT_FALSE(TMainForm::IsProcessRunning(other)) << other;
    }
    EXPECT_EQ(clock_.Milliseconds(), 0); // no wait
    TMainForm::KillProcessByName("TRAVOMET_ORG.EXE");
    EXPECT_TRUE(Running(id));
}

TEST_F(ProcessHelpersTest, AnotherInstanceLeavesOutTheOwnId) {
    const std::uint32_t first = StartNamed("lumbrixon.exe");
    EXPECT_FALSE(TMainForm::IsOtherInstanceRunning("lumbrixon.exe", first));
    EXPECT_EQ(clock_.Milliseconds(), 300);
    EXPECT_TRUE(TMainForm::IsOtherInstanceRunning("lumbrixon.exe", CurrentProcessId()));
    EXPECT_FALSE(TMainForm::IsOtherInstanceRunning("Lumbrixon.exe", CurrentProcessId()));

    const std::uint32_t second = StartNamed("lumbrixon.exe");
    EXPECT_TRUE(TMainForm::IsOtherInstanceRunning("lumbrixon.exe", first));
    EXPECT_TRUE(TMainForm::IsOtherInstanceRunning("lumbrixon.exe", second));
    EXPECT_EQ(clock_.Milliseconds(), 1500);
}

// A colleague's program of the same name on a shared machine: none of the helpers sees it,
// even when it comes first in the process list, and the own user's process is found instead.
TEST_F(ProcessHelpersTest, AnotherUsersProcessOfTheNameIsNeitherSeenNorEnded) {
    const AnsiString name = "Vakrel_R581_prototype.exe";
    OtherUserProcess colleague(name.str());
    if (!colleague.Started()) {
        GTEST_SKIP() << "needs root, to start a process as another user";
    }
    EXPECT_FALSE(TMainForm::IsProcessRunning(name));
    EXPECT_FALSE(TMainForm::IsOtherInstanceRunning(name, CurrentProcessId()));
    EXPECT_FALSE(TMainForm::CloseProcessWindow(name));
    TMainForm::KillProcessByName(name);
    EXPECT_EQ(clock_.Milliseconds(), 600); // the waits stay

    const std::uint32_t own = StartNamed(name.str());
    ASSERT_LT(colleague.Id(), own) << "the colleague's process comes first in the list";
    EXPECT_TRUE(TMainForm::IsProcessRunning(name));
    EXPECT_TRUE(TMainForm::IsOtherInstanceRunning(name, CurrentProcessId()));
    EXPECT_FALSE(TMainForm::IsOtherInstanceRunning(name, own));
    TMainForm::KillProcessByName(name);
    EXPECT_TRUE(Eventually([&] { return !Running(own); }));
    // By now a kill of either call would have ended it too.
    EXPECT_TRUE(colleague.Running());
}

} // namespace
