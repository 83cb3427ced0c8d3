// What every measurement-mode page shares: its first row is the Mode list
// (item 1). A change of that list sets the mode and shows the new mode's
// page; its options depend on the instrument. The dispatch shows the page
// of the mode item 1 holds and switches the instrument to it.
#pragma once
#include "config/item_numbers.h"
#include "configui/engine/engine.h"

#include <array>

// The first row of every mode page, and its step at the head of each mode
// page's walk.
constexpr int8_t kModeRowIndex = 0;
constexpr row_def kModeRow = list_row(kItemMode);
constexpr walk_step kModeStep{kModeRowIndex, STEP_MODE, nullptr};

// Rebuilds the Mode list's options for the current instrument. A mode
// page's lists hook calls it before building its own lists.
void mode_lists(const page_def& page, instrument_config& config);

// A mode page of one family: its rows, its walk, its layout and the Mode
// list; the context button is the hidden "Advanced Options >".
template <size_t N, size_t Steps>
constexpr page_def mode_page(page_kind kind, config_family family, const std::array<row_def, N>& rows,
                             const walk_step (&walk)[Steps], void (*layout)())
{
    return {.kind = kind, .family = family, .row_count = row_count_of(rows), .rows = rows.data(), .walk = walk,
            .walk_count = steps(walk), .lists = mode_lists, .layout = layout};
}

// The current instrument's model digit: the last character of the model
// name in its identification reply read as a number; 0 where it is no
// number, for model codes that have none, and without a reply. The
// capture variant's digit is 2.
int current_model_digit();

// The mode each family showed last (by config_family), -1 at start: the
// dispatch writes item 1 to the instrument whenever the mode it shows
// differs from it. Program-wide, not per instrument.
extern int last_mode_shown[5];

// The page of the mode item 1 holds (the Power Analyzer's for a mode
// without a page of its own); item 1 is written to the instrument first
// when it differs from the mode the family showed last. PAGE_KINDS without
// a configuration.
page_kind switch_to_current_mode(config_family family);
