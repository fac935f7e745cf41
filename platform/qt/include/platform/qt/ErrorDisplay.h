#pragma once

#include "platform/AnsiString.h"

#include <QApplication>

#include <exception>
#include <utility>

// The programs' standard display of an error that escapes an event handler: a message box with
// the error's text, the program's title as caption, an error icon and an OK button; the
// program then goes on. A text of more than 400 characters shows its first 300 and its last
// 100 characters with "…" between them. EAbort is silent, and so is every error once the
// program is ending (EndApplication): a handler that unwinds after its window closed shows
// nothing.
void ShowApplicationError(const std::exception& error);

// Ends the program: every running message loop, the nested ones of waiting handlers included,
// returns as soon as control reaches it, and the main one ends the program. Unlike a quit
// request it asks no window whether it may close.
void EndApplication();
// Whether EndApplication was called.
bool ApplicationEnding();

// Caption of the error display (the program's title).
void SetApplicationTitle(const AnsiString& title);
AnsiString ApplicationTitle();

// Runs an event handler; an error that escapes it goes to the error display, and the handler
// ends there, keeping what it changed before.
template <typename Handler> void RunHandler(Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& error) {
        ShowApplicationError(error);
    }
}

// The application object of both programs: an error that escapes any event delivery is shown
// by the error display instead of ending the program. Double clicks follow the Windows rule
// (SameControlDoubleClicks).
class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
