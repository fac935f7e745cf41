#pragma once

#include "platform/AnsiString.h"

#include <QString>

// Text crossing between the programs (code page 932) and Qt (UTF-16).
QString ToQString(const AnsiString& text);
AnsiString FromQString(const QString& text);
