#pragma once

#include <string>

// Mouse and keyboard input as the user gives it, on the display that DISPLAY names: the X
// server makes the events (XTest), so they reach programs the way a real mouse's and keyboard's
// do. Positions are on the root window; keys go where the X server sends them (without a window
// manager, to the window under the pointer). False when there is no display or it lacks XTest.
namespace user_input {

// Moves the pointer there and clicks the left button.
bool Click(int x, int y);
// Moves the pointer there and clicks the left button twice, the second press `gapMs` after the
// first click, as a fast double click does.
bool DoubleClick(int x, int y, int gapMs = 80);
// Moves the pointer there.
bool MoveTo(int x, int y);
// Types the text: lower-case ASCII letters, digits, '-', '.', and '\r' for the Return key.
bool Type(const std::string& text);

} // namespace user_input
