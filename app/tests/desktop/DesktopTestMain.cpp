// Entry point of the tests of the main window on a display: a virtual X server of the tests'
// own, started once the tests have their process table, and the windows shown on it through
// the X11 platform, so that the X server's mouse input and the desktop's close requests reach
// them as a user's do. Without Xvfb the windows are drawn offscreen and the tests skip.
#include "platform/browser/testing/BrowserTestMain.h"
#include "platform/testing/XvfbServer.h"

#include <QByteArray>

#include <memory>

namespace {

// Room for the main window (1145 x 669), centred on the screen.
const char* const kScreen = "1280x1024x24";

std::unique_ptr<XvfbServer>& Server() {
    static std::unique_ptr<XvfbServer> server;
    return server;
}

void StartDisplay() {
    // The tests' X server has no session bus. Without an address, D-Bus would autolaunch one for
    // it from Qt's accessibility bridge, by a fork of this threaded process (whose child can hang
    // on a lock another thread held, as under AddressSanitizer) and a bus left running. An address
    // that can never exist makes the bridge, here and in the programs started, go without at once.
    qputenv("DBUS_SESSION_BUS_ADDRESS", QByteArray("unix:path=/dev/null/no-session-bus"));
    Server() = std::make_unique<XvfbServer>(kScreen);
    if (Server()->Running()) {
        qputenv("QT_QPA_PLATFORM", QByteArray("xcb"));
    }
}

} // namespace

int main(int argc, char** argv) {
    const int result = RunBrowserTests(argc, argv, StartDisplay);
    Server().reset();
    return result;
}
