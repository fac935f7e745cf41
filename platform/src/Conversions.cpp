#include "platform/Conversions.h"

#include "platform/Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <optional>
#include <string>
#include <string_view>

namespace {

// Decimal digits of |value|, at least the first 16 of them as the exact value has them (enough
// to round to 15 digits as the exact value rounds), and the exponent of the first digit:
// |value| = d1.d2d3... x 10^exponent.
struct Decimal {
    std::string digits;
    int exponent = 0;
};

// |value| = m x 2^e with m odd (value finite, not 0).
struct BinaryForm {
    std::uint64_t m;
    int e;
};

BinaryForm BinaryFormOf(double value) {
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(value), &exponent);
    BinaryForm form{static_cast<std::uint64_t>(std::ldexp(fraction, 53)), exponent - 53};
    while (form.m != 0 && (form.m & 1) == 0) {
        form.m >>= 1;
        ++form.e;
    }
    return form;
}

// Whether the exact decimal value of |value| (finite, not 0) has at most 18 significant digits:
// m x 2^e is m x 5^-e x 10^e, and m x 5^-e has no trailing zero (m is odd).
bool HasAtMost18Digits(double value) {
    const BinaryForm form = BinaryFormOf(value);
    if (form.e >= 0) {
        return std::fabs(value) < 1e18;
    }
    constexpr std::uint64_t kTenTo18 = 1000000000000000000ULL;
    if (form.m >= kTenTo18) {
        return false;
    }
    const std::uint64_t bound = (kTenTo18 - 1) / form.m;
    std::uint64_t power = 1;
    for (int k = 0; k < -form.e; ++k) {
        power *= 5;
        if (power > bound) {
            return false;
        }
    }
    return true;
}

// Whether the exact decimal value of |value| (finite) ends within `digits` digits after the point.
bool EndsWithinFraction(double value, int digits) {
    return value == 0.0 || BinaryFormOf(value).e >= -digits;
}

// A correctly rounded decimal form with more digits than a caller needs has the needed digits
// of the exact value when the digits after them (guard digits) are neither all "0" nor all "9":
// a carry into the needed digits would leave every guard digit "0", and a carry in any longer
// rounding needs exact guard digits that are all "9".
bool GuardDigitsDecide(const char* first, const char* last) {
    return std::find_if(first, last, [](char c) { return c != '0'; }) != last &&
           std::find_if(first, last, [](char c) { return c != '9'; }) != last;
}

// Significant digits that FastDigits asks for: 16 needed ones and 9 guard digits.
constexpr int kFastDigits = 25;

// The first 25 significant digits of |value| from a correctly rounded conversion, when they
// hold the first 16 digits of the exact value; nothing otherwise.
std::optional<Decimal> FastDigits(double value) {
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                            std::chars_format::scientific, kFastDigits - 1);
    if (error != std::errc()) {
        return std::nullopt;
    }
    Decimal result;
    const char* p = buffer;
    for (; p < end && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') {
            result.digits += *p;
        }
    }
    if (result.digits.size() != kFastDigits || p == end ||
        (!HasAtMost18Digits(value) &&
         !GuardDigitsDecide(result.digits.data() + 16, result.digits.data() + kFastDigits))) {
        return std::nullopt;
    }
    result.exponent = std::atoi(std::string(p + 1, static_cast<const char*>(end)).c_str());
    return result;
}

// The digits from a short conversion where they decide, else printf's exact ones.
Decimal ExactDigits(double value) {
    if (auto fast = FastDigits(value)) {
        return *fast;
    }
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "%.60e", std::fabs(value));
    Decimal result;
    const char* p = buffer;
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') {
            result.digits += *p;
        }
    }
    if (*p == 'e') {
        result.exponent = std::atoi(p + 1);
    }
    return result;
}

// Rounds the digit string half up to `keep` digits; a carry out of the first digit raises the
// exponent.
void RoundDigits(Decimal& decimal, std::size_t keep) {
    if (decimal.digits.size() <= keep) {
        return;
    }
    bool up = decimal.digits[keep] >= '5';
    decimal.digits.resize(keep);
    if (!up) {
        return;
    }
    int i = static_cast<int>(keep) - 1;
    while (i >= 0) {
        if (decimal.digits[static_cast<std::size_t>(i)] == '9') {
            decimal.digits[static_cast<std::size_t>(i)] = '0';
            --i;
        } else {
            ++decimal.digits[static_cast<std::size_t>(i)];
            break;
        }
    }
    if (i < 0) {
        decimal.digits.insert(decimal.digits.begin(), '1');
        decimal.digits.resize(keep);
        ++decimal.exponent;
    }
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

[[noreturn]] void ThrowNotFloat(const AnsiString& text) {
    throw EConvertError("'" + text.ToUtf8() + "' は有効な浮動小数点数ではありません。");
}

[[noreturn]] void ThrowNotInteger(const AnsiString& text) {
    throw EConvertError("'" + text.ToUtf8() + "' は有効な整数値ではありません。");
}

// Length of the decimal number (sign, digits, point, exponent) at the start of `s`; 0 when
// there is none. Leading blanks are not part of it.
std::size_t NumberPrefix(const std::string& s, std::size_t from) {
    std::size_t i = from;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        ++i;
    }
    std::size_t mantissaDigits = 0;
    while (i < s.size() && IsDigit(s[i])) {
        ++i;
        ++mantissaDigits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) {
        return 0;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            ++j;
        }
        if (j < s.size() && IsDigit(s[j])) {
            while (j < s.size() && IsDigit(s[j])) {
                ++j;
            }
            i = j;
        }
    }
    return i - from;
}

