#pragma once

#include "platform/AnsiString.h"

// The half-width mapping of code-page-932 text as the Windows locale service gives it for the
// characters that matter to typed input: full-width digits, Latin letters and ASCII signs become
// their single-byte forms, and the ideographic space becomes a blank. Every other character, and
// every byte that is not valid code page 932, is kept unchanged. The whole text is mapped,
// whatever its length.
AnsiString ToHalfWidth(const AnsiString& text);
