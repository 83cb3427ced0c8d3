// Control ids of the Harmonic Results window (harmonic_results_controls).
#pragma once
#include "frame/control_id_blocks.h"

enum : int {
    IDC_HRES_TITLE = 14800,        // "WQTn Harmonics"
    IDC_HRES_PHASES_LABEL = 14801, // "Phases:"
    IDC_HRES_PHASE1 = 14802,       // phase selectors 1..4
    IDC_HRES_PHASE2 = 14803,
    IDC_HRES_PHASE3 = 14804,
    IDC_HRES_PHASE4 = 14805,
    IDC_HRES_COLOUR1 = 14806,      // "Select Colour" 1..4
    IDC_HRES_COLOUR2 = 14807,
    IDC_HRES_COLOUR3 = 14808,
    IDC_HRES_COLOUR4 = 14809,
    IDC_HRES_ZOOM_LABEL = 14810,   // "Zoom:"
    IDC_HRES_ZOOM1 = 14811,        // zoom drop-down lists 1..3
    IDC_HRES_ZOOM2 = 14812,
    IDC_HRES_ZOOM3 = 14813,
    IDC_HRES_SCROLL = 14814,
};

static_assert(window_ids::harmonic_results.holds(IDC_HRES_TITLE) && window_ids::harmonic_results.holds(IDC_HRES_SCROLL),
              "the ids lie in their block of the registry");
