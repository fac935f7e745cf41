#include "platform/Clock.h"
#include "platform/DesktopWindows.h"
#include "platform/Shell.h"
#include "platform/testing/OtherUserProcess.h"
#include "platform/testing/TempDir.h"
#include "platform/testing/TestWindow.h"
#include "platform/testing/XvfbServer.h"
#include "updater/TMainForm.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace stdfs = std::filesystem;

template <typename Condition> bool Eventually(Condition condition) {
    for (int i = 0; i < 1000 && !condition(); ++i) {
        ::usleep(10000);
    }
    return condition();
}

std::size_t WindowCount(std::uint32_t pid) {
    std::size_t count = 0;
    for (const auto& window : desktop::TopLevelWindows()) {
        count += window.processId == pid && window.visible;
    }
    return count;
}

// The test window program under a name of this test's own, on a virtual X server.
class CloseProcessWindowTest : public testing::Test {
protected:
    void SetUp() override {
        if (!xvfb_.Running()) {
            GTEST_SKIP() << "Xvfb could not be started";
        }
        stdfs::copy_file(X11_TEST_WINDOW_PROGRAM, dir_ / name_);
    }

    const std::string name_ = "TestWindow_" + std::to_string(::getpid()) + ".exe";
    XvfbServer xvfb_;
    TempDir dir_;
    ManualClock clock_;
    ClockScope scope_{clock_};
};

TEST_F(CloseProcessWindowTest, TheCloseGoesToTheDialogFirstThenToTheMainWindow) {
    TestWindow program("dialog", dir_ / "record.txt", dir_ / name_);
    ASSERT_TRUE(program.WaitFor("ready"));

    EXPECT_TRUE(TMainForm::CloseProcessWindow(AnsiString(name_)));
    EXPECT_EQ(clock_.Milliseconds(), 300);
    ASSERT_TRUE(program.WaitFor("close dialog"));
    ASSERT_TRUE(Eventually([&] { return WindowCount(program.ProcessId()) == 1; }));

    EXPECT_TRUE(TMainForm::CloseProcessWindow(AnsiString(name_)));
    ASSERT_TRUE(program.WaitFor("close main"));
    EXPECT_EQ(program.Record(), "ready\nclose dialog\nclose main\n");
}

TEST_F(CloseProcessWindowTest, OnlyHiddenWindowsOrNoProcessGiveFalseAtOnce) {
    TestWindow program("hidden", dir_ / "record.txt", dir_ / name_);
    ASSERT_TRUE(program.WaitFor("ready"));
    EXPECT_FALSE(TMainForm::CloseProcessWindow(AnsiString(name_)));
    EXPECT_FALSE(TMainForm::CloseProcessWindow("NoSuchProgram.exe"));
    EXPECT_EQ(clock_.Milliseconds(), 0);
    EXPECT_EQ(program.Record(), "ready\n");
}

// A colleague's program of the same name shows its window on the same display: it gets no
// close, and the own program's window does.
TEST_F(CloseProcessWindowTest, AnotherUsersWindowIsNotClosed) {
    TempDir shared;
    stdfs::permissions(shared.Path(), stdfs::perms::all);
    const std::string colleagueRecord = shared / "record.txt";
    OtherUserProcess colleague(name_, X11_TEST_WINDOW_PROGRAM, {"main", colleagueRecord});
    if (!colleague.Started()) {
        GTEST_SKIP() << "needs root, to start a program as another user";
    }
    ASSERT_TRUE(Eventually([&] { return ReadWholeFile(colleagueRecord) == "ready\n"; }));
    EXPECT_FALSE(TMainForm::CloseProcessWindow(AnsiString(name_)));
    EXPECT_EQ(clock_.Milliseconds(), 0);

    TestWindow own("main", dir_ / "record.txt", dir_ / name_);
    ASSERT_TRUE(own.WaitFor("ready"));
    EXPECT_TRUE(TMainForm::CloseProcessWindow(AnsiString(name_)));
    ASSERT_TRUE(own.WaitFor("close main"));
    EXPECT_EQ(ReadWholeFile(colleagueRecord), "ready\n");
    EXPECT_TRUE(colleague.Running());
}

TEST(CloseProcessWindowNoDisplayTest, WithoutADisplayNoWindowIsFound) {
    std::optional<std::string> previous;
    if (const char* display = std::getenv("DISPLAY")) {
        previous = display;
    }
    ::unsetenv("DISPLAY");
    TempDir dir;
    const std::string name = "Sleeper_" + std::to_string(::getpid()) + ".exe";
    stdfs::copy_file("/bin/sleep", dir / name);
    const pid_t sleeper = ::fork();
    if (sleeper == 0) {
        const std::string program = dir / name;
        ::execl(program.c_str(), program.c_str(), "30", static_cast<char*>(nullptr));
        _exit(127);
    }
    ASSERT_TRUE(Eventually([&] { return TMainForm::IsProcessRunning(AnsiString(name)); }));
    EXPECT_FALSE(TMainForm::CloseProcessWindow(AnsiString(name)));
    ::kill(sleeper, SIGKILL);
    ::waitpid(sleeper, nullptr, 0);
    if (previous) {
        ::setenv("DISPLAY", previous->c_str(), 1);
    }
}

} // namespace
