#pragma once

#include "platform/AnsiString.h"

#include <functional>

// The one way the system's code shows a message box. Flags and answers use the Windows values
// that the system's messages are specified with.
namespace mb {

constexpr unsigned OK = 0x0;
constexpr unsigned YESNO = 0x4;
constexpr unsigned ICONQUESTION = 0x20;
constexpr unsigned ICONWARNING = 0x30;
constexpr unsigned ICONINFORMATION = 0x40;
constexpr unsigned TASKMODAL = 0x2000;
constexpr unsigned TOPMOST = 0x40000;

constexpr int IDOK = 1;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

} // namespace mb

using MessageBoxHandler =
    std::function<int(const AnsiString& text, const AnsiString& caption, unsigned flags)>;

// Shows the message and returns the answer (mb::IDOK, mb::IDYES or mb::IDNO).
int ShowMessageBox(const AnsiString& text, const AnsiString& caption, unsigned flags);

// Installs the function that shows message boxes and returns the one it replaces. Without one,
// the message is written to standard error and answered with OK (No for a Yes/No question).
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);
