// The debug-output monitor of the start-up benchmark and the close test: the
// marks a program writes come back with their steps whole and the times
// they were made, in their order, apart from the program's other debug
// output, once each.
#include "base/timing_mark.h"
#include "tools/bench_clock.h"
#include "tools/program_timing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(MarkMonitor, TakesTheMarksOfAProcessInOrderWithTheirTimes)
{
    mark_monitor marks;
    ASSERT_TRUE(marks.listening());
    const double before = now_ms();
    timing_mark("first step");
    OutputDebugStringA("other debug output");
    OutputDebugStringA(kTimingMarkPrefix);
    timing_mark("a step, with blanks");
    const double after = now_ms();

    const std::vector<program_mark> taken = marks.take(GetCurrentProcessId());
    std::vector<std::string> steps;
    for (const program_mark& mark : taken)
        steps.push_back(mark.step);
    EXPECT_EQ(steps, (std::vector<std::string>{"first step", "a step, with blanks"}));
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_LE(before, taken[0].at_ms);
    EXPECT_LE(taken[0].at_ms, taken[1].at_ms);
    EXPECT_LE(taken[1].at_ms, after);
    EXPECT_TRUE(marks.take(GetCurrentProcessId()).empty());
}

} // namespace
