#include "base/text_util.h"

#include "base/decimal_reader.h"

#include <cmath>
#include <cstdarg>
#include <cstring>
#include <sstream>
#include <stdexcept>

const char* next_token(const char* pos, char delimiter, char* out, size_t out_size, bool& end)
{
    if (out_size > 0)
        out[0] = '\0';
    if (!pos || *pos == '\0') {
        end = true;
        return pos;
    }
    if (*pos == delimiter)
        ++pos;
    if (end)
        return pos;
    size_t n = 0;
    while (*pos != '\0' && *pos != delimiter && n + 1 < out_size)
        out[n++] = *pos++;
    if (out_size > 0)
        out[n] = '\0';
    return pos;
}

namespace {

template <typename Char>
std::vector<std::basic_string<Char>>& split_into(const std::basic_string<Char>& text, Char delimiter,
                                                 std::vector<std::basic_string<Char>>& out,
                                                 bool skip_empty)
{
    std::basic_istringstream<Char> in(text);
    std::basic_string<Char> field;
    while (std::getline(in, field, delimiter)) {
        if (skip_empty && field.empty())
            continue;
        out.push_back(field);
    }
    return out;
}

[[noreturn]] void throw_format_error()
{
    throw std::runtime_error("string_vsprintf encoding error");
}

std::string& string_vsprintf(std::string& out, const char* format, va_list args)
{
    if (!format)
        throw_format_error();
    va_list measure;
    va_copy(measure, args);
    int length = vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length < 0)
        throw_format_error();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int written = vsnprintf(&text[0], text.size(), format, args);
    if (written != length)
        throw_format_error();
    text.resize(static_cast<size_t>(length));
    out.swap(text);
    return out;
}

int hex_digit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

char lower_ascii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The factor of an SI multiplier letter, or 0 when c is none.
double si_multiplier(char c)
{
    switch (c) {
    case 'f': case 'F': return 1e-15;
    case 'p':           return 1e-12;
    case 'n': case 'N': return 1e-9;
    case 'u': case 'U': return 1e-6;
    case 'm':           return 1e-3;
    case 'c': case 'C': return 1e-2;
    case 'd':           return 1e-1;
    case 'D':           return 1e1;
    case 'h': case 'H': return 1e2;
    case 'k': case 'K': return 1e3;
    case 'M':           return 1e6;
    case 'g': case 'G': return 1e9;
    case 't': case 'T': return 1e12;
    case 'P':           return 1e15;
    default:            return 0.0;
    }
}

} // namespace

std::vector<std::string>& split_string(const std::string& text, char delimiter,
                                       std::vector<std::string>& out, bool skip_empty)
{
    return split_into(text, delimiter, out, skip_empty);
}

std::vector<std::wstring>& split_wstring(const std::wstring& text, wchar_t delimiter,
                                         std::vector<std::wstring>& out, bool skip_empty)
{
    return split_into(text, delimiter, out, skip_empty);
}

std::string& string_format(std::string& out, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    try {
        string_vsprintf(out, format, args);
    } catch (...) {
        va_end(args);
        throw;
    }
    va_end(args);
    return out;
}

bool ends_with_nocase(std::string_view a, std::string_view b)
{
    if (a.size() < b.size())
        return false;
    std::string_view tail = a.substr(a.size() - b.size());
    for (size_t i = 0; i < b.size(); ++i) {
        if (lower_ascii(tail[i]) != lower_ascii(b[i]))
            return false;
    }
    return true;
}

void replace_crlf_with_blank(char* text)
{
    if (!text)
        return;
    char* to = text;
    for (const char* from = text; *from != '\0'; ++from) {
        if (*from == '\r') {
            *to++ = ' ';
            if (from[1] == '\n')
                ++from;
        } else {
            *to++ = *from;
        }
    }
    *to = '\0';
}

bool read_line_no_eol(char* buffer, int size, FILE* file)
{
    if (!buffer || size <= 0 || !file)
        return false;
    buffer[0] = '\0';
    // With room for the terminator only, fgets would "read" an empty line
    // for ever without moving on.
    if (size < 2)
        return false;
    if (!fgets(buffer, size, file))
        return false;
    buffer[strcspn(buffer, "\r\n")] = '\0';
    return true;
}

uint8_t parse_hex_byte(char first, char second)
{
    int value = hex_digit(first) * 16 + hex_digit(second);
    return static_cast<uint8_t>(value & 0xFF);
}

uint32_t leading_decimal(const char* text)
{
    uint32_t value = 0;
    for (const char* p = text ? text : ""; *p >= '0' && *p <= '9'; ++p)
        value = value * 10u + static_cast<uint32_t>(*p - '0');
    return value;
}

double parse_si_number(const char* text, bool* ok)
{
    if (ok)
        *ok = true;
    double sum = 0.0;
    decimal_reader part;
    decimal_reader exponent;
    bool in_exponent = false;
    bool exponent_negative = false;
    bool negative = false;

    for (const char* p = text ? text : ""; *p != '\0'; ++p) {
        const char c = *p;
        if (c >= '0' && c <= '9') {
            (in_exponent ? exponent : part).add_digit(c - '0');
        } else if (c == '.' || c == ',') {
            if (!(in_exponent ? exponent : part).start_fraction() && ok)
                *ok = false;
        } else if (c == 'E' || c == 'e') {
            sum += static_cast<double>(part.value());
            part.clear();
            in_exponent = true;
            exponent.clear();
            exponent_negative = false;
            if (p[1] == '+')
                ++p;
        } else if (c == '-') {
            if (in_exponent)
                exponent_negative = true;
            else
                negative = true;
        } else if (double factor = si_multiplier(c); factor != 0.0) {
            sum += static_cast<double>(part.value()) * factor;
            part.clear();
        } else {
            if (ok)
                *ok = false;
            else
                sum += static_cast<double>(part.value());
            part.clear();
        }
    }

    double value = sum + static_cast<double>(part.value());
    if (in_exponent) {
        const double power = static_cast<double>(exponent.value());
        value *= std::pow(10.0, exponent_negative ? -power : power);
    }
    return negative ? -value : value;
}
