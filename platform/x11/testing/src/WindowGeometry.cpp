#include "platform/testing/WindowGeometry.h"

#include <X11/Xlib.h>

namespace {

int IgnoreError(Display*, XErrorEvent*) {
    return 0;
}

} // namespace

std::optional<ScreenRect> WindowGeometry(std::uint64_t window) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return std::nullopt;
    }
    // A window that went away in the meantime is no error of the caller's.
    const XErrorHandler previous = XSetErrorHandler(IgnoreError);
    std::optional<ScreenRect> rect;
    XWindowAttributes attributes{};
    Window child = 0;
    int x = 0;
    int y = 0;
    if (XGetWindowAttributes(display, window, &attributes) &&
        XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child)) {
        rect = ScreenRect{x, y, attributes.width, attributes.height};
    }
    XSync(display, False);
    XSetErrorHandler(previous);
    XCloseDisplay(display);
    return rect;
}
