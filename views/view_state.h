// Program-wide state of the view windows that the frame reads and corrects:
// the view modes of the Measure, Harmonics and Scope windows, and the colour
// swatches of the four results panels.
#pragma once
#include <windows.h>

// Measure window: 0 "REAL TIME", 1 "GRAPH", 2 "LOG".
extern int measure_view_mode;
// Harmonics window: 0 "TABLE", 1 "TABLE pk", 2 "GRAPH".
extern int harmonics_view_mode;
// Scope window: 1 plot view, 2 table view.
extern int scope_view_mode;

enum : int { RESULTS_PANEL_SWATCHES = 4 };
// The colour swatches of results panels 1..4.
extern COLORREF results_panel_colours[4][RESULTS_PANEL_SWATCHES];
