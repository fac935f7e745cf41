#include "platform/Conversions.h"
#include "platform/Exceptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct FloatTextCase {
    double value;
    const char* text;
};

void PrintTo(const FloatTextCase& c, std::ostream* out) {
    *out << c.text;
}

class FloatToStrTest : public testing::TestWithParam<FloatTextCase> {};

TEST_P(FloatToStrTest, GivesShortestFormWithFifteenDigits) {
    EXPECT_EQ(FloatToStr(GetParam().value), AnsiString(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FloatToStrTest,
    testing::Values(FloatTextCase{60.0, "60"}, FloatTextCase{9.999, "9.999"},
                    FloatTextCase{10.0 - 0.001, "9.999"}, FloatTextCase{5.0 - 0.001, "4.999"},
                    FloatTextCase{1.5e-6, "1.5E-6"}, FloatTextCase{0.0001, "0.0001"},
                    FloatTextCase{0.00012, "0.00012"}, FloatTextCase{0.00001, "1E-5"},
                    FloatTextCase{0.0, "0"}, FloatTextCase{12.3, "12.3"},
                    FloatTextCase{-2.5, "-2.5"}, FloatTextCase{0.1 + 0.2, "0.3"},
                    FloatTextCase{1.0 / 3.0, "0.333333333333333"},
                    FloatTextCase{2.0 / 3.0, "0.666666666666667"},
                    FloatTextCase{999999999999999.0, "999999999999999"},
                    FloatTextCase{1e15, "1E15"}, FloatTextCase{1.25e20, "1.25E20"},
                    FloatTextCase{35.0984100015, "35.0984100015"},
                    FloatTextCase{-136.56104336263, "-136.56104336263"},
                    FloatTextCase{0.9999999999999999, "1"}));

TEST(ConversionsTest, FormatFixedRoundsHalvesAwayFromZero) {
    struct Case {
        double value;
        const char* text;
    } cases[] = {{2.25, "2.3"}, {12.34, "12.3"}, {0.0, "0.0"},    {5.0, "5.0"},     {60.0, "60.0"},
                 {0.05, "0.1"}, {9.96, "10.0"},  {-1.25, "-1.3"}, {123.45, "123.5"}};
    for (const Case& c : cases) {
        EXPECT_EQ(FormatFixed(c.value, 1), AnsiString(c.text)) << c.value;
    }
}

// Any count of digits gives the exact value rounded to it, beyond the last digit of the exact
// value too (2^-1074 ends 1074 digits after the point).
TEST(ConversionsTest, FormatFixedGivesTheExactDigitsForAnyCount) {
    const double tiny = std::numeric_limits<double>::denorm_min();
    const std::string tenth = "0.1000000000000000055511151231257827021181583404541015625";
    struct Case {
        double value;
        int decimals;
        std::string begin;
        std::string end;
        std::size_t size;
    } cases[] = {
        {-1.5, 2000, "-1.5000", "0000", 2003},
        {0.1, 1100, tenth, "0000", 1102},
        {0.1, 54, tenth.substr(0, 55), "454101563", 56}, // a half at the last digit
        {tiny, 1074, "0.0000", "19718265533447265625", 1076},
        {tiny, 1073, "0.0000", "1971826553344726563", 1075},
        {-tiny, 1075, "-0.0000", "197182655334472656250", 1078},
        {-1e308, 1100, "-100000000000000001097906362944045541740", "0000", 1411},
        {-0.0, 1500, "0.0000", "0000", 1502},
    };
    for (const Case& c : cases) {
        const std::string text = FormatFixed(c.value, c.decimals).str();
        SCOPED_TRACE(testing::Message() << c.value << " to " << c.decimals);
        EXPECT_EQ(text.size(), c.size);
        EXPECT_TRUE(text.starts_with(c.begin)) << text.substr(0, 60);
        EXPECT_TRUE(text.ends_with(c.end))
            << text.substr(text.size() - std::min<std::size_t>(60, text.size()));
        EXPECT_EQ(text.find_first_not_of("-.0123456789"), std::string::npos);
        EXPECT_EQ(text.find('.', text.find('.') + 1), std::string::npos);
    }
}

TEST(ConversionsTest, StrToFloatAcceptsDecimalTextsOnly) {
    struct Good {
        const char* text;
        double value;
    } good[] = {{"1.5", 1.5},   {" 2 ", 2.0}, {"-3e2", -300.0}, {".5", 0.5},
                {"5.", 5.0},    {"+1", 1.0},  {"60", 60.0},     {"12.5", 12.5},
                {"1E-3", 1e-3}, {"-0", 0.0},  {"0000.25", 0.25}};
    for (const Good& g : good) {
        EXPECT_DOUBLE_EQ(StrToFloat(g.text), g.value) << g.text;
    }
    const char* bad[] = {"",    " ",   "abc",   "1,5",  "1.5km", "1e",  "--1",
                         "inf", "nan", "1e999", "0x10", "1 2",   "\t1", "."};
    for (const char* text : bad) {
        EXPECT_THROW(StrToFloat(text), EConvertError) << text;
    }
}

// FloatToStr rounds the largest doubles up to a text a little beyond the largest double; such
// texts read back as the largest double, and only texts beyond them overflow.
TEST(ConversionsTest, EveryFloatToStrTextReadsBack) {
    const double largest = std::numeric_limits<double>::max();
    const double values[] = {largest,
                             -largest,
                             std::nextafter(largest, 0.0),
                             std::nextafter(std::nextafter(largest, 0.0), 0.0),
                             1.797693134862315e308,
                             1.79769313486231e308,
                             std::numeric_limits<double>::denorm_min(),
                             -std::numeric_limits<double>::min()};
    for (const double value : values) {
        const AnsiString text = FloatToStr(value);
        SCOPED_TRACE(text.str());
        const double back = StrToFloat(text);
        EXPECT_EQ(FloatToStr(back), text);
        EXPECT_EQ(std::signbit(back), std::signbit(value));
    }
    EXPECT_EQ(FloatToStr(largest), AnsiString("1.79769313486232E308"));
    EXPECT_EQ(StrToFloat("1.79769313486232E308"), largest);
    EXPECT_EQ(StrToFloat(" -1.79769313486232e+308 "), -largest);
    for (const char* text : {"1.797693134862321E308", "1.8E308", "-1.8e308", "1E309"}) {
        EXPECT_THROW(StrToFloat(text), EConvertError) << text;
    }
}

// The bound is the text's exact decimal value: a text up to "1.79769313486232E308", however
// written, reads as the largest double; one beyond it by any digit raises, also where the
// difference lies below the precision of a long double.
TEST(ConversionsTest, TextsBeyondTheLargestTextRaiseByTheirExactValue) {
    const double largest = std::numeric_limits<double>::max();
    const std::string largestWhole = "179769313486232" + std::string(294, '0');
    const std::string within[] = {
        "1.7976931348623199999999999999E308",
        "1.797693134862320000000000E308",
        "179769313486232E294",
        "0.0000179769313486232e+313",
        "-000.179769313486232E309",
        largestWhole,
        largestWhole + ".000",
        "17976931348623.2E295",
    };
    for (const std::string& text : within) {
        EXPECT_EQ(std::fabs(StrToFloat(text)), largest) << text;
    }
    const std::string beyond[] = {
        "1.7976931348623200000000001E308",
        "1.797693134862320000000000000000000000000001E308",
        "-1.79769313486232000001e308",
        "179769313486232.0000000001E294",
        "0.179769313486232000000001E309",
        largestWhole + ".0000001",
        "1797693134862320" + std::string(294, '0'),
        "1E99999999999999999999",
    };
    for (const std::string& text : beyond) {
        EXPECT_THROW(StrToFloat(text), EConvertError) << text;
    }
}

TEST(ConversionsTest, StrToIntAcceptsWholeNumbersInRange) {
    struct Good {
        const char* text;
        int value;
    } good[] = {{"12", 12},
                {" 12", 12},
                {"-5", -5},
                {"+7", 7},
                {"$FF", 255},
                {"0x10", 16},
                {"2147483647", 2147483647},
                {"-2147483648", -2147483647 - 1}};
    for (const Good& g : good) {
        EXPECT_EQ(StrToInt(g.text), g.value) << g.text;
    }
    const char* bad[] = {"",    "12 ", "1.5", "12345円", "2147483648", "-2147483649",
                         "abc", "-",   "$",   "0x",      "1e3"};
    for (const char* text : bad) {
        EXPECT_THROW(StrToInt(AnsiString::FromUtf8(text)), EConvertError) << text;
    }
    EXPECT_EQ(StrToIntDef("x", -1), -1);
    EXPECT_EQ(StrToIntDef("", 0), 0);
    EXPECT_EQ(StrToIntDef("42", 0), 42);
}

TEST(ConversionsTest, CAtolAndCAtofReadTheLeadingNumber) {
    EXPECT_EQ(CAtol(u8"12345円"_sj), 12345);
    EXPECT_EQ(CAtol(""), 0);
    EXPECT_EQ(CAtol("  -42abc"), -42);
    EXPECT_EQ(CAtol("abc"), 0);
    EXPECT_EQ(CAtol("3.9"), 3);
    EXPECT_EQ(CAtol("99999999999"), 2147483647);
    EXPECT_DOUBLE_EQ(CAtof("1.5abc"), 1.5);
    EXPECT_DOUBLE_EQ(CAtof("x"), 0.0);
    EXPECT_DOUBLE_EQ(CAtof(" 2e3"), 2000.0);
    EXPECT_DOUBLE_EQ(CAtof(".5"), 0.5);
    EXPECT_DOUBLE_EQ(CAtof("-"), 0.0);
    EXPECT_DOUBLE_EQ(CAtof("7e"), 7.0);
}

TEST(ConversionsTest, ConversionsIgnoreTheProcessLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
        GTEST_SKIP() << "no locale with a decimal comma installed";
    }
    EXPECT_DOUBLE_EQ(StrToFloat("1.5"), 1.5);
    EXPECT_EQ(FormatFixed(2.25, 1), AnsiString("2.3"));
    EXPECT_EQ(FloatToStr(9.999), AnsiString("9.999"));
    std::setlocale(LC_NUMERIC, saved.c_str());
}

} // namespace
