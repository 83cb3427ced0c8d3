// What the control-state rules of every window read: the connection and run
// state passed by the caller, and the program-wide values and check boxes
// the rules look at, read once when a refresh begins.
#pragma once
#include "app/control_rules.h"
#include "app/control_state.h"

#include <cstdint>

struct state_inputs {
    HWND main_window;
    bool a;          // some instrument connected
    bool c[4];       // slots connected
    bool s[4];       // slots with a logging selection
    int state;       // activity state
    int model;       // model code passed by the caller
    uint32_t ldm;    // logging data mode
    uint8_t hs;      // high-speed mode
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

    bool idle() const { return state == 0 || state == 3; }
    bool linked() const { return a && (c[0] || c[1] || c[2] || c[3]); }
    bool lomx_view() const;
    bool some_connected() const { return c[0] || c[1] || c[2] || c[3]; }
};

state_inputs read_state_inputs(HWND main_window, const connection_state& state);

using state_rule = control_rule<state_inputs>;

void apply_measure_rules(const state_inputs& in);
void apply_scope_rules(const state_inputs& in);
void apply_harmonics_rules(const state_inputs& in);
