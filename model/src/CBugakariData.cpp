#include "model/CBugakariData.h"

#include "model/LCsvColumns.h"
#include "model/LFileOperate.h"
#include "model/SharedConstants.h"
#include "platform/Conversions.h"
#include "platform/Exceptions.h"
#include "platform/TMemIniFile.h"

namespace {

constexpr double kLimitKm = 60.0;
constexpr double kBeyondLimitValue = 99999.0;
const AnsiString kBandTextSuffix = u8"km以下"_sj;

} // namespace

CBugakariData::CBugakariData(const AnsiString& sectionName) {
    LoadFromFile(sectionName);
}

CBugakariData::CBugakariData(const AnsiString& sectionName, const TStringList& lines) {
    SetSectionName(sectionName);
    ParseBands(lines);
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
    upperNumbers_.clear();
    lowerNumbers_.clear();
    valueNumbers_.clear();
    bandTexts_.clear();
    LCsvColumns columns(2, 255);
    // The last line of a section closes it and is not a band.
    for (int i = 0; i + 1 < lines.Count(); ++i) {
        columns.Clear();
        columns.Split(lines[i]);
        lowerBounds_.Add(columns.Column(1));
        values_.Add(columns.Column(2));
        lowerNumbers_.emplace_back(columns.Column(1));
        valueNumbers_.emplace_back(columns.Column(2));
    }
    for (int i = 0; i + 1 < lowerBounds_.Count(); ++i) {
        AddUpperBound(FloatToStr(lowerNumbers_[static_cast<std::size_t>(i) + 1].Value() - 0.001));
    }
    AddUpperBound("60");
    return true;
}

void CBugakariData::AddUpperBound(const AnsiString& text) {
    upperBounds_.Add(text);
    upperNumbers_.emplace_back(text);
    // The band text shows the upper bound in the shortest form of its value.
    try {
        bandTexts_.push_back(FloatToStr(upperNumbers_.back().Value()) + kBandTextSuffix);
    } catch (const EConvertError&) {
        bandTexts_.emplace_back(); // never shown: a lookup that meets the bound raises first
    }
}

int CBugakariData::FindBand(double km) const {
    // Bound by bound as a lookup in the texts goes, so that a text that is no number raises
    // exactly where that lookup would convert it.
    for (std::size_t i = 0; i < lowerNumbers_.size(); ++i) {
        if (lowerNumbers_[i].Value() <= km) {
            if (i >= upperNumbers_.size()) {
                // Bands whose upper bounds a failed parse left unset, as the text list has them.
                throw EListError::IndexOutOfBounds(static_cast<int>(i));
            }
            if (km <= upperNumbers_[i].Value()) {
                return static_cast<int>(i);
            }
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
    return band < 0 ? ValueWithoutBands(km) : valueNumbers_[static_cast<std::size_t>(band)].Value();
}

AnsiString CBugakariData::GetBandText(double km) const {
    const int band = km > kLimitKm ? -1 : FindBand(km);
    if (band < 0) {
        return BandTextWithoutBands(km);
    }
    return bandTexts_[static_cast<std::size_t>(band)];
}
