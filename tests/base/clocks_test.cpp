// The millisecond clocks with and without a performance counter, spans of
// milliseconds and their unit-word text, SYSTEMTIME arithmetic and month names.
#include "base/clocks.h"

#include <gtest/gtest.h>

#include <string>

namespace {

SYSTEMTIME span_of(WORD years, WORD months, WORD days, WORD hours, WORD minutes, WORD seconds,
                   WORD ms)
{
    SYSTEMTIME s{};
    s.wYear = years;
    s.wMonth = months;
    s.wDay = days;
    s.wHour = hours;
    s.wMinute = minutes;
    s.wSecond = seconds;
    s.wMilliseconds = ms;
    return s;
}

SYSTEMTIME date(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second, WORD ms)
{
    SYSTEMTIME t{};
    t.wYear = year;
    t.wMonth = month;
    t.wDay = day;
    t.wHour = hour;
    t.wMinute = minute;
    t.wSecond = second;
    t.wMilliseconds = ms;
    return t;
}

std::string span_text(int64_t ms, unsigned flags)
{
    std::string out;
    return format_milliseconds_span(out, ms, flags);
}

std::string text_of(const SYSTEMTIME& span, unsigned flags)
{
    std::string out;
    return format_time_span(out, span, flags);
}

void expect_span(const SYSTEMTIME& s, WORD years, WORD months, WORD days, WORD hours, WORD minutes,
                 WORD seconds, WORD ms)
{
    EXPECT_EQ(s.wYear, years);
    EXPECT_EQ(s.wMonth, months);
    EXPECT_EQ(s.wDayOfWeek, 0);
    EXPECT_EQ(s.wDay, days);
    EXPECT_EQ(s.wHour, hours);
    EXPECT_EQ(s.wMinute, minutes);
    EXPECT_EQ(s.wSecond, seconds);
    EXPECT_EQ(s.wMilliseconds, ms);
}

void expect_date(const SYSTEMTIME& t, WORD year, WORD month, WORD day, WORD hour, WORD minute,
                 WORD second, WORD ms)
{
    EXPECT_EQ(t.wYear, year);
    EXPECT_EQ(t.wMonth, month);
    EXPECT_EQ(t.wDay, day);
    EXPECT_EQ(t.wHour, hour);
    EXPECT_EQ(t.wMinute, minute);
    EXPECT_EQ(t.wSecond, second);
    EXPECT_EQ(t.wMilliseconds, ms);
}

} // namespace

TEST(MillisecondClock, WithoutPerformanceCounterFollowsTickCount)
{
    EXPECT_EQ(clock_reading_ms(123456789, 0, 4242), 4242u);
    // The tick count wraps after about 49.7 days, and so does this clock.
    EXPECT_EQ(clock_reading_ms(0, 0, 0xFFFFFFFFu), 0xFFFFFFFFu);
    EXPECT_EQ(clock_reading_ms(0, 0, 0), 0u);
}

TEST(MillisecondClock, ScalesCounterWithoutOverflow)
{
    EXPECT_EQ(clock_reading_ms(10000000, 10000000, 0), 1000u);
    // Milliseconds are truncated, not rounded.
    EXPECT_EQ(clock_reading_ms(2999, 3000, 0), 999u);
    EXPECT_EQ(clock_reading_ms(3001, 3000, 0), 1000u);
    // A 3 GHz counter after 100 days: counter x 1000 alone would overflow.
    const uint64_t frequency = 3000000000ull;
    const uint64_t counter = frequency * 8640000ull + frequency / 2;
    EXPECT_EQ(clock_reading_ms(counter, frequency, 0), 8640000500ull);
}

TEST(MillisecondClock, BothClocksAdvanceTogether)
{
    const uint64_t a0 = milliseconds_now();
    const uint64_t b0 = elapsed_ms_now();
    Sleep(60);
    const uint64_t a1 = milliseconds_now();
    const uint64_t b1 = elapsed_ms_now();
    EXPECT_GE(a1 - a0, 50u);
    EXPECT_LT(a1 - a0, 2000u);
    EXPECT_GE(b1 - b0, 50u);
    // One clock read twice: the readings differ only by the time between them.
    EXPECT_LE(b0 >= a0 ? b0 - a0 : a0 - b0, 5u);
}

