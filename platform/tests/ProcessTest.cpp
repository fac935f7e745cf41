#include "platform/Process.h"
#include "platform/Clock.h"
#include "platform/Shell.h"
#include "platform/testing/OtherUserProcess.h"
#include "platform/testing/ProcessTesting.h"
#include "platform/testing/TempDir.h"
#include "platform/testing/UnprivilegedScope.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace stdfs = std::filesystem;

TEST(ProcessTest, SnapshotHoldsThisProcessByItsExecutableName) {
    const auto ids = ProcessIdsNamed("platform_tests");
    EXPECT_NE(std::find(ids.begin(), ids.end(), CurrentProcessId()), ids.end());
    const auto all = ProcessSnapshot();
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end(),
                               [](const auto& a, const auto& b) { return a.id < b.id; }));
}

TEST(ProcessTest, StartedProgramRunsDetachedUnderItsOwnNameAndCanBeEnded) {
    TempDir dir;
    // A name of its own, so that tests running side by side never see each other's processes.
    const std::string name = "Sleeper_" + std::to_string(::getpid()) + ".exe";
    const std::string program = dir / name;
    stdfs::copy_file("/bin/sleep", program);
    ASSERT_TRUE(StartDetached(AnsiString(program), {"30"}));
    ASSERT_TRUE(Eventually([&] { return ProcessIdsNamed(AnsiString(name)).size() == 1; }));
    std::string lower = name;
    lower[0] = 's';
    EXPECT_TRUE(ProcessIdsNamed(AnsiString(lower)).empty()); // names are case-sensitive
    const std::uint32_t id = ProcessIdsNamed(AnsiString(name)).front();
    EXPECT_TRUE(TerminateProcessById(id));
    EXPECT_TRUE(Eventually([&] { return ProcessIdsNamed(AnsiString(name)).empty(); }));
}

std::string ProcFile(std::uint32_t id, const std::string& name) {
    return ReadWholeFile("/proc/" + std::to_string(id) + "/" + name);
}

bool Listed(std::uint32_t id) {
    const auto all = ProcessSnapshot();
    return std::any_of(all.begin(), all.end(), [&](const ProcessEntry& e) { return e.id == id; });
}

// A user who may not look at another user's executable still sees the process, by the program
// that its command line names; ended processes and kernel threads stay out.
TEST(ProcessTest, AnotherUsersProcessIsListedByTheProgramItsCommandLineNames) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root, to look at a process of root's as another user";
    }
    TempDir dir;
    const std::string name = "Other User_" + std::to_string(::getpid()) + ".exe";
    const std::string program = dir.MakeFolder("My Tools") + "/" + name;
    stdfs::copy_file("/bin/sleep", program);
    ASSERT_TRUE(StartDetached(AnsiString(program), {"30"}));
    ASSERT_TRUE(Eventually([&] { return ProcessIdsNamed(AnsiString(name)).size() == 1; }));
    const std::uint32_t id = ProcessIdsNamed(AnsiString(name)).front();
    struct Ender {
        std::uint32_t id;
        ~Ender() { TerminateProcessById(id); }
    } ender{id};

    const pid_t ended = ::fork();
    if (ended == 0) {
        _exit(0);
    }
    ASSERT_GT(ended, 0);
    struct Reaper {
        pid_t id;
        ~Reaper() { ::waitpid(id, nullptr, 0); }
    } reaper{ended};
    const auto endedId = static_cast<std::uint32_t>(ended);
    ASSERT_TRUE(Eventually([&] {
        const std::string stat = ProcFile(endedId, "stat");
        return stat.find(") Z ") != std::string::npos;
    }));
    // The kernel's own threads have no command line; kthreadd is the first of them.
    std::optional<std::uint32_t> kernelThread;
    if (ProcFile(2, "comm") == "kthreadd\n") {
        kernelThread = 2;
    }

    UnprivilegedScope unprivileged;
    ASSERT_TRUE(unprivileged.Unprivileged());
    char target[4096];
    ASSERT_LT(::readlink(("/proc/" + std::to_string(id) + "/exe").c_str(), target, sizeof target),
              0); // the executable is hidden indeed
    EXPECT_EQ(ProcessIdsNamed(AnsiString(name)), std::vector<std::uint32_t>{id});
    const auto own = ProcessIdsNamed("platform_tests");
    EXPECT_NE(std::find(own.begin(), own.end(), CurrentProcessId()), own.end());
    EXPECT_FALSE(Listed(endedId));
    if (kernelThread) {
        EXPECT_FALSE(Listed(*kernelThread));
    }
    for (const ProcessEntry& entry : ProcessSnapshot()) {
        EXPECT_FALSE(entry.exeName.IsEmpty()) << entry.id;
    }
}

