// Reading typed numbers and run times.
#include "config/typed_values.h"

#include "base/number_text.h"
#include "config/config_choices.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace {

constexpr int kRunTimeMax = 255;

// One number of a run time at text (a sign and blanks before it allowed),
// 0 when missing or outside 0..255; end is where the reading stopped.
int run_time_part(const char* text, const char*& end)
{
    char* stop = nullptr;
    errno = 0;
    const long value = std::strtol(text, &stop, 10);
    end = stop;
    const bool read = stop != text && errno == 0;
    return read && value >= 0 && value <= kRunTimeMax ? static_cast<int>(value) : 0;
}

bool is_blank(char c)
{
    return c == ' ' || c == '\t';
}

// Reads blanks and a whole number 0..255 at text, as many digits as there
// are; false when there is no number or it lies above 255.
bool read_run_time_number(const char*& text)
{
    while (is_blank(*text))
        ++text;
    const char* const start = text;
    int number = 0;
    for (; std::isdigit(static_cast<unsigned char>(*text)); ++text)
        number = std::min(number * 10 + (*text - '0'), kRunTimeMax + 1);
    return text != start && number <= kRunTimeMax;
}

// An hour, then a colon with the minutes, and blanks at the end: nothing
// else. A lone hour, or an hour and a colon, leave the minutes at 0.
bool accepted_run_time(const char* text)
{
    if (!read_run_time_number(text))
        return false;
    if (*text == ':') {
        const char* const minutes = ++text;
        if (!read_run_time_number(text))
            text = minutes;
    }
    while (is_blank(*text))
        ++text;
    return *text == '\0';
}

} // namespace

numeric_text_value::numeric_text_value(const std::string& typed, int decimals)
    : value(0), precision(decimals), ok(false), text(typed)
{
    const long double read = parse_si_value(typed, &ok);
    if (ok)
        value = static_cast<double>(read);
}

std::string numeric_text_value::to_text() const
{
    return format_scientific_text(value, precision);
}

run_time parse_run_time(const char* text)
{
    if (text == nullptr)
        return {0, 0, true};
    const char* first = text;
    while (is_blank(*first))
        ++first;
    if (*first == '\0')
        return {0, 0, true};
    const char* end = text;
    const int hours = run_time_part(text, end);
    int minutes = 0;
    if (end != text && *end == ':') {
        const char* after = end + 1;
        minutes = run_time_part(after, end);
    }
    return {hours, minutes, accepted_run_time(text)};
}