locale_t CLocale() {
    static locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return cLocale;
}

// Parses a number that NumberPrefix accepted, independent of the process locale.
double ParseNumber(const std::string& s, std::size_t from, std::size_t length, bool& overflow) {
    std::string piece = s.substr(from, length);
    errno = 0;
    char* end = nullptr;
    double value = strtod_l(piece.c_str(), &end, CLocale());
    overflow = errno == ERANGE && std::isinf(value);
    return value;
}

// FloatToStr rounds the few largest doubles up to "1.79769313486232E308", a little beyond the
// largest double. True when a number that NumberPrefix accepted lies within that text's
// magnitude, so that such texts read back (as the largest double). The decimal digits are
// compared exactly: the text's significant digits without leading and trailing zeros, and the
// power of ten of the first of them.
bool WithinLargestText(const std::string& s, std::size_t from, std::size_t length) {
    constexpr std::string_view kLargestDigits = "179769313486232";
    constexpr long long kLargestExponent = 308;
    // Far beyond any exponent that a finite double's text can need; stops the count there.
    constexpr long long kExponentBound = 1'000'000'000;
    const std::string_view number = std::string_view(s).substr(from, length);
    std::size_t i = 0;
    if (i < number.size() && (number[i] == '+' || number[i] == '-')) {
        ++i;
    }
    std::string digits;
    long long exponent = -1; // of the first significant digit, before the written exponent
    bool beforePoint = true;
    for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
        if (number[i] == '.') {
            beforePoint = false;
        } else if (!digits.empty() || number[i] != '0') {
            digits += number[i];
            if (beforePoint) {
                ++exponent;
            }
        } else if (!beforePoint) {
            --exponent; // a leading zero after the point
        }
    }
    if (digits.empty()) {
        return true; // zero
    }
    if (i < number.size()) {
        ++i;
        const bool negative = i < number.size() && number[i] == '-';
        if (i < number.size() && (number[i] == '+' || number[i] == '-')) {
            ++i;
        }
        long long written = 0;
        for (; i < number.size(); ++i) {
            written = std::min(written * 10 + (number[i] - '0'), kExponentBound);
        }
        exponent += negative ? -written : written;
    }
    if (exponent != kLargestExponent) {
        return exponent < kLargestExponent;
    }
    digits.erase(digits.find_last_not_of('0') + 1);
    return digits <= kLargestDigits;
}

// Digits after the point that the exact value of any double ends within: the smallest
// subnormal is 2^-1074, and m x 2^-k has k digits after the point.
constexpr int kMaxFractionDigits = 1074;

// |value| in fixed notation with enough digits after the point to round it to `decimals`
// (0 to kMaxFractionDigits): the kept digits and the next one are those of the exact value.
std::string FixedDigits(double value, int decimals) {
    // Twenty digits more than kept: the first decides the rounding, the others are guard digits.
    constexpr int kExtra = 20;
    // 309 digits before the point at most, the point, the digits after it.
    std::string digits(310 + static_cast<std::size_t>(decimals + kExtra), '\0');
    const auto [end, error] =
        std::to_chars(digits.data(), digits.data() + digits.size(), std::fabs(value),
                      std::chars_format::fixed, decimals + kExtra);
    if (error == std::errc() && (EndsWithinFraction(value, decimals + kExtra) ||
                                 GuardDigitsDecide(end - (kExtra - 1), end))) {
        digits.resize(static_cast<std::size_t>(end - digits.data()));
        return digits;
    }
    // All the digits of the exact value, which ends -e digits after the point, more than
    // decimals + kExtra here (glibc prints the exact binary value).
    const int exactDigits = -BinaryFormOf(value).e;
    const int length = std::snprintf(nullptr, 0, "%.*f", exactDigits, std::fabs(value));
    digits.assign(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(digits.data(), digits.size(), "%.*f", exactDigits, std::fabs(value));
    digits.resize(static_cast<std::size_t>(length));
    return digits;
}

} // namespace

