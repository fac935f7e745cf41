#include "platform/qt/QtText.h"

QString ToQString(const AnsiString& text) {
    return QString::fromStdString(text.ToUtf8());
}

AnsiString FromQString(const QString& text) {
    return AnsiString::FromUtf8(text.toStdString());
}
