// The logging engine's program-wide state that the frame and the views read:
// the data mode, the one running activity, high-speed mode and whether logged
// results are waiting to be saved.
#pragma once
#include <cstdint>

// Logging data modes, chosen with the Measure window's option buttons.
enum : uint32_t {
    LOG_MODE_MANUAL = 0,         // "Manual log"
    LOG_MODE_REAL_TIME = 1,      // "Log real time table"
    LOG_MODE_SCHEDULED = 2,      // "Scheduled testing"
    LOG_MODE_DIRECT_CSV = 3,     // "Direct log to .CSV"
    LOG_MODE_OVERWRITE_CSV = 4,  // "Overwrite .CSV"
};

// The activity in progress; every worker loop polls it and ends when it
// changes.
enum : uint32_t {
    ACTIVITY_IDLE = 0,
    ACTIVITY_SCHEDULED_TEST = 1,
    ACTIVITY_MEASURING = 2,
    ACTIVITY_STOP_REQUESTED = 3, // stop asked in real-time-table mode
    // 4 and up: downloads and continuous views
    ACTIVITY_SCOPE_CONTINUOUS = 5, // the Scope view acquiring continuously
    ACTIVITY_VOLTMETER = 6,        // the Vector Voltmeter running
    ACTIVITY_SCOPE_CAPTURE = 7,    // the Scope view holding a capture
};

extern uint32_t log_data_mode;   // LOG_MODE_*, "Log real time table" at start
extern uint32_t activity_state;  // ACTIVITY_*, idle at start
extern uint8_t highspeed_mode;   // 1 while high-speed logging mode is on
// True while the results of a logging run (or a reloaded one) have not been
// offered for saving.
extern bool results_present;
