// Layout of the control tables. At start-up every row's base and current
// rectangles are copied from its design rectangle; on every resize of the
// main window each row's current rectangle is recomputed from how much the
// main window exceeds its minimum size (the main row's current size), by
// the row's resize mode and anchor, and its window is moved. Two switches
// choose among prepared rectangles: results_layout (which Measure Results
// windows show, and in which slot) and the hidden settings pane (the views
// then take the full height).
#pragma once
#include "frame/control_tables.h"

// Which Measure Results windows W1..W4 are visible and where: 0-3 one of
// them full width, 4-9 two side by side, 10-13 three in thirds, 14 all four
// in quarters. Other codes change no visibility and use the full-width slots.
extern int results_layout;

enum : int {
    RESULTS_LAYOUT_CODES = 15,
    RESULTS_LAYOUT_ALL_FOUR = 14,
};

// Before creation: widens and heightens the main row by the part of the
// sizing frame beyond 4 pixels on each side, when there is such a part.
void add_frame_metrics(control_desc& main_row);

// The start-up layout, once, before the main window is created: the views
// take the Measure window's design rectangle, the results panels' scroll
// bars the system's scroll-bar height, and every table is scaled.
void layout_control_tables();

// Once the controls have their fonts: the labels whose design width is too
// narrow for the face that stands in for "Segoe UI" take the width their
// text needs, from the free space to their left when they are anchored to
// the right (their margin from the right edge stays), and are moved there.
void fit_labels_to_text();

// Base and current rectangle := design rectangle, for every row.
void scale_control_table(control_desc* table, int count);

// The destination row's base and current rectangles := the source row's
// design rectangle.
void copy_design_rect(control_desc* table, int destination, int source);

// Recomputes the row's current rectangle from the main window's size; true
// when the row is to be moved (it has a resize mode or an anchor).
bool compute_control_rect(control_desc& row);

// Recomputes every row of every table and moves the windows of the rows that
// are to be moved; a window that moves or changes size is drawn again at
// its old and its new place, with what stands there. The main window calls
// it on WM_SIZE unless it is minimised; the two switches below call it too.
void reposition_controls();

// Applies results_layout: shows its windows, gives each its slot and lays
// everything out again.
void show_view_panels();

// Applies the settings pane's state: hidden, the views take the full
// height; shown, they sit below it.
void show_view_panels_2(bool hidden);

// Adds the settings pane's height to the results panes, the log list and
// (unless skip_harmonics) the harmonics chart and table.
void grow_panes_by_settings_pane(bool skip_harmonics);

// Shows or hides each results panel's selectors: only the "GRAPH" view has
// them, and with all four panes only the pairs that fit the window's height.
void position_results_panes();
