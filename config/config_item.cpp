#include "config/config_item.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

bool is_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

double item_text_number(const char* text, size_t size)
{
    if (text == nullptr)
        return 0.0;
    const size_t length = strnlen(text, size);

    // Find the longest leading decimal number by hand: strtod alone would
    // also take hexadecimal numbers, "inf" and "nan", which are not values
    // of this program.
    size_t pos = 0;
    while (pos < length && is_blank(text[pos]))
        ++pos;
    const size_t start = pos;
    if (pos < length && (text[pos] == '+' || text[pos] == '-'))
        ++pos;
    size_t digits = 0;
    while (pos < length && is_digit(text[pos])) {
        ++pos;
        ++digits;
    }
    if (pos < length && text[pos] == '.') {
        ++pos;
        while (pos < length && is_digit(text[pos])) {
            ++pos;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    if (pos < length && (text[pos] == 'e' || text[pos] == 'E')) {
        size_t exp = pos + 1;
        if (exp < length && (text[exp] == '+' || text[exp] == '-'))
            ++exp;
        if (exp < length && is_digit(text[exp])) {
            while (exp < length && is_digit(text[exp]))
                ++exp;
            pos = exp;
        }
    }

    const std::string number(text + start, pos - start);
    return std::strtod(number.c_str(), nullptr);
}

int item_number_to_int(double value)
{
    // Truncation toward zero; anything that does not fit (NaN included)
    // gives the lowest integer.
    if (value > -2147483649.0 && value < 2147483648.0)
        return static_cast<int>(value);
    return INT_MIN;
}

int config_item_int_value(const config_item& item)
{
    if (item.kind == ITEM_LIST)
        return item.value.integer;
    return item_number_to_int(item_text_number(item.value.text, sizeof item.value.text));
}

std::string text_without_controls(std::string text)
{
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return text;
}

std::string option_text_at(const option_list& options, unsigned index)
{
    if (index >= options.size() || options[index] == nullptr)
        return std::string();
    return std::string(options[index]);
}

void copy_option_text_at(const option_list& options, unsigned index, char* dest, size_t size)
{
    if (index >= options.size() || options[index] == nullptr || dest == nullptr || size == 0)
        return;
    const char* text = options[index];
    size_t length = std::strlen(text);
    if (length > size - 1)
        length = size - 1;
    std::memcpy(dest, text, length);
    dest[length] = '\0';
}
