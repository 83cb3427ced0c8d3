// Millisecond clocks, time spans and date arithmetic.
//
// A span is a SYSTEMTIME-shaped record read as a length of time: wYear years,
// wMonth months, wDay days, wHour hours and so on; wDayOfWeek is always 0.
// Months and years of a span are not calendar months: a month is 30.4375 days
// (365.25 / 12) and a year 12 such months.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

// Span text flags of format_time_span.
enum : unsigned {
    SPAN_TEXT_UNITS = 0x1,          // unit words ("2 Hours"); the only text form
    SPAN_TEXT_NO_DAYS = 0x10,       // leave out years, months and days
    SPAN_TEXT_SECONDS = 0x100,      // include seconds
    SPAN_TEXT_MILLISECONDS = 0x200, // include seconds and milliseconds
};

constexpr double kSpanMonthDays = 30.4375;
constexpr int64_t kMsPerDay = 86400000;
constexpr int64_t kMsPerHour = 3600000;
constexpr int64_t kMsPerMinute = 60000;

// Monotonic millisecond clocks: the performance counter scaled to
// milliseconds, or GetTickCount (wrapping after about 49.7 days) when the
// system has no performance counter. The two read the same clock; each keeps
// its own cached frequency. The progress dialog uses milliseconds_now, the
// message-timer services elapsed_ms_now.
uint64_t milliseconds_now();
uint64_t elapsed_ms_now();

// The clock reading from its sources: frequency 0 means no performance
// counter, and the tick count is returned. Otherwise counter x 1000 /
// frequency, computed so that it does not overflow for large counters.
uint64_t clock_reading_ms(uint64_t counter, uint64_t frequency, uint32_t tick_count);

// Splits ms into a span. With split, whole years and months (of 30.4375
// days) and days are taken out first; without it, years, months and days are
// 0 and the hours count all whole hours. A negative count gives a zero span.
SYSTEMTIME& milliseconds_to_span(SYSTEMTIME& out, int64_t ms, bool split);

// Writes the span as text with unit words, largest unit first, units of value
// 0 left out, e.g. "2 Hours, 5 Minutes" or "1 Day, 1 Hour". Seconds appear
// only with SPAN_TEXT_SECONDS or SPAN_TEXT_MILLISECONDS, milliseconds only
// with the latter; SPAN_TEXT_NO_DAYS leaves out years, months and days. A
// text with no unit is "0 Seconds". Returns out.
std::string& format_time_span(std::string& out, const SYSTEMTIME& span, unsigned flags);

// milliseconds_to_span with split, then format_time_span with the flags.
std::string& format_milliseconds_span(std::string& out, int64_t ms, unsigned flags);

// The span in milliseconds. With with_days, the days and the whole number of
// days in its years and months (of 30.4375 days) count; without, only hours
// and smaller units do.
int64_t systemtime_to_milliseconds(const SYSTEMTIME& span, bool with_days);

// Date arithmetic through FILETIME values (100 ns units since 1601). Each
// returns false, leaving time unchanged, when a date cannot be converted or
// the result lies outside the range of SYSTEMTIME.
//
// time += ms milliseconds (ms may be negative).
bool systemtime_add_milliseconds(SYSTEMTIME& time, int64_t ms);
// time += span, where span is a SYSTEMTIME counted from 1 January 1601 as
// systemtime_difference gives it.
bool systemtime_add_span(SYSTEMTIME& time, const SYSTEMTIME& span);
// a = a - b, as a SYSTEMTIME counted from 1 January 1601 (b later than a
// fails).
bool systemtime_difference(SYSTEMTIME& a, const SYSTEMTIME& b);

// "January" .. "December" for 1..12, "Unknown" for any other number.
const char* month_name(int month);
