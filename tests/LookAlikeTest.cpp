// The test programs that find, end or close processes by the programs' fixed names, run while
// programs of those names run elsewhere on the machine as the same user, as a user's open
// program or a second checkout's test run would: the tests pass and every look-alike is still
// running afterwards. This program runs them from outside, as a user's session does; it does
// not isolate itself.
#include "platform/testing/ProcessTesting.h"
#include "platform/testing/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstddef>
#include <fcntl.h>
#include <filesystem>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <string>
#include <sys/prctl.h>
#include <sys/syscall.h>
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

// Makes unshare() fail with EPERM in this process and the programs it starts, as on a machine
// that allows no namespaces. (The filter looks at the call's number only.)
bool RefuseNamespaces() {
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_unshare, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | (EPERM & SECCOMP_RET_DATA)),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog program{static_cast<unsigned short>(sizeof filter / sizeof filter[0]), filter};
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

struct Outcome {
    int status = -1;
    std::string output;
};

// Runs a test program with a filter and waits for it (at most five minutes); its exit status
// and everything it wrote.
Outcome RunTests(const std::string& program, const std::string& filter, bool refuseNamespaces) {
    TempDir dir;
    const std::string log = dir / "output.txt";
    const std::string filterArgument = "--gtest_filter=" + filter;
    const pid_t child = ::fork();
    if (child == 0) {
        const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || ::dup2(out, STDOUT_FILENO) < 0 || ::dup2(out, STDERR_FILENO) < 0) {
            _exit(125);
        }
        if (refuseNamespaces && !RefuseNamespaces()) {
            _exit(125);
        }
        // The main window's start-up opens the bidding site: a local address that refuses.
        ::setenv("VAKREL_NYUSATSU_URL", "http://nyusatsu.localhost:9/ppi/pub", 1);
        ::setenv("VAKREL_ROUTE_URL", "http://route.localhost:9/distance/index.html", 1);
        ::execl(program.c_str(), program.c_str(), filterArgument.c_str(),
                static_cast<char*>(nullptr));
        _exit(127);
    }
    Outcome outcome;
    for (int waited = 0; waited < 300000; waited += 20) {
        int status = 0;
        if (::waitpid(child, &status, WNOHANG) == child) {
            outcome.status = status;
            break;
        }
        ::usleep(20000);
    }
    if (outcome.status == -1) {
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    outcome.output = ReadWholeFile(log);
    return outcome;
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

    EXPECT_TRUE(WIFEXITED(outcome.status) && WEXITSTATUS(outcome.status) == 0)
        << "status " << outcome.status << "\n"
        << outcome.output;
    const bool narrowed = outcome.output.find("no process table of its own") != std::string::npos;
    EXPECT_EQ(narrowed, refused) << outcome.output;
    EXPECT_EQ(lookAlikes.Ended(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Programs, LookAlikeTest,
                         testing::Combine(testing::ValuesIn(kTestPrograms), testing::Bool()),
                         [](const testing::TestParamInfo<LookAlikeTest::ParamType>& info) {
                             return std::string(std::get<0>(info.param).label) +
                                    (std::get<1>(info.param) ? "_NoNamespaces" : "_OwnTable");
                         });

} // namespace
