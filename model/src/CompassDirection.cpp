#include "model/CompassDirection.h"

#include <cmath>

namespace {

constexpr double kLimits[] = {0, 11.25, 33.75, 56.25, 78.75, 101.25, 123.75, 146.25, 168.75};

// Names by sector, from west through south (angle >= 0) or through north (angle < 0) to east.
const AnsiString kSouthSide[] = {u8"西"_sj,     u8"西南西"_sj, u8"南西"_sj,
                                 u8"南南西"_sj, u8"南"_sj,     u8"南南東"_sj,
                                 u8"南東"_sj,   u8"東南東"_sj, u8"東"_sj};
const AnsiString kNorthSide[] = {u8"西"_sj,     u8"西北西"_sj, u8"北西"_sj,
                                 u8"北北西"_sj, u8"北"_sj,     u8"北北東"_sj,
                                 u8"北東"_sj,   u8"東北東"_sj, u8"東"_sj};

} // namespace

AnsiString CompassDirectionName(double angleDegrees) {
    if (std::isnan(angleDegrees)) {
        return AnsiString();
    }
    const bool southSide = angleDegrees >= 0;
    const double a = std::fabs(angleDegrees);
    int j = 0;
    while (j < 9 && a > kLimits[j]) {
        ++j;
    }
    const AnsiString* names = southSide ? kSouthSide : kNorthSide;
    return names[j == 0 ? 0 : j - 1];
}
