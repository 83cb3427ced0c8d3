// What every measurement-mode page shares: its row 0 is the Mode list
// (item 1). A change of that list sets the mode and shows the new mode's
// page; its options depend on the instrument.
#pragma once
#include "config/item_numbers.h"
#include "configui/pages/engine.h"

// Row 0 of every mode page, and its step at the head of each mode page's walk.
constexpr row_def kModeRow = list_row(kItemMode);
constexpr walk_step kModeStep{0, STEP_MODE, nullptr};

// Rebuilds the Mode list's options for the current instrument. A mode
// page's lists hook calls it before building its own lists.
void mode_lists(const page_def& page, instrument_config& config);
