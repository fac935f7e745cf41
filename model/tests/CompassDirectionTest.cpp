#include "model/CompassDirection.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct SectorCase {
    double limit;           // upper limit of the sector, degrees
    const char* south;      // name at and just below the limit for angle >= 0 (UTF-8)
    const char* north;      // the same for angle < 0
    const char* southAbove; // just above the limit
    const char* northAbove;
};

void PrintTo(const SectorCase& c, std::ostream* out) {
    *out << c.limit << " degrees";
}

class CompassDirectionLimits : public testing::TestWithParam<SectorCase> {};

// Each sector includes its upper limit: the limit itself and the double just below it give the
// sector's name, the double just above it gives the next sector's.
TEST_P(CompassDirectionLimits, SectorIncludesItsUpperLimit) {
    const SectorCase& c = GetParam();
    const double below = std::nextafter(c.limit, 0.0);
    const double above = std::nextafter(c.limit, 1000.0);
    for (double a : {below, c.limit}) {
        EXPECT_EQ(CompassDirectionName(a), AnsiString::FromUtf8(c.south)) << a;
        EXPECT_EQ(CompassDirectionName(-a), AnsiString::FromUtf8(c.north)) << -a;
    }
    EXPECT_EQ(CompassDirectionName(above), AnsiString::FromUtf8(c.southAbove)) << above;
    EXPECT_EQ(CompassDirectionName(-above), AnsiString::FromUtf8(c.northAbove)) << -above;
}

INSTANTIATE_TEST_SUITE_P(Table, CompassDirectionLimits,
                         testing::Values(SectorCase{11.25, "西", "西", "西南西", "西北西"},
                                         SectorCase{33.75, "西南西", "西北西", "南西", "北西"},
                                         SectorCase{56.25, "南西", "北西", "南南西", "北北西"},
                                         SectorCase{78.75, "南南西", "北北西", "南", "北"},
                                         SectorCase{101.25, "南", "北", "南南東", "北北東"},
                                         SectorCase{123.75, "南南東", "北北東", "南東", "北東"},
                                         SectorCase{146.25, "南東", "北東", "東南東", "東北東"},
                                         SectorCase{168.75, "東南東", "東北東", "東", "東"}));

TEST(CompassDirectionTest, EndsOfTheRange) {
    EXPECT_EQ(CompassDirectionName(0.0), u8"西"_sj);
    EXPECT_EQ(CompassDirectionName(-0.0), u8"西"_sj);
    EXPECT_EQ(CompassDirectionName(180.0), u8"東"_sj);
    EXPECT_EQ(CompassDirectionName(-180.0), u8"東"_sj);
    EXPECT_EQ(CompassDirectionName(90.0), u8"南"_sj);
    EXPECT_EQ(CompassDirectionName(-90.0), u8"北"_sj);
    EXPECT_EQ(CompassDirectionName(std::nan("")), AnsiString(""));
}

} // namespace
