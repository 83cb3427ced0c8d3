// The rows of every control table, in creation order. Texts named by a
// ui_text entry are taken from the text table when the program starts; the
// others are literals. Every created row gets WS_CHILD; rows without a class
// are layout slots that are never created.
#include "frame/control_tables.h"

#include "frame/ui_text.h"
#include "frame/version.h"
#include "frame/results_panel_ids.h"

#include <commctrl.h>

#include <array>

namespace {

// A row to be created. The base and current rectangles start at 0.
control_desc row(DWORD ex_style, const char* class_name, const char* text, DWORD style,
                 int x, int y, int w, int h, int id, int font, int anchor, int resize)
{
    return {ex_style, class_name, text, WS_CHILD | style, x, y, w, h, 0, 0, 0, 0,
            0, 0, 0, 0, nullptr, nullptr, id, font, anchor, resize};
}

// A layout-only slot: a design rectangle and its layout rules, no window.
control_desc slot(int x, int y, int w, int h, int font, int anchor, int resize)
{
    return {0, nullptr, nullptr, 0, x, y, w, h, 0, 0, 0, 0,
            0, 0, 0, 0, nullptr, nullptr, 0, font, anchor, resize};
}

} // namespace

// The main window: opens at a system-chosen place with 1024 x 625 as its
// design (and minimum) size.
control_desc main_window_desc = {0, "Z7DualWQTWClass", build_version_string(),
                                 WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 1024, 625,
                                 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, 0, 0, 0, 3};

const int measure_results_rows[RESULTS_PANELS] = {0, 4, 10, 16};

// Main frame: the view windows first (row 2 is the full-height slot the
// views take while the settings pane is hidden), then the top bar.
control_table<FRAME_CONTROL_ROWS> frame_controls = std::array{
    row(WS_EX_CLIENTEDGE, "Z7DualWQTConfigWClass", nullptr, 0, 6, 36, 1002, 158, 0, 0, 0, 1),
    row(WS_EX_CLIENTEDGE, "Z7DualWQTMeasureWClass", nullptr, 0, 6, 202, 1002, 362, 0, 0, 0, 4),
    slot(6, 36, 1002, 528, 0, 0, 4),
    row(WS_EX_CLIENTEDGE, "Z7DualWQTScopeWClass", nullptr, WS_CLIPCHILDREN | 0x3,
        0, 0, 0, 0, 0, 0, 0, 4),
    row(WS_EX_CLIENTEDGE, "Z7DualWQTCaptureWClass", nullptr, WS_CLIPCHILDREN,
        0, 0, 0, 0, 0, 0, 0, 4),
    row(WS_EX_CLIENTEDGE, "Z7DualWQTHarmonicsWClass", nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 4),
    row(WS_EX_CLIENTEDGE, "Z7DualWQTVoltmeterWClass", nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 4),
    row(WS_EX_CLIENTEDGE, "Z7DualWQTLOMXWClass", nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 4),
    row(0, "Static", ui_text[2], 0, 15, 12, 60, 20, 12000, 0, 0, 0),
    row(0, "Button", ui_text[3], WS_TABSTOP, 70, 6, 55, 25, 12001, 1, 0, 0),
    row(0, "Button", ui_text[4], WS_TABSTOP, 129, 6, 55, 25, 12002, 0, 0, 0),
    row(0, "Button", ui_text[5], WS_TABSTOP, 188, 6, 55, 25, 12003, 0, 0, 0),
    row(0, "Button", ui_text[6], WS_TABSTOP, 247, 6, 55, 25, 12004, 0, 0, 0),
    row(0, "Button", ui_text[71], WS_TABSTOP, 150, 6, 88, 25, 12005, 0, 2, 0),
    row(0, "Static", ui_text[8], 0, 455, 12, 40, 20, 12006, 0, 2, 0),
    row(0, "Button", ui_text[9], WS_TABSTOP, 360, 6, 88, 25, 12008, 0, 2, 0),
    row(0, "Button", ui_text[10], WS_TABSTOP, 270, 6, 88, 25, 12009, 0, 2, 0),
    row(0, "Button", nullptr, BS_BITMAP, 9, 7, 120, 24, 12007, 0, 2, 0),
    row(0, "Button", ui_text[1900], WS_TABSTOP, 306, 8, 50, 21, 12010, 0, 0, 0),
    row(0, "Button", ui_text[1901], WS_TABSTOP, 355, 8, 50, 21, 12011, 0, 0, 0),
};

