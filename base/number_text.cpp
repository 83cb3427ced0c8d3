#include "base/number_text.h"

#include "base/decimal_reader.h"

#include <cfloat>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iomanip>
#include <sstream>

namespace {

// Prefix letters of the engineering forms, indexed by (exponent + 12) / 3.
const char* const kEngineeringPrefixes[] = {"p", "n", "u", "m", "", "k", "M", "G"};
constexpr int kLowestPrefixExponent = -12;
constexpr int kHighestPrefixExponent = 9;
// No double has more decimals than this in fixed or "%E" notation, so larger
// precisions only add zeros; they are cut here so that an absurd precision
// cannot exhaust memory or the stack.
constexpr int kMaxDecimals = 1100;

int clamp_decimals(int precision)
{
    return precision > kMaxDecimals ? kMaxDecimals : precision;
}

std::string printf_string(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int length = vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<size_t>(length) + 1);
        vsnprintf(&text[0], text.size(), format, again);
        text.resize(static_cast<size_t>(length));
    }
    va_end(again);
    return text;
}

// Copies text into out, cut to size - 1 characters and NUL-terminated.
void copy_text(char* out, size_t size, const std::string& text)
{
    if (size == 0)
        return;
    size_t n = text.size() < size - 1 ? text.size() : size - 1;
    memcpy(out, text.data(), n);
    out[n] = '\0';
}

// The sign, then the formatted body limited to size - 2 characters.
void put_signed(char* out, size_t size, bool negative, const std::string& body)
{
    size_t limit = size >= 2 ? size - 2 : 0;
    copy_text(out, size, (negative ? "-" : "") + body.substr(0, limit));
}

// The text of an infinite or not-a-number value, or false for a finite one.
bool non_finite_text(double value, std::string& text)
{
    if (std::isnan(value))
        text = "NAN";
    else if (std::isinf(value))
        text = value < 0 ? "-INF" : "INF";
    else
        return false;
    return true;
}

// The engineering form shared by the fixed and the compact variant.
// precision: the compact form's precision argument; for the fixed form 0
// (automatic decimals). blank: the blank between the number and the prefix.
void engineering(double value, char* out, size_t size, int precision, bool blank)
{
    if (size == 0)
        return;
    precision = clamp_decimals(precision);
    std::string special;
    if (non_finite_text(value, special)) {
        copy_text(out, size, special + (blank ? " " : ""));
        return;
    }
    if (value == 0.0) {
        if (blank || precision == 0)
            copy_text(out, size, "0.0000 ");
        else
            copy_text(out, size, "0." + std::string(precision > 0 ? precision : 0, '0'));
        return;
    }

    double magnitude = std::fabs(value);
    int e = static_cast<int>(std::floor(std::log10(magnitude)));
    int x = e > 0 ? (e / 3) * 3 : -3 * ((3 - e) / 3);

    // Scaled in extended precision: 10^-x overflows a double for denormals.
    long double scaled = x >= 0 ? magnitude / pow10_ld(x) : magnitude * pow10_ld(-x);
    double m = static_cast<double>(scaled);
    int decimals = 4;
    if (m >= 1000) {
        m /= 1000;
        x += 3;
    } else if (m >= 100) {
        decimals = 2;
    } else if (m >= 10) {
        decimals = 3;
    }
    if (!blank) {
        if (precision < 0)
            decimals = 0;
        else if (precision > 0)
            decimals = precision;
    }

    std::string body;
    if (x >= kLowestPrefixExponent && x <= kHighestPrefixExponent) {
        const char* prefix = kEngineeringPrefixes[(x - kLowestPrefixExponent) / 3];
        body = printf_string(blank ? "%.*f %s" : "%.*f%s", decimals, m, prefix);
    } else {
        body = printf_string("%.*fE%d ", decimals, m, x);
    }
    put_signed(out, size, value < 0, body);
}

// Power of ten of an SI suffix letter of typed values; false for other
// characters.
bool suffix_exponent(char c, int& exponent)
{
    switch (c) {
    case 'f': case 'F': exponent = -15; return true;
    case 'p': exponent = -12; return true;
    case 'n': case 'N': exponent = -9; return true;
    case 'u': case 'U': exponent = -6; return true;
    case 'm': exponent = -3; return true;
    case 'k': case 'K': exponent = 3; return true;
    case 'M': exponent = 6; return true;
    case 'G': case 'g': exponent = 9; return true;
    case 'T': case 't': exponent = 12; return true;
    case 'P': exponent = 15; return true;
    default: return false;
    }
}

// value x 10^x. Whole exponents scale by exact powers (dividing for negative
// ones), so 1m is the double nearest 0.001; beyond any useful range the
// result overflows to infinity or underflows to 0.
long double scale10(long double value, long double x)
{
    constexpr long double kLimit = 100000.0L;
    if (x != std::floor(x))
        return value * powl(10.0L, x);
    int n = static_cast<int>(x > kLimit ? kLimit : x < -kLimit ? -kLimit : x);
    return n >= 0 ? value * pow10_ld(n) : value / pow10_ld(-n);
}

} // namespace

void format_engineering(double value, char* out, size_t size)
{
    engineering(value, out, size, 0, true);
}

void format_engineering_compact(double value, char* out, size_t size, int precision)
{
    engineering(value, out, size, precision, false);
}

