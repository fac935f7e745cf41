// The built main program on the tests' X server, used with the X server's mouse and keyboard
// input as an estimator uses it, and closed as the desktop closes it.
#include "ProgramFolder.h"
#include "TMainFormControls.h"

#include "platform/DesktopWindows.h"
#include "platform/testing/LocalHttpServer.h"
#include "platform/testing/ProcessIsolation.h"
#include "platform/testing/UserInput.h"
#include "platform/testing/WindowGeometry.h"

#include <QGuiApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace stdfs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The program running as a child of the test, started in its folder with the test's display and
// with the route page at `routeUrl`, in a process group of its own; the group (the program and
// its browser's helper processes) is ended when the object goes.
class StartedProgram {
public:
    StartedProgram(const std::string& program, const std::string& routeUrl) {
        std::vector<std::string> environment{"VAKREL_ROUTE_URL=" + routeUrl};
        for (char** entry = environ; *entry; ++entry) {
            if (std::string(*entry).rfind("VAKREL_ROUTE_URL=", 0) != 0) {
                environment.emplace_back(*entry);
            }
        }
        std::vector<char*> envp;
        for (std::string& text : environment) {
            envp.push_back(text.data());
        }
        envp.push_back(nullptr);
        const std::string folder = stdfs::path(program).parent_path();
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
            if (!ended_) {
                ::waitpid(pid_, nullptr, 0);
            }
        }
    }
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    pid_t Id() const { return pid_; }
    // Waits up to the time for the program to end.
    bool EndsWithin(std::chrono::milliseconds time) {
        const auto until = Clock::now() + time;
        while (!ended_ && Clock::now() < until) {
            ended_ = ::waitpid(pid_, nullptr, WNOHANG) == pid_;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return ended_;
    }

private:
    pid_t pid_ = -1;
    bool ended_ = false;
};

template <typename Condition> bool Eventually(Condition condition, int milliseconds = 20000) {
    const auto until = Clock::now() + std::chrono::milliseconds(milliseconds);
    while (!condition() && Clock::now() < until) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

struct ShownWindow {
    desktop::WindowHandle handle = 0;
    QRect rect; // on the root window
};

// The program's windows that are shown, the topmost first.
std::vector<ShownWindow> WindowsOf(pid_t pid) {
    std::vector<ShownWindow> shown;
    for (const desktop::TopLevelWindow& window : desktop::TopLevelWindows()) {
        if (window.processId != static_cast<std::uint32_t>(pid) || !window.visible) {
            continue;
        }
        if (const auto rect = WindowGeometry(window.handle)) {
            shown.push_back({window.handle, QRect(rect->x, rect->y, rect->width, rect->height)});
        }
    }
    return shown;
}

// The main window: the program's widest shown window.
std::optional<ShownWindow> MainWindowOf(pid_t pid) {
    std::optional<ShownWindow> widest;
    for (const ShownWindow& window : WindowsOf(pid)) {
        if (window.rect.width() > 1000 && (!widest || window.rect.width() > widest->rect.width())) {
            widest = window;
        }
    }
    return widest;
}

class ProgramCloseTest : public testing::Test {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
            GTEST_SKIP() << "needs Xvfb, to show the program's windows on an X server";
        }
        if (CurrentProcessTable() != ProcessTable::Own) {
            GTEST_SKIP() << kNeedsOwnProcessTable;
        }
        program = install.Path("Vakrel_R581_prototype.exe");
        stdfs::copy_file(VAKREL_MAIN_PROGRAM, program);
        // The route page sends its head and then nothing: it never finishes loading.
        HttpResponse stalled = LocalHttpServer::Ok(std::string(4096, ' '));
        stalled.contentType = "text/html";
        stalled.stallAfter = 0;
        routeServer.Serve("/distance/index.html", stalled);
        // Laid out once shown; hidden, it keeps its geometry and covers nothing of the program.
        layout.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&layout));
        layout.hide();
    }

    std::string RouteUrl() const {
        return routeServer.Url("route.localhost", "/distance/index.html");
    }
    // Where a control of the program's main window is on the screen: the same place in its
    // window as in the layout of the form description.
    QPoint At(const QRect& window, const QWidget* control) const {
        return window.topLeft() + control->mapTo(&layout, control->rect().center());
    }
    void ClickAt(const QPoint& point) { ASSERT_TRUE(user_input::Click(point.x(), point.y())); }
    int RoutePageRequests() const {
        int count = 0;
        for (const HttpRequest& request : routeServer.ReceivedRequests()) {
            count += request.path == "/distance/index.html" ? 1 : 0;
        }
        return count;
    }

    ProgramFolder install;
    std::string program;
    LocalHttpServer routeServer;
    TMainFormControls layout;
};