// Config window: head and page buttons. MATHS, ALARM, REMOTE and PROG are
// never enabled.
control_table<CONFIG_CONTROL_ROWS> config_controls = std::array{
    row(0, "Static", ui_text[2], 0, 13, 6, 120, 20, 13009, 0, 0, 0),
    row(0, "Static", ui_text[12], 0, 258, 6, 240, 20, 13010, 0, 0, 0),
    row(0, "Button", ui_text[13], WS_TABSTOP, 6, 26, 80, 27, 13011, 0, 0, 0),
    row(0, "Button", ui_text[14], WS_TABSTOP, 88, 26, 80, 27, 13012, 0, 0, 0),
    row(0, "Button", ui_text[15], WS_TABSTOP, 170, 26, 80, 27, 13013, 0, 0, 0),
    row(0, "Button", ui_text[16], WS_TABSTOP, 6, 59, 80, 27, 13014, 0, 0, 0),
    row(0, "Button", ui_text[17], WS_TABSTOP, 88, 59, 80, 27, 13015, 0, 0, 0),
    row(0, "Button", ui_text[18], WS_DISABLED, 170, 59, 80, 27, 13016, 0, 0, 0),
    row(0, "Button", ui_text[19], WS_DISABLED, 6, 92, 80, 27, 13017, 0, 0, 0),
    row(0, "Button", ui_text[20], WS_DISABLED, 88, 92, 80, 27, 13018, 0, 0, 0),
    row(0, "Button", ui_text[21], WS_TABSTOP, 170, 92, 80, 27, 13019, 0, 0, 0),
    row(0, "Button", ui_text[22], WS_TABSTOP, 6, 125, 80, 27, 13020, 0, 0, 0),
    row(0, "Button", ui_text[23], WS_TABSTOP, 88, 125, 80, 27, 13021, 0, 0, 0),
    row(0, "Button", ui_text[24], WS_DISABLED, 170, 125, 80, 27, 13022, 0, 0, 0),
    row(0, "Button", ui_text[50], WS_TABSTOP, 870, 124, 116, 22, 13023, 0, 0, 0),
};

