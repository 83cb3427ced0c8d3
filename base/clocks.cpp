#include "base/clocks.h"

#include <cstdio>

namespace {

// One copy of the clock with its cached performance-counter frequency.
class millisecond_clock {
public:
    millisecond_clock()
    {
        LARGE_INTEGER frequency;
        if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0)
            frequency_ = static_cast<uint64_t>(frequency.QuadPart);
    }

    uint64_t now() const
    {
        if (frequency_ == 0)
            return clock_reading_ms(0, 0, GetTickCount());
        LARGE_INTEGER counter;
        QueryPerformanceCounter(&counter);
        return clock_reading_ms(static_cast<uint64_t>(counter.QuadPart), frequency_, 0);
    }

private:
    uint64_t frequency_ = 0; // 0: no performance counter
};

WORD to_field(int64_t value)
{
    if (value < 0)
        return 0;
    return value > 0xFFFF ? 0xFFFF : static_cast<WORD>(value);
}

void append_unit(std::string& out, unsigned value, const char* word)
{
    if (value == 0)
        return;
    char text[48];
    std::snprintf(text, sizeof text, "%u %s%s", value, word, value == 1 ? ", " : "s, ");
    out += text;
}

bool to_filetime(const SYSTEMTIME& time, int64_t& out)
{
    FILETIME ft;
    if (!SystemTimeToFileTime(&time, &ft))
        return false;
    out = static_cast<int64_t>((static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
    return true;
}

bool from_filetime(int64_t value, SYSTEMTIME& out)
{
    if (value < 0)
        return false;
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(static_cast<uint64_t>(value));
    ft.dwHighDateTime = static_cast<DWORD>(static_cast<uint64_t>(value) >> 32);
    SYSTEMTIME result;
    if (!FileTimeToSystemTime(&ft, &result))
        return false;
    out = result;
    return true;
}

// value + add, false when the sum leaves the range of a FILETIME.
bool checked_add(int64_t value, int64_t add, int64_t& out)
{
    return !__builtin_add_overflow(value, add, &out) && out >= 0;
}

} // namespace

uint64_t clock_reading_ms(uint64_t counter, uint64_t frequency, uint32_t tick_count)
{
    if (frequency == 0)
        return tick_count;
    // counter x 1000 / frequency, split so that the product cannot overflow
    // even with a GHz counter after months of uptime.
    return counter / frequency * 1000 + counter % frequency * 1000 / frequency;
}

uint64_t milliseconds_now()
{
    static const millisecond_clock clock;
    return clock.now();
}

uint64_t elapsed_ms_now()
{
    static const millisecond_clock clock;
    return clock.now();
}

SYSTEMTIME& milliseconds_to_span(SYSTEMTIME& out, int64_t ms, bool split)
{
    out = SYSTEMTIME{};
    if (ms < 0)
        ms = 0;
    if (split) {
        const int64_t total_days = ms / 1000 / 60 / 60 / 24;
        const int64_t years = static_cast<int64_t>(total_days / kSpanMonthDays / 12);
        ms -= static_cast<int64_t>(static_cast<double>(years * 12) * kSpanMonthDays * kMsPerDay);
        const int64_t months = static_cast<int64_t>(static_cast<double>(ms / kMsPerDay) / kSpanMonthDays);
        ms -= static_cast<int64_t>(static_cast<double>(months) * kSpanMonthDays * kMsPerDay);
        const int64_t days = ms / kMsPerDay;
        ms -= days * kMsPerDay;
        out.wYear = to_field(years);
        out.wMonth = to_field(months);
        out.wDay = to_field(days);
    }
    const int64_t hours = ms / kMsPerHour;
    ms -= hours * kMsPerHour;
    const int64_t minutes = ms / kMsPerMinute;
    ms -= minutes * kMsPerMinute;
    out.wHour = to_field(hours);
    out.wMinute = to_field(minutes);
    out.wSecond = to_field(ms / 1000);
    out.wMilliseconds = to_field(ms % 1000);
    return out;
}

std::string& format_time_span(std::string& out, const SYSTEMTIME& span, unsigned flags)
{
    out.clear();
    if (!(flags & SPAN_TEXT_NO_DAYS)) {
        append_unit(out, span.wYear, "Year");
        append_unit(out, span.wMonth, "Month");
        append_unit(out, span.wDay, "Day");
    }
    append_unit(out, span.wHour, "Hour");
    append_unit(out, span.wMinute, "Minute");
    if (flags & (SPAN_TEXT_SECONDS | SPAN_TEXT_MILLISECONDS))
        append_unit(out, span.wSecond, "Second");
    if (flags & SPAN_TEXT_MILLISECONDS)
        append_unit(out, span.wMilliseconds, "Millisecond");
    // Drop the separator after the last unit.
    const size_t comma = out.rfind(',');
    if (comma != std::string::npos)
        out.erase(comma);
    if (out.empty())
        out = "0 Seconds";
    return out;
}

std::string& format_milliseconds_span(std::string& out, int64_t ms, unsigned flags)
{
    SYSTEMTIME span;
    return format_time_span(out, milliseconds_to_span(span, ms, true), flags);
}

int64_t systemtime_to_milliseconds(const SYSTEMTIME& span, bool with_days)
{
    int64_t days = 0;
    if (with_days)
        days = span.wDay + static_cast<int64_t>((span.wYear * 12 + span.wMonth) * kSpanMonthDays);
    return (((days * 24 + span.wHour) * 60 + span.wMinute) * 60 + span.wSecond) * 1000
           + span.wMilliseconds;
}

bool systemtime_add_milliseconds(SYSTEMTIME& time, int64_t ms)
{
    int64_t value, sum, add;
    if (!to_filetime(time, value) || __builtin_mul_overflow(ms, int64_t{10000}, &add)
        || !checked_add(value, add, sum))
        return false;
    return from_filetime(sum, time);
}

bool systemtime_add_span(SYSTEMTIME& time, const SYSTEMTIME& span)
{
    int64_t a, b, sum;
    if (!to_filetime(time, a) || !to_filetime(span, b) || !checked_add(a, b, sum))
        return false;
    return from_filetime(sum, time);
}

bool systemtime_difference(SYSTEMTIME& a, const SYSTEMTIME& b)
{
    int64_t va, vb;
    if (!to_filetime(a, va) || !to_filetime(b, vb) || va < vb)
        return false;
    return from_filetime(va - vb, a);
}

const char* month_name(int month)
{
    static const char* const names[] = {"January", "February", "March",     "April",
                                        "May",     "June",     "July",      "August",
                                        "September", "October", "November", "December"};
    if (month < 1 || month > 12)
        return "Unknown";
    return names[month - 1];
}
