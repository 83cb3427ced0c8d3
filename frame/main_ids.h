// Ids of the main window: the controls of its top bar and the menu and
// accelerator commands the frame itself uses.
#pragma once
#include "frame/control_id_blocks.h"

// Top bar (frame_controls).
enum : int {
    IDC_TOP_CONTROL_LABEL = 12000, // "CONTROL:"
    IDC_WQT1 = 12001,              // instrument buttons "WQT&1".."WQT&4"
    IDC_WQT2 = 12002,
    IDC_WQT3 = 12003,
    IDC_WQT4 = 12004,
    IDC_HIDE_SETTINGS = 12005,     // "HIDE SETTINGS" / "SHOW SETTINGS"
    IDC_SETTINGS_LABEL = 12006,    // "SETTINGS:"
    IDC_LOGO = 12007,              // bitmap button with the maker's logo
    IDC_READ_WQT = 12008,
    IDC_SET_UP_WQT = 12009,
    IDC_GROUP1 = 12010,
    IDC_GROUP2 = 12011,
};

// Menu and accelerator commands.
enum : int {
    IDM_ABOUT = 104,
    IDM_EXPORT_TO_WORD = 119,
    IDM_CONNECTION = 32775,
    IDM_SAVE_TO_BITMAP = 32778,
    IDM_COPY_TO_CLIPBOARD = 32779,
    IDM_FOCUS_NEXT = 32782,        // Tab
    IDM_FOCUS_PREVIOUS = 32783,    // Shift+Tab
    IDM_VIEW_MEASURE = 32784,
    IDM_VIEW_SCOPE = 32785,
    IDM_VIEW_HARMONICS = 32786,
    IDM_VIEW_CAPTURE = 32787,
    IDM_OPEN_CSV_FILE = 32791,
    IDM_EDIT_EQUATIONS = 32792,
    IDM_SETTINGS = 32793,
    IDM_SUPPORT = 32840,
    IDM_LOG_STEP = 32843,          // Enter
    IDM_VIEW_LOMX = 32844,
    IDM_VIEW_VOLTMETER = 32845,
};

static_assert(window_ids::top_bar.holds(IDC_TOP_CONTROL_LABEL) && window_ids::top_bar.holds(IDC_GROUP2),
              "the ids lie in their block of the registry");
