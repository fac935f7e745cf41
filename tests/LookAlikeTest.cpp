// The test programs that find, end or close processes by the programs' fixed names, run while
// programs of those names run elsewhere on the machine as the same user, as a user's open
// program or a second checkout's test run would: the tests pass and every look-alike is still
// running afterwards. This program runs them from outside, as a user's session does; it does
// not isolate itself.
#include "RunTestProgram.h"

#include "platform/testing/ProcessTesting.h"
#include "platform/testing/TempDir.h"
#include "platform/testing/TestExit.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace stdfs = std::filesystem;

// Every executable name that the programs look for, end or close, with the names that the
// tests' version files derive and that the tests give their stand-ins.
const char* const kFixedNames[] = {
    "Vakrel_R581_prototype.exe",
    "lumbrixon.exe",
    "travomet.exe",
    "travomet_org.exe",
    "velnaro_tallisk.exe",
    "velnaro_travomet_org.exe",
    "Dremholt2.exe",
    "EXCEL.EXE",
    "VakrelSetup.exe",
    "VakrelSetup.tmp",
    "VakrelSetup(2.0).tmp",
    "VakrelSetup_2_0.tmp",
    "QuorvanV2_Setup.exe",
    "QuorvanV2_Setup.tmp",
    "QuorvanV2_Setup(2.0).tmp",
    "Setup.tmp",
    "Setup(1.0).tmp",
    "Tool.exe",
    "Vakrel_R582.exe",
    "Estimate.exe",
    "victim.exe",
    "Vakrel_R5_instance_test.exe",
    "Vakrel_R5_own_id_test.exe",
    "Vakrel_R5_other_user_test.exe",
};

std::string ExecutableName(pid_t id) {
    std::error_code error;
    return stdfs::read_symlink("/proc/" + std::to_string(id) + "/exe", error).filename().string();
}

// One copy of /bin/sleep running under each fixed name, children of this program; exactly
// these are ended when the object goes.
class LookAlikes {
public:
    LookAlikes() {
        for (const char* name : kFixedNames) {
            const std::string program = dir_ / name;
            stdfs::copy_file("/bin/sleep", program);
            const pid_t id = ::fork();
            if (id == 0) {
                ::execl(program.c_str(), program.c_str(), "600", static_cast<char*>(nullptr));
                _exit(127);
            }
            running_.push_back({name, id});
        }
    }
    ~LookAlikes() {
        for (const LookAlike& lookAlike : running_) {
            if (lookAlike.id > 0 && ::waitpid(lookAlike.id, nullptr, WNOHANG) == 0) {
                ::kill(lookAlike.id, SIGKILL);
                ::waitpid(lookAlike.id, nullptr, 0);
            }
        }
    }
    LookAlikes(const LookAlikes&) = delete;
    LookAlikes& operator=(const LookAlikes&) = delete;

    // Whether every look-alike runs under its name.
    bool Started() const {
        return Eventually([&] {
            for (const LookAlike& lookAlike : running_) {
                if (lookAlike.id <= 0 || ExecutableName(lookAlike.id) != lookAlike.name) {
                    return false;
                }
            }
            return true;
        });
    }

    // The names of the look-alikes that have ended (they are reaped here, so none is asked
    // twice).
    std::vector<std::string> Ended() {
        std::vector<std::string> names;
        for (LookAlike& lookAlike : running_) {
            if (lookAlike.id > 0 && ::waitpid(lookAlike.id, nullptr, WNOHANG) != 0) {
                names.push_back(lookAlike.name);
                lookAlike.id = -1;
            }
        }
        return names;
    }

private:
    struct LookAlike {
        std::string name;
        pid_t id;
    };
    TempDir dir_;
    std::vector<LookAlike> running_;
};

// Runs a test program with a filter and waits for it (at most five minutes); its exit status
// and everything it wrote.
Outcome RunTests(const std::string& program, const std::string& filter, bool refuseNamespaces) {
    return RunProgram({program, "--gtest_filter=" + filter}, [refuseNamespaces] {
        // The main window's start-up opens the bidding site: a local address that refuses.
        ::setenv("VAKREL_NYUSATSU_URL", "http://nyusatsu.localhost:9/ppi/pub", 1);
        ::setenv("VAKREL_ROUTE_URL", "http://route.localhost:9/distance/index.html", 1);
        return !refuseNamespaces || RefuseNamespaces();
    });
}

struct TestProgram {
    const char* label;
    const char* path;
    const char* filter;
};

void PrintTo(const TestProgram& program, std::ostream* out) {
    *out << program.label;
}

const TestProgram kTestPrograms[] = {
    {"Processes", PLATFORM_TESTS, "Process*"},
    {"UpdaterProcesses", UPDATER_PROCESS_TESTS, "*"},
    {"UpdaterWindows", UPDATER_WINDOW_TESTS, "*"},
    {"MainWindowProcesses", APP_PROCESS_TESTS, "*"},
};

// A test program, run as usual (a process table of its own) or where no namespace can be made
// (narrowed to the processes it starts).
class LookAlikeTest
    : public testing::TestWithParam<std::tuple<TestProgram, bool /* namespaces refused */>> {};

TEST_P(LookAlikeTest, TheTestsPassAndEveryLookAlikeSurvives) {
    const auto& [program, refused] = GetParam();
    LookAlikes lookAlikes;
    ASSERT_TRUE(lookAlikes.Started());

    const Outcome outcome = RunTests(program.path, program.filter, refused);

    // Passed, or (where the tests that run the built programs cannot run) skipped.
    const int code = ExitCode(outcome);
    EXPECT_TRUE(code == 0 || code == kAllTestsSkippedExitCode)
        << "status " << outcome.status << "\n"
        << outcome.output;
    EXPECT_EQ(lookAlikes.Ended(), std::vector<std::string>{});
    const std::size_t said = outcome.output.find("no process table of its own");
    const bool narrowed = said != std::string::npos;
    if (narrowed && !refused) {
        GTEST_SKIP() << "the test program could not make a process table of its own here: "
                     << outcome.output.substr(said, outcome.output.find('\n', said) - said);
    }
    EXPECT_EQ(narrowed, refused) << outcome.output;
}

INSTANTIATE_TEST_SUITE_P(Programs, LookAlikeTest,
                         testing::Combine(testing::ValuesIn(kTestPrograms), testing::Bool()),
                         [](const testing::TestParamInfo<LookAlikeTest::ParamType>& info) {
                             return std::string(std::get<0>(info.param).label) +
                                    (std::get<1>(info.param) ? "_NoNamespaces" : "_OwnTable");
                         });

} // namespace