// The process list tells each process's real user; the own user's list holds only this user's.
TEST(ProcessTest, TheOwnUsersListLeavesOutAnotherUsersProcesses) {
    const std::string name = "Colleague_" + std::to_string(::getpid()) + ".exe";
    OtherUserProcess colleague(name);
    if (!colleague.Started()) {
        GTEST_SKIP() << "needs root, to start a process as another user";
    }
    const auto listed = [](const std::vector<ProcessEntry>& list, std::uint32_t id) {
        return std::find_if(list.begin(), list.end(),
                            [&](const ProcessEntry& e) { return e.id == id; });
    };
    const auto all = ProcessSnapshot();
    ASSERT_NE(listed(all, colleague.Id()), all.end());
    EXPECT_EQ(listed(all, colleague.Id())->realUserId, OtherUserProcess::kUser);
    ASSERT_NE(listed(all, CurrentProcessId()), all.end());
    EXPECT_EQ(listed(all, CurrentProcessId())->realUserId, ::getuid());

    const auto own = OwnUserProcessSnapshot();
    EXPECT_EQ(listed(own, colleague.Id()), own.end());
    EXPECT_NE(listed(own, CurrentProcessId()), own.end());
    EXPECT_TRUE(std::all_of(own.begin(), own.end(),
                            [](const ProcessEntry& e) { return e.realUserId == ::getuid(); }));
}

// A narrowed list stays narrowed: it lists and ends only what it keeps, and a later narrowing
// cannot widen it. (In a child process, since nothing undoes a narrowing.)
TEST(ProcessTest, ANarrowedListKeepsToWhatItKeepsForGood) {
    TempDir dir;
    const std::string name = "Outside_" + std::to_string(::getpid()) + ".exe";
    stdfs::copy_file("/bin/sleep", dir / name);
    const pid_t outside = ::fork();
    if (outside == 0) {
        const std::string program = dir / name;
        ::execl(program.c_str(), program.c_str(), "30", static_cast<char*>(nullptr));
        _exit(127);
    }
    ASSERT_TRUE(Eventually([&] { return ProcessIdsNamed(AnsiString(name)).size() == 1; }));
    const pid_t narrowed = ::fork();
    if (narrowed == 0) {
        const std::uint32_t self = CurrentProcessId();
        NarrowProcessList([self](std::uint32_t id) { return id == self; });
        NarrowProcessList([](std::uint32_t) { return true; });
        const auto list = ProcessSnapshot();
        const bool onlySelf = list.size() == 1 && list.front().id == self;
        const bool spared = !TerminateProcessById(static_cast<std::uint32_t>(outside));
        _exit(onlySelf && spared ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(narrowed, &status, 0), narrowed);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(::waitpid(outside, nullptr, WNOHANG), 0) << "the process outside the list runs on";
    ::kill(outside, SIGKILL);
    ::waitpid(outside, nullptr, 0);
}

// Id 0 names the own process group to kill(): it ends nothing. (In a child that leads a group of
// its own, so that a fault ends only the child.)
TEST(ProcessTest, IdZeroEndsNothing) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::setpgid(0, 0);
        _exit(TerminateProcessById(0) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

TEST(ProcessTest, ShellOpenStartsAnExecutableWithItsParametersInItsFolder) {
    TempDir dir;
    dir.Write(
        "tool.exe",
        "#!/bin/sh\npwd > started.txt\nfor a in \"$@\"; do echo \"$a\" >> started.txt; done\n");
    stdfs::permissions(dir / "tool.exe", stdfs::perms::owner_all);
    ASSERT_TRUE(ShellOpen("tool.exe", "one \"two words\"", AnsiString(dir.Path())));
    ASSERT_TRUE(
        Eventually([&] { return dir.Read("started.txt").find("two words") != std::string::npos; }));
    EXPECT_EQ(dir.Read("started.txt"),
              stdfs::canonical(dir.Path()).string() + "\none\ntwo words\n");
    EXPECT_FALSE(ShellOpen("missing.exe", "", AnsiString(dir.Path())));
    EXPECT_FALSE(ShellOpen(""));
}

TEST(ProcessTest, ParametersSplitAtBlanksOutsideQuotes) {
    EXPECT_EQ(SplitParameters(" a  \"b c\" d\"e\" \"\""),
              (std::vector<AnsiString>{"a", "b c", "de", ""}));
    EXPECT_TRUE(SplitParameters("").empty());
}

} // namespace
