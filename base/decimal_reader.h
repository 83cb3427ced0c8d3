// A decimal number read digit by digit, shared by the parsers of typed
// numbers. The digits are kept as a whole number and divided by the power of
// ten only when the value is taken, so that "0.1" reads as the number
// nearest 0.1; extended precision keeps long runs of digits exact.
#pragma once

// 10 to the power n (n >= 0), by repeated squaring in extended precision.
inline long double pow10_ld(int n)
{
    long double result = 1.0L;
    long double base = 10.0L;
    for (unsigned k = static_cast<unsigned>(n); k != 0; k >>= 1) {
        if (k & 1)
            result *= base;
        base *= base;
    }
    return result;
}

struct decimal_reader {
    long double digits = 0.0L;
    int fraction_digits = 0; // digits read after the point
    bool in_fraction = false;

    void add_digit(int d)
    {
        digits = digits * 10.0L + d;
        if (in_fraction)
            ++fraction_digits;
    }
    // Starts the fractional digits; false when they had already started.
    bool start_fraction()
    {
        if (in_fraction)
            return false;
        in_fraction = true;
        return true;
    }
    long double value() const { return digits / pow10_ld(fraction_digits); }
    void clear() { *this = decimal_reader(); }
};
