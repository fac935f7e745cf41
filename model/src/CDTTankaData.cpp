#include "model/CDTTankaData.h"

#include "model/LFileOperate.h"
#include "model/LoadErrorLine.h"
#include "model/PriceConversion.h"
#include "model/SharedConstants.h"
#include "platform/Conversions.h"
#include "platform/Exceptions.h"
#include "platform/TMemIniFile.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// Every line of the working copy with `code`, or nothing when it is missing, unreadable or
// holds no line at all.
bool ReadWorkingCopy(const AnsiString& code, TStringList& lines) {
    const AnsiString path = LFileOperate().FindFile(code, DAT_FOLDER);
    if (path.IsEmpty()) {
        return false;
    }
    try {
        lines.LoadFromFile(path);
    } catch (const EFOpenError&) {
        return false;
    }
    return !lines.IsEmpty();
}

void CheckTerm(std::int64_t term) {
    if (term < std::numeric_limits<std::int32_t>::min() ||
        term > std::numeric_limits<std::int32_t>::max()) {
        throw ERangeError("ダンプトラック単価の項 " + std::to_string(term) +
                          " は整数の範囲を超えているため計算できません。");
    }
}

} // namespace

AnsiString CDTTankaData::LoadFromFiles() {
    struct Reader {
        bool (CDTTankaData::*load)();
        const AnsiString& code;
    };
    const Reader readers[] = {{&CDTTankaData::LoadWage, CODE_DR01},
                              {&CDTTankaData::LoadFuelPrices, CODE_DT02},
                              {&CDTTankaData::LoadMachinePrices, CODE_DS24},
                              {&CDTTankaData::LoadWearPrices, CODE_DS22}};
    AnsiString errors;
    for (const Reader& reader : readers) {
        if (!(this->*reader.load)()) {
            errors += LoadErrorLine(LFileOperate().FindFile(reader.code, DAT_FOLDER));
        }
    }
    return errors;
}

bool CDTTankaData::LoadWage() {
    TStringList lines;
    if (!ReadWorkingCopy(CODE_DR01, lines) || lines.Count() < 2) {
        return false;
    }
    wage_ = CAtol(lines[1]);
    return true;
}

bool CDTTankaData::LoadPriceLines(const AnsiString& code, TStringList& lines) {
    TStringList read;
    if (!ReadWorkingCopy(code, read)) {
        return false;
    }
    read.Delete(0); // the first line is not data
    lines = read;
    return true;
}

bool CDTTankaData::LoadFuelPrices() {
    return LoadPriceLines(CODE_DT02, fuelLines_);
}

bool CDTTankaData::LoadMachinePrices() {
    return LoadPriceLines(CODE_DS24, machineLines_);
}

bool CDTTankaData::LoadWearPrices() {
    return LoadPriceLines(CODE_DS22, wearLines_);
}

void CDTTankaData::SelectQuantitySection(int materialType, int haulKind, int& truckClass) {
    TMemIniFile file(FILE_DTTANKA_SURYO);
    const unsigned kind = static_cast<unsigned>(haulKind);
    const AnsiString* section = nullptr;
    int chosenClass = 0;
    if (materialType == 0 || materialType == 1) {
        switch (kind) {
        case 0:
            section = &SECTION_SURYO_10T;
            chosenClass = 0;
            break;
        case 1:
            section = &SECTION_SURYO_4T;
            chosenClass = 1;
            break;
        case 2:
        case 3:
            section = &SECTION_SURYO_2T;
            chosenClass = 2;
            break;
        default:
            break;
        }
    } else {
        switch (kind) {
        case 0:
        case 3:
            section = &SECTION_SURYO_10T;
            chosenClass = 0;
            break;
        case 1:
            section = &SECTION_SURYO_4T;
            chosenClass = 1;
            break;
        case 2:
            section = &SECTION_SURYO_2T;
            chosenClass = 2;
            break;
        case 4:
            section = &SECTION_SURYO_10T_SESSAKU;
            chosenClass = 0;
            break;
        default:
            break;
        }
    }
    if (!section) {
        return;
    }
    TStringList lines;
    file.ReadSectionValues(*section, lines);
    quantityLines_ = lines;
    truckClass = chosenClass;
}

int CDTTankaData::GetDTTanka(int area, int materialType, int haulKind) {
    return CalcDTTanka(area, materialType, haulKind);
}

int CDTTankaData::CalcDTTanka(int area, int materialType, int haulKind) {
    int truckClass = 0;
    SelectQuantitySection(materialType, haulKind, truckClass);
    // The terms are formed in 64 bits and each must fit the 32-bit price, so that an absurd
    // table raises an error instead of wrapping round.
    const std::int64_t a = static_cast<std::int64_t>(StrToInt(quantityLines_[0])) * wage_;
    const std::int64_t b =
        static_cast<std::int64_t>(GetFuelPrice(area)) * StrToInt(quantityLines_[1]);
    const double c = StrToFloat(quantityLines_[2]) * GetMachinePrice(truckClass);
    const double d = StrToFloat(quantityLines_[3]) * GetWearPrice(truckClass);
    CheckTerm(a);
    CheckTerm(b);
    const std::int64_t sum =
        a + b + TruncateToPrice(std::floor(c)) + TruncateToPrice(std::floor(d));
    CheckTerm(sum);
    return static_cast<int>(sum);
}

int CDTTankaData::GetFuelPrice(int area) const {
    return StrToInt(fuelLines_[area]);
}

int CDTTankaData::GetMachinePrice(int row) const {
    return StrToInt(machineLines_[row]);
}

int CDTTankaData::GetWearPrice(int truckClass) const {
    return StrToInt(wearLines_[truckClass]);
}
