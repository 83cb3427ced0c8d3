#include "slots/instrument_slots.h"
#include "config/item_numbers.h"
#include "config/two_group_rules.h"

#include "base/text_util.h"
#include "config/model_profiles.h"
#include "link/transport.h"
#include "link/user_report.h"
#include "link/wire_commands.h"

#include <atomic>

namespace {

// The table lives for the whole run; its slots are built in order before
// the program starts and destroyed at exit.
instrument_slot instrument_slots[kInstrumentSlots];
std::atomic<int> g_current_index{0};

constexpr int kGroupTries = 4;

int item_integer(const std::shared_ptr<instrument_config>& config, int id)
{
    config_item_value record;
    config->get_value_record(record, id);
    return record.value.integer;
}

// Grouping item of slot n, read from its configuration for group 0.
int grouping_of(int n)
{
    return item_integer(get_instrument_config_for_group(n, 0), kItemGrouping);
}

// Asks "GROUP?" and tells whether the reply names the slot's active group
// (1 or 2).
bool instrument_on_active_group(instrument_slot& slot)
{
    send_command(kCmdGroupQuery, &slot);
    char reply[32];
    receive_reply(reply, sizeof reply, &slot);
    return leading_decimal(reply) == static_cast<uint32_t>(slot.active_group + 1);
}

void report_group_failure()
{
    report_to_user("Unable to send commands to instrument, check connection", "Connection Failed",
                   MB_OK);
}

// Opens the link unless the caller holds it open; a link that does not open
// is reported at once (when told), since nothing can be sent over it.
bool open_for_group(instrument_slot& slot, bool keep_open,
                    group_failure failure = group_failure::told)
{
    if (keep_open || open_close_link(LINK_OPEN, &slot) == 0)
        return true;
    if (failure == group_failure::told)
        report_group_failure();
    return false;
}

// Selects the slot's active group on the instrument and checks it with
// "GROUP?", up to four times; false when the instrument never confirmed it.
// Any other model has no groups to select: true at once.
bool select_group_on(instrument_slot& slot, bool keep_open,
                     group_failure failure = group_failure::told)
{
    if (!is_two_group_model(slot.model_code))
        return true;
    if (!open_for_group(slot, keep_open, failure))
        return false;
    bool selected = false;
    for (int attempt = 0; attempt < kGroupTries && !selected; ++attempt) {
        send_command(slot.active_group == 1 ? kCmdGroup2 : kCmdGroup1, &slot);
        selected = instrument_on_active_group(slot);
    }
    if (!selected && failure == group_failure::told)
        report_group_failure();
    if (!keep_open)
        open_close_link(LINK_CLOSE, &slot);
    return selected;
}

void verify_group_on(instrument_slot& slot, bool keep_open)
{
    if (!is_two_group_model(slot.model_code) || !open_for_group(slot, keep_open))
        return;
    if (!instrument_on_active_group(slot))
        select_group_on(slot, true);
    if (!keep_open)
        open_close_link(LINK_CLOSE, &slot);
}

} // namespace

// ---- The slot -------------------------------------------------------------

instrument_slot::instrument_slot() : link_record(), selection(), active_group(0)
{
    reset_link_state(this);
    // Until an instrument is attached, a slot holds base-class copies of the
    // 15xx items and of the 35xx second-group items.
    {
        wqt_cfg_15xx defaults;
        primary_config = instrument_config_copy(defaults);
    }
    {
        wqt_cfg_35xx defaults(1);
        group2_config = instrument_config_copy(defaults);
    }
}

instrument_slot::~instrument_slot()
{
    group2_config.reset();
    primary_config.reset();
}

void instrument_slot::set_active_group(int group)
{
    active_group = group;
}

multilog_setup* instrument_slot::get_multilog_setup()
{
    return &selection;
}

std::shared_ptr<instrument_config> instrument_slot::get_primary_config()
{
    return primary_config;
}

std::shared_ptr<instrument_config> instrument_slot::get_group2_config()
{
    return group2_config;
}

void instrument_slot::attach_instrument(link_record& record)
{
    move_link_record(this, &record);
    // A code that names no model keeps both objects; a one-group model
    // keeps the second group's.
    const model_profile* profile = find_model_profile(model_code);
    if (profile == nullptr)
        return;
    primary_config = profile->make_primary();
    if (profile->two_group())
        group2_config = profile->make_group2();
}

// ---- Table and index --------------------------------------------------------

instrument_slot& get_instrument(int n)
{
    return instrument_slots[n];
}

