#include "platform/Exceptions.h"

EListError EListError::IndexOutOfBounds(int index) {
    return EListError("リストのインデックスが範囲を超えています (" + std::to_string(index) + ")");
}

EFOpenError EFOpenError::CannotOpen(const AnsiString& path) {
    return EFOpenError("ファイル " + path.ToUtf8() + " を開けません。");
}
