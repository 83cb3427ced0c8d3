// The start-up globals, in the order they are created.
#include "logging/startup_globals.h"

startup_mutex::startup_mutex() : handle_(CreateMutexA(nullptr, FALSE, nullptr)) {}

startup_mutex::~startup_mutex()
{
    if (handle_)
        CloseHandle(handle_);
}

startup_mutex multilog_dump_mutex;
startup_mutex multilog_worker_mutex;
startup_mutex reserve_mutex;

std::vector<scheduled_test> scheduled_tests;

std::array<std::vector<POINT>, SCOPE_TRACE_LISTS> scope_trace_points;
