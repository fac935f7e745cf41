#include "model/CBugakariData.h"

#include "model/LCsvColumns.h"
#include "model/LFileOperate.h"
#include "model/SharedConstants.h"
#include "platform/Conversions.h"
#include "platform/TMemIniFile.h"

namespace {

constexpr double kLimitKm = 60.0;
constexpr double kBeyondLimitValue = 99999.0;
const AnsiString kBandTextSuffix = u8"km以下"_sj;

} // namespace

CBugakariData::CBugakariData(const AnsiString& sectionName) {
    LoadFromFile(sectionName);
}

void CBugakariData::LoadFromFile(const AnsiString& sectionName) {
    SetSectionName(sectionName);
    TStringList lines;
    const AnsiString path = LFileOperate().FindFile(CODE_DB01, DAT_FOLDER);
    if (!path.IsEmpty()) {
        TMemIniFile(path).ReadSectionValues(sectionName, lines);
    }
    ParseBands(lines);
}

bool CBugakariData::ParseBands(const TStringList& lines) {
    upperBounds_.Clear();
    lowerBounds_.Clear();
    values_.Clear();
    LCsvColumns columns(2, 255);
    // The last line of a section closes it and is not a band.
    for (int i = 0; i + 1 < lines.Count(); ++i) {
        columns.Clear();
        columns.Split(lines[i]);
        lowerBounds_.Add(columns.Column(1));
        values_.Add(columns.Column(2));
    }
    for (int i = 0; i + 1 < lowerBounds_.Count(); ++i) {
        upperBounds_.Add(FloatToStr(StrToFloat(lowerBounds_[i + 1]) - 0.001));
    }
    upperBounds_.Add("60");
    return true;
}

int CBugakariData::FindBand(double km) const {
    for (int i = 0; i < lowerBounds_.Count(); ++i) {
        if (StrToFloat(lowerBounds_[i]) <= km && km <= StrToFloat(upperBounds_[i])) {
            return i;
        }
    }
    return -1;
}

double CBugakariData::ValueWithoutBands(double km) {
    return km > kLimitKm ? kBeyondLimitValue : 0.0;
}

AnsiString CBugakariData::BandTextWithoutBands(double km) {
    return km > kLimitKm ? "99999" + kBandTextSuffix : kBandTextSuffix;
}

double CBugakariData::GetValue(double km) const {
    const int band = km > kLimitKm ? -1 : FindBand(km);
    return band < 0 ? ValueWithoutBands(km) : StrToFloat(values_[band]);
}

AnsiString CBugakariData::GetBandText(double km) const {
    const int band = km > kLimitKm ? -1 : FindBand(km);
    if (band < 0) {
        return BandTextWithoutBands(km);
    }
    return FloatToStr(StrToFloat(upperBounds_[band])) + kBandTextSuffix;
}
