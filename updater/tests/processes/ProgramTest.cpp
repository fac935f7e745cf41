// The built update checker run as a program of its own, in a folder laid out as the product's.
// It sees every process of its user, so these tests need a process table of their own.
#include "platform/testing/LocalHttpServer.h"
#include "platform/testing/ProcessIsolation.h"
#include "platform/testing/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace stdfs = std::filesystem;

// Runs the program with offscreen windows, from `folder` when one is given, and waits for its
// end (at most 20 seconds); its exit status, or -1 when it had to be stopped.
int RunProgram(const std::string& program, const std::string& folder = "") {
    const pid_t child = ::fork();
    if (child == 0) {
        if (!folder.empty() && ::chdir(folder.c_str()) != 0) {
            _exit(126);
        }
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    for (int i = 0; i < 2000; ++i) {
        int status = 0;
        if (::waitpid(child, &status, WNOHANG) == child) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        ::usleep(10000);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    return -1;
}

// The update checker in <product>/lumbrixon with its version file, which the server also
// serves, and a process checker that records its start in started.txt of the root.
struct ProductFolder {
    ProductFolder(const TempDir& root, const std::string& product, LocalHttpServer& server)
        : own(root.MakeFolder(product + "/lumbrixon")), program(own + "/lumbrixon.exe"),
          started(root / "started.txt") {
        stdfs::copy_file(LUMBRIXON_PROGRAM, program);
        const std::string version = "[version]\r\nname=Tool\r\nver=1.0\r\ntarget_exe=Tool.exe\r\n"
                                    "rootpath=" +
                                    server.Url("/") + "\r\nexepath=upd/\r\ninstaller_exe=Setup\r\n";
        root.Write(product + "/lumbrixon/version.ini", version);
        server.Serve("/upd/version.ini", LocalHttpServer::Ok(version));
        root.Write(product + "/lumbrixon/travomet.exe",
                   "#!/bin/sh\necho started > " + started + "\n");
        stdfs::permissions(own + "/travomet.exe", stdfs::perms::owner_all);
    }

    // Waits a while for the process checker's record.
    std::string Started() const {
        for (int i = 0; i < 1000 && !stdfs::exists(started); ++i) {
            ::usleep(10000);
        }
        return ReadWholeFile(started);
    }

    std::string own;
    std::string program;
    std::string started;
};

TEST(ProgramTest, TheUpdateCheckerRunsItsRoadAndEnds) {
    if (CurrentProcessTable() != ProcessTable::Own) {
        GTEST_SKIP() << kNeedsOwnProcessTable;
    }
    TempDir root;
    LocalHttpServer server;
    const ProductFolder product(root, "product", server);

    EXPECT_EQ(RunProgram(product.program), 0);
    EXPECT_EQ(server.Requests(), std::vector<std::string>{"GET /upd/version.ini HTTP/1.0"});
    EXPECT_EQ(product.Started(), "started\n");
    EXPECT_FALSE(stdfs::exists(product.own + "/new_version.ini"));

    // Without its version file it ends at once, touching nothing.
    stdfs::remove(product.own + "/version.ini");
    EXPECT_EQ(RunProgram(product.program), 0);
    EXPECT_EQ(server.Requests().size(), 1u);
}

// Started from another folder that holds a version file and process checker of its own, the
// checker reads its own, and the process checker it opens works in the checker's folder.
TEST(ProgramTest, StartedFromAnotherFolderTheUpdateCheckerWorksInItsOwn) {
    if (CurrentProcessTable() != ProcessTable::Own) {
        GTEST_SKIP() << kNeedsOwnProcessTable;
    }
    TempDir root;
    LocalHttpServer server;
    const ProductFolder product(root, "product", server);
    const std::string record = root / "travomet.txt";
    root.Write("product/lumbrixon/travomet.exe", "#!/bin/sh\npwd > " + record + "\n");
    const std::string elsewhere = root.MakeFolder("elsewhere");
    const std::string planted = root / "planted.txt";
    root.Write("elsewhere/version.ini", "[version]\r\nver=0.1\r\nrootpath=http://127.0.0.1:9/\r\n");
    for (const char* name : {"travomet.exe", "travomet_org.exe"}) {
        root.Write(std::string("elsewhere/") + name, "#!/bin/sh\necho planted > " + planted + "\n");
        stdfs::permissions(elsewhere + "/" + name, stdfs::perms::owner_all);
    }

    EXPECT_EQ(RunProgram(product.program, elsewhere), 0);
    EXPECT_EQ(server.Requests(), std::vector<std::string>{"GET /upd/version.ini HTTP/1.0"});
    for (int i = 0; i < 1000 && !stdfs::exists(record); ++i) {
        ::usleep(10000);
    }
    EXPECT_EQ(ReadWholeFile(record), stdfs::canonical(product.own).string() + "\n");
    EXPECT_FALSE(stdfs::exists(planted));
    EXPECT_FALSE(stdfs::exists(elsewhere + "/new_version.ini"));
}

// Installed under folders whose names code page 932 cannot hold exactly (a letter it lacks, a
// character it holds only one way), the checker still finds its own files.
TEST(ProgramTest, UnderAFolderWithoutACodePage932NameTheRoadRunsAllTheSame) {
    if (CurrentProcessTable() != ProcessTable::Own) {
        GTEST_SKIP() << kNeedsOwnProcessTable;
    }
    for (const std::string folder : {"Jos\xC3\xA9", "\xE3\x80\x9C\xC2\xA5"}) { // José, 〜¥
        SCOPED_TRACE(folder);
        TempDir root;
        LocalHttpServer server;
        const ProductFolder product(root, folder, server);
        EXPECT_EQ(RunProgram(product.program), 0);
        EXPECT_EQ(server.Requests(), std::vector<std::string>{"GET /upd/version.ini HTTP/1.0"});
        EXPECT_EQ(product.Started(), "started\n");
    }
}

} // namespace
