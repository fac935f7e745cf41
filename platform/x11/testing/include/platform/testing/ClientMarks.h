#pragma once

#include <cstdint>
#include <string>

// Marks in a program's stream of X events, on the display that DISPLAY names. The X server gives
// a program the events for its windows in the order it makes them: once the program has handled
// a mark sent to one of its windows, it has received everything sent to it before (a close
// request, for example). A mark is a client message whose type is the atom of its name.
namespace client_marks {

// The atom of the name; 0 when there is no display.
std::uint32_t MarkAtom(const std::string& name);

// Sends a mark of the name to the window. False when there is no display.
bool SendMark(std::uint64_t window, const std::string& name);

} // namespace client_marks
