#include "platform/testing/ClientMarks.h"

#include <X11/Xlib.h>

namespace client_marks {

std::uint32_t MarkAtom(const std::string& name) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return 0;
    }
    const Atom atom = XInternAtom(display, name.c_str(), False);
    XCloseDisplay(display);
    return static_cast<std::uint32_t>(atom);
}

bool SendMark(std::uint64_t window, const std::string& name) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<Window>(window);
    event.xclient.message_type = XInternAtom(display, name.c_str(), False);
    event.xclient.format = 32;
    XSendEvent(display, static_cast<Window>(window), False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    return true;
}

} // namespace client_marks
