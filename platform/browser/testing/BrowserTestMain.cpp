// Entry point of test programs that use embedded browsers.
#include "platform/browser/testing/BrowserTestMain.h"

int main(int argc, char** argv) {
    return RunBrowserTests(argc, argv);
}