// Measure window: Measure Results windows 1-4 (rows 0, 4, 10, 16), each
// followed by the slots it takes in the layouts of two, three and four panes;
// then the Measure window's own controls from row 20.
control_table<MEASURE_CONTROL_ROWS> measure_controls = std::array{
    row(0, "Z7DualWQTMeasureResultsWClass", nullptr, WS_CLIPCHILDREN | WS_BORDER,
        6, 68, 850, 286, 0, 0, 0, 5),
    slot(6, 68, 422, 286, 0, 0, 5),
    slot(6, 68, 281, 286, 0, 0, 5),
    slot(6, 68, 422, 140, 0, 0, 5),
    row(0, "Z7DualWQTMeasureResultsWClass", nullptr, WS_CLIPCHILDREN | WS_BORDER,
        6, 68, 850, 286, 0, 0, 0, 5),
    slot(6, 68, 422, 286, 0, 0, 5),
    slot(434, 68, 422, 286, 0, 0, 5),
    slot(6, 68, 281, 286, 0, 0, 5),
    slot(291, 68, 281, 286, 0, 0, 5),
    slot(434, 68, 422, 140, 0, 0, 5),
    row(0, "Z7DualWQTMeasureResultsWClass", nullptr, WS_CLIPCHILDREN | WS_BORDER,
        6, 68, 850, 286, 0, 0, 0, 5),
    slot(6, 68, 422, 286, 0, 0, 5),
    slot(434, 68, 422, 286, 0, 0, 5),
    slot(291, 68, 281, 286, 0, 0, 5),
    slot(576, 68, 281, 286, 0, 0, 5),
    slot(6, 214, 422, 140, 0, 0, 5),
    row(0, "Z7DualWQTMeasureResultsWClass", nullptr, WS_CLIPCHILDREN | WS_BORDER,
        6, 68, 850, 286, 0, 0, 0, 5),
    slot(434, 68, 422, 286, 0, 0, 5),
    slot(576, 68, 281, 286, 0, 0, 5),
    slot(434, 214, 422, 140, 0, 0, 5),
    row(WS_EX_CLIENTEDGE, "SysListView32", nullptr, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
        6, 68, 850, 286, 14023, 0, 0, 3),
    row(0, "Button", ui_text[25], BS_GROUPBOX, 6, 6, 107, 54, 14024, 0, 0, 0),
    row(0, "Button", ui_text[1290], WS_TABSTOP, 13, 24, 90, 27, 14025, 0, 0, 0),
    row(0, "Button", ui_text[26], BS_GROUPBOX, 115, 6, 249, 54, 14029, 0, 0, 0),
    row(0, "Button", ui_text[30], WS_TABSTOP, 118, 24, 80, 27, 14030, 1, 0, 0),
    row(0, "Button", ui_text[31], WS_TABSTOP, 198, 24, 80, 27, 14031, 0, 0, 0),
    row(0, "Button", ui_text[32], WS_TABSTOP, 278, 24, 80, 27, 14032, 0, 0, 0),
    row(0, "Button", ui_text[27], BS_GROUPBOX, 366, 6, 624, 54, 14033, 0, 0, 1),
    row(0, "Button", ui_text[33], WS_TABSTOP, 370, 24, 80, 27, 14034, 0, 0, 0),
    row(0, "Button", ui_text[34], WS_TABSTOP, 450, 24, 80, 27, 14035, 0, 0, 0),
    row(0, "Button", ui_text[77], WS_TABSTOP, 646, 38, 55, 19, 14036, 0, 0, 0),
    row(0, "Static", ui_text[35], 0, 625, 19, 40, 20, 14037, 0, 0, 0),
    row(0, "Button", "Instrument", WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON,
        545, 28, 65, 12, 14038, 0, 0, 0),
    row(0, "Button", "Software", WS_TABSTOP | BS_AUTORADIOBUTTON, 545, 14, 65, 12, 14039, 0, 0, 0),
    row(0, "Edit", nullptr, WS_BORDER | WS_TABSTOP | ES_RIGHT, 665, 16, 35, 20, 14040, 0, 0, 0),
    row(0, "Static", ui_text[78], 0, 703, 19, 20, 20, 14041, 0, 0, 0),
    row(0, "Button", ui_text[36], WS_TABSTOP | BS_AUTOCHECKBOX, 545, 42, 90, 12, 14042, 0, 0, 0),
    row(0, "Static", ui_text[37], SS_CENTER, 12, 18, 120, 20, 14043, 2, 2, 0),
    row(0, "Static", ui_text[38], SS_CENTER, 12, 38, 120, 20, 14044, 3, 2, 0),
    row(0, "Button", ui_text[926], WS_TABSTOP, 731, 34, 100, 22, 14045, 0, 0, 0),
    row(0, "Button", "Auto Append?", WS_TABSTOP | BS_AUTOCHECKBOX,
        732, 20, 100, 12, 14046, 0, 0, 0),
    row(0, "Edit", "30", WS_BORDER | WS_TABSTOP | ES_RIGHT, 731, 34, 60, 18, 14047, 0, 0, 0),
    row(0, "Static", "Sec(s)", WS_BORDER | WS_TABSTOP, 791, 34, 40, 18, 14050, 0, 0, 0),
    row(0, "Static", "Time Til Apend:", WS_BORDER | WS_TABSTOP, 732, 20, 100, 14, 14048, 0, 0, 0),
    row(0, "Static", "0 Seconds", WS_BORDER | WS_TABSTOP, 732, 34, 100, 14, 14049, 0, 0, 0),
    row(0, "Button", ui_text[1430], WS_TABSTOP | BS_AUTOCHECKBOX, 852, 20, 120, 12, 14051, 0, 0, 0),
    row(0, "Edit", nullptr, WS_BORDER | WS_TABSTOP | ES_RIGHT, 845, 38, 120, 18, 14052, 0, 0, 0),
    row(0, "Button", ui_text[39], WS_TABSTOP | BS_GROUPBOX, 8, 64, 129, 290, 14053, 0, 2, 0),
    row(0, "Button", ui_text[1480], WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON,
        18, 77, 110, 20, 14054, 0, 2, 0),
    row(0, "Button", ui_text[1481], WS_TABSTOP | BS_AUTORADIOBUTTON,
        18, 97, 110, 20, 14055, 0, 2, 0),
    row(0, "Button", ui_text[1482], WS_TABSTOP | BS_AUTORADIOBUTTON,
        18, 117, 110, 20, 14056, 0, 2, 0),
    row(0, "Button", ui_text[1483], WS_TABSTOP | BS_AUTORADIOBUTTON,
        18, 137, 110, 20, 14057, 0, 2, 0),
    row(0, "Button", ui_text[1484], WS_TABSTOP | BS_AUTORADIOBUTTON,
        18, 157, 110, 20, 14058, 0, 2, 0),
    row(0, "Static", ui_text[927], 0, 11, 174, 120, 20, 14059, 0, 2, 0),
    row(0, "Edit", nullptr, WS_BORDER | WS_TABSTOP | ES_MULTILINE,
        16, 187, 115, 45, 14060, 0, 2, 0),
    row(0, "Static", ui_text[1233], 0, 16, 190, 115, 20, 14061, 0, 2, 0),
    row(0, "Edit", ui_text[1234], WS_DISABLED | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL,
        16, 205, 115, 20, 14062, 0, 2, 0),
    row(0, "Button", ui_text[46], BS_GROUPBOX, 11, 235, 122, 48, 14063, 0, 2, 0),
    row(0, "Button", ui_text[46], WS_TABSTOP, 16, 250, 115, 27, 14064, 0, 2, 0),
    row(0, "Button", ui_text[1230], BS_GROUPBOX, 11, 287, 122, 60, 14065, 0, 2, 0),
    row(0, "Button", ui_text[1231], WS_TABSTOP | BS_MULTILINE, 16, 302, 115, 40, 14066, 0, 2, 0),
};

