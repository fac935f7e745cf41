#include "platform/DesktopWindows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>

namespace desktop {

namespace {

int IgnoreError(Display*, XErrorEvent*) {
    return 0;
}

// A connection to the display for one operation. X errors (a window that went away in the
// meantime) are ignored while it lives.
class Connection {
public:
    Connection() : display_(XOpenDisplay(nullptr)) {
        if (display_) {
            previous_ = XSetErrorHandler(IgnoreError);
        }
    }
    ~Connection() {
        if (display_) {
            XSync(display_, False);
            XSetErrorHandler(previous_);
            XCloseDisplay(display_);
        }
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    explicit operator bool() const { return display_ != nullptr; }
    Display* get() const { return display_; }
    Window Root() const { return DefaultRootWindow(display_); }
    Atom Intern(const char* name) const { return XInternAtom(display_, name, False); }

private:
    Display* display_;
    XErrorHandler previous_ = nullptr;
};

// A property of 32-bit items of the given type; empty when the window has none.
std::vector<unsigned long> ReadLongs(Display* display, Window window, Atom property, Atom type) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> values;
    if (XGetWindowProperty(display, window, property, 0, 1 << 16, False, type, &actualType, &format,
                           &count, &after, &data) == Success &&
        data) {
        if (format == 32 && actualType == type) {
            const auto* items = reinterpret_cast<const unsigned long*>(data);
            values.assign(items, items + count);
        }
        XFree(data);
    }
    return values;
}

bool HasProperty(Display* display, Window window, Atom property) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 0, False, AnyPropertyType, &actualType,
                           &format, &count, &after, &data) != Success) {
        return false;
    }
    if (data) {
        XFree(data);
    }
    return actualType != None;
}

// True when the window manager has minimised the window (WM_STATE says IconicState): it is then
// unmapped, but still open for the user, who gets it back from the task bar.
bool IsMinimised(Display* display, Window window, Atom wmState) {
    const auto state = ReadLongs(display, window, wmState, wmState);
    return !state.empty() && state.front() == IconicState;
}

// Children of a window from the bottom of the stack to the top.
std::vector<Window> Children(Display* display, Window window) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    std::vector<Window> result;
    if (XQueryTree(display, window, &root, &parent, &children, &count) && children) {
        result.assign(children, children + count);
        XFree(children);
    }
    return result;
}

// The application's window inside a root child: the child itself when no window manager framed
// it, else the window in its frame that carries the client properties.
Window ClientWindow(const Connection& connection, Window window, Atom wmState, Atom pid,
                    int depth) {
    Display* display = connection.get();
    if (HasProperty(display, window, wmState) || HasProperty(display, window, pid)) {
        return window;
    }
    if (depth == 0) {
        return 0;
    }
    for (Window child : Children(display, window)) {
        if (Window client = ClientWindow(connection, child, wmState, pid, depth - 1)) {
            return client;
        }
    }
    return 0;
}

} // namespace

std::vector<TopLevelWindow> TopLevelWindows() {
    Connection connection;
    if (!connection) {
        return {};
    }
    Display* display = connection.get();
    const Window root = connection.Root();
    const Atom pid = connection.Intern("_NET_WM_PID");
    const Atom wmState = connection.Intern("WM_STATE");

    std::vector<Window> order;
    const auto managed =
        ReadLongs(display, root, connection.Intern("_NET_CLIENT_LIST_STACKING"), XA_WINDOW);
    if (!managed.empty()) {
        order.assign(managed.rbegin(), managed.rend());
    } else {
        const auto children = Children(display, root);
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            const Window client = ClientWindow(connection, *it, wmState, pid, 2);
            order.push_back(client ? client : *it);
        }
    }

    std::vector<TopLevelWindow> windows;
    for (Window window : order) {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(display, window, &attributes) || attributes.override_redirect) {
            continue; // gone, or a menu or tooltip that no window manager handles
        }
        TopLevelWindow entry;
        entry.handle = window;
        const auto ids = ReadLongs(display, window, pid, XA_CARDINAL);
        entry.processId = ids.empty() ? 0 : static_cast<std::uint32_t>(ids.front());
        Window owner = None;
        if (XGetTransientForHint(display, window, &owner) && owner != root) {
            entry.owner = owner;
        }
        entry.visible = attributes.map_state == IsViewable || IsMinimised(display, window, wmState);
        windows.push_back(entry);
    }
    return windows;
}

bool SetForegroundWindow(WindowHandle window) {
    Connection connection;
    if (!connection) {
        return false;
    }
    Display* display = connection.get();
    const Window root = connection.Root();
    const Atom active = connection.Intern("_NET_ACTIVE_WINDOW");
    const auto supported = ReadLongs(display, root, connection.Intern("_NET_SUPPORTED"), XA_ATOM);
    if (std::find(supported.begin(), supported.end(), active) != supported.end()) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = active;
        event.xclient.format = 32;
        event.xclient.data.l[0] = 1; // a request from an application
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    } else {
        XRaiseWindow(display, window);
        XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
    }
    XSync(display, False);
    return true;
}

bool SendCloseRequest(WindowHandle window) {
    Connection connection;
    if (!connection) {
        return false;
    }
    Display* display = connection.get();
    const Atom protocols = connection.Intern("WM_PROTOCOLS");
    const Atom deleteWindow = connection.Intern("WM_DELETE_WINDOW");
    Atom* list = nullptr;
    int count = 0;
    bool takesDelete = false;
    if (XGetWMProtocols(display, window, &list, &count) && list) {
        takesDelete = std::find(list, list + count, deleteWindow) != list + count;
        XFree(list);
    }
    if (takesDelete) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = protocols;
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(deleteWindow);
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, window, False, NoEventMask, &event);
        XSync(display, False);
        return true;
    }
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) {
        return false;
    }
    const KeyCode alt = XKeysymToKeycode(display, XK_Alt_L);
    const KeyCode f4 = XKeysymToKeycode(display, XK_F4);
    if (alt == 0 || f4 == 0) {
        return false;
    }
    XTestFakeKeyEvent(display, alt, True, CurrentTime);
    XTestFakeKeyEvent(display, f4, True, CurrentTime);
    XTestFakeKeyEvent(display, alt, False, CurrentTime);
    XTestFakeKeyEvent(display, f4, False, CurrentTime);
    XSync(display, False);
    return true;
}

} // namespace desktop
