#include "model/LMyMath.h"

#include "platform/Conversions.h"

#include <cmath>
#include <cstdint>

namespace {

double Scale(int n) {
    return std::pow(10.0, static_cast<double>(n));
}

// i / 10^n. For n <= 0 this is i x 10^-n, computed by an exact multiplication: dividing by the
// inexact double nearest 10^n could land one unit below a whole number of yen.
double Unscale(double i, int n) {
    if (n <= 0) {
        return i * std::pow(10.0, static_cast<double>(-n));
    }
    return i / Scale(n);
}

// Every double of 2^53 or more in magnitude is already a whole number; below that a 64-bit
// integer holds the rounded value exactly.
constexpr double kWholeLimit = 9007199254740992.0; // 2^53

double Truncate(double v) {
    if (!(std::fabs(v) < kWholeLimit)) {
        return v; // whole already, or not a number
    }
    return static_cast<double>(static_cast<std::int64_t>(v));
}

double Floor(double v) {
    if (!(std::fabs(v) < kWholeLimit)) {
        return v;
    }
    std::int64_t i = static_cast<std::int64_t>(v);
    if (static_cast<double>(i) > v) {
        --i;
    }
    return static_cast<double>(i);
}

double Ceil(double v) {
    if (!(std::fabs(v) < kWholeLimit)) {
        return v;
    }
    std::int64_t i = static_cast<std::int64_t>(v);
    if (static_cast<double>(i) < v) {
        ++i;
    }
    return static_cast<double>(i);
}

} // namespace

double LMyMath::RoundHalfUp(double x, int n) const {
    const double p = Scale(n);
    const double v = x * p;
    const double w = v + 0.5;
    return Unscale(Truncate(w), n);
}

double LMyMath::RoundUp(double x, int n) const {
    const double p = Scale(n);
    return Unscale(Ceil(x * p), n);
}

double LMyMath::RoundDown(double x, int n) const {
    const double p = Scale(n);
    return Unscale(Floor(x * p), n);
}

double LMyMath::RoundDownSignificant(double x, int n) const {
    const int q = FloatToStr(x).Pos(".");
    if (q > 0) {
        return RoundDown(x, n - q + 1);
    }
    return RoundDown(x, n);
}

double LMyMath::RadToDeg(double x) const {
    return static_cast<double>(static_cast<long double>(x) * 180.0L * 0.31830988618379068395L);
}
