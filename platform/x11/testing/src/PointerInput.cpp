#include "platform/testing/PointerInput.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace pointer_input {

namespace {

constexpr unsigned kLeftButton = 1;

bool Clicks(int x, int y, int count, int gapMs) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    const bool available = XTestQueryExtension(display, &event, &error, &major, &minor);
    if (available) {
        XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
        for (int i = 0; i < count; ++i) {
            // The X server holds each request back by its delay (ms), so the clicks get times
            // that far apart whatever the test does in between.
            XTestFakeButtonEvent(display, kLeftButton, True, i == 0 ? 10 : gapMs);
            XTestFakeButtonEvent(display, kLeftButton, False, 10);
        }
        XSync(display, False);
    }
    XCloseDisplay(display);
    return available;
}

} // namespace

bool Click(int x, int y) {
    return Clicks(x, y, 1, 0);
}

bool DoubleClick(int x, int y, int gapMs) {
    return Clicks(x, y, 2, gapMs);
}

} // namespace pointer_input
