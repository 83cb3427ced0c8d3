// What the control-state rules of every window read: the connection and run
// state passed by the caller, and the program-wide values and check boxes
// the rules look at, read once when a refresh begins.
#pragma once
#include "app/control_rules.h"
#include "app/control_state.h"
#include "logging/logging_state.h"

#include <cstdint>

struct state_inputs {
    HWND main_window;
    bool any_connected;   // some instrument connected
    bool connected[4];    // slots connected
    bool has_selection[4]; // slots with a logging selection
    int activity;         // ACTIVITY_* (logging_state.h)
    int model;            // model code passed by the caller
    uint32_t log_data_mode; // LOG_MODE_*
    uint8_t highspeed_mode; // 1 while high-speed logging is on
    bool auto_append;     // 14046 "Auto Append?" checked
    bool software_timing; // 14039 "Software" checked
    bool direct_csv;      // 14051 "Log direct to .CSV?" checked
    int view;             // menu id of the visible view
    // The current slot itself (the group buttons and the capture buttons
    // look at it, not at the model code passed).
    int current_model;
    bool current_connected;
    bool current_grouping_a;
    int current_group;
    int variant_digit;    // last character of the model name; 0 when unknown

    bool idle() const { return activity == ACTIVITY_IDLE || activity == ACTIVITY_STOP_REQUESTED; }
    bool linked() const { return any_connected && some_connected(); }
    bool lomx_view() const;
    bool some_connected() const { return connected[0] || connected[1] || connected[2] || connected[3]; }
};

state_inputs read_state_inputs(HWND main_window, const connection_state& state);

using state_rule = control_rule<state_inputs>;

void apply_measure_rules(const state_inputs& in);
void apply_scope_rules(const state_inputs& in);
void apply_harmonics_rules(const state_inputs& in);