namespace {

// One Measure Results panel p (0..3). The panels are alike but for their
// ids, titles and three sizes: panel 1 has combo boxes and colour buttons 16
// high and a short scroll bar low down; panels 2-4 have combo boxes 20 high,
// colour buttons 14 high and a longer scroll bar higher up.
control_table<RESULTS_PANEL_ROWS> results_panel(int p)
{
    constexpr DWORD kCombo = WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN;
    const bool first = p == 0;
    const int id = results_panel_id(p, RP_TITLE);
    const int combo_h = first ? 16 : 20;
    const int colour_h = first ? 16 : 14;
    const int scroll_y = first ? 250 : 100;
    const int scroll_w = first ? 100 : 280;
    return std::array{
        row(0, "Static", ui_text[718 + p], 0, 6, 0, 200, 24, id, 4, 0, 1),
        row(0, "Button", ui_text[731], WS_TABSTOP, 2, 2, 64, 20, id + RP_VIEW_ALL, 0, 2, 0),
        row(0, "ComboBox", nullptr, kCombo, 6, 79, 90, combo_h, id + RP_SELECT1, 0, 0, 0),
        row(0, "ComboBox", nullptr, kCombo, 6, 116, 90, combo_h, id + RP_SELECT2, 0, 0, 0),
        row(0, "ComboBox", nullptr, kCombo, 6, 151, 90, combo_h, id + RP_SELECT3, 0, 0, 0),
        row(0, "ComboBox", nullptr, kCombo, 6, 186, 90, combo_h, id + RP_SELECT4, 0, 0, 0),
        row(0, "ScrollBar", nullptr, SBS_HORZ, 100, scroll_y, scroll_w, 18, id + RP_SCROLL,
            0, 0, 0),
        row(0, "Button", ui_text[954], WS_TABSTOP, 6, 99, 90, colour_h, id + RP_COLOUR1, 0, 0, 0),
        row(0, "Button", ui_text[954], WS_TABSTOP, 6, 136, 90, colour_h, id + RP_COLOUR2, 0, 0, 0),
        row(0, "Button", ui_text[954], WS_TABSTOP, 6, 171, 90, colour_h, id + RP_COLOUR3, 0, 0, 0),
        row(0, "Button", ui_text[954], WS_TABSTOP, 6, 206, 90, colour_h, id + RP_COLOUR4, 0, 0, 0),
    };
}

} // namespace

