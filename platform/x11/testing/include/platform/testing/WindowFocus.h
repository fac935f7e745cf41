#pragma once

#include <cstdint>

// Whether the keyboard's input goes to the window (or to a window inside it) on the display that
// DISPLAY names. A window the test sees mapped can still be waiting for the focus its program
// asks for: keys typed before then go to the window that had it.
bool HasInputFocus(std::uint64_t window);
