// Control ids of the Scope window (scope_controls).
#pragma once
#include "frame/control_id_blocks.h"

enum : int {
    IDC_SCOPE_TABLE = 14500,         // list view of the table view
    IDC_SCOPE_TITLE = 14501,         // "WQTn Oscilloscope"
    IDC_SCOPE_CONTROL_LABEL = 14502, // "Control"
    IDC_SCOPE_SINGLE = 14503,
    IDC_SCOPE_CONTINUOUS = 14504,
    IDC_SCOPE_CAPTURE = 14505,       // "Capture" / "Clear"
    IDC_SCOPE_TABLE_VIEW = 14506,
    IDC_SCOPE_EXPORT = 14507,
    IDC_SCOPE_IMPORT = 14508,
    IDC_SCOPE_PLOTS_LABEL = 14509,   // "Plots"
    IDC_SCOPE_PLOT1 = 14510,         // trace selectors 1..4
    IDC_SCOPE_PLOT2 = 14511,
    IDC_SCOPE_PLOT3 = 14512,
    IDC_SCOPE_PLOT4 = 14513,
    IDC_SCOPE_COLOUR1 = 14514,       // "Select Colour" of traces 1..4
    IDC_SCOPE_COLOUR2 = 14515,
    IDC_SCOPE_COLOUR3 = 14516,
    IDC_SCOPE_COLOUR4 = 14517,
    IDC_SCOPE_PLOT_OPTION = 14518,   // drop-down list below the trace selectors
    IDC_SCOPE_ZOOM_LABEL = 14519,    // "Zoom"
    IDC_SCOPE_ZOOM_BAR = 14520,
    IDC_SCOPE_TIME_LABEL = 14521,    // "Time"
    IDC_SCOPE_TIME_BAR = 14522,
};

static_assert(window_ids::scope.holds(IDC_SCOPE_TABLE) && window_ids::scope.holds(IDC_SCOPE_TIME_BAR),
              "the ids lie in their block of the registry");
