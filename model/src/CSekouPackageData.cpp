#include "model/CSekouPackageData.h"

#include "model/LCsvColumns.h"
#include "model/LMyMath.h"
#include "model/PriceConversion.h"
#include "platform/Conversions.h"
#include "platform/Exceptions.h"
#include "platform/MessageBox.h"

#include <cmath>

namespace {

constexpr double kLimitKm = 60.0;
constexpr int kFirstRowColumns = 15;
constexpr int kCellBytes = 15;
const AnsiString kChangeTextSuffix = u8"km以下"_sj;

// One correction term ((0.01 X) (P / S)) (K / X): K per cent of the price follows the ratio of
// the local price P to the standard price S. Held with extended precision (see
// CalcTransportCost).
long double CorrectionTerm(double k, double x, int p, double s, int term) {
    if (k == 0.0) {
        return 0.0L; // the price takes no part in the correction
    }
    if (s == 0.0) {
        throw ERangeError("施工パッケージの標準単価 S" + std::to_string(term) +
                          " が 0 のため運搬費を計算できません。");
    }
    const long double ratio = static_cast<long double>(p) / s;
    if (x == 0.0) {
        return 0.01L * k * ratio; // X cancels out of the term
    }
    return ((0.01L * x) * ratio) * (static_cast<long double>(k) / x);
}

} // namespace

bool CSekouPackageData::LoadFromFile(const AnsiString& path) {
    try {
        TStringList lines;
        lines.LoadFromFile(path);
        lines_ = lines;
        return true;
    } catch (const EFOpenError&) {
        ShowMessageBox(u8"ファイルの読み込みに失敗しました。\r\nファイル名:"_sj + path,
                       u8"ファイル読み込み失敗"_sj, mb::TOPMOST | mb::ICONINFORMATION);
        return false;
    }
}

bool CSekouPackageData::SelectPackage(const AnsiString& key1, const AnsiString& key2) {
    return SelectByKeys({&key1, &key2});
}

bool CSekouPackageData::SelectPackage(const AnsiString& key1, const AnsiString& key2,
                                      const AnsiString& key3) {
    return SelectByKeys({&key1, &key2, &key3});
}

bool CSekouPackageData::SelectPackage(const AnsiString& key1, const AnsiString& key2,
                                      const AnsiString& key3, const AnsiString& key4) {
    return SelectByKeys({&key1, &key2, &key3, &key4});
}

bool CSekouPackageData::SelectByKeys(std::initializer_list<const AnsiString*> keys) {
    for (int i = 1; i < lines_.Count(); ++i) {
        bool all = true;
        for (const AnsiString* key : keys) {
            if (!lines_[i].Contains(*key)) { // an empty key is contained nowhere
                all = false;
                break;
            }
        }
        if (all) {
            ReadPackage(i + 1);
            return true;
        }
    }
    return false;
}

void CSekouPackageData::ReadPackage(int firstRow) {
    LCsvColumns cells(kFirstRowColumns, kCellBytes); // empty holders
    thresholds_.Clear();
    prices_.Clear();
    thresholdNumbers_.clear();
    priceNumbers_.clear();
    bracketCosts_.clear();
    if (firstRow < 0 || firstRow >= lines_.Count()) {
        // A key line that ends the file: a package without brackets or ratios.
        dtIndex_ = 0;
        k1_ = x1_ = k2_ = x2_ = k3_ = x3_ = s1_ = s2_ = s3_ = 0.0;
        return;
    }
    cells.Split(lines_[firstRow]);
    dtIndex_ = CAtol(cells.Column(3));
    double* ratios[] = {&k1_, &x1_, &k2_, &x2_, &k3_, &x3_, &s1_, &s2_, &s3_};
    for (int k = 0; k < 9; ++k) {
        *ratios[k] = CAtof(cells.Column(7 + k));
    }
    AddBracket(cells.Column(2), cells.Column(6));
    // Bracket rows: the holders are not emptied, so an empty cell repeats the row above.
    for (int r = firstRow + 1; r < lines_.Count() && !lines_[r].IsEmpty(); ++r) {
        cells.Split(lines_[r]);
        AddBracket(cells.Column(2), cells.Column(6));
    }
}

void CSekouPackageData::AddBracket(const AnsiString& threshold, const AnsiString& price) {
    thresholds_.Add(threshold);
    prices_.Add(price);
    thresholdNumbers_.emplace_back(threshold);
    priceNumbers_.emplace_back(price);
}

int CSekouPackageData::FindBracket(double km) const {
    // Threshold by threshold, so that one that is no number raises where the search meets it.
    for (std::size_t i = 0; i < thresholdNumbers_.size(); ++i) {
        if (thresholdNumbers_[i].Value() >= km) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CSekouPackageData::GetTransportCost(double km) const {
    if (km > kLimitKm) {
        return 0;
    }
    return CalcTransportCost(km);
}

int CSekouPackageData::CalcTransportCost(double km) const {
    const int bracket = FindBracket(km);
    if (bracket < 0) {
        return 0;
    }
    // The cost depends on the bracket alone while the package and the local prices stay.
    bracketCosts_.resize(thresholdNumbers_.size());
    std::optional<int>& cost = bracketCosts_[static_cast<std::size_t>(bracket)];
    if (!cost) {
        cost = BracketCost(bracket);
    }
    return *cost;
}

int CSekouPackageData::BracketCost(int bracket) const {
    const double price = std::ceil(priceNumbers_[static_cast<std::size_t>(bracket)].Value());
    // Every step of the correction runs with extended precision and the amount is rounded to a
    // double once, so that binary noise in the decimal ratios (0.6 + 0.3 + 0.1 is
    // 0.9999999999999999 in double steps) cannot take a yen off an amount that is whole.
    const long double t1 = CorrectionTerm(k1_, x1_, p1_, s1_, 1);
    const long double t2 = CorrectionTerm(k2_, x2_, p2_, s2_, 2);
    const long double t3 = CorrectionTerm(k3_, x3_, p3_, s3_, 3);
    const long double rest = 0.01L * (100.0L - (static_cast<long double>(k1_) + k2_ + k3_));
    double amount = static_cast<double>((t1 + t2 + t3 + rest) * price);
    LMyMath math;
    amount = math.RoundDownSignificant(amount, 4);
    amount = math.RoundDown(amount, 0);
    return TruncateToPrice(amount);
}

AnsiString CSekouPackageData::GetCostChangeDistance(double km) const {
    const int bracket = km > kLimitKm ? -1 : FindBracket(km);
    if (bracket < 0) {
        return "99999" + kChangeTextSuffix;
    }
    return thresholds_[bracket] + kChangeTextSuffix;
}
