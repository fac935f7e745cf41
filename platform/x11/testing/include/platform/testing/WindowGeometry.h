#pragma once

#include <cstdint>
#include <optional>

// Where a window is shown, on the display that DISPLAY names.
struct ScreenRect {
    int x = 0; // on the root window
    int y = 0;
    int width = 0;
    int height = 0;
};

// The window's area on the screen; none when there is no display or no such window.
std::optional<ScreenRect> WindowGeometry(std::uint64_t window);

// Whether the keyboard's input goes to the window. A window the test sees mapped can still be
// waiting for the focus its program asks for: keys typed before then go to the window that had it.
bool HasInputFocus(std::uint64_t window);
