#pragma once

#include "model/ParsedNumber.h"
#include "platform/AnsiString.h"
#include "platform/TStringList.h"

#include <vector>

// One distance-band table of the labour-rate method: bands of distance (km) with a value each,
// read from one section of the band file (the working copy with code "DB01" in "./dat/").
// Bounds and values are kept as texts as read, and as numbers converted once; a text that is no
// number raises its conversion error at the lookup that meets it.
class CBugakariData {
public:
    // Reads the table of the section (see LoadFromFile).
    explicit CBugakariData(const AnsiString& sectionName);
    // The table of the section from the section's lines, as read from the band file (see
    // ParseBands). Raises what ParseBands raises.
    CBugakariData(const AnsiString& sectionName, const TStringList& lines);

    void SetSectionName(const AnsiString& name) { sectionName_ = name; }
    const AnsiString& GetSectionName() const { return sectionName_; }

    // Sets the section name and reads that section's lines from the band file, found anew by
    // its code. A missing file or section gives a table without bands. Raises EConvertError
    // when a band's lower bound (any but the first) is not a number.
    void LoadFromFile(const AnsiString& sectionName);

    // Rebuilds the bands from a section's lines. Every line but the last is a band "lower
    // bound,value" (further columns ignored; each field cut to 255 bytes; a missing field is
    // empty). The upper bound of a band is the next band's lower bound less 0.001; the last
    // band's is 60. Always true.
    bool ParseBands(const TStringList& lines);

    // km: distance in kilometres. Beyond 60 km: 99999. Else the value of the first band whose
    // bounds hold the distance (both inclusive); 0 when no band holds it. Raises EConvertError
    // for a bound or value met on the way that is not a number.
    double GetValue(double km) const;
    // Beyond 60 km: "99999km以下". Else the upper bound of the band holding the distance in its
    // shortest decimal form + "km以下"; "km以下" alone when no band holds it.
    AnsiString GetBandText(double km) const;

    // What a table without bands gives: beyond 60 km 99999 and "99999km以下", else 0 and
    // "km以下".
    static double ValueWithoutBands(double km);
    static AnsiString BandTextWithoutBands(double km);

    const TStringList& GetUpperBounds() const { return upperBounds_; }
    const TStringList& GetLowerBounds() const { return lowerBounds_; }
    const TStringList& GetValues() const { return values_; }

private:
    // Index of the first band holding km, -1 when none.
    int FindBand(double km) const;
    // Appends an upper bound as text, as number and as band text.
    void AddUpperBound(const AnsiString& text);

    TStringList upperBounds_;
    TStringList lowerBounds_;
    TStringList values_;
    AnsiString sectionName_;
    // The same texts as numbers, and each band's text for GetBandText.
    std::vector<ParsedNumber> upperNumbers_;
    std::vector<ParsedNumber> lowerNumbers_;
    std::vector<ParsedNumber> valueNumbers_;
    std::vector<AnsiString> bandTexts_;
};
