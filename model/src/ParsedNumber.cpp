#include "model/ParsedNumber.h"

#include "platform/Conversions.h"
#include "platform/Exceptions.h"

ParsedNumber::ParsedNumber(const AnsiString& text) {
    try {
        value_ = StrToFloat(text);
        valid_ = true;
    } catch (const EConvertError&) {
        invalidText_ = text;
    }
}

double ParsedNumber::Value() const {
    return valid_ ? value_ : StrToFloat(invalidText_);
}