// The four Measure Results panels.
results_panel_tables results_panel_controls = {results_panel(0), results_panel(1),
                                               results_panel(2), results_panel(3)};

// Scope window.
control_table<SCOPE_CONTROL_ROWS> scope_controls = std::array{
    row(WS_EX_CLIENTEDGE, "SysListView32", nullptr, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
        110, 35, 890, 328, 14500, 0, 0, 3),
    row(0, "Static", nullptr, 0, 6, 0, 260, 24, 14501, 4, 0, 0),
    row(0, "Static", ui_text[967], WS_TABSTOP, 6, 40, 90, 20, 14502, 3, 0, 0),
    row(0, "Button", ui_text[1036], WS_TABSTOP, 6, 80, 90, 24, 14503, 0, 0, 0),
    row(0, "Button", ui_text[1037], WS_TABSTOP, 6, 112, 90, 24, 14504, 0, 0, 0),
    row(0, "Button", ui_text[1213], WS_TABSTOP, 6, 144, 90, 24, 14505, 0, 0, 0),
    row(0, "Button", ui_text[1218], WS_TABSTOP, 6, 190, 90, 24, 14506, 0, 0, 0),
    row(0, "Button", ui_text[1214], WS_TABSTOP, 6, 300, 90, 24, 14507, 0, 0, 0),
    row(0, "Button", ui_text[1215], WS_TABSTOP, 6, 270, 90, 24, 14508, 0, 0, 0),
    row(0, "Static", ui_text[955], WS_TABSTOP, 126, 40, 90, 20, 14509, 3, 0, 0),
    row(0, "ComboBox", nullptr, WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN,
        126, 80, 90, 20, 14510, 0, 0, 0),
    row(0, "Button", ui_text[954], WS_TABSTOP, 126, 102, 90, 14, 14514, 0, 0, 0),
    row(0, "ComboBox", nullptr, WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN,
        126, 130, 90, 20, 14511, 0, 0, 0),
    row(0, "Button", ui_text[954], WS_TABSTOP, 126, 152, 90, 14, 14515, 0, 0, 0),
    row(0, "ComboBox", nullptr, WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN,
        126, 180, 90, 20, 14512, 0, 0, 0),
    row(0, "Button", ui_text[954], WS_TABSTOP, 126, 202, 90, 14, 14516, 0, 0, 0),
    row(0, "ComboBox", nullptr, WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN,
        126, 230, 90, 20, 14513, 0, 0, 0),
    row(0, "Button", ui_text[954], WS_TABSTOP, 126, 252, 90, 14, 14517, 0, 0, 0),
    row(0, "ComboBox", nullptr, WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST,
        126, 280, 90, 20, 14518, 0, 0, 0),
    row(0, "Static", "Zoom", 0, 306, 0, 50, 18, 14519, 0, 3, 0),
    row(0, "ScrollBar", nullptr, SBS_HORZ, 30, 0, 600, 18, 14520, 0, 4, 1),
    row(0, "Static", "Time", 0, 306, 20, 50, 18, 14521, 0, 3, 0),
    row(0, "ScrollBar", nullptr, SBS_HORZ, 30, 20, 600, 18, 14522, 0, 4, 1),
};

// Capture window; row order is not id order.
control_table<CAPTURE_CONTROL_ROWS> capture_controls = std::array{
    row(0, "Static", nullptr, 0, 6, 0, 260, 24, 14600, 4, 0, 0),
    row(0, "Button", ui_text[1163], WS_TABSTOP, 6, 210, 150, 22, 14605, 0, 0, 0),
    row(0, "Button", ui_text[929], WS_TABSTOP, 6, 240, 150, 22, 14603, 0, 0, 0),
    row(0, "Button", ui_text[1021], WS_TABSTOP, 6, 270, 150, 22, 14604, 0, 0, 0),
    row(0, "Button", ui_text[933], WS_TABSTOP, 6, 300, 150, 22, 14601, 0, 0, 0),
    row(0, "Button", ui_text[939], WS_TABSTOP, 6, 330, 150, 22, 14602, 0, 0, 0),
};

