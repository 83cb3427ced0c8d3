// Locks and containers that other parts of the program take for granted:
// created before the entry function runs, released at exit in reverse order.
#pragma once
#include <windows.h>

#include "logging/scheduled_test.h"

#include <array>
#include <vector>

// An unnamed mutex, created unlocked and closed at exit.
class startup_mutex {
public:
    startup_mutex();
    ~startup_mutex();
    startup_mutex(const startup_mutex&) = delete;
    startup_mutex& operator=(const startup_mutex&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

extern startup_mutex multilog_dump_mutex;   // the logging engine's multilog dump
extern startup_mutex multilog_worker_mutex; // the multilog worker
extern startup_mutex reserve_mutex;         // created with the others, used by nothing

extern std::vector<scheduled_test> scheduled_tests;

// The Scope window's trace points, one list per trace.
enum : int { SCOPE_TRACE_LISTS = 6 };
extern std::array<std::vector<POINT>, SCOPE_TRACE_LISTS> scope_trace_points;
