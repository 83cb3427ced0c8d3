// The configuration pages' services on top of the model's choice lists and
// entry checks: the efficiency ratio and minimum-range combo boxes of the
// two-group family, the check of a typed configuration value, the ranging
// page's phase step and the wiring test of the ranging layout.
#pragma once
#include "configui/engine/config_ids.h"

#include <windows.h>

#include <string>

class instrument_config;

// The ranging page leaves its per-phase view on this command: the "Range"
// page button's, which shows the page afresh.
constexpr int CMD_LEAVE_RANGING_VIEW = IDC_CFG_PAGE_RANGE;

// Gives item 93 of the current configuration the ratio choices for the
// grouping (item 23), phase count and wiring (item 82) and refills the box.
void fill_ratio_choices(HWND combo, int grouping, int phases, int wiring);

// Gives the voltage (26, 178, 202) and current (27, 179, 203) minimum-range
// items of the current configuration their choices and refills both boxes
// from the pair the selector names (1, 2 or other). A box that had a
// selection keeps its position; one without shows the item's value.
void fill_range_choices(HWND voltage_combo, HWND current_combo, int selector,
                        int voltage_input_flag, int current_input_flag);

// The rows of a family's item labels: one for each item of the first table.
constexpr int kItemLabelCount = 256;

// Checks the text an edit held (buffer, of buffer_size bytes, 128 on the
// pages) for the item and stores it (sent at once when "AutoConfigs" is on),
// or shows why not and puts the stored value back in the edit and, as far
// as it fits, the buffer. labels: the family's kItemLabelCount item labels
// by item number; an item beyond them (the second table's) has an empty
// label. True when the value was stored.
bool validate_config_entry(HWND owner, HWND edit, char* buffer, size_t buffer_size,
                           instrument_config* cfg, int item, const char* const* labels);

// The first and last phase the ranging page steps through for the current
// instrument's wiring and grouping (-1 and -1 for none); two phases on
// their own inputs (wiring 4 at two phases) are phases 1 and 2.
void ranging_phase_range(int wiring, int grouping, int* first, int* last);

// Steps ranging_phase to the next phase of the current instrument's wiring,
// or posts CMD_LEAVE_RANGING_VIEW to the page when the wiring has none.
void advance_ranging_phase(HWND page, instrument_config* cfg);

// Whether the current instrument's wiring, grouping and active group form a
// combination its ranging page does not offer.
bool is_wiring_combination_rejected();
