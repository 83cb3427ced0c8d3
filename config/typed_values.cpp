// Reading typed numbers and run times.
#include "config/typed_values.h"

#include "base/number_text.h"
#include "config/config_choices.h"

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

// Reads a whole number 0..255 of one to three digits at text; false when
// there is none.
bool read_run_time_number(const char*& text)
{
    int number = 0;
    int digits = 0;
    for (; std::isdigit(static_cast<unsigned char>(*text)) && digits < 3; ++text, ++digits)
        number = number * 10 + (*text - '0');
    return digits > 0 && number <= kRunTimeMax && !std::isdigit(static_cast<unsigned char>(*text));
}

bool whole_run_time(const char* text)
{
    return read_run_time_number(text) && *text++ == ':' && read_run_time_number(text) && *text == '\0';
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
    if (text == nullptr || *text == '\0')
        return {0, 0, true};
    const char* end = text;
    const int hours = run_time_part(text, end);
    int minutes = 0;
    if (end != text && *end == ':') {
        const char* after = end + 1;
        minutes = run_time_part(after, end);
    }
    return {hours, minutes, whole_run_time(text)};
}
