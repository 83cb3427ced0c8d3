// What the saved-configuration menu, the default dialog and the choice-list
// and edit services use of their neighbours: the configuration window and
// its pages, the program's settings and the logging engine. They are
// declared here and defined by those parts of the program.
#pragma once
#include <windows.h>

#include <string>

class instrument_config;

// ---- Configuration window and pages -----------------------------------------

// The Configuration window.
HWND config_window_handle();
// Re-shows the current configuration page, building it again when its
// page-rebuild flag is set.
void show_config_page(HWND config_window);
// Marks every configuration page for rebuilding and shows the current one
// again, so that its controls show the stored values.
void invalidate_all_config_pages();
// Empties the combo box, adds the item's option texts in order and selects
// the item's current value (no selection for a text item).
void fill_item_combobox(instrument_config* cfg, HWND combo, int item);
// The 1-based phase whose ranges the ranging page shows.
extern int ranging_phase;

// A number typed into a configuration edit, read with SI suffixes.
struct numeric_text_value {
    double value;
    int precision; // decimals when the number is written back as text
    bool ok;       // the whole text was a number
    numeric_text_value(std::string text, int precision);
};

// ---- Program settings -------------------------------------------------------

// The "AutoConfigs" setting: configuration edits are sent at once.
bool auto_configs_setting();

// ---- Logging engine ---------------------------------------------------------

// Whether the efficiency ratio list offers phase pairs and mechanical/sum
// (model3), or also phase/sum (model6), for wiring (item 82), phase count,
// grouping (item 23) and group.
bool is_param_available_model3(int wiring, int phases, int grouping, int group);
bool is_param_available_model6(int wiring, int phases, int grouping, int group);

// Procedure of the name-entry dialog 136; its initial parameter is a
// 128-byte name buffer. Ends with 1 (OK, name in the buffer) or 2 (Cancel).
INT_PTR CALLBACK save_setup_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
