#pragma once

// Runs the tests of a test program that uses embedded browsers: they run in a process table of
// their own (IsolateTestProcesses; so this is called while the program has one thread), the
// browser runs without Chromium's sandbox, windows are drawn offscreen unless the caller chose
// a display platform, every host name reaches the local test server, and one browser session
// lives while the tests run. A main() that first sets up an environment of its own calls this.
int RunBrowserTests(int argc, char** argv);

// The same, with `prepare` run once the tests have their process table and before the
// application object is made (to start a display server for them, for example).
int RunBrowserTests(int argc, char** argv, void (*prepare)());
