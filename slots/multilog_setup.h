// What one instrument logs. The logging engine owns the layout of the
// record; the rest of the program touches only the count and the
// needs-programming flag.
#pragma once
#include <cstdint>

constexpr unsigned kMultilogSetupSize = 21152;
constexpr int kMaxSelectedItems = 60;

// One logged entry: code below 10000 an instrument function, 10000..19999 an
// equation, 20000..29999 a ZEM input, 30000 and above a ZEM output; phase
// code 1..11.
struct selected_item {
    int32_t code;
    int32_t phase_code;
};

struct multilog_setup {
    int32_t selected_count;    // entries selected for logging; positive: has a selection
    uint8_t needs_programming; // 1: the next logging run programs the instrument again
    uint8_t reserved_flags[3];
    selected_item selected[kMaxSelectedItems];
    // ZEM, name and equation records.
    uint8_t logging_records[kMultilogSetupSize - 8 - kMaxSelectedItems * sizeof(selected_item)];
};

static_assert(sizeof(multilog_setup) == kMultilogSetupSize, "multilog_setup is a fixed record");
