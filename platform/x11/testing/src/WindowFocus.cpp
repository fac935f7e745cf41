#include "platform/testing/WindowFocus.h"

#include <X11/Xlib.h>

namespace {

int IgnoreError(Display*, XErrorEvent*) {
    return 0;
}

} // namespace

bool HasInputFocus(std::uint64_t window) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }
    // A window that goes away while its ancestors are read is no error of the caller's.
    const XErrorHandler previous = XSetErrorHandler(IgnoreError);
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    const Window root = DefaultRootWindow(display);
    bool inside = false;
    // PointerRoot (1) and None (0) name no window.
    while (focus > PointerRoot && focus != root && !inside) {
        inside = focus == window;
        Window parent = 0;
        Window rootOfTree = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, focus, &rootOfTree, &parent, &children, &count)) {
            break;
        }
        if (children != nullptr) {
            XFree(children);
        }
        focus = parent;
    }
    XSync(display, False);
    XSetErrorHandler(previous);
    XCloseDisplay(display);
    return inside;
}