// Harmonics window; row 0 is the Harmonic Results window.
control_table<HARMONICS_CONTROL_ROWS> harmonics_controls = std::array{
    row(0, "Z7DualWQTHarmonicResultsWClass", nullptr, WS_CLIPCHILDREN | WS_BORDER,
        6, 68, 986, 286, 0, 0, 0, 4),
    row(WS_EX_CLIENTEDGE, "SysListView32", nullptr, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
        6, 68, 986, 286, 14700, 0, 0, 3),
    row(0, "Button", ui_text[972], BS_GROUPBOX, 6, 6, 379, 54, 14701, 0, 0, 0),
    row(0, "Button", ui_text[973], WS_TABSTOP, 12, 24, 85, 27, 14702, 0, 0, 0),
    row(0, "Button", ui_text[980], WS_TABSTOP, 103, 24, 85, 27, 14703, 0, 0, 0),
    row(0, "Button", ui_text[974], WS_TABSTOP, 194, 24, 85, 27, 14704, 1, 0, 0),
    row(0, "Button", "Display Tooltips?", WS_TABSTOP | BS_AUTOCHECKBOX,
        285, 24, 95, 14, 14713, 0, 0, 0),
    row(0, "Button", "Display K-Factor?", WS_TABSTOP | BS_AUTOCHECKBOX,
        285, 38, 95, 14, 14714, 0, 0, 0),
    row(0, "Button", ui_text[975], BS_GROUPBOX, 389, 6, 138, 54, 14705, 0, 0, 0),
    row(0, "Button", ui_text[976], WS_TABSTOP, 411, 24, 85, 27, 14706, 0, 0, 0),
    row(0, "Button", ui_text[978], BS_GROUPBOX, 533, 6, 148, 54, 14707, 0, 0, 0),
    row(0, "Button", ui_text[979], WS_TABSTOP, 569, 24, 85, 27, 14708, 0, 0, 0),
    row(0, "Button", ui_text[39], BS_GROUPBOX, 686, 6, 307, 54, 14709, 0, 0, 0),
    row(0, "Button", ui_text[1158], WS_TABSTOP | BS_AUTOCHECKBOX, 696, 24, 70, 27, 14710, 0, 0, 0),
    row(0, "Button", ui_text[43], WS_TABSTOP, 768, 24, 85, 27, 14711, 0, 0, 0),
    row(0, "Edit", nullptr, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL,
        857, 28, 125, 20, 14712, 0, 0, 0),
};

// Harmonic Results window.
control_table<HARMONIC_RESULTS_CONTROL_ROWS> harmonic_results_controls = std::array{
    row(0, "Static", nullptr, 0, 6, 0, 140, 24, 14800, 4, 0, 0),
    row(0, "Static", ui_text[986], 0, 6, 25, 50, 24, 14801, 1, 0, 0),
    row(0, "ComboBox", nullptr, WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN,
        6, 43, 90, 20, 14802, 0, 0, 0),
    row(0, "ComboBox", nullptr, WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN,
        6, 82, 90, 20, 14803, 0, 0, 0),
    row(0, "ComboBox", nullptr, WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN,
        6, 119, 90, 20, 14804, 0, 0, 0),
    row(0, "ComboBox", nullptr, WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN,
        6, 157, 90, 20, 14805, 0, 0, 0),
    row(0, "Button", "Select Colour", WS_TABSTOP, 6, 64, 90, 15, 14806, 0, 0, 0),
    row(0, "Button", "Select Colour", WS_TABSTOP, 6, 102, 90, 15, 14807, 0, 0, 0),
    row(0, "Button", "Select Colour", WS_TABSTOP, 6, 140, 90, 15, 14808, 0, 0, 0),
    row(0, "Button", "Select Colour", WS_TABSTOP, 6, 178, 90, 15, 14809, 0, 0, 0),
    row(0, "Static", ui_text[987], 0, 6, 192, 90, 24, 14810, 1, 0, 0),
    row(0, "ComboBox", nullptr, WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST,
        6, 210, 90, 20, 14811, 0, 0, 0),
    row(0, "ComboBox", nullptr, WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST,
        6, 235, 90, 20, 14812, 0, 0, 0),
    row(0, "ComboBox", nullptr, WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST,
        6, 260, 90, 20, 14813, 0, 0, 0),
    row(0, "ScrollBar", nullptr, SBS_HORZ, 6, 6, 796, 18, 14814, 0, 4, 1),
};

