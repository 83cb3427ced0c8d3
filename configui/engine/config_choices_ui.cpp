#include "configui/engine/config_choices_ui.h"
#include "config/item_numbers.h"

#include "base/message_box.h"
#include "config/config_choices.h"
#include "config/identification.h"
#include "config/instrument_config.h"
#include "config/two_group_rules.h"
#include "config/typed_values.h"
#include "configui/engine/change_rule.h"
#include "configui/engine/config_pages.h"
#include "configui/engine/rows.h"
#include "slots/instrument_slots.h"

#include <cstdio>
#include <cstring>

namespace {


int item_int(instrument_config& cfg, int id)
{
    int value = 0;
    return cfg.get_value_int(id, value);
}


int selected_position(HWND combo)
{
    return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
}

// A box that had no selection keeps the one its refill gave it.
void select_position(HWND combo, int position)
{
    if (position >= 0)
        select_list_value(combo, position);
}

void set_choices(instrument_config& cfg, const int (&items)[3], const option_list& choices)
{
    for (int id : items)
        cfg.set_option_list(id, choices);
}

} // namespace

void fill_ratio_choices(HWND combo, int grouping, int phases, int wiring)
{
    const std::shared_ptr<instrument_config> cfg = get_current_config();
    if (!cfg)
        return;
    ratio_inputs in{};
    in.wiring = wiring;
    in.phases = phases;
    in.grouping = grouping;
    in.group = get_current_active_group();
    int last = -1;
    ranging_phase_range(wiring, grouping, &in.first_phase, &last);
    in.model3 = is_param_available_model3(wiring, phases, grouping, in.group);
    in.model6 = is_param_available_model6(wiring, phases, grouping, in.group);
    cfg->set_option_list(kItemRatio, ratio_choices(in));
    fill_item_combobox(*cfg, combo, kItemRatio);
}

void fill_range_choices(HWND voltage_combo, HWND current_combo, int selector,
                        int voltage_input_flag, int current_input_flag)
{
    const std::shared_ptr<instrument_config> cfg = get_current_config();
    if (!cfg)
        return;
    const int voltage_position = selected_position(voltage_combo);
    const int current_position = selected_position(current_combo);
    const range_item_pair items = range_items_for_selector(selector);
    set_choices(*cfg, kVoltageRangeItems, voltage_range_choices(voltage_input_flag != 0));
    fill_item_combobox(*cfg, voltage_combo, items.voltage);
    set_choices(*cfg, kCurrentRangeItems,
                current_range_choices(current_input_flag != 0,
                                      get_current_instrument().option_code));
    fill_item_combobox(*cfg, current_combo, items.current);
    select_position(voltage_combo, voltage_position);
    select_position(current_combo, current_position);
}

bool validate_config_entry(HWND owner, HWND edit, char* buffer, size_t buffer_size,
                           instrument_config* cfg, int item, const char* const* labels)
{
    if (buffer == nullptr || buffer_size == 0 || cfg == nullptr)
        return false;
    const numeric_text_value number(std::string(buffer, strnlen(buffer, buffer_size)), 3);
    const bool labelled = labels != nullptr && item >= 0 && item < kItemLabelCount;
    const char* label = labelled && labels[item] != nullptr ? labels[item] : "";
    const entry_check check =
        check_config_entry(number.value, number.ok, cfg->get_value_record_copy(item), label);
    switch (check.verdict) {
    case entry_verdict::store:
        store_item_text(cfg, item, check.text.c_str(), &get_current_instrument(), false);
        return true;
    case entry_verdict::invalid_number:
        // The rebuilt page shows the stored value again.
        show_message_box(owner, check.text.c_str(), kIncorrectValueTitle, MB_OK);
        rebuild_all_pages();
        return false;
    case entry_verdict::out_of_range:
        std::snprintf(buffer, buffer_size, "%s", check.revert.c_str());
        SetWindowTextA(edit, check.revert.c_str());
        show_message_box(owner, check.text.c_str(), kIncorrectValueTitle, MB_OK);
        return false;
    }
    return false;
}

void ranging_phase_range(int wiring, int grouping, int* first, int* last)
{
    const instrument_slot& slot = get_current_instrument();
    get_phase_range(slot, wiring, slot.active_group, grouping, first, last);
    // Two phases on their own inputs: each has its own ranges, as with wiring 7.
    if (*first == -1 && slot.phase_count == 2 && wiring == 4) {
        *first = 1;
        *last = 2;
    }
}

void advance_ranging_phase(HWND page, instrument_config* cfg)
{
    if (cfg == nullptr)
        return;
    const int wiring = item_int(*cfg, kItemWiring);
    const bool skip = ranging_pair_skip(static_cast<int>(get_current_instrument().phase_count),
                                        wiring, item_int(*cfg, kItemRangingSkip));
    int first = -1;
    int last = -1;
    ranging_phase_range(wiring, item_int(*cfg, kItemGrouping), &first, &last);
    if (first == -1 || last == -1) {
        PostMessageA(page, WM_COMMAND, CMD_LEAVE_RANGING_VIEW, 0);
        return;
    }
    ranging_phase = next_ranging_phase(ranging_phase, first, last, skip);
}

bool is_wiring_combination_rejected()
{
    const std::shared_ptr<instrument_config> cfg = get_current_config();
    if (!cfg)
        return false;
    return wiring_combination_rejected(static_cast<int>(get_current_instrument().phase_count),
                                       item_int(*cfg, kItemWiring), item_int(*cfg, kItemGrouping),
                                       get_current_active_group());
}