AnsiString FloatToStr(double value) {
    if (std::isnan(value)) {
        return "NAN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-INF" : "INF";
    }
    if (value == 0.0) {
        return "0";
    }
    Decimal decimal = ExactDigits(value);
    RoundDigits(decimal, 15);
    while (decimal.digits.size() > 1 && decimal.digits.back() == '0') {
        decimal.digits.pop_back();
    }
    std::string out = value < 0 ? "-" : "";
    const int leading = decimal.exponent + 1; // digits before the point
    const std::string& d = decimal.digits;
    if (leading > 15 || leading < -3) {
        out += d[0];
        if (d.size() > 1) {
            out += '.';
            out += d.substr(1);
        }
        out += 'E';
        out += std::to_string(decimal.exponent);
        return out;
    }
    if (leading <= 0) {
        out += "0.";
        out += std::string(static_cast<std::size_t>(-leading), '0');
        out += d;
        return out;
    }
    std::size_t whole = static_cast<std::size_t>(leading);
    if (d.size() <= whole) {
        out += d;
        out += std::string(whole - d.size(), '0');
    } else {
        out += d.substr(0, whole);
        out += '.';
        out += d.substr(whole);
    }
    return out;
}

AnsiString FormatFixed(double value, int decimals) {
    if (std::isnan(value)) {
        return "NAN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-INF" : "INF";
    }
    if (decimals < 0) {
        decimals = 0;
    }
    if (decimals > kMaxFractionDigits) {
        // The exact value ends before the digit that would decide the rounding: the rest are
        // zeros.
        const std::size_t zeros = static_cast<std::size_t>(decimals - kMaxFractionDigits);
        AnsiString text = FormatFixed(value, kMaxFractionDigits);
        text.str().reserve(text.str().size() + zeros);
        text.str().append(zeros, '0');
        return text;
    }
    const std::string exact = FixedDigits(value, decimals);
    // The point is whatever the C library's locale prints: find the first non-digit.
    std::size_t point = exact.find_first_not_of("0123456789");
    std::string whole = exact.substr(0, point);
    std::string fraction = exact.substr(point + 1);
    std::string digits = whole + fraction.substr(0, static_cast<std::size_t>(decimals));
    bool up = fraction[static_cast<std::size_t>(decimals)] >= '5';
    if (up) {
        int i = static_cast<int>(digits.size()) - 1;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') {
            digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i < 0) {
            digits.insert(digits.begin(), '1');
        } else {
            ++digits[static_cast<std::size_t>(i)];
        }
    }
    std::size_t wholeLength = digits.size() - static_cast<std::size_t>(decimals);
    std::string out = digits.substr(0, wholeLength);
    if (decimals > 0) {
        out += '.';
        out += digits.substr(wholeLength);
    }
    bool allZero = out.find_first_not_of("0.") == std::string::npos;
    if (value < 0 && !allZero) {
        out.insert(out.begin(), '-');
    }
    return out;
}

double StrToFloat(const AnsiString& text) {
    const std::string& s = text.str();
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') {
        ++i;
    }
    std::size_t length = NumberPrefix(s, i);
    if (length == 0) {
        ThrowNotFloat(text);
    }
    std::size_t end = i + length;
    while (end < s.size() && s[end] == ' ') {
        ++end;
    }
    if (end != s.size()) {
        ThrowNotFloat(text);
    }
    bool overflow = false;
    double value = ParseNumber(s, i, length, overflow);
    if (overflow || std::isinf(value)) {
        if (!WithinLargestText(s, i, length)) {
            ThrowNotFloat(text);
        }
        value =
            s[i] == '-' ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
    }
    return value;
}

std::int32_t StrToInt(const AnsiString& text) {
    const std::string& s = text.str();
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= s.size()) {
        ThrowNotInteger(text);
    }
    std::int64_t value = 0;
    for (; i < s.size(); ++i) {
        char c = s[i];
        int digit;
        if (IsDigit(c)) {
            digit = c - '0';
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            ThrowNotInteger(text);
        }
        value = value * base + digit;
        if (value > 0x100000000LL) {
            ThrowNotInteger(text);
        }
    }
    if (negative) {
        value = -value;
    }
    if (base == 16 && !negative && value > std::numeric_limits<std::int32_t>::max() &&
        value <= 0xFFFFFFFFLL) {
        // Hexadecimal texts name the bit pattern of the 32-bit value.
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    }
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        ThrowNotInteger(text);
    }
    return static_cast<std::int32_t>(value);
}

std::int32_t StrToIntDef(const AnsiString& text, std::int32_t fallback) {
    try {
        return StrToInt(text);
    } catch (const EConvertError&) {
        return fallback;
    }
}

std::int32_t CAtol(const AnsiString& text) {
    const std::string& s = text.str();
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    std::int64_t value = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i) {
        value = value * 10 + (s[i] - '0');
        if (value > 0x80000000LL) {
            value = 0x80000000LL;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > std::numeric_limits<std::int32_t>::max()) {
        value = std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(value);
}

double CAtof(const AnsiString& text) {
    const std::string& s = text.str();
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r'))) {
        ++i;
    }
    std::size_t length = NumberPrefix(s, i);
    if (length == 0) {
        return 0.0;
    }
    bool overflow = false;
    double value = ParseNumber(s, i, length, overflow);
    if (overflow) {
        return s[i] == '-' ? -HUGE_VAL : HUGE_VAL;
    }
    return value;
}

AnsiString IntToStr(std::int64_t value) {
    return AnsiString(std::to_string(value));
}
