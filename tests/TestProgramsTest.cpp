// The test programs as CTest and a user run them: a failed test is never counted as skipped or
// passed; a test program sets up its process table also in a chroot; listing the tests says
// nothing; the package script says what it cannot do.
#include "RunTestProgram.h"

#include "platform/testing/TempDir.h"
#include "platform/testing/TestExit.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

namespace stdfs = std::filesystem;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// --- Exit codes --------------------------------------------------------------------------------

struct ExitCase {
    const char* filter;
    int code;
};

void PrintTo(const ExitCase& exitCase, std::ostream* out) {
    *out << exitCase.filter;
}

class TestExitCodeTest : public testing::TestWithParam<ExitCase> {};

// The skip code only where every selected test was skipped and none failed, whatever the
// output holds.
TEST_P(TestExitCodeTest, SkipsOnlyWhenEveryTestRunWasSkipped) {
    const Outcome outcome =
        RunProgram({EXIT_FIXTURE, std::string("--gtest_filter=") + GetParam().filter});
    EXPECT_EQ(ExitCode(outcome), GetParam().code) << outcome.output;
}

const ExitCase kExitCases[] = {
    {"ExitFixture.Skips", kAllTestsSkippedExitCode},
    {"ExitFixture.Passes", 0},
    {"ExitFixture.Passes:ExitFixture.Skips", 0},
    {"ExitFixture.FailsQuotingASkip", 1},
    {"ExitFixture.Skips:ExitFixture.FailsQuotingASkip", 1},
    {"NoSuchTest.*", 0},
};
INSTANTIATE_TEST_SUITE_P(Filters, TestExitCodeTest, testing::ValuesIn(kExitCases));

TEST(TestExitCodeTest, ASkipSaysItsReason) {
    const Outcome outcome = RunProgram({EXIT_FIXTURE, "--gtest_filter=ExitFixture.Skips"});
    EXPECT_TRUE(Contains(outcome.output, "the reason for skipping")) << outcome.output;
}

// Every test that CTest runs here counts as skipped by the skip code alone: no pattern on its
// output can turn a failure into a skip.
TEST(TestRegistrationTest, EveryTestSkipsByItsExitCodeAlone) {
    // CTest is asked about a copy of the build's test files, so that it writes its log there and
    // not over the log of the CTest run that runs this test.
    const TempDir copy;
    for (const stdfs::directory_entry& entry : stdfs::recursive_directory_iterator(BUILD_FOLDER)) {
        if (entry.path().filename() == "CTestTestfile.cmake") {
            const stdfs::path to =
                stdfs::path(copy.Path()) / stdfs::relative(entry.path(), BUILD_FOLDER);
            stdfs::create_directories(to.parent_path());
            stdfs::copy_file(entry.path(), to);
        }
    }
    const Outcome outcome =
        RunProgram({CTEST_COMMAND, "--test-dir", copy.Path(), "--show-only=json-v1"});
    ASSERT_EQ(ExitCode(outcome), 0) << outcome.output;
    // CTest may say something before the document.
    const std::size_t start = outcome.output.find('{');
    ASSERT_NE(start, std::string::npos) << outcome.output;
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray::fromStdString(outcome.output.substr(start)));
    const QJsonArray tests = document.object().value("tests").toArray();
    ASSERT_GT(tests.size(), 100);
    for (const QJsonValue& test : tests) {
        const std::string name = test.toObject().value("name").toString().toStdString();
        int skipCode = -1;
        for (const QJsonValue& property : test.toObject().value("properties").toArray()) {
            const std::string key = property.toObject().value("name").toString().toStdString();
            EXPECT_NE(key, "SKIP_REGULAR_EXPRESSION") << name;
            if (key == "SKIP_RETURN_CODE") {
                skipCode = property.toObject().value("value").toInt();
            }
        }
        EXPECT_EQ(skipCode, kAllTestsSkippedExitCode) << name;
    }
}

// --- Listing -----------------------------------------------------------------------------------

// Test discovery lists every test program at build time: where no namespace can be made, the
// listing says nothing of it; running a test does.
TEST(TestListingTest, OnlyRunningTheTestsSaysThereIsNoProcessTable) {
    const Outcome listed = RunProgram({PLATFORM_TESTS, "--gtest_list_tests"}, RefuseNamespaces);
    EXPECT_EQ(ExitCode(listed), 0) << listed.output;
    EXPECT_TRUE(Contains(listed.output, "ModulePathTest.")) << listed.output;
    EXPECT_FALSE(Contains(listed.output, "no process table of its own")) << listed.output;

    const Outcome run =
        RunProgram({PLATFORM_TESTS, "--gtest_filter=ModulePathTest.*"}, RefuseNamespaces);
    EXPECT_EQ(ExitCode(run), 0) << run.output;
    EXPECT_TRUE(Contains(run.output, "no process table of its own (unshare: ")) << run.output;
}

// --- Chroot ------------------------------------------------------------------------------------

// Why the chroot could not be made; the process that makes it ends with this code.
constexpr int kNoChroot = 124;

bool BindMount(const std::string& from, const std::string& to) {
    return ::mount(from.c_str(), to.c_str(), nullptr, MS_BIND | MS_REC, nullptr) == 0;
}

