// Processes and their windows, found by executable name among the processes of the checker's
// own user: a checker run by one user (or by root) never stops another user's program.
#include "updater/TMainForm.h"

#include "platform/Clock.h"
#include "platform/DesktopWindows.h"
#include "platform/Process.h"

#include <algorithm>
#include <optional>

namespace {

constexpr int kProcessWait = 300;

// The first process of the name in the own user's process list, leaving out `except`.
std::optional<ProcessEntry> FirstProcessNamed(const AnsiString& name,
                                              std::optional<std::uint32_t> except = {}) {
    for (const ProcessEntry& entry : OwnUserProcessSnapshot()) {
        if (entry.exeName == name && entry.id != except) {
            return entry;
        }
    }
    return std::nullopt;
}

} // namespace

void TMainForm::KillProcessByName(const AnsiString& name) {
    if (auto process = FirstProcessNamed(name)) {
        TerminateProcessById(process->id);
    }
    Clock::Current().Sleep(kProcessWait);
}

bool TMainForm::IsOtherInstanceRunning(const AnsiString& name, std::uint32_t ownId) {
    const bool found = FirstProcessNamed(name, ownId).has_value();
    Clock::Current().Sleep(kProcessWait);
    return found;
}

bool TMainForm::IsProcessRunning(const AnsiString& name) {
    return FirstProcessNamed(name).has_value();
}

bool TMainForm::CloseProcessWindow(const AnsiString& name) {
    const auto process = FirstProcessNamed(name);
    if (!process) {
        return false;
    }
    const auto windows = desktop::TopLevelWindows();
    const auto main = std::find_if(windows.begin(), windows.end(), [&](const auto& window) {
        return window.owner == 0 && window.visible && window.processId == process->id;
    });
    if (main == windows.end()) {
        return false;
    }
    // A dialog that the window shows over itself takes the keystroke.
    desktop::WindowHandle target = main->handle;
    const auto popup = std::find_if(windows.begin(), windows.end(), [&](const auto& window) {
        return window.owner == main->handle && window.visible;
    });
    if (popup != windows.end()) {
        target = popup->handle;
    }
    desktop::SetForegroundWindow(target);
    desktop::SendCloseRequest(target);
    Clock::Current().Sleep(kProcessWait);
    return true;
}
