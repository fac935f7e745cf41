#pragma once

#include "platform/AnsiString.h"

// Shows a message box on screen with the Windows flag values: icon 0x10 error, 0x20 question,
// 0x30 warning, 0x40 information; buttons 0x0 OK, 0x4 Yes/No; 0x40000 keeps it above every
// window; 0x2000 blocks every window of the program. Returns mb::IDOK, mb::IDYES or mb::IDNO.
int ShowQtMessageBox(const AnsiString& text, const AnsiString& caption, unsigned flags);

// Makes ShowMessageBox use ShowQtMessageBox.
void InstallQtMessageBox();
