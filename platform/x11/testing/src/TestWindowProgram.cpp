// A small X11 program for tests of window handling. Usage: x11_test_window MODE RECORD
//   dialog  a main window and, above it, a dialog that belongs to it
//   main    a main window only
//   hidden  two windows that are never shown
//   keys    a main window that does not take WM_DELETE_WINDOW and closes on Alt+F4
//   minimised  two windows that are never mapped: the first with WM_STATE IconicState, as a
//              window manager marks a minimised window, the second with WithdrawnState
// Every window carries _NET_WM_PID. Lines appended to RECORD: "ready" once the windows are
// shown, "close main" or "close dialog" for each close request received (the dialog then goes
// away, the program ends with its main window), "alt+f4" for the keystroke.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

const char* recordPath = nullptr;

void Record(const char* line) {
    if (std::FILE* file = std::fopen(recordPath, "a")) {
        std::fprintf(file, "%s\n", line);
        std::fclose(file);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        return 2;
    }
    const std::string mode = argv[1];
    recordPath = argv[2];
    ::alarm(60); // never outlives a test run
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        return 3;
    }
    const Window root = DefaultRootWindow(display);
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    const unsigned long pid = static_cast<unsigned long>(::getpid());

    auto make = [&](bool takesDelete, Window owner) {
        Window window = XCreateSimpleWindow(display, root, 20, 20, 120, 80, 0, 0, 0xFFFFFF);
        XChangeProperty(display, window, pidAtom, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&pid), 1);
        if (takesDelete) {
            XSetWMProtocols(display, window, &deleteWindow, 1);
        }
        if (owner) {
            XSetTransientForHint(display, window, owner);
        }
        XSelectInput(display, window, StructureNotifyMask | KeyPressMask);
        return window;
    };

    Window main = make(mode != "keys", 0);
    Window dialog = 0;
    int toMap = 0;
    if (mode == "hidden") {
        make(true, 0);
    } else if (mode == "minimised") {
        // No window manager runs under the tests, so the program sets WM_STATE itself.
        const Atom wmState = XInternAtom(display, "WM_STATE", False);
        auto setState = [&](Window window, unsigned long state) {
            const unsigned long value[2] = {state, None}; // state, icon window
            XChangeProperty(display, window, wmState, wmState, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(value), 2);
        };
        setState(main, IconicState);
        setState(make(true, 0), WithdrawnState);
    } else {
        XMapRaised(display, main);
        ++toMap;
        if (mode == "dialog") {
            dialog = make(true, main);
            XMapRaised(display, dialog);
            ++toMap;
        }
    }
    XSync(display, False); // every window and property exists before "ready"
    while (toMap > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify) {
            --toMap;
        }
    }
    Record("ready");

    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == ClientMessage &&
            static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow) {
            if (dialog && event.xclient.window == dialog) {
                Record("close dialog");
                XDestroyWindow(display, dialog);
                XFlush(display);
                dialog = 0;
            } else if (event.xclient.window == main) {
                Record("close main");
                break;
            }
        } else if (event.type == KeyPress) {
            KeySym key = XLookupKeysym(&event.xkey, 0);
            if (key == XK_F4 && (event.xkey.state & Mod1Mask)) {
                Record("alt+f4");
                break;
            }
        }
    }
    XCloseDisplay(display);
    return 0;
}
