// What every measurement-mode page shares: its row 0 is the Mode list
// (item 1). A change of that list sets the mode and shows the new mode's
// page; its options depend on the instrument. The dispatch shows the page
// of the mode item 1 holds and switches the instrument to it.
#pragma once
#include "config/item_numbers.h"
#include "configui/engine/engine.h"

// Row 0 of every mode page, and its step at the head of each mode page's walk.
constexpr row_def kModeRow = list_row(kItemMode);
constexpr walk_step kModeStep{0, STEP_MODE, nullptr};

// Rebuilds the Mode list's options for the current instrument. A mode
// page's lists hook calls it before building its own lists.
void mode_lists(const page_def& page, instrument_config& config);

// The current instrument's model digit: the last character of the model
// name in its identification reply read as a number; 0 where it is no
// number, for model codes that have none, and without a reply. The
// capture variant's digit is 2.
int current_model_digit();

// The mode each family showed last (by config_family), -1 at start: the
// dispatch writes item 1 to the instrument whenever the mode it shows
// differs from it. Program-wide, not per instrument.
extern int last_mode_shown[5];

// The measurement-mode dispatch of each family: item 1 written when the mode
// differs from the one shown last, then the mode's page.
void show_mode_page_wqt15xx(HWND config_window);
void show_mode_page_wqt25xx(HWND config_window);
void show_mode_page_wqt35xx(HWND config_window);
void show_mode_page_wqt45xx(HWND config_window);
void show_mode_page_wqt55xx(HWND config_window);
