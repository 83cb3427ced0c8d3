#include "base/timing_mark.h"

#include <windows.h>

#include <cstdio>

void timing_mark(const char* step)
{
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    char line[128];
    snprintf(line, sizeof line, "%s%s %lld", kTimingMarkPrefix, step,
             static_cast<long long>(counter.QuadPart));
    OutputDebugStringA(line);
}
