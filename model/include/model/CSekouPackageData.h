#pragma once

#include "model/ParsedNumber.h"
#include "platform/AnsiString.h"
#include "platform/TStringList.h"

#include <initializer_list>
#include <optional>
#include <vector>

// The construction-package price table: every line of the package price file, the package
// selected by key texts, and the transport cost of a distance by that package. A package is the
// block after its key line: a first row (15 columns: 2 threshold km, 3 machine-rent row, 6 unit
// price, 7-15 K1 X1 K2 X2 K3 X3 S1 S2 S3) and bracket rows (2 threshold, 6 unit price) up to the
// first empty line. An empty cell repeats the row above; every kept cell holds at most 15 bytes.
// Prices are whole yen, distances kilometres.
class CSekouPackageData {
public:
    CSekouPackageData() = default;

    // Replaces the lines by every line of the file and gives true. A file that cannot be read
    // shows "ファイルの読み込みに失敗しました。\r\nファイル名:" + path (caption
    // "ファイル読み込み失敗", top-most information) and gives false; the lines stay.
    bool LoadFromFile(const AnsiString& path);

    // Selects the package after the first line, from line 1 on, that contains every key as a
    // byte substring (an empty key is in no line). True when one was found; false, with the
    // previous package kept, when none. A key line that ends the file selects a package
    // without brackets (every distance costs 0 and shows "99999km以下") and gives true.
    bool SelectPackage(const AnsiString& key1, const AnsiString& key2);
    bool SelectPackage(const AnsiString& key1, const AnsiString& key2, const AnsiString& key3);
    bool SelectPackage(const AnsiString& key1, const AnsiString& key2, const AnsiString& key3,
                       const AnsiString& key4);

    // Replaces the brackets by the package whose first row is line `firstRow` (0-based) and its
    // bracket rows. A
    // first row beyond the file leaves no brackets, machine-rent row 0 and every ratio 0.
    void ReadPackage(int firstRow);

    // Row of the machine-rent table that gives local price 1.
    int GetDTIndex() const { return dtIndex_; }
    // Local prices in yen: 1 machine rent, 2 labour, 3 fuel of the area.
    void SetLocalPrice1(int price) {
        p1_ = price;
        bracketCosts_.clear();
    }
    void SetLocalPrice2(int price) {
        p2_ = price;
        bracketCosts_.clear();
    }
    void SetLocalPrice3(int price) {
        p3_ = price;
        bracketCosts_.clear();
    }

    // km: distance in kilometres. 0 beyond 60 km, else CalcTransportCost.
    int GetTransportCost(double km) const;
    // The unit price of the first bracket whose threshold reaches km, rounded up to whole yen
    // and corrected by the local prices against the package's standard prices: Kk per cent of
    // it follows Pk / Sk, the remaining 100 - K1 - K2 - K3 per cent stays; then cut to four
    // significant digits and to whole yen. 0 when no bracket reaches km. A term whose K is 0
    // adds nothing; a term whose X is 0 is 0.01 Kk Pk / Sk, the value its X cancels to. Raises
    // ERangeError when a term's S is 0 (with a K that is not 0) or the amount does not fit in
    // 32 bits, EConvertError for a threshold or price met that is not a number.
    int CalcTransportCost(double km) const;
    // Beyond 60 km, or when no bracket reaches km: "99999km以下"; else the bracket's threshold
    // as read + "km以下".
    AnsiString GetCostChangeDistance(double km) const;

    const TStringList& GetThresholds() const { return thresholds_; }
    const TStringList& GetPrices() const { return prices_; }

private:
    bool SelectByKeys(std::initializer_list<const AnsiString*> keys);
    // Index of the first bracket whose threshold is km or more, -1 when none.
    int FindBracket(double km) const;
    // Appends a bracket's threshold and unit price, as texts and as numbers.
    void AddBracket(const AnsiString& threshold, const AnsiString& price);
    // CalcTransportCost of a bracket, worked out anew.
    int BracketCost(int bracket) const;

    TStringList lines_;
    TStringList thresholds_;
    TStringList prices_;
    // The selected package's thresholds and unit prices converted once.
    std::vector<ParsedNumber> thresholdNumbers_;
    std::vector<ParsedNumber> priceNumbers_;
    // The cost of each bracket once worked out, for the package and local prices as they are
    // (a bracket whose cost raises an error is worked out, and raises, at every use).
    mutable std::vector<std::optional<int>> bracketCosts_;
    int p1_ = 0;
    int dtIndex_ = 0;
    int p2_ = 0;
    int p3_ = 0;
    double k1_ = 0.0;
    double x1_ = 0.0;
    double k2_ = 0.0;
    double x2_ = 0.0;
    double k3_ = 0.0;
    double x3_ = 0.0;
    double s1_ = 0.0;
    double s2_ = 0.0;
    double s3_ = 0.0;
};
