// What the power pages share: the efficiency-ratio choices of the one-group
// families and when the two-group model offers a ratio at all, and the
// torque and speed inputs' rows, whose scale factors' labels and the speed
// scale factor's item follow the kind of inputs (item 84).
#pragma once
#include "config/config_item.h"
#include "config/item_numbers.h"
#include "config/item_tables.h"
#include "configui/engine/engine.h"

class instrument_config;
struct page_def;

// "Disabled", then the ratios the phase count allows (the WQT15 family has
// its own pairs).
option_list efficiency_choices(config_family family, int phases);

// The two-group model's efficiency ratio needs a grouping that gives the
// group its phases (p phases, grouping g).
bool wqt35xx_efficiency_shown(int p, int g);

// What item 84 makes of the torque and speed inputs: each analogue
// (a voltage) or pulsed (a frequency). 0 has neither.
constexpr bool analogue_torque(int t) { return t == 1 || t == 2; }
constexpr bool pulsed_torque(int t) { return t == 3 || t == 4; }
constexpr bool analogue_speed(int t) { return t == 1 || t == 3; }
constexpr bool pulsed_speed(int t) { return t == 2 || t == 4; }

// The speed scale factor: item 87 for pulsed speed inputs (84 = 2 or 4),
// else item 86.
int speed_scale_item(instrument_config& config);

// The kind of inputs, the torque and speed scale factors and offsets (the
// speed scale factor's item by the kind of inputs), and the two-group
// model's same entries, each stored in both groups.
constexpr row_def kTorqueSpeedRow = list_row(kItemTorqueSpeed);
constexpr row_def kTorqueScaleRow = edit_row(kItemTorqueScale);
constexpr row_def kTorqueOffsetRow = edit_row(kItemTorqueOffset);
constexpr row_def kSpeedScaleRow = edit_row(kItemSpeedScale, speed_scale_item);
constexpr row_def kSpeedOffsetRow = edit_row(kItemSpeedOffset);
constexpr row_def kTorqueScaleBothRow = both_edit_row(kItemTorqueScale);
constexpr row_def kTorqueOffsetBothRow = both_edit_row(kItemTorqueOffset);
constexpr row_def kSpeedScaleBothRow = {kItemSpeedScale, ROW_EDIT, SHOW_PLAIN, speed_scale_item, true, nullptr};
constexpr row_def kSpeedOffsetBothRow = both_edit_row(kItemSpeedOffset);

// Labels the torque and the speed scale-factor rows of a page from item 84.
void torque_speed_labels(const page_def& page, instrument_config& config, int torque_row, int speed_row);
