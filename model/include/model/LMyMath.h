#pragma once

// The rounding rules of the cost model. n > 0 counts decimals, n = 0 whole units, n < 0 tens
// (-1), hundreds (-2) and so on. Each operation scales by 10^n, rounds to a whole number and
// scales back; the whole number is held in 64 bits, so scaled values beyond the 32-bit range
// round correctly instead of wrapping.
class LMyMath {
public:
    // Halves away from zero upwards: v = x * 10^n, w = v + 0.5, truncated toward zero.
    double RoundHalfUp(double x, int n) const;
    // Toward +infinity.
    double RoundUp(double x, int n) const;
    // Toward -infinity.
    double RoundDown(double x, int n) const;
    // Down to n significant digits, counting every character before the decimal point of the
    // value's general text form (a leading "0" or a minus sign included) as a digit; a value
    // whose text has no point comes back unchanged.
    double RoundDownSignificant(double x, int n) const;
    // Radians to degrees.
    double RadToDeg(double x) const;
};