TEST(MillisecondsToSpan, UnsplitCountsAllHours)
{
    SYSTEMTIME s;
    expect_span(milliseconds_to_span(s, 100000000, false), 0, 0, 0, 27, 46, 40, 0);
    // Many days stay hours too.
    expect_span(milliseconds_to_span(s, 40 * kMsPerDay + 1, false), 0, 0, 0, 960, 0, 0, 1);
}

TEST(MillisecondsToSpan, SplitTakesOutYearsMonthsAndDays)
{
    SYSTEMTIME s;
    expect_span(milliseconds_to_span(s, 90061001, true), 0, 0, 1, 1, 1, 1, 1);
    // 2 years (of 365.25 days), 3 months (of 30.4375 days), 4 days, 5 hours.
    const int64_t ms = static_cast<int64_t>((2 * 365.25 + 3 * 30.4375 + 4) * kMsPerDay) + 5 * kMsPerHour;
    expect_span(milliseconds_to_span(s, ms, true), 2, 3, 4, 5, 0, 0, 0);
    // Just under one month of 30.4375 days is 30 days and 10.5 hours.
    expect_span(milliseconds_to_span(s, static_cast<int64_t>(30.4375 * kMsPerDay) - 1, true), 0, 0,
                30, 10, 29, 59, 999);
    // Months are counted from whole days: exactly 30.4375 days is 30 whole
    // days, less than a month; 31 days is one month and 13.5 hours.
    expect_span(milliseconds_to_span(s, static_cast<int64_t>(30.4375 * kMsPerDay), true), 0, 0, 30,
                10, 30, 0, 0);
    expect_span(milliseconds_to_span(s, 31 * kMsPerDay, true), 0, 1, 0, 13, 30, 0, 0);
}

TEST(MillisecondsToSpan, NegativeCountGivesZeroSpan)
{
    SYSTEMTIME s;
    expect_span(milliseconds_to_span(s, -5000, true), 0, 0, 0, 0, 0, 0, 0);
    expect_span(milliseconds_to_span(s, -1, false), 0, 0, 0, 0, 0, 0, 0);
}

TEST(FormatTimeSpan, UnitWordsSingularAndPlural)
{
    EXPECT_EQ(span_text(90061001, 0x201), "1 Day, 1 Hour, 1 Minute, 1 Second, 1 Millisecond");
    EXPECT_EQ(span_text(90061001, 0x211), "1 Hour, 1 Minute, 1 Second, 1 Millisecond");
    EXPECT_EQ(text_of(span_of(0, 0, 0, 0, 2, 0, 0), 0x111), "2 Minutes");
    EXPECT_EQ(text_of(span_of(2, 1, 3, 0, 0, 0, 0), 0x1), "2 Years, 1 Month, 3 Days");
    EXPECT_EQ(text_of(span_of(0, 0, 0, 2, 5, 0, 0), 0x1), "2 Hours, 5 Minutes");
    EXPECT_EQ(text_of(span_of(0, 12, 0, 0, 0, 0, 0), 0x1), "12 Months");
}

TEST(FormatTimeSpan, SecondsAndMillisecondsOnlyWhenAsked)
{
    const SYSTEMTIME s = span_of(0, 0, 0, 0, 1, 1, 500);
    EXPECT_EQ(text_of(s, 0x1), "1 Minute");
    EXPECT_EQ(text_of(s, 0x101), "1 Minute, 1 Second");
    EXPECT_EQ(text_of(s, 0x201), "1 Minute, 1 Second, 500 Milliseconds");
    // Zero units in the middle are skipped, not written as 0.
    EXPECT_EQ(text_of(span_of(0, 0, 1, 0, 0, 2, 0), 0x101), "1 Day, 2 Seconds");
    // With days left out, a span of whole days has nothing left to say.
    EXPECT_EQ(text_of(span_of(1, 2, 3, 0, 0, 0, 0), 0x111), "0 Seconds");
}

