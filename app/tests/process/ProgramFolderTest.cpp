// The built main program started from another folder, as a desktop launcher or a terminal
// elsewhere would start it. It sees every process of its user, so the test needs a process
// table of its own.
#include "ProgramFolder.h"

#include "platform/testing/ProcessIsolation.h"
#include "platform/testing/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace stdfs = std::filesystem;

// Everything that happens in a set of folders (a file or the folder itself opened, read,
// listed, written, created or deleted), as "folder/name" texts.
class FolderWatch {
public:
    FolderWatch() : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}
    ~FolderWatch() { ::close(fd_); }
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    bool Add(const std::string& folder) {
        const int watch = ::inotify_add_watch(fd_, folder.c_str(), IN_ALL_EVENTS);
        folders_[watch] = folder;
        return watch >= 0;
    }

    // Every event so far.
    const std::vector<std::string>& Events() {
        alignas(inotify_event) char buffer[4096];
        for (;;) {
            const ssize_t got = ::read(fd_, buffer, sizeof buffer);
            if (got <= 0) {
                break;
            }
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                events_.push_back(folders_[event->wd] + "/" + (event->len > 0 ? event->name : ""));
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return events_;
    }

    bool Saw(const std::string& path) {
        const auto& events = Events();
        return std::find(events.begin(), events.end(), path) != events.end();
    }

private:
    int fd_;
    std::map<int, std::string> folders_;
    std::vector<std::string> events_;
};

// The program running as a child of the test, started from `folder` with offscreen windows and
// with the bidding site at a local address that refuses connections, in a process group of its
// own; the group (the program and the helper processes of its browser) is ended when the object
// goes.
class StartedProgram {
public:
    StartedProgram(const std::string& program, const std::string& folder) {
        std::vector<std::string> environment{
            "QT_QPA_PLATFORM=offscreen", "VAKREL_NYUSATSU_URL=http://nyusatsu.localhost:9/ppi/pub",
            "VAKREL_ROUTE_URL=http://route.localhost:9/distance/index.html"};
        for (char** entry = environ; *entry; ++entry) {
            const std::string text = *entry;
            const std::string key = text.substr(0, text.find('=') + 1);
            if (key != "QT_QPA_PLATFORM=" && key != "VAKREL_NYUSATSU_URL=" &&
                key != "VAKREL_ROUTE_URL=") {
                environment.push_back(text);
            }
        }
        std::vector<char*> envp;
        for (std::string& text : environment) {
            envp.push_back(text.data());
        }
        envp.push_back(nullptr);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::setpgid(0, 0);
            if (::chdir(folder.c_str()) != 0) {
                _exit(126);
            }
            ::execle(program.c_str(), program.c_str(), static_cast<char*>(nullptr), envp.data());
            _exit(127);
        }
    }
    ~StartedProgram() {
        if (pid_ > 0) {
            ::kill(-pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    pid_t Id() const { return pid_; }

private:
    pid_t pid_ = -1;
};

bool WaitUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 6000 && !done(); ++i) {
        ::usleep(10000);
    }
    return done();
}

std::string UpdateCheckerRecording(const std::string& record, const std::string& line) {
    return "#!/bin/sh\necho " + line + " >> " + record + "\n";
}

void WriteProgram(const TempDir& dir, const std::string& name, const std::string& script) {
    dir.Write(name, script);
    stdfs::permissions(dir / name, stdfs::perms::owner_all);
}

TEST(ProgramFolderTest, StartedFromAnotherFolderTheProgramUsesItsOwnFiles) {
    if (CurrentProcessTable() != ProcessTable::Own) {
        GTEST_SKIP() << kNeedsOwnProcessTable;
    }
    TempDir records;
    const std::string started = records / "update_checkers.txt";
    ProgramFolder install;
    stdfs::copy_file(VAKREL_MAIN_PROGRAM, install.Path("Vakrel_R581_prototype.exe"));
    WriteProgram(install.Dir(), "lumbrixon/lumbrixon.exe", UpdateCheckerRecording(started, "own"));
    install.WriteText("F_chiku.ini", "[Sorvane]\r\n");

    // The folder it is started from, with files of the same names.
    TempDir elsewhere;
    WriteProgram(elsewhere, "lumbrixon/lumbrixon.exe", UpdateCheckerRecording(started, "planted"));
    elsewhere.Write("lumbrixon/version.ini", "[version]\r\nver=0.1\r\n");
    elsewhere.Write("dat/EA01_planted.csv", "");
    elsewhere.Write("F_chiku.ini", "[Sorvane]\r\n");

    FolderWatch planted;
    for (const char* folder : {"", "/lumbrixon", "/dat"}) {
        ASSERT_TRUE(planted.Add(elsewhere.Path() + folder));
    }
    FolderWatch own;
    ASSERT_TRUE(own.Add(install.Dir().Path()));

    const StartedProgram program(install.Path("Vakrel_R581_prototype.exe"), elsewhere.Path());
    ASSERT_GT(program.Id(), 0);
    // The remembered area is the last file that the start-up reads.
    const std::string remembered = install.Dir().Path() + "/F_chiku.ini";
    WaitUntil([&] { return own.Saw(remembered) || !planted.Events().empty(); });
    EXPECT_EQ(planted.Events(), std::vector<std::string>{})
        << "nothing of the folder it was started from is touched";
    ASSERT_TRUE(own.Saw(remembered)) << "the start-up did not read the program's own files";
    EXPECT_TRUE(WaitUntil([&] { return stdfs::exists(started); }));
    EXPECT_EQ(ReadWholeFile(started), "own\n");
    EXPECT_EQ(stdfs::read_symlink("/proc/" + std::to_string(program.Id()) + "/cwd"),
              stdfs::canonical(install.Dir().Path()));
    EXPECT_EQ(planted.Events(), std::vector<std::string>{});
    EXPECT_EQ(::waitpid(program.Id(), nullptr, WNOHANG), 0) << "the program runs on";
}

} // namespace
