// Which controls of every window are enabled and shown, recomputed as a
// whole from the connection and run state whenever either may have changed
// (the main window's CMD_REFRESH_CONNECTIONS, the Connection command, and
// once at creation). Nothing is kept between calls: the same inputs give the
// same window states. Besides window states a refresh corrects the results
// layout and the Measure window's view when the state makes them invalid,
// and may post two programmatic clicks: "Group 1" (back to the primary
// group) and the high-speed button (to leave high-speed mode).
#pragma once
#include <windows.h>

// The state as the callers pass it: any instrument connected (A), the four
// slots' connected flags (C1..C4) and whether each has a logging selection
// (S1..S4), the activity state and the current instrument's model code (-1
// at creation).
struct connection_state {
    bool any_connected;
    bool connected[4];
    bool has_selection[4];
    int activity;
    int model;
};

// The state of the program now, as CMD_REFRESH_CONNECTIONS computes it.
connection_state current_connection_state();

// Nothing connected, nothing running, the given model code.
connection_state idle_connection_state(int model);

void update_main_controls_state(HWND main_window, bool a, bool c1, bool c2, bool c3, bool c4,
                                bool s1, bool s2, bool s3, bool s4, int state, int model);

// update_main_controls_state with the state's fields.
void update_controls_for(HWND main_window, const connection_state& state);

// The Measure window's rules; called by update_main_controls_state.
void update_measure_controls_state(HWND main_window, bool a, bool c1, bool c2, bool c3, bool c4,
                                   bool s1, bool s2, bool s3, bool s4, int state);
// The Scope window's rules.
void update_scope_controls_state(HWND main_window, bool a, int state);
// The Harmonics and Harmonic Results windows' rules; h: some instrument is
// connected.
void update_harmonics_controls_state(HWND main_window, bool a, bool h, int state);

// Moves the keyboard focus to the next (forward) or previous usable control
// in the main window's Tab order: the top bar, the Config window's head and
// page grid, the Measure window and its results panels. A control is usable
// when it is visible and enabled; the search wraps at either end and stops
// after every entry has been tried once, leaving the focus where it was.
void focus_next_control(bool forward);