void double_to_text(double value, char* out, size_t size)
{
    if (size == 0)
        return;
    out[0] = '\0';
    format_engineering(value, out, size);
    std::string text = out;

    char letter = 0;
    if (!text.empty() && strchr("pnumkMG", text.back()) != nullptr)
        letter = text.back();
    size_t blank = text.find(' ');
    if (blank != std::string::npos)
        text.erase(blank);

    size_t point = text.find('.');
    if (point != std::string::npos) {
        if (letter) {
            text[point] = letter;
            while (!text.empty() && text.back() == '0')
                text.pop_back();
        } else {
            // Only the integer part stays; an exponent written out (values
            // beyond the prefix letters) is kept, or the value would change.
            size_t exponent = text.find('E', point);
            text.erase(point, exponent == std::string::npos ? std::string::npos
                                                            : exponent - point);
        }
    }
    copy_text(out, size, text);
}

void format_exponent(char* out, size_t size, double value, int precision)
{
    std::string text;
    if (!non_finite_text(value, text)) {
        text = printf_string("%.*E", clamp_decimals(precision), value);
        size_t e = text.find('E');
        if (e != std::string::npos) {
            if (e + 1 < text.size() && text[e + 1] == '+')
                text.erase(e + 1, 1);
            size_t digit = e + 1;
            if (digit < text.size() && text[digit] == '-')
                ++digit;
            if (digit < text.size() && text[digit] == '0')
                text.erase(digit, 1);
        }
    }
    copy_text(out, size, text);
}

std::string format_si_value(double value, int precision)
{
    if (value == 0.0)
        return "0.000";
    std::string special;
    if (non_finite_text(value, special))
        return special;

    struct row {
        double at_least;
        double divisor;
        const char* suffix;
    };
    static const row rows[] = {
        {1e15, 1e15, "P"}, {1e12, 1e12, "T"}, {1e9, 1e9, "G"},     {1e6, 1e6, "M"},
        {1e3, 1e3, "k"},   {1.0, 1.0, ""},    {1e-3, 1e-3, "m"},   {1e-6, 1e-6, "u"},
        {1e-9, 1e-9, "n"}, {1e-12, 1e-12, "p"}, {1e-15, 1e-15, "f"},
    };
    double magnitude = std::fabs(value);
    double divisor = 1.0;
    const char* suffix = "";
    for (const row& r : rows) {
        if (magnitude >= r.at_least) {
            divisor = r.divisor;
            suffix = r.suffix;
            break;
        }
    }
    std::ostringstream stream;
    stream << std::fixed << std::setprecision(clamp_decimals(precision)) << value / divisor << suffix;
    return stream.str();
}

long double parse_si_value(const std::string& text, bool* ok_out)
{
    bool ok = true;
    bool any_digit = false;
    long double sum = 0.0L;       // committed parts
    decimal_reader number;        // the number being read
    decimal_reader exponent;
    bool in_exponent = false;
    bool exponent_seen = false;
    bool negative = false;
    bool negative_exponent = false;

    auto commit = [&](int power) {
        sum += scale10(number.value(), power);
        number.clear();
    };

    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= '0' && c <= '9') {
            any_digit = true;
            (in_exponent ? exponent : number).add_digit(c - '0');
        } else if (c == '.' || c == ',') {
            if (!(in_exponent ? exponent : number).start_fraction())
                ok = false;
        } else if (c == '-') {
            if (in_exponent)
                negative_exponent = true;
            else
                negative = true;
        } else if (c == 'E' || c == 'e') {
            // A number has one exponent at most.
            if (exponent_seen)
                ok = false;
            exponent_seen = true;
            in_exponent = true;
            if (i + 1 < text.size() && text[i + 1] == '+')
                ++i;
            commit(0);
        } else if (int power = 0; suffix_exponent(c, power)) {
            commit(power);
        } else {
            ok = false;
            commit(0);
        }
    }

    long double mantissa = sum + number.value();
    long double result = 0.0L;
    if (mantissa != 0.0L) {
        long double x = exponent.value();
        if (negative_exponent)
            x = -x;
        result = scale10(mantissa, x);
    }
    if (negative)
        result = -result;
    // A value a double cannot hold (a huge exponent, hundreds of digits) is
    // not a usable number.
    if (!std::isfinite(result) || std::fabs(result) > static_cast<long double>(DBL_MAX)) {
        ok = false;
        result = 0.0L;
    }
    if (!any_digit) {
        ok = false;
        result = 0.0L;
    }
    if (ok_out)
        *ok_out = ok;
    return result;
}

double truncate_to_leading_digit(double value)
{
    if (value == 0.0 || !std::isfinite(value))
        return value;
    // The leading digit and decimal exponent as the value reads in decimal
    // (15 significant digits), so 0.3 keeps its 3 although the double lies
    // just below 0.3.
    char digits[40];
    snprintf(digits, sizeof digits, "%.14e", std::fabs(value));
    int digit = digits[0] - '0';
    const char* e = strchr(digits, 'e');
    int k = e ? atoi(e + 1) : 0;
    long double cut = k >= 0 ? digit * pow10_ld(k) : digit / pow10_ld(-k);
    double result = static_cast<double>(cut);
    return value < 0 ? -result : result;
}

void append_suffix_if_missing(std::string& text, const std::string& suffix)
{
    if (suffix.size() > text.size() ||
        text.compare(text.size() - suffix.size(), suffix.size(), suffix) != 0)
        text += suffix;
}
