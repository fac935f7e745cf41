#include "MainFormFixture.h"

#include "model/SharedConstants.h"

#include "platform/Process.h"
#include "platform/Shell.h"
#include "platform/testing/OtherUserProcess.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <filesystem>

namespace {

namespace stdfs = std::filesystem;

std::vector<std::uint32_t> ProcessesNamed(const std::string& name) {
    std::vector<std::uint32_t> ids;
    for (const ProcessEntry& process : ProcessSnapshot()) {
        if (process.exeName == AnsiString(name)) {
            ids.push_back(process.id);
        }
    }
    return ids;
}

bool WaitUntil(const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return done();
}

// A running copy of a long-sleeping program under a name of the test's choice.
class NamedProcess {
public:
    NamedProcess(const std::string& folder, const std::string& name) : name_(name) {
        const std::string path = folder + "/" + name;
        stdfs::copy_file("/bin/sleep", path);
        started_ = StartDetached(AnsiString(path), {"60"});
        WaitUntil([&] { return !ProcessesNamed(name_).empty(); });
    }
    ~NamedProcess() {
        for (std::uint32_t id : ProcessesNamed(name_)) {
            TerminateProcessById(id);
        }
    }
    bool Running() const { return started_ && !ProcessesNamed(name_).empty(); }
    std::uint32_t Id() const { return ProcessesNamed(name_).front(); }

private:
    std::string name_;
    bool started_ = false;
};

const char* const kUpdateChecker = "#!/bin/sh\necho started > started.txt\n";

TEST_F(MainFormTest, ASecondInstanceShowsTheRefusalAndEndsWithoutTouchingAnything) {
    Create();
    Folder().Dir().Write("lumbrixon/lumbrixon.exe", kUpdateChecker);
    stdfs::permissions(Folder().Path("lumbrixon/lumbrixon.exe"), stdfs::perms::owner_exec,
                       stdfs::perm_options::add);
    const NamedProcess first(Folder().Dir().Path(), "Vakrel_R5_instance_test.exe");
    ASSERT_TRUE(first.Running());

    Form().FormCreate(&Form());

    ASSERT_EQ(messages.Calls().size(), 1u);
    EXPECT_EQ(messages.Calls()[0],
              (Call{Sj("SorvaneProの多重起動は出来ません。\r\nSorvaneProを終了します。"),
                    Sj("多重起動"), 0x40030}));
    EXPECT_TRUE(Form().QuitRequested());
    EXPECT_TRUE(first.Running()) << "the running instance is untouched";
    EXPECT_EQ(Utf8(Form().LabelVerJa->Caption()), "未設定");
    EXPECT_EQ(Form().ComboBoxArea->Count(), 0);
    EXPECT_TRUE(Folder().WorkingCopies().empty());
    QCoreApplication::processEvents();
    EXPECT_FALSE(Folder().Dir().Exists("started.txt")) << "the update checker is not started";
}

TEST_F(MainFormTest, OnlyAnotherProcessOfTheProgramsNameIsAnotherInstance) {
    Create();
    const NamedProcess other(Folder().Dir().Path(), "Vakrel_R5_own_id_test.exe");
    ASSERT_TRUE(other.Running());
    EXPECT_TRUE(Form().IsAnotherInstanceRunning(EXE_NAME_CODE, CurrentProcessId()));
    EXPECT_FALSE(Form().IsAnotherInstanceRunning(EXE_NAME_CODE, other.Id()))
        << "a process with the program's own id is this instance";
    EXPECT_FALSE(Form().IsAnotherInstanceRunning("NoSuchCode", CurrentProcessId()))
        << "no file of the working folder carries the code: no name, no match";
}

// A colleague has the program open on a shared machine: the own start goes on, and the
// colleague's program is left alone.
TEST_F(MainFormTest, AnotherUsersRunningProgramIsNoOtherInstance) {
    Create();
    const std::string name = "Vakrel_R5_other_user_test.exe";
    Folder().Dir().Write(name, "");
    OtherUserProcess colleague(name);
    if (!colleague.Started()) {
        GTEST_SKIP() << "needs root, to start a process as another user";
    }
    EXPECT_FALSE(Form().IsAnotherInstanceRunning(EXE_NAME_CODE, CurrentProcessId()));

    Form().FormCreate(&Form());
    EXPECT_TRUE(messages.Calls().empty());
    EXPECT_FALSE(Form().QuitRequested());
    EXPECT_GT(Form().ComboBoxArea->Count(), 0) << "the start-up went on";
    EXPECT_TRUE(colleague.Running());
}

TEST_F(MainFormTest, StartUpStartsTheUpdateChecker) {
    Create();
    Folder().Dir().Write("lumbrixon/lumbrixon.exe", kUpdateChecker);
    stdfs::permissions(Folder().Path("lumbrixon/lumbrixon.exe"), stdfs::perms::owner_exec,
                       stdfs::perm_options::add);
    Form().FormCreate(&Form());
    EXPECT_TRUE(messages.Calls().empty());
    EXPECT_TRUE(WaitUntil([&] { return Folder().Dir().Exists("started.txt"); }))
        << "started in the program's folder";
}

} // namespace