TEST(FormatTimeSpan, EmptyTextIsZeroSeconds)
{
    for (unsigned flags : {0x1u, 0x11u, 0x101u, 0x111u, 0x201u, 0x211u})
        EXPECT_EQ(text_of(SYSTEMTIME{}, flags), "0 Seconds") << flags;
    // Units below what the flags show count as nothing.
    EXPECT_EQ(span_text(59999, 0x1), "0 Seconds");
    EXPECT_EQ(span_text(999, 0x101), "0 Seconds");
    // The reused output is replaced, not appended to.
    std::string out = "old text";
    EXPECT_EQ(format_milliseconds_span(out, 2 * kMsPerHour, 0x1), "2 Hours");
}

TEST(SystemtimeToMilliseconds, DaysOnlyWhenAsked)
{
    const SYSTEMTIME s = span_of(0, 0, 1, 1, 1, 1, 1);
    EXPECT_EQ(systemtime_to_milliseconds(s, true), 90061001);
    EXPECT_EQ(systemtime_to_milliseconds(s, false), 3661001);
    // One year and one month: the whole days of 13 x 30.4375 = 395.6875 days.
    EXPECT_EQ(systemtime_to_milliseconds(span_of(1, 1, 0, 0, 0, 0, 0), true), 395 * kMsPerDay);
    EXPECT_EQ(systemtime_to_milliseconds(span_of(1, 1, 2, 0, 0, 0, 0), true), 397 * kMsPerDay);
    EXPECT_EQ(systemtime_to_milliseconds(span_of(1, 1, 2, 0, 0, 0, 0), false), 0);
}

TEST(SystemtimeArithmetic, AddMillisecondsAcrossDateBoundaries)
{
    SYSTEMTIME t = date(2024, 2, 28, 23, 59, 59, 500);
    ASSERT_TRUE(systemtime_add_milliseconds(t, 1000));
    expect_date(t, 2024, 2, 29, 0, 0, 0, 500);
    ASSERT_TRUE(systemtime_add_milliseconds(t, kMsPerDay));
    expect_date(t, 2024, 3, 1, 0, 0, 0, 500);
    ASSERT_TRUE(systemtime_add_milliseconds(t, -kMsPerDay - 1000));
    expect_date(t, 2024, 2, 28, 23, 59, 59, 500);
}

TEST(SystemtimeArithmetic, FailureLeavesTimeUnchanged)
{
    SYSTEMTIME bad = date(2024, 13, 1, 0, 0, 0, 0);
    EXPECT_FALSE(systemtime_add_milliseconds(bad, 1000));
    EXPECT_EQ(bad.wMonth, 13);
    // Before 1601 there is no FILETIME.
    SYSTEMTIME early = date(1601, 1, 1, 0, 0, 0, 0);
    EXPECT_FALSE(systemtime_add_milliseconds(early, -1));
    expect_date(early, 1601, 1, 1, 0, 0, 0, 0);
}

TEST(SystemtimeArithmetic, DifferenceAndSpanAddBackUp)
{
    const SYSTEMTIME later = date(2024, 3, 1, 12, 0, 0, 0);
    const SYSTEMTIME earlier = date(2024, 2, 28, 6, 30, 0, 250);
    SYSTEMTIME diff = later;
    ASSERT_TRUE(systemtime_difference(diff, earlier));
    // 2 days, 5 hours, 29 minutes, 59.75 seconds after 1 January 1601.
    expect_date(diff, 1601, 1, 3, 5, 29, 59, 750);

    SYSTEMTIME back = earlier;
    ASSERT_TRUE(systemtime_add_span(back, diff));
    expect_date(back, 2024, 3, 1, 12, 0, 0, 0);

    SYSTEMTIME reversed = earlier;
    EXPECT_FALSE(systemtime_difference(reversed, later));
    expect_date(reversed, 2024, 2, 28, 6, 30, 0, 250);
}

TEST(MonthName, NamesAndUnknown)
{
    EXPECT_STREQ(month_name(1), "January");
    EXPECT_STREQ(month_name(9), "September");
    EXPECT_STREQ(month_name(12), "December");
    EXPECT_STREQ(month_name(0), "Unknown");
    EXPECT_STREQ(month_name(13), "Unknown");
    EXPECT_STREQ(month_name(-1), "Unknown");
}
