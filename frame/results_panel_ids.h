// Control ids of the four Measure Results panels (results_panel_controls).
// Panel p (0..3) numbers its controls from 14100 + 100 p; each control has
// the same offset in every panel.
#pragma once
#include "frame/control_id_blocks.h"

enum : int {
    IDC_RESULTS_PANEL1 = 14100,
    IDC_RESULTS_PANEL2 = 14200,
    IDC_RESULTS_PANEL3 = 14300,
    IDC_RESULTS_PANEL4 = 14400,
    RESULTS_PANEL_ID_STEP = 100,
};

// Offsets within a panel.
enum : int {
    RP_TITLE = 0,    // "WQTn - RESULTS"
    RP_VIEW_ALL = 1, // "View All"
    RP_SELECT1 = 2,  // selector combo boxes 1..4
    RP_SELECT2 = 3,
    RP_SELECT3 = 4,
    RP_SELECT4 = 5,
    RP_SCROLL = 6,   // horizontal scroll bar
    RP_COLOUR1 = 7,  // "Select Colour" 1..4
    RP_COLOUR2 = 8,
    RP_COLOUR3 = 9,
    RP_COLOUR4 = 10,
};

// The id of control offset in panel (0..3).
constexpr int results_panel_id(int panel, int offset)
{
    return IDC_RESULTS_PANEL1 + RESULTS_PANEL_ID_STEP * panel + offset;
}

static_assert(window_ids::results_panels.holds(IDC_RESULTS_PANEL1) && window_ids::results_panels.holds(IDC_RESULTS_PANEL4),
              "the ids lie in their block of the registry");