// In a mount namespace of this process's own, a chroot whose folder is a plain folder (or, with
// `bindMounted`, a bind mount of one) that holds the system's /usr, /etc, /dev, /proc, the
// folder of `program`, and an empty /tmp; the process then enters it. Everything is mounted on
// a fresh file system in memory over `work` (over /dev/shm where this test itself runs in a
// chroot of a plain folder), on a mount that passes nothing on to the machine's.
bool EnterChroot(const std::string& work, const std::string& program, bool bindMounted) {
    if (::unshare(CLONE_NEWNS) != 0) {
        return false;
    }
    std::string base;
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0) {
        base = work;
    } else if (::mount(nullptr, "/dev/shm", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0) {
        base = "/dev/shm"; // this test itself runs in a chroot of a plain folder
    } else {
        return false;
    }
    if (::mount("tmpfs", base.c_str(), "tmpfs", 0, "mode=0755") != 0) {
        return false;
    }
    const std::string root = base + "/root";
    std::error_code error;
    for (const char* folder : {"usr", "etc", "dev", "proc"}) {
        stdfs::create_directories(root + "/" + folder, error);
        if (!BindMount(std::string("/") + folder, root + "/" + folder)) {
            return false;
        }
    }
    for (const char* link : {"bin", "sbin", "lib", "lib32", "lib64", "libx32"}) {
        const std::string path = std::string("/") + link;
        if (stdfs::is_symlink(path, error)) {
            stdfs::create_symlink(stdfs::read_symlink(path, error), root + path, error);
        } else if (stdfs::is_directory(path, error)) {
            stdfs::create_directories(root + path, error);
            if (!BindMount(path, root + path)) {
                return false;
            }
        }
    }
    stdfs::create_directories(root + "/tmp", error);
    ::chmod((root + "/tmp").c_str(), 01777);
    const std::string folder = stdfs::path(program).parent_path();
    stdfs::create_directories(root + folder, error);
    if (!BindMount(folder, root + folder)) {
        return false;
    }
    std::string entered = root;
    if (bindMounted) {
        entered = base + "/bound";
        stdfs::create_directories(entered, error);
        if (!BindMount(root, entered)) {
            return false;
        }
    }
    return ::chroot(entered.c_str()) == 0 && ::chdir("/") == 0;
}

class ChrootTest : public testing::TestWithParam<bool /* the chroot's folder a bind mount */> {};

// A test program in a chroot makes its process table there, and its own folder is found from
// inside its namespace.
TEST_P(ChrootTest, TheTestProgramHasATableOfItsOwnAndFindsItsFolder) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "making a chroot needs root";
    }
    const TempDir work; // empty on the machine: the chroot is made on a mount over it
    const bool bindMounted = GetParam();
    const Outcome outcome =
        RunProgram({PLATFORM_TESTS, "--gtest_filter=ModulePathTest.*:ProcessIsolationTest.*"}, [&] {
            if (!EnterChroot(work.Path(), PLATFORM_TESTS, bindMounted)) {
                std::perror("making the chroot");
                _exit(kNoChroot);
            }
            return true;
        });
    if (ExitCode(outcome) == kNoChroot) {
        GTEST_SKIP() << "no chroot can be made here: " << outcome.output;
    }
    EXPECT_EQ(ExitCode(outcome), 0) << outcome.output;
    EXPECT_FALSE(Contains(outcome.output, "no process table of its own")) << outcome.output;
    EXPECT_FALSE(Contains(outcome.output, "[  SKIPPED ]")) << outcome.output;
}

INSTANTIATE_TEST_SUITE_P(Folders, ChrootTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "BindMount" : "PlainFolder";
                         });

// --- Package script ----------------------------------------------------------------------------

// As a user other than root on a machine without sudo, the package script names what is missing
// and that it needs root or sudo, and ends with its own code, installing nothing.
TEST(InstallDepsTest, WithoutRootOrSudoItNamesTheMissingPackages) {
    TempDir tools;
    // Every package is missing, the user is not root, and there is no sudo.
    tools.Write("dpkg-query", "#!/bin/sh\nexit 1\n");
    tools.Write("id", "#!/bin/sh\necho 1000\n");
    tools.Write("apt-get", "#!/bin/sh\necho apt-get was run\nexit 0\n");
    for (const char* tool : {"dpkg-query", "id", "apt-get"}) {
        ::chmod((tools / tool).c_str(), 0755);
    }
    std::error_code error;
    stdfs::create_symlink("/bin/grep", tools / "grep", error);
    const Outcome outcome =
        RunProgram({"/bin/bash", std::string(SOURCE_FOLDER) + "/scripts/install-deps.sh"},
                   [&] { return ::setenv("PATH", tools.Path().c_str(), 1) == 0; });
    EXPECT_EQ(ExitCode(outcome), 2) << outcome.output;
    EXPECT_TRUE(Contains(outcome.output, "cmake ninja-build g++")) << outcome.output;
    EXPECT_TRUE(Contains(outcome.output, "root or sudo")) << outcome.output;
    EXPECT_FALSE(Contains(outcome.output, "apt-get was run")) << outcome.output;
}

} // namespace
