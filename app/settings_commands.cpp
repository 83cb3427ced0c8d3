#include "app/settings_commands.h"

#include "configui/pages/dispatch.h"
#include "frame/commands.h"
#include "frame/control_tables.h"
#include "frame/main_ids.h"
#include "slots/settings_runs.h"
#include "config/model_profiles.h"
#include "configui/engine/config_pages.h"
#include "configui/window/config_refresh.h"
#include "slots/instrument_slots.h"
#include "link/transport.h"
#include "link/wire_commands.h"
#include "views/view_pictures.h"
#include "views/view_windows.h"

#include <cstdlib>

namespace {

constexpr int kGroupPollTries = 3;
constexpr int kGroupSwitchBusy = 0x10; // status bit while the switch is under way
constexpr int kGroupPollTimeoutMs = 200;
constexpr int kReadTimeoutAfterMs = 1000;


bool is_two_group(const instrument_slot& slot)
{
    return is_two_group_model(slot.model_code);
}

// The arguments of the command's progress runs: the current instrument's
// link, which the command holds open for the whole command.
settings_args command_args(HWND main_window)
{
    settings_args args{};
    args.parent = main_window;
    args.flag = 0;
    args.link = &get_current_instrument();
    args.index = get_current_instrument_index();
    return args;
}

void switch_group_verified(int group)
{
    set_active_group_and_switch(group, true);
    verify_current_group(true);
}

void refresh_views()
{
    build_scope_panel();
    build_voltmeter_panel();
    harmonic_results_setup(get_current_instrument_index());
}

// Until the instrument reports the group switch settled: "*ESR?" with bit
// 0x10 clear in a reply that is not empty.
void poll_group_switch(instrument_slot& slot)
{
    for (int i = 0; i < kGroupPollTries; ++i) {
        send_command(kCmdSuspendStatus, &slot);
        char reply[32] = {};
        receive_reply(reply, sizeof reply, &slot);
        if (reply[0] != '\0' && (atoi(reply) & kGroupSwitchBusy) == 0)
            return;
    }
}

} // namespace

void read_settings_command(HWND main_window)
{
    instrument_slot& current = get_current_instrument();
    open_close_link(LINK_OPEN, &current);
    verify_current_group(true);
    const settings_args args = command_args(main_window);
    const int remembered_group = get_current_active_group();
    if (is_two_group(current))
        switch_group_verified(0);
    acquire_settings_with_progress(args);
    if (is_two_group(current)) {
        switch_group_verified(1);
        acquire_settings_with_progress(args);
        if (remembered_group != 1)
            switch_group_verified(remembered_group);
    }
    open_close_link(LINK_CLOSE, &current);
    show_config_page(get_config_window());
    refresh_views();
    PostMessageA(main_window, WM_COMMAND, CMD_REFRESH_CONNECTIONS, 0);
}

void send_settings_command(HWND main_window)
{
    instrument_slot& current = get_current_instrument();
    open_close_link(LINK_OPEN, &current);
    verify_current_group(true);
    const settings_args args = command_args(main_window);
    if (is_two_group(current))
        set_active_group_and_switch(0, true);
    send_settings_with_progress(args);
    if (is_two_group(current)) {
        set_active_group_and_switch(1, true);
        send_settings_with_progress(args);
        set_active_group_and_switch(0, true);
    }
    open_close_link(LINK_CLOSE, &current);
    refresh_views();
}

void select_group_and_sync(int group, bool refresh, bool link_open)
{
    instrument_slot& current = get_current_instrument();
    if (!has_groups_to_switch(current, group))
        return;
    highlight_control_in_range(IDC_GROUP1 + group, IDC_GROUP1, IDC_GROUP2);
    set_current_active_group(group);
    if (current.connected) {
        if (!link_open)
            open_close_link(LINK_OPEN, &current);
        set_read_timeout(kGroupPollTimeoutMs, &current);
        SleepEx(kGroupPollTimeoutMs, FALSE);
        switch_instrument_group(true);
        poll_group_switch(current);
        set_read_timeout(kReadTimeoutAfterMs, &current);
        if (!link_open)
            open_close_link(LINK_CLOSE, &current);
    }
    if (refresh) {
        invalidate_all_config_pages();
        show_config_page(get_config_window());
    }
}
