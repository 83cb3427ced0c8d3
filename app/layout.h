// Layout of the control tables: start-up rectangles, the results layout and
// the settings pane. A stand-in until the layout and resizing are built:
// every row keeps its design rectangle and nothing moves on a resize.
#pragma once
#include "app/control_tables.h"

// Which Measure Results windows are visible (0..14).
extern int results_layout;

void add_frame_metrics(control_desc& main_row);
void layout_control_tables();
void reposition_controls();
void show_view_panels();
void show_view_panels_2(bool hidden);
void position_results_panes();
