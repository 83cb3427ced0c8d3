// The two-group instrument's rules in the Config window, over the slot's
// two configuration objects and the instrument's group switches.
#include "configui/engine/two_group.h"

#include "base/window_util.h"
#include "config/instrument_config.h"
#include "config/item_numbers.h"
#include "config/model_profiles.h"
#include "config/two_group_rules.h"
#include "configui/engine/change_rule.h"
#include "configui/engine/config_ids.h"
#include "configui/engine/engine.h"
#include "frame/app_globals.h"
#include "frame/commands.h"
#include "slots/instrument_slots.h"

#include <initializer_list>

namespace {

constexpr DWORD kGroupSettleMs = 2000;

void sleep_ms(DWORD ms)
{
    Sleep(ms);
}

link_record* current_link()
{
    return &get_current_instrument();
}

// Reads items of one group back from the instrument, each marked in the
// change so that no later list sets it again. A read that fails keeps the
// item's value, whether it throws or (the two-group family's lists) keeps
// it itself; the first failure is told with the rest of the user's action.
void read_back(instrument_config* config, std::initializer_list<int> items, list_change& change)
{
    for (int item : items) {
        change.mark(item);
        if (config == nullptr)
            continue;
        int32_t failure = 0;
        try {
            config->read_item(item, current_link(), false, nullptr);
            failure = config->kept_value_failure();
        } catch (int32_t code) {
            failure = code;
        }
        if (failure != 0)
            note_failed_read(failure);
    }
}

void set_in_both_groups(int item, int value)
{
    config_dispatch_a(item, value, current_link(), 0, false);
    config_dispatch_a(item, value, current_link(), 1, false);
}

int active_grouping()
{
    int grouping = 0;
    if (const std::shared_ptr<instrument_config> config = get_current_config())
        config->get_value_int(kItemGrouping, grouping);
    return grouping;
}

// One group's part of the grouping procedure: selected, the new grouping
// set, the settle wait, wiring and efficiency read back, item 38 cleared.
// False, with nothing set or read, when the instrument did not confirm the
// switch: its answers could belong to the other group.
bool regroup(int group, int grouping, list_change& change)
{
    if (!set_active_group_and_switch(group, false))
        return false;
    config_dispatch_a(kItemGrouping, grouping, current_link(), group, false);
    config_wait_ms(kGroupSettleMs);
    read_back(get_current_config_ptr(group), {kItemWiring, kItemRatio}, change);
    config_dispatch_a(kItemFrequencyReference, 0, current_link(), group, false);
    return true;
}

} // namespace

void (*config_wait_ms)(DWORD ms) = sleep_ms;

void set_two_group_wiring(int item, int value, list_change& change)
{
    const int phases = static_cast<int>(get_current_instrument().phase_count);
    if (phase_grouping_b(phases, active_grouping()))
        set_in_both_groups(item, value);
    else
        config_dispatch_b(item, value, current_link(), false);
    read_back(get_current_config().get(), {kItemFrequencyPhase, kItemRatio}, change);
}

void set_two_group_frequency_reference(int item, int value, list_change& change)
{
    config_dispatch_b(item, value, current_link(), false);
    set_in_both_groups(kItemTorqueSpeed, 0);
    change.mark(kItemTorqueSpeed);
}

void change_grouping(int, int value, list_change& change)
{
    const wait_cursor waiting;
    const int remembered = get_current_active_group();
    // A switch that failed stops the procedure and has been told: neither
    // the way back nor a read before it brings a second box.
    const bool switched = regroup(0, value, change) && regroup(1, value, change);
    if (!switched)
        note_failure_told();
    set_active_group_and_switch(remembered, false, switched ? group_failure::told : group_failure::quiet);
    change.mark(kItemFrequencyReference);
    SendMessageA(main_window, WM_COMMAND, CMD_REFRESH_CONNECTIONS, 0);
    get_current_instrument_selection()->needs_programming = 1;
}

void set_independent_range(HWND config_window, int value)
{
    if (check_phase_grouping_c(get_current_instrument_index()))
        set_in_both_groups(kItemRangingSkip, value);
    else
        config_dispatch_b(kItemRangingSkip, value, current_link(), false);
    PostMessageA(config_window, WM_COMMAND, IDC_CFG_PAGE_RANGE, 0);
}
