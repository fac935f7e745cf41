#pragma once

#include "platform/AnsiString.h"

#include <cstdint>

// Number-to-text and text-to-number conversions with the rules the system's data and display
// rely on. None of them depends on the process locale: "." is always the decimal point.

// General format with at most 15 significant digits: shortest decimal form, trailing zeros
// dropped, no point for a whole number, scientific form ("1.5E-6", "1E15") below 0.0001 in
// magnitude or with more than 15 digits before the point.
AnsiString FloatToStr(double value);

// Fixed format with `decimals` digits after the point (none for a negative count), the exact
// value rounded to them, halves away from zero (FormatFixed(2.25, 1) is "2.3"); any count is
// honoured, digits beyond the exact value's last one are zeros.
AnsiString FormatFixed(double value, int decimals);

// Decimal text to double: optional blanks, optional sign, digits with an optional "." and an
// optional exponent, optional blanks. Anything else, an empty text or an overflow raises
// EConvertError. Every text FloatToStr gives reads back: a magnitude up to
// "1.79769313486232E308" (the largest double rounded to 15 digits) gives the largest double.
double StrToFloat(const AnsiString& text);

// Whole-number text to a 32-bit integer: optional leading blanks, optional sign, decimal digits
// (or hexadecimal after "$" or "0x"), nothing after them. Anything else or a value outside the
// 32-bit range raises EConvertError.
std::int32_t StrToInt(const AnsiString& text);
std::int32_t StrToIntDef(const AnsiString& text, std::int32_t fallback);

// C atol: leading white space, optional sign, the decimal digits that follow; the rest is
// ignored; no digits gives 0. Values beyond the 32-bit range are clamped to it.
std::int32_t CAtol(const AnsiString& text);

// C atof: leading white space, then the longest leading decimal number (sign, digits, point,
// exponent); no number gives 0.
double CAtof(const AnsiString& text);

AnsiString IntToStr(std::int64_t value);
