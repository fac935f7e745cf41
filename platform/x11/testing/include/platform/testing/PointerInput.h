#pragma once

// Mouse input as the user gives it, on the display that DISPLAY names: the X server makes the
// events (XTest), so they reach programs the way a real mouse's do. Positions are on the root
// window. False when there is no display or it lacks XTest.
namespace pointer_input {

// Moves the pointer there and clicks the left button.
bool Click(int x, int y);
// Moves the pointer there and clicks the left button twice, the second press `gapMs` after the
// first click, as a fast double click does.
bool DoubleClick(int x, int y, int gapMs = 80);

} // namespace pointer_input
