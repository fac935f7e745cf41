#include "model/CBugakariList.h"

#include "model/LFileOperate.h"
#include "model/SharedConstants.h"
#include "platform/TMemIniFile.h"
#include "platform/TStringList.h"

CBugakariList::~CBugakariList() {
    Clear();
}

void CBugakariList::LoadFromFile() {
    const AnsiString* sections[] = {
        &SECTION_BAND_CHOKUSETSU10T_DIDNASHI,
        &SECTION_BAND_CHOKUSETSU10T_DIDARI,
        &SECTION_BAND_10T_DIDNASHI,
        &SECTION_BAND_10T_DIDARI,
        &SECTION_BAND_4T_DIDNASHI,
        &SECTION_BAND_4T_DIDARI,
        &SECTION_BAND_2T_DIDNASHI_KIKAI,
        &SECTION_BAND_2T_DIDARI_KIKAI,
        &SECTION_BAND_2T_DIDNASHI_JINRIKI,
        &SECTION_BAND_2T_DIDARI_JINRIKI,
        &SECTION_BAND_SESSAKU10T_DIDNASHI,
        &SECTION_BAND_SESSAKU10T_DIDARI,
    };
    // The band file is found and read once for all twelve tables; a missing file has no
    // sections, so every table is one without bands.
    const AnsiString path = LFileOperate().FindFile(CODE_DB01, DAT_FOLDER);
    std::unique_ptr<TMemIniFile> file;
    if (!path.IsEmpty()) {
        file = std::make_unique<TMemIniFile>(path);
    }
    for (const AnsiString* section : sections) {
        TStringList lines;
        if (file) {
            file->ReadSectionValues(*section, lines);
        }
        tables_.push_back(std::make_unique<CBugakariData>(*section, lines));
    }
}

void CBugakariList::Clear() {
    tables_.clear();
    cursor_ = 0;
}

bool CBugakariList::Next() {
    if (IsEnd()) {
        return false;
    }
    ++cursor_;
    return true;
}

AnsiString CBugakariList::GetSectionName(bool didSection, int materialType, int haulKind) {
    const unsigned kind = static_cast<unsigned>(haulKind);
    auto pick = [didSection](const AnsiString& with, const AnsiString& without) {
        return didSection ? with : without;
    };
    if (materialType == 0 || materialType == 1) {
        switch (kind) {
        case 0:
            return pick(SECTION_BAND_10T_DIDARI, SECTION_BAND_10T_DIDNASHI);
        case 1:
            return pick(SECTION_BAND_4T_DIDARI, SECTION_BAND_4T_DIDNASHI);
        case 2:
            return pick(SECTION_BAND_2T_DIDARI_KIKAI, SECTION_BAND_2T_DIDNASHI_KIKAI);
        case 3:
            return pick(SECTION_BAND_2T_DIDARI_JINRIKI, SECTION_BAND_2T_DIDNASHI_JINRIKI);
        default:
            return AnsiString();
        }
    }
    if (materialType == 2) {
        switch (kind) {
        case 0:
            return pick(SECTION_BAND_10T_DIDARI, SECTION_BAND_10T_DIDNASHI);
        case 1:
            return pick(SECTION_BAND_4T_DIDARI, SECTION_BAND_4T_DIDNASHI);
        case 2:
            return pick(SECTION_BAND_2T_DIDARI_KIKAI, SECTION_BAND_2T_DIDNASHI_KIKAI);
        case 3:
            return pick(SECTION_BAND_CHOKUSETSU10T_DIDARI, SECTION_BAND_CHOKUSETSU10T_DIDNASHI);
        case 4:
            return pick(SECTION_BAND_SESSAKU10T_DIDARI, SECTION_BAND_SESSAKU10T_DIDNASHI);
        default:
            return AnsiString();
        }
    }
    return AnsiString();
}

bool CBugakariList::Select(bool didSection, int materialType, int haulKind) {
    const AnsiString name = GetSectionName(didSection, materialType, haulKind);
    for (cursor_ = 0; cursor_ < tables_.size(); ++cursor_) {
        if (tables_[cursor_]->GetSectionName() == name) {
            return true;
        }
    }
    return false;
}

const CBugakariData* CBugakariList::GetCurrent() const {
    return IsEnd() ? nullptr : tables_[cursor_].get();
}

double CBugakariList::GetValue(double km) const {
    if (const CBugakariData* table = GetCurrent()) {
        return table->GetValue(km);
    }
    return CBugakariData::ValueWithoutBands(km);
}

AnsiString CBugakariList::GetBandText(double km) const {
    if (const CBugakariData* table = GetCurrent()) {
        return table->GetBandText(km);
    }
    return CBugakariData::BandTextWithoutBands(km);
}
