#include "platform/DesktopWindows.h"
#include "platform/testing/TempDir.h"
#include "platform/testing/TestWindow.h"
#include "platform/testing/XvfbServer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace {

using desktop::TopLevelWindow;

std::vector<TopLevelWindow> WindowsOf(std::uint32_t pid) {
    std::vector<TopLevelWindow> result;
    for (const TopLevelWindow& window : desktop::TopLevelWindows()) {
        if (window.processId == pid) {
            result.push_back(window);
        }
    }
    return result;
}

class DesktopWindowsTest : public testing::Test {
protected:
    void SetUp() override {
        if (!xvfb.Running()) {
            GTEST_SKIP() << "Xvfb could not be started";
        }
    }
    XvfbServer xvfb;
    TempDir dir;
};

TEST(DesktopWindowsNoDisplayTest, WithoutADisplayThereAreNoWindows) {
    std::optional<std::string> previous;
    if (const char* display = std::getenv("DISPLAY")) {
        previous = display;
    }
    ::unsetenv("DISPLAY");
    EXPECT_TRUE(desktop::TopLevelWindows().empty());
    EXPECT_FALSE(desktop::SetForegroundWindow(1));
    EXPECT_FALSE(desktop::SendCloseRequest(1));
    if (previous) {
        ::setenv("DISPLAY", previous->c_str(), 1);
    }
}

TEST_F(DesktopWindowsTest, ListsWindowsTopmostFirstWithOwnerProcessAndVisibility) {
    TestWindow shown("dialog", dir / "shown.txt");
    TestWindow hidden("hidden", dir / "hidden.txt");
    ASSERT_TRUE(shown.WaitFor("ready"));
    ASSERT_TRUE(hidden.WaitFor("ready"));

    const auto windows = WindowsOf(shown.ProcessId());
    ASSERT_EQ(windows.size(), 2u);
    const TopLevelWindow& dialog = windows[0];
    const TopLevelWindow& main = windows[1];
    EXPECT_EQ(dialog.owner, main.handle);
    EXPECT_EQ(main.owner, 0u);
    EXPECT_TRUE(dialog.visible);
    EXPECT_TRUE(main.visible);

    const auto hiddenWindows = WindowsOf(hidden.ProcessId());
    ASSERT_EQ(hiddenWindows.size(), 2u);
    EXPECT_FALSE(hiddenWindows[0].visible);
    EXPECT_FALSE(hiddenWindows[1].visible);
}

TEST_F(DesktopWindowsTest, AMinimisedWindowIsVisibleThoughUnmapped) {
    TestWindow minimised("minimised", dir / "minimised.txt");
    ASSERT_TRUE(minimised.WaitFor("ready"));
    const auto windows = WindowsOf(minimised.ProcessId());
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_FALSE(windows[0].visible); // WithdrawnState, created last and so on top
    EXPECT_TRUE(windows[1].visible);  // IconicState
}

TEST_F(DesktopWindowsTest, CloseRequestReachesTheWindowByMessageOrByKeystroke) {
    TestWindow shown("dialog", dir / "shown.txt");
    ASSERT_TRUE(shown.WaitFor("ready"));
    const auto windows = WindowsOf(shown.ProcessId());
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_TRUE(desktop::SendCloseRequest(windows[0].handle));
    EXPECT_TRUE(shown.WaitFor("close dialog"));
    EXPECT_EQ(shown.Record(), "ready\nclose dialog\n");

    // A window that does not take the message gets Alt+F4 once it has the focus.
    TestWindow keys("keys", dir / "keys.txt");
    ASSERT_TRUE(keys.WaitFor("ready"));
    const auto keyWindows = WindowsOf(keys.ProcessId());
    ASSERT_EQ(keyWindows.size(), 1u);
    EXPECT_TRUE(desktop::SetForegroundWindow(keyWindows[0].handle));
    EXPECT_TRUE(desktop::SendCloseRequest(keyWindows[0].handle));
    EXPECT_TRUE(keys.WaitFor("alt+f4"));
}

} // namespace
