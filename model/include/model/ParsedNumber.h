#pragma once

#include "platform/AnsiString.h"

// A decimal text of a table converted once (StrToFloat), for lookups that would otherwise
// convert it again at every use. Value() gives what StrToFloat(text) gives: the value, or for a
// text that is no number the same conversion error, raised where the text is used.
class ParsedNumber {
public:
    // As for an empty text: Value() raises.
    ParsedNumber() = default;
    explicit ParsedNumber(const AnsiString& text);

    double Value() const;

private:
    double value_ = 0.0;
    bool valid_ = false;
    AnsiString invalidText_; // kept only to raise its error
};
