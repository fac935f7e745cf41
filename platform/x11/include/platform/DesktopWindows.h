#pragma once

#include <cstdint>
#include <vector>

// The desktop's top-level windows (X11, on the display that DISPLAY names). Without a display
// there are no windows, and nothing can be sent.
namespace desktop {

using WindowHandle = std::uint64_t;

struct TopLevelWindow {
    WindowHandle handle = 0;
    // Process that owns the window (_NET_WM_PID); 0 when the window does not say.
    std::uint32_t processId = 0;
    // Window this one belongs to (WM_TRANSIENT_FOR, as a dialog names its main window); 0 for
    // none.
    WindowHandle owner = 0;
    // Shown on the screen (mapped), or minimised (WM_STATE IconicState): a window that the
    // user has open, as against one that its program keeps hidden.
    bool visible = false;
};

// Every top-level window of the desktop in stacking order, the topmost first. Under a window
// manager these are the client windows it manages, not its frames.
std::vector<TopLevelWindow> TopLevelWindows();

// Raises the window and gives it the input focus (through the window manager when one runs).
// False when there is no display.
bool SetForegroundWindow(WindowHandle window);

// Asks the window to close as the desktop does when the user presses Alt+F4: a
// WM_DELETE_WINDOW message to a window that takes it, else the keystroke Alt+F4 itself
// (synthetic key events: Alt down, F4 down, Alt up, F4 up) to the focused window. False when
// neither can be sent.
bool SendCloseRequest(WindowHandle window);

} // namespace desktop