// Vector Voltmeter window.
control_table<VOLTMETER_CONTROL_ROWS> voltmeter_controls = std::array{
    row(0, "Static", "Vector Voltmeter", 0, 6, 0, 260, 24, 15600, 4, 0, 0),
    row(0, "Static", ui_text[967], WS_TABSTOP, 6, 40, 90, 20, 15601, 3, 0, 0),
    row(0, "Button", ui_text[1472], WS_TABSTOP, 6, 75, 90, 24, 15602, 0, 0, 0),
    row(0, "Button", ui_text[1473], WS_TABSTOP, 6, 107, 90, 24, 15603, 0, 0, 0),
    row(0, "Button", ui_text[1475], WS_TABSTOP, 6, 139, 90, 24, 15604, 0, 0, 0),
    row(0, "Button", ui_text[1476], WS_TABSTOP, 6, 171, 90, 24, 15605, 0, 0, 0),
    row(0, "Static", ui_text[1477], WS_TABSTOP, 6, 162, 90, 20, 15606, 3, 0, 0),
    row(0, "Static", ui_text[1478], WS_TABSTOP, 6, 187, 90, 15, 15607, 0, 0, 0),
    row(0, "ComboBox", nullptr, WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST,
        6, 202, 90, 20, 15608, 0, 0, 0),
    row(0, "Static", ui_text[1479], WS_TABSTOP, 6, 227, 90, 15, 15609, 0, 0, 0),
    row(0, "ComboBox", nullptr, WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST,
        6, 242, 90, 20, 15610, 0, 0, 0),
    row(0, "Static", ui_text[1471], WS_TABSTOP, 6, 267, 90, 15, 15611, 0, 0, 0),
    row(0, "ComboBox", nullptr, WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST,
        6, 282, 90, 20, 15612, 0, 0, 0),
    row(0, "Static", ui_text[1468], WS_TABSTOP, 6, 307, 90, 15, 15613, 0, 0, 0),
    row(0, "ComboBox", nullptr, WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST,
        6, 322, 90, 20, 15614, 0, 0, 0),
};

