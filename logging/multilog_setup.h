// What one instrument logs. The logging engine owns the layout of the
// record; the rest of the program touches only the two fields named here.
#pragma once
#include <cstdint>

constexpr unsigned kMultilogSetupSize = 21152;

struct multilog_setup {
    int32_t selected_count;   // entries selected for logging; positive: has a selection
    uint8_t needs_programming; // 1: the next logging run programs the instrument again
    uint8_t logging_records[kMultilogSetupSize - 8]; // selection, ZEM and equation records
};

static_assert(sizeof(multilog_setup) == kMultilogSetupSize, "multilog_setup is a fixed record");
