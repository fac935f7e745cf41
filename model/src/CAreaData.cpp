#include "model/CAreaData.h"

#include "model/LFileOperate.h"
#include "model/SharedConstants.h"
#include "platform/Exceptions.h"

AnsiString CAreaData::LoadFromFile() {
    const AnsiString path = LFileOperate().FindFile(CODE_DA01, DAT_FOLDER);
    if (path.IsEmpty()) {
        throw EFOpenError("地区データ (" + CODE_DA01.ToUtf8() + ") が見つかりません。");
    }
    TStringList lines;
    lines.LoadFromFile(path);
    lines.Delete(0); // the heading; a table without any line raises EListError here
    names_ = std::move(lines);
    return AnsiString();
}

AnsiString CAreaData::GetAreaName(int index) const {
    return names_[index];
}

int CAreaData::GetCount() const {
    return names_.Count();
}
