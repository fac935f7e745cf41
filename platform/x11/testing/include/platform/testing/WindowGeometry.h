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
