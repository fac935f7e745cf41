#include "platform/testing/WindowGeometry.h"

#include <X11/Xlib.h>

namespace {

int IgnoreError(Display*, XErrorEvent*) {
    return 0;
}

// What `read` reads from the display; `none` when there is no display. A window that went away
// in the meantime is no error of the caller's: `read` sees its failed requests fail.
template <typename Result, typename Read> Result ReadDisplay(Result none, Read read) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return none;
    }
    const XErrorHandler previous = XSetErrorHandler(IgnoreError);
    const Result result = read(display);
    XSync(display, False);
    XSetErrorHandler(previous);
    XCloseDisplay(display);
    return result;
}

} // namespace

std::optional<ScreenRect> WindowGeometry(std::uint64_t window) {
    return ReadDisplay(std::optional<ScreenRect>(), [window](Display* display) {
        std::optional<ScreenRect> rect;
        XWindowAttributes attributes{};
        Window child = 0;
        int x = 0;
        int y = 0;
        if (XGetWindowAttributes(display, window, &attributes) &&
            XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y,
                                  &child)) {
            rect = ScreenRect{x, y, attributes.width, attributes.height};
        }
        return rect;
    });
}

bool HasInputFocus(std::uint64_t window) {
    return ReadDisplay(false, [window](Display* display) {
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(display, &focus, &revert);
        return focus == window;
    });
}