// LOMX window.
control_table<LOMX_CONTROL_ROWS> lomx_controls = std::array{
    row(0, "Static", "LOMX Setup", SS_CENTER, 12, 6, 990, 30, 15501, 4, 0, 0),
    row(0, "Static",
        "Connect your TVX LOMX to the PC using the serial connection and then power it on.\r"
        "Then connect it to the software to begin setup:",
        0, 12, 50, 990, 30, 15502, 0, 0, 0),
    row(0, "Button", "Connect to LOMX", WS_TABSTOP | BS_DEFPUSHBUTTON,
        12, 85, 120, 25, 15503, 0, 0, 0),
    row(0, "Static", "No Connection", 0, 150, 90, 250, 15, 15504, 0, 0, 0),
    row(0, "Button", "Connection Settings", BS_GROUPBOX, 12, 120, 388, 85, 15505, 0, 0, 0),
    row(0, "Static", "CAN Bitrate:", 0, 38, 145, 100, 25, 15506, 0, 0, 0),
    row(0, "ComboBox", nullptr, WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST,
        244, 145, 100, 25, 15507, 0, 0, 0),
    row(0, "Static", "Serial Baudrate:", 0, 38, 175, 100, 25, 15508, 0, 0, 0),
    row(0, "ComboBox", nullptr, WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST,
        244, 175, 100, 25, 15509, 0, 0, 0),
    row(0, "Button", "CAN Message Settings", BS_GROUPBOX, 12, 215, 388, 115, 15510, 0, 0, 0),
    row(0, "Button", " Extended message IDs?", WS_TABSTOP | BS_AUTOCHECKBOX,
        38, 235, 300, 25, 15511, 0, 0, 0),
    row(0, "Static", "CAN Read ID (Hex):", 0, 38, 265, 100, 25, 15512, 0, 0, 0),
    row(0, "Edit", nullptr, WS_BORDER | WS_TABSTOP | ES_RIGHT, 244, 265, 100, 20, 15513, 0, 0, 0),
    row(0, "Static", "CAN Reply ID (Hex):", 0, 38, 295, 100, 25, 15514, 0, 0, 0),
    row(0, "Edit", nullptr, WS_BORDER | WS_TABSTOP | ES_RIGHT, 244, 295, 100, 20, 15515, 0, 0, 0),
    row(0, "Button", "Power On Settings", BS_GROUPBOX, 12, 340, 388, 140, 15516, 0, 0, 0),
    row(0, "Button", "  Send status over CAN when LOMX powers on?", WS_TABSTOP | BS_AUTOCHECKBOX,
        38, 360, 300, 25, 15517, 0, 0, 0),
    row(0, "Button", "  Load a WQT Program when LOMX powers on?", WS_TABSTOP | BS_AUTOCHECKBOX,
        38, 390, 230, 25, 15519, 0, 0, 0),
    row(0, "Static", "Program: ", WS_TABSTOP, 274, 395, 50, 20, 15520, 0, 0, 0),
    row(0, "ComboBox", nullptr, WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST,
        320, 390, 50, 20, 15521, 0, 0, 0),
    row(0, "Button",
        "  Set up Multilog infomation when LOMX powers on?",
        WS_TABSTOP | BS_AUTOCHECKBOX, 38, 420, 300, 25, 15518, 0, 0, 0),
    row(0, "Button", "  Request Multilog data when LOMX powers on?", WS_TABSTOP | BS_AUTOCHECKBOX,
        38, 450, 300, 25, 15524, 0, 0, 0),
    row(0, "Button", "Multilog Settings", BS_GROUPBOX, 412, 50, 568, 435, 15522, 0, 0, 0),
    row(0, "Button",
        "  Reply with old data if no new data is available?",
        WS_TABSTOP | BS_AUTOCHECKBOX, 538, 80, 350, 25, 15537, 0, 0, 0),
    row(0, "Button",
        "  Send the first reply in a multilog response as the data count?",
        WS_TABSTOP | BS_AUTOCHECKBOX, 538, 110, 300, 25, 15523, 0, 0, 0),
    row(0, "Static", "Send Multilog Data over CAN", 0, 518, 145, 130, 15, 15526, 0, 0, 0),
    row(0, "ComboBox", nullptr, WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST,
        674, 140, 200, 25, 15525, 0, 0, 0),
    row(0, "Button", "Select Multilogs", WS_TABSTOP, 518, 165, 120, 25, 15527, 0, 0, 0),
    row(0, "Button", "Edit Selected", WS_TABSTOP, 758, 165, 120, 25, 15528, 0, 0, 0),
    row(WS_EX_CLIENTEDGE, "SysListView32", nullptr, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
        428, 195, 530, 190, 15529, 0, 0, 0),
    row(0, "Static", "When to request results from the WQT:", 0, 598, 400, 350, 15, 15530, 0, 0, 0),
    row(0, "Button", "On command only", WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON,
        478, 415, 120, 25, 15531, 0, 0, 0),
    row(0, "Button", "Repeatedly", WS_TABSTOP | BS_AUTORADIOBUTTON,
        628, 415, 80, 25, 15532, 0, 0, 0),
    row(0, "Button", "Repeatedly on command", WS_TABSTOP | BS_AUTORADIOBUTTON,
        768, 415, 150, 25, 15533, 0, 0, 0),
    row(0, "Static", "Repeat Speed:", 0, 568, 450, 100, 25, 15534, 0, 0, 0),
    row(0, "Edit", nullptr, WS_BORDER | WS_TABSTOP | ES_RIGHT, 694, 447, 100, 20, 15535, 0, 0, 0),
    row(0, "Static", "s", 0, 800, 450, 25, 25, 15536, 0, 0, 0),
    row(0, "Button", "Save", WS_TABSTOP, 12, 495, 120, 25, 15538, 0, 0, 0),
    row(0, "Button", "Load", WS_TABSTOP, 138, 495, 120, 25, 15539, 0, 0, 0),
    row(0, "Button", "Setup LOMX", WS_TABSTOP, 860, 495, 120, 25, 15540, 0, 0, 0),
};