// During the automatic refinement the route page never finishes loading, and the wait dialog
// turns. Closing the main window ends the program at once, shows nothing more, and the next
// start is no second instance.
TEST_F(ProgramCloseTest, ClosingTheMainWindowDuringTheRefinementEndsTheProgram) {
    std::optional<StartedProgram> running;
    running.emplace(program, RouteUrl());
    const pid_t pid = running->Id();
    std::optional<ShownWindow> main;
    ASSERT_TRUE(Eventually([&] {
        main = MainWindowOf(pid);
        return main && WindowsOf(pid).size() == 1;
    })) << "the main window alone is shown after the start-up";
    const QRect window = main->rect;

    ClickAt(At(window, layout.EditX));
    ASSERT_TRUE(user_input::Type("-10000"));
    ClickAt(At(window, layout.EditY));
    ASSERT_TRUE(user_input::Type("20000"));
    QTest::qWait(300);
    ClickAt(At(window, layout.ButtonCalc));
    QTest::qWait(1000);
    ClickAt(At(window, layout.EditGetLowest));
    ASSERT_TRUE(user_input::Type("1"));
    ClickAt(At(window, layout.BitBtnGetLowest));
    // The confirmation: its default answer is Yes.
    std::optional<ShownWindow> question;
    ASSERT_TRUE(Eventually([&] {
        for (const ShownWindow& shown : WindowsOf(pid)) {
            if (shown.handle != main->handle) {
                question = shown;
            }
        }
        return question.has_value();
    })) << "no confirmation came up";
    // Mapped is not yet focused: the Return waits until the confirmation has the keyboard.
    ASSERT_TRUE(Eventually([&] { return HasInputFocus(question->handle); }))
        << "the confirmation never took the keyboard";
    ASSERT_TRUE(user_input::MoveTo(question->rect.center().x(), question->rect.center().y()));
    ASSERT_TRUE(user_input::Type("\r"));
    // The run asks for the route page, which never loads; the wait dialog turns meanwhile.
    ASSERT_TRUE(Eventually([&] { return RoutePageRequests() == 1; })) << "the run did not start";
    ASSERT_TRUE(Eventually([&] { return WindowsOf(pid).size() == 2; }))
        << "the main window and the wait dialog";
    QTest::qWait(500);

    std::vector<desktop::WindowHandle> before;
    for (const ShownWindow& shown : WindowsOf(pid)) {
        before.push_back(shown.handle);
    }
    ASSERT_TRUE(desktop::SendCloseRequest(main->handle));
    const auto closed = Clock::now();
    std::vector<desktop::WindowHandle> shownAfterClose;
    bool ended = false;
    while (!ended && Clock::now() - closed < std::chrono::milliseconds(2500)) {
        for (const ShownWindow& shown : WindowsOf(pid)) {
            if (std::find(before.begin(), before.end(), shown.handle) == before.end()) {
                shownAfterClose.push_back(shown.handle);
            }
        }
        ended = running->EndsWithin(std::chrono::milliseconds(50));
    }
    EXPECT_TRUE(ended) << "the program still runs 2.5 s after its main window was closed";
    EXPECT_EQ(shownAfterClose, std::vector<desktop::WindowHandle>{})
        << "a window (a message) came up after the close";
    EXPECT_EQ(RoutePageRequests(), 1) << "nothing more was fetched";
    running.reset();

    // A start right after is no second instance: it shows its main window and runs on.
    StartedProgram next(program, RouteUrl());
    EXPECT_TRUE(Eventually([&] { return MainWindowOf(next.Id()).has_value(); }));
    QTest::qWait(1000);
    EXPECT_EQ(::waitpid(next.Id(), nullptr, WNOHANG), 0) << "the new start ended (refused)";
    EXPECT_EQ(WindowsOf(next.Id()).size(), 1u) << "no message, only the main window";
}

} // namespace
