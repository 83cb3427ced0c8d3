// Control ids of the Harmonics window (harmonics_controls).
#pragma once
#include "frame/control_id_blocks.h"

enum : int {
    IDC_HARM_TABLE = 14700,           // list view of the table views
    IDC_HARM_VIEW_GROUP = 14701,      // "Harmonics View"
    IDC_HARM_VIEW_TABLE = 14702,      // view buttons "TABLE", "TABLE pk", "GRAPH"
    IDC_HARM_VIEW_TABLE_PK = 14703,
    IDC_HARM_VIEW_GRAPH = 14704,
    IDC_HARM_CONTROL_GROUP = 14705,   // "Harmonics Control"
    IDC_HARM_START = 14706,
    IDC_HARM_EXCEL_GROUP = 14707,     // "Export to Excel"
    IDC_HARM_EXPORT = 14708,
    IDC_HARM_DATA_GROUP = 14709,      // "Data Settings"
    IDC_HARM_LOG_CSV = 14710,         // "Log to .CSV"
    IDC_HARM_SELECT_FILE = 14711,
    IDC_HARM_FILE_NAME = 14712,
    IDC_HARM_TOOLTIPS = 14713,        // "Display Tooltips?"
    IDC_HARM_K_FACTOR = 14714,        // "Display K-Factor?"
};

static_assert(window_ids::harmonics.holds(IDC_HARM_TABLE) && window_ids::harmonics.holds(IDC_HARM_K_FACTOR),
              "the ids lie in their block of the registry");