instrument_slot& get_current_instrument()
{
    return instrument_slots[g_current_index];
}

int get_current_instrument_index()
{
    return g_current_index;
}

void set_current_instrument_index(int n)
{
    g_current_index = n;
}

int get_instrument_active_group(int n)
{
    return instrument_slots[n].active_group;
}

int set_slot_active_group(int n, int group)
{
    instrument_slots[n].active_group = group;
    return group;
}

int get_current_active_group()
{
    return get_current_instrument().active_group;
}

void set_current_active_group(int group)
{
    get_current_instrument().active_group = group;
}

multilog_setup* get_instrument_selection(int n)
{
    return &instrument_slots[n].selection;
}

multilog_setup* get_current_instrument_selection()
{
    return &get_current_instrument().selection;
}

// ---- Configuration access ----------------------------------------------------

std::shared_ptr<instrument_config> get_instrument_active_config(int n)
{
    return get_instrument_config_for_group(n, instrument_slots[n].active_group);
}

std::shared_ptr<instrument_config> get_instrument_config_for_group(int n, int group)
{
    instrument_slot& slot = instrument_slots[n];
    if (is_two_group_model(slot.model_code) && group == 1)
        return slot.group2_config;
    return slot.primary_config;
}

std::shared_ptr<instrument_config> get_current_config()
{
    return get_instrument_active_config(g_current_index);
}

std::shared_ptr<instrument_config> get_current_config_for_group(int group)
{
    return get_instrument_config_for_group(g_current_index, group);
}

instrument_config* get_instrument_config_ptr(int group, int n)
{
    return get_instrument_config_for_group(n, group).get();
}

instrument_config* get_current_config_ptr(int group)
{
    return get_instrument_config_ptr(group, g_current_index);
}

void attach_instrument_to_slot(link_record& record, int n)
{
    instrument_slots[n].attach_instrument(record);
}

// ---- Group switching ----------------------------------------------------------

void switch_instrument_group(bool keep_open)
{
    select_group_on(get_current_instrument(), keep_open);
}

bool has_groups_to_switch(instrument_slot& slot, int group)
{
    if (is_two_group_model(slot.model_code))
        return true;
    if (group == 0)
        slot.active_group = 0;
    return false;
}

void put_one_group_slots_on_group_0()
{
    for (instrument_slot& slot : instrument_slots)
        if (!slot.connected || !is_two_group_model(slot.model_code))
            slot.active_group = 0;
}

bool set_active_group_and_switch(int group, bool keep_open, group_failure failure)
{
    instrument_slot& slot = get_current_instrument();
    if (!has_groups_to_switch(slot, group))
        return true;
    slot.active_group = group;
    return select_group_on(slot, keep_open, failure);
}

void select_group_for_instrument(int n, int group, bool keep_open)
{
    instrument_slot& slot = instrument_slots[n];
    if (!has_groups_to_switch(slot, group))
        return;
    slot.active_group = group;
    select_group_on(slot, keep_open);
}

void verify_current_group(bool keep_open)
{
    verify_group_on(get_current_instrument(), keep_open);
}

void verify_instrument_group(int n, bool keep_open)
{
    verify_group_on(instrument_slots[n], keep_open);
}

// ---- Predicates ---------------------------------------------------------------

bool check_phase_grouping_a(int n)
{
    const instrument_slot& slot = instrument_slots[n];
    if (!is_two_group_model(slot.model_code))
        return false;
    return phase_grouping_a(static_cast<int>(slot.phase_count), grouping_of(n));
}

bool check_phase_grouping_b(int n)
{
    return phase_grouping_b(static_cast<int>(instrument_slots[n].phase_count), grouping_of(n));
}

bool check_phase_grouping_c(int n)
{
    return phase_grouping_c(static_cast<int>(instrument_slots[n].phase_count), grouping_of(n));
}

bool check_wiring_phase_rule(int n, int g)
{
    const instrument_slot& slot = instrument_slots[n];
    const int p = static_cast<int>(slot.phase_count);

    const model_profile* profile = find_model_profile(slot.model_code);
    if (profile == nullptr)
        return false;
    if (!profile->two_group())
        return one_group_wiring_fits(p, item_integer(get_instrument_active_config(n), kItemWiring));

    auto config = get_instrument_config_for_group(n, g);
    return two_group_wiring_fits(p, item_integer(config, kItemWiring),
                                 item_integer(config, kItemGrouping), g, grouping_of(n));
}
