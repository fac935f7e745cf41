#include "model/LoadErrorLine.h"

AnsiString LoadErrorLine(const AnsiString& foundPath) {
    return foundPath.SubString(8, 100) + "\r\n";
}
