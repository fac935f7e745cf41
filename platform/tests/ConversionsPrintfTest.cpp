// FloatToStr and FormatFixed take their digits from a short correctly rounded conversion where
// that decides them; this test holds them to the exact digits that printf gives, over many
// values, including the ones whose short form ends in zeros or nines.
#include "platform/Conversions.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

// The two conversions as made from printf's exact digits (%.60e and %.*f with 30 more digits).
struct Digits {
    std::string digits;
    int exponent = 0;
};

std::string PrintfFloatToStr(double value) {
    if (std::isnan(value)) {
        return "NAN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-INF" : "INF";
    }
    if (value == 0.0) {
        return "0";
    }
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "%.60e", std::fabs(value));
    Digits decimal;
    const char* p = buffer;
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') {
            decimal.digits += *p;
        }
    }
    decimal.exponent = std::atoi(p + 1);
    const bool up = decimal.digits[15] >= '5';
    decimal.digits.resize(15);
    if (up) {
        int i = 14;
        for (; i >= 0 && decimal.digits[static_cast<std::size_t>(i)] == '9'; --i) {
            decimal.digits[static_cast<std::size_t>(i)] = '0';
        }
        if (i >= 0) {
            ++decimal.digits[static_cast<std::size_t>(i)];
        } else {
            decimal.digits.insert(decimal.digits.begin(), '1');
            decimal.digits.resize(15);
            ++decimal.exponent;
        }
    }
    while (decimal.digits.size() > 1 && decimal.digits.back() == '0') {
        decimal.digits.pop_back();
    }
    std::string out = value < 0 ? "-" : "";
    const int leading = decimal.exponent + 1;
    const std::string& d = decimal.digits;
    if (leading > 15 || leading < -3) {
        out += d.substr(0, 1);
        if (d.size() > 1) {
            out.append(".").append(d, 1);
        }
        out.append("E").append(std::to_string(decimal.exponent));
    } else if (leading <= 0) {
        out += "0." + std::string(static_cast<std::size_t>(-leading), '0') + d;
    } else if (d.size() <= static_cast<std::size_t>(leading)) {
        out += d + std::string(static_cast<std::size_t>(leading) - d.size(), '0');
    } else {
        out += d.substr(0, static_cast<std::size_t>(leading)) + "." +
               d.substr(static_cast<std::size_t>(leading));
    }
    return out;
}

std::string PrintfFormatFixed(double value, int decimals) {
    std::string exact(1100, '\0');
    exact.resize(static_cast<std::size_t>(
        std::snprintf(exact.data(), exact.size(), "%.*f", decimals + 30, std::fabs(value))));
    const std::size_t point = exact.find('.');
    const std::string fraction = exact.substr(point + 1);
    std::string digits =
        exact.substr(0, point) + fraction.substr(0, static_cast<std::size_t>(decimals));
    if (fraction[static_cast<std::size_t>(decimals)] >= '5') {
        int i = static_cast<int>(digits.size()) - 1;
        for (; i >= 0 && digits[static_cast<std::size_t>(i)] == '9'; --i) {
            digits[static_cast<std::size_t>(i)] = '0';
        }
        if (i < 0) {
            digits.insert(digits.begin(), '1');
        } else {
            ++digits[static_cast<std::size_t>(i)];
        }
    }
    const std::size_t whole = digits.size() - static_cast<std::size_t>(decimals);
    std::string out = digits.substr(0, whole);
    if (decimals > 0) {
        out.append(".").append(digits, whole);
    }
    if (value < 0 && out.find_first_not_of("0.") != std::string::npos) {
        out.insert(out.begin(), '-');
    }
    return out;
}

std::vector<double> Values() {
    std::vector<double> values;
    // Tenths, hundredths and thousandths as distances and prices are rounded to, halves and
    // eighths (whose short forms end in zeros), and their neighbours.
    for (int k = -30000; k <= 30000; ++k) {
        for (double scale : {10.0, 100.0, 1000.0, 8.0}) {
            const double v = k / scale;
            values.push_back(v);
            if (k % 97 == 0) {
                values.push_back(std::nextafter(v, HUGE_VAL));
                values.push_back(std::nextafter(v, -HUGE_VAL));
            }
        }
    }
    // Powers of ten and their neighbours, the limits of the notations, extremes.
    for (int e = -320; e <= 308; ++e) {
        const double v = std::pow(10.0, e);
        values.insert(values.end(), {v, std::nextafter(v, 0.0), std::nextafter(v, HUGE_VAL),
                                     9.999999999999999 * v, 0.9999999999999999 * v});
    }
    values.insert(values.end(), {DBL_MAX, -DBL_MAX, DBL_MIN, DBL_TRUE_MIN, 0.1 + 0.2,
                                 999999999999999.5, 1e15 - 0.5, 0.00009999999999999999,
                                 123456789012345678.0, 2.675, 1.005, 0.045, 4.9995});
    // Random numbers of every magnitude, and random bit patterns.
    std::mt19937_64 random(20250401);
    std::uniform_real_distribution<double> distance(0.0, 200.0);
    for (int i = 0; i < 60000; ++i) {
        values.push_back(distance(random));
        std::uint64_t bits = random();
        double v = 0;
        std::memcpy(&v, &bits, sizeof v);
        if (std::isfinite(v)) {
            values.push_back(v);
        }
    }
    return values;
}

TEST(ConversionsPrintfTest, FloatToStrGivesWhatExactDigitsGive) {
    for (double value : Values()) {
        ASSERT_EQ(FloatToStr(value).str(), PrintfFloatToStr(value))
            << testing::PrintToString(value);
    }
}

TEST(ConversionsPrintfTest, FormatFixedGivesWhatExactDigitsGive) {
    for (double value : Values()) {
        if (std::fabs(value) > 1e30) {
            continue; // the exact digits are printed alike; checked once below
        }
        for (int decimals : {0, 1, 2, 3, 6}) {
            ASSERT_EQ(FormatFixed(value, decimals).str(), PrintfFormatFixed(value, decimals))
                << testing::PrintToString(value) << " to " << decimals;
        }
    }
    for (double value : {DBL_MAX, -1e300, 1e200 + 0.5}) {
        EXPECT_EQ(FormatFixed(value, 1).str(), PrintfFormatFixed(value, 1));
    }
}

} // namespace
