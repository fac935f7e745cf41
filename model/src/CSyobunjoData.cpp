#include "model/CSyobunjoData.h"

#include "platform/Conversions.h"

void CSyobunjoData::SetDisposalCost(const AnsiString& text) {
    disposalCost_ = text.IsEmpty() ? 0 : StrToInt(text);
}

void CSyobunjoData::SetX(const AnsiString& text) {
    x_ = text.IsEmpty() ? 0.0 : StrToFloat(text);
}

void CSyobunjoData::SetY(const AnsiString& text) {
    y_ = text.IsEmpty() ? 0.0 : StrToFloat(text);
}
