// Number text of the program: values shown in engineering notation with an SI
// prefix letter (mantissa 1..1000, exponent a multiple of 3), the "%.*E" form
// with a shortened exponent, and the parser for values typed with SI suffixes.
// Pure text work: no windows, no state.
#pragma once
#include <cstddef>
#include <string>

// Engineering text with five significant digits and a blank before the prefix:
// 1234.5 -> "1.2345 k", -0.00123 -> "-1.2300 m", 5 -> "5.0000 ", 0 -> "0.0000 ".
// Outside the prefixes p..G the exponent is written out: 1e-13 -> "100.00E-15 ".
// Infinite and not-a-number values give "INF ", "-INF ", "NAN ". At most
// size - 1 characters are written, always NUL-terminated (nothing when size is 0).
void format_engineering(double value, char* out, size_t size);

// As format_engineering, without the blank before the prefix. precision -1
// (or any negative value) shows no decimals, 0 the automatic five significant
// digits, above 0 that many decimals. Zero gives "0.0000 " for precision 0 and
// otherwise "0." followed by precision zeros. Infinite and not-a-number values
// give "INF", "-INF", "NAN".
void format_engineering_compact(double value, char* out, size_t size, int precision);

// The prefix letter in place of the decimal point: 1234.5 -> "1k2345",
// 0.0047 -> "4m7", 12.5 -> "12" (no prefix: integer part only). Values outside
// the prefix range keep their exponent: 1e-13 -> "100E-15".
void double_to_text(double value, char* out, size_t size);

// "%.*E" with the exponent shortened: no plus sign and no leading zero, so
// 1234.5 with precision 5 -> "1.23450E3", 0.000012345 -> "1.23450E-5",
// 0 -> "0.00000E0". Writes at most size - 1 characters, NUL-terminated.
void format_exponent(char* out, size_t size, double value, int precision);

// Fixed notation with precision decimals, scaled by the power of 1000 that
// brings the magnitude into [1, 1000), followed by its letter (f p n u m k M G
// T P; none below 1e-15): 1500, 3 -> "1.500k". Exactly 0 gives "0.000".
std::string format_si_value(double value, int precision);

// Reads a typed number: sign, decimal point or comma, exponent, SI suffix
// letters (f p n u m k M G T P; F N U K g t also accepted). Each suffix scales
// only the digits before it, so "2k2" reads as 2002. *ok (when given) tells
// whether the whole text was a number: it is false for any other character,
// a second decimal point in one number, a text without digits, or a value
// beyond the range of a double (the result is then 0).
long double parse_si_value(const std::string& text, bool* ok = nullptr);

// The value cut to its leading digit: 3456 -> 3000, 0.0456 -> 0.04, -78 -> -70.
// 0, infinite and not-a-number values come back unchanged.
double truncate_to_leading_digit(double value);

// Appends suffix to text unless text already ends with it.
void append_suffix_if_missing(std::string& text, const std::string& suffix);
