// The benchmarks' clock: the performance counter in milliseconds, as a
// double so that short spans keep their fractions.
#pragma once
#include <windows.h>

inline double now_ms()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}
