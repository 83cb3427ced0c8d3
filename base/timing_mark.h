// Marks of the program's way through its start and its close, for the
// start-up benchmark to time: each is one line of debug output, the step's
// name and the performance counter at the mark, which a debug-output
// monitor (the benchmark) catches. With no monitor listening a mark costs a
// few microseconds and goes nowhere.
#pragma once

// Text every mark begins with, then the step, a blank and the counter.
constexpr char kTimingMarkPrefix[] = "kestrova-mark ";

void timing_mark(const char* step);
