#include "model/LMyMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

enum class Op { HalfUp, Up, Down, Significant };

struct RoundCase {
    int id;
    Op op;
    double x;
    int n;
    double expected;
};

void PrintTo(const RoundCase& c, std::ostream* out) {
    *out << "case " << c.id;
}

double Apply(const RoundCase& c) {
    LMyMath math;
    switch (c.op) {
    case Op::HalfUp:
        return math.RoundHalfUp(c.x, c.n);
    case Op::Up:
        return math.RoundUp(c.x, c.n);
    case Op::Down:
        return math.RoundDown(c.x, c.n);
    case Op::Significant:
        return math.RoundDownSignificant(c.x, c.n);
    }
    return NAN;
}

class LMyMathTest : public testing::TestWithParam<RoundCase> {};

TEST_P(LMyMathTest, Rounds) {
    const RoundCase& c = GetParam();
    // Results are the quotient of a whole number and a power of ten, so they must match the
    // nearest double of the expected decimal exactly.
    EXPECT_EQ(Apply(c), c.expected) << "case " << c.id;
}

INSTANTIATE_TEST_SUITE_P(
    Table, LMyMathTest,
    testing::Values(
        // Half up, both sides of each half.
        RoundCase{1, Op::HalfUp, 2.25, 1, 2.3}, RoundCase{2, Op::HalfUp, 2.35, 1, 2.4},
        RoundCase{3, Op::HalfUp, 12.34, 1, 12.3}, RoundCase{4, Op::HalfUp, 0.05, 1, 0.1},
        RoundCase{5, Op::HalfUp, 1.005, 2, 1.0}, RoundCase{6, Op::HalfUp, 1.599, 2, 1.6},
        RoundCase{7, Op::HalfUp, 1.594, 2, 1.59}, RoundCase{8, Op::HalfUp, 4.9499, 1, 4.9},
        RoundCase{9, Op::HalfUp, 4.95, 1, 5.0}, RoundCase{10, Op::HalfUp, 0.0, 1, 0.0},
        RoundCase{11, Op::HalfUp, 1234.5, 0, 1235.0},
        RoundCase{12, Op::HalfUp, 1234.4999, 0, 1234.0},
        // Negative values truncate toward zero after adding 0.5.
        RoundCase{13, Op::HalfUp, -2.25, 1, -2.2}, RoundCase{14, Op::HalfUp, -2.26, 1, -2.2},
        // Up to tens and hundreds: exact multiples stay, anything above goes up.
        RoundCase{20, Op::Up, 1230, -1, 1230}, RoundCase{21, Op::Up, 1231, -1, 1240},
        RoundCase{22, Op::Up, 1200, -2, 1200}, RoundCase{23, Op::Up, 1201, -2, 1300},
        RoundCase{24, Op::Up, 1229.999, -1, 1230}, RoundCase{25, Op::Up, 31200, -1, 31200},
        RoundCase{26, Op::Up, 31201, -2, 31300}, RoundCase{27, Op::Up, -1231, -1, -1230},
        // Down.
        RoundCase{30, Op::Down, 12345.678, -1, 12340}, RoundCase{31, Op::Down, 2.999, 2, 2.99},
        RoundCase{32, Op::Down, -1.5, 0, -2}, RoundCase{33, Op::Down, 12000.0, 0, 12000},
        RoundCase{34, Op::Down, 11999.999, 0, 11999},
        // Significant digits, counted on the general text form.
        RoundCase{40, Op::Significant, 12345.678, 4, 12340},
        RoundCase{41, Op::Significant, 123.456, 4, 123.4},
        RoundCase{42, Op::Significant, 1234567.5, 4, 1234000},
        RoundCase{43, Op::Significant, 0.012345, 4, 0.012},
        RoundCase{44, Op::Significant, 12345, 4, 12345},
        RoundCase{45, Op::Significant, 12345.6, 4, 12340},
        RoundCase{46, Op::Significant, 12000.0, 4, 12000},
        RoundCase{47, Op::Significant, 9999.99, 4, 9999},
        RoundCase{48, Op::Significant, -123.456, 4, -124}, // the minus sign counts as a digit
        // Scaled values beyond the 32-bit range come out right instead of wrapping.
        RoundCase{60, Op::Significant, 214749.0, 4, 214749.0},
        RoundCase{68, Op::Significant, 3000000.0, 4, 3000000.0},
        RoundCase{61, Op::Significant, 987654321.5, 4, 987600000},
        RoundCase{62, Op::HalfUp, 3000000000.4, 0, 3000000000.0},
        RoundCase{63, Op::Up, 2147483647.5, 0, 2147483648.0},
        RoundCase{64, Op::Down, -2147483648.5, 0, -2147483649.0},
        RoundCase{65, Op::Down, 1e300, 0, 1e300},
        RoundCase{66, Op::HalfUp, 123456.789, 5, 123456.789}),
    [](const testing::TestParamInfo<RoundCase>& info) {
        return "Case" + std::to_string(info.param.id);
    });

TEST(LMyMathTest, RadiansToDegrees) {
    LMyMath math;
    EXPECT_EQ(math.RadToDeg(std::numbers::pi), 180.0);
    EXPECT_EQ(math.RadToDeg(-std::numbers::pi / 2), -90.0);
    EXPECT_EQ(math.RadToDeg(0.0), 0.0);
}

} // namespace
