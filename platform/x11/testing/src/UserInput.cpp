#include "platform/testing/UserInput.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <functional>

namespace user_input {

namespace {

constexpr unsigned kLeftButton = 1;

// Runs `send` on a connection to the display that has XTest; the X server has taken every
// request when this returns.
bool WithTestInput(const std::function<void(Display*)>& send) {
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
        send(display);
        XSync(display, False);
    }
    XCloseDisplay(display);
    return available;
}

bool Clicks(int x, int y, int count, int gapMs) {
    return WithTestInput([&](Display* display) {
        XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
        for (int i = 0; i < count; ++i) {
            // The X server holds each request back by its delay (ms), so the clicks get times
            // that far apart whatever the test does in between.
            XTestFakeButtonEvent(display, kLeftButton, True, i == 0 ? 10 : gapMs);
            XTestFakeButtonEvent(display, kLeftButton, False, 10);
        }
    });
}

KeySym SymbolOf(char c) {
    switch (c) {
    case '\r':
        return XK_Return;
    case '-':
        return XK_minus;
    case '.':
        return XK_period;
    default:
        return static_cast<KeySym>(static_cast<unsigned char>(c));
    }
}

} // namespace

bool Click(int x, int y) {
    return Clicks(x, y, 1, 0);
}

bool DoubleClick(int x, int y, int gapMs) {
    return Clicks(x, y, 2, gapMs);
}

bool MoveTo(int x, int y) {
    return WithTestInput(
        [&](Display* display) { XTestFakeMotionEvent(display, -1, x, y, CurrentTime); });
}

bool Type(const std::string& text) {
    return WithTestInput([&](Display* display) {
        for (char c : text) {
            const KeyCode code = XKeysymToKeycode(display, SymbolOf(c));
            XTestFakeKeyEvent(display, code, True, 10);
            XTestFakeKeyEvent(display, code, False, 10);
        }
    });
}

} // namespace user_input
