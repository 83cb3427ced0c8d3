// The main window's control-state refresh: the top bar, the menu bar, the
// Config window, the Voltmeter and Capture windows, and the order in which
// the other windows' rules run.
#include "app/control_state.h"

#include "frame/auto_configs.h"
#include "frame/control_tables.h"
#include "views/layout.h"
#include "frame/main_ids.h"
#include "app/saved_config_menu.h"
#include "app/state_inputs.h"
#include "frame/ui_text.h"
#include "config/identification.h"
#include "config/model_profiles.h"
#include "configui/engine/config_pages.h"
#include "slots/instrument_slots.h"
#include "logging/logging_state.h"
#include "frame/capture_ids.h"
#include "views/lomx.h"
#include "frame/measure_ids.h"
#include "views/view_state.h"
#include "frame/voltmeter_ids.h"

#include <cstdlib>

namespace {

constexpr int kStopText = 1474;  // ui_text "Stop"
constexpr int kStartText = 1473; // ui_text "Start"

// Whether the model code's instruments have an oscilloscope (a code without
// a model profile is taken to have one).
bool offers_oscilloscope(int model_code)
{
    const model_profile* profile = find_model_profile(static_cast<uint32_t>(model_code));
    return profile == nullptr || profile->has_oscilloscope;
}

int read_variant_digit(const link_record& link)
{
    char text[128] = {};
    try {
        get_idn_field(text, IDN_FIELD_MODEL_LAST, &link);
    } catch (...) {
        return 0;
    }
    return atoi(text);
}

bool is_checked(int id)
{
    return SendMessageA(get_control_by_id(id), BM_GETCHECK, 0, 0) != 0;
}

// Step 1: with instrument 1 absent, the results pane of the first connected
// instrument is shown.
void correct_results_layout(const state_inputs& in)
{
    if (in.connected[0])
        return;
    if (in.connected[1]) {
        if (results_layout == 0)
            results_layout = 1;
    } else if (in.connected[2]) {
        results_layout = 2;
    } else if (in.connected[3]) {
        results_layout = 3;
    }
}

// Step 2: "GRAPH" needs the real-time table or a log, "LOG" a mode that
// keeps the rows.
void correct_measure_view(const state_inputs& in)
{
    const uint32_t mode = in.log_data_mode;
    if ((measure_view_mode != 0 && mode > LOG_MODE_REAL_TIME) ||
        (measure_view_mode == 1 && mode == LOG_MODE_MANUAL))
        measure_view_mode = 0;
}

void enable_frame(const state_inputs& in)
{
    enable_controls_from_table(frame_controls.data(), FRAME_CONTROL_ROWS, in.any_connected);
}

// Step 4: without instruments these views can still be looked at.
void enable_views_without_instruments(const state_inputs&)
{
    for (HWND view : {get_measure_window(), get_lomx_window(), get_scope_window(),
                      get_voltmeter_window(), get_control_by_id(IDC_HIDE_SETTINGS)})
        EnableWindow(view, TRUE);
}

void enable_config(const state_inputs& in)
{
    const bool usable = in.any_connected && in.idle();
    EnableWindow(get_config_window(), usable);
    enable_controls_from_table(config_controls.data(), CONFIG_CONTROL_ROWS, usable);
}

void config_grid_follows_window(const state_inputs&)
{
    enable_config_controls_like_parent();
}

void enable_instrument_buttons(const state_inputs& in)
{
    for (int i = 0; i < kInstrumentSlots; ++i)
        EnableWindow(get_control_by_id(IDC_WQT1 + i),
                     in.any_connected && in.connected[i] && in.idle() && !in.lomx_view());
}

void show_set_up_button(const state_inputs&)
{
    ShowWindow(get_control_by_id(IDC_SET_UP_WQT), AutoConfigs == 0 ? SW_SHOWNORMAL : SW_HIDE);
}

// Step 13: a second group that the grouping no longer has: back to group 1.
void leave_missing_second_group(const state_inputs&)
{
    post_command_for_control(IDC_GROUP1);
}

void set_menu_state(const state_inputs& in)
{
    HMENU menu = GetMenu(in.main_window);
    EnableMenuItem(menu, IDM_COPY_TO_CLIPBOARD, MF_BYCOMMAND | MF_ENABLED);
    EnableMenuItem(menu, IDM_SAVE_TO_BITMAP, MF_BYCOMMAND | MF_ENABLED);
    const bool scope_off = !offers_oscilloscope(in.model) || in.activity != ACTIVITY_IDLE;
    EnableMenuItem(menu, IDM_VIEW_SCOPE, MF_BYCOMMAND | (scope_off ? MF_GRAYED : MF_ENABLED));
    // Disabled, not greyed: the LOMX view keeps the menus readable.
    const UINT popups = MF_BYPOSITION | (in.lomx_view() ? MF_DISABLED : MF_ENABLED);
    EnableMenuItem(menu, 0, popups);
    EnableMenuItem(menu, 1, popups);
}

void enable_config_window_when_idle(const state_inputs& in)
{
    EnableWindow(get_config_window(), in.any_connected && in.activity == ACTIVITY_IDLE);
}

void refresh_saved_config_menu(const state_inputs& in)
{
    rebuild_saved_config_menu(in.main_window, false, in.linked());
}

void enable_voltmeter_table(const state_inputs& in)
{
    enable_controls_from_table(voltmeter_controls.data(), VOLTMETER_CONTROL_ROWS, in.any_connected);
}

void set_voltmeter_start_text(const state_inputs& in)
{
    SetWindowTextA(get_control_by_id(IDC_VM_START), ui_text[in.activity == ACTIVITY_VOLTMETER ? kStopText : kStartText]);
}

void enable_capture_table(const state_inputs& in)
{
    enable_controls_from_table(capture_controls.data(), CAPTURE_CONTROL_ROWS, in.any_connected);
}

void lomx_rules(const state_inputs& in)
{
    lomx_enable_controls(in.main_window, in.any_connected);
}

bool none(const state_inputs& in) { return !in.any_connected; }
bool two_group_current(const state_inputs& in) { return is_two_group_model(in.current_model); }
bool linked_idle_outside_lomx(const state_inputs& in) { return in.linked() && in.idle() && !in.lomx_view(); }
bool any_idle_outside_lomx(const state_inputs& in) { return in.any_connected && in.idle() && !in.lomx_view(); }
bool second_group_missing(const state_inputs& in)
{
    return in.current_group == 1 && !in.current_grouping_a;
}
bool second_group_usable(const state_inputs& in)
{
    return linked_idle_outside_lomx(in) && in.current_grouping_a;
}
bool outside_lomx(const state_inputs& in) { return !in.lomx_view(); }
bool any_and_idle_state(const state_inputs& in) { return in.any_connected && in.activity == ACTIVITY_IDLE; }
bool voltmeter_buttons(const state_inputs& in) { return in.any_connected && in.activity != ACTIVITY_VOLTMETER; }
bool colour_download(const state_inputs& in)
{
    const model_profile* profile = find_model_profile(static_cast<uint32_t>(in.current_model));
    if (profile != nullptr && !profile->colour_download)
        return false;
    return in.current_connected && in.any_connected;
}

const state_rule main_rules[] = {
    {rule_effect::run, {}, always, correct_results_layout},
    {rule_effect::run, {}, always, correct_measure_view},
    {rule_effect::run, {}, always, enable_frame},
    {rule_effect::run, {}, none, enable_views_without_instruments},
    {rule_effect::run, {}, always, enable_config},
    {rule_effect::show_when, {IDC_GROUP1, IDC_GROUP2}, two_group_current},
    {rule_effect::run, {}, always, config_grid_follows_window},
    {rule_effect::run, {}, always, enable_instrument_buttons},
    {rule_effect::enable_when, {IDC_READ_WQT, IDC_SET_UP_WQT}, linked_idle_outside_lomx},
    {rule_effect::run, {}, always, show_set_up_button},
    {rule_effect::enable_when, {IDC_GROUP1}, any_idle_outside_lomx},
    {rule_effect::run, {}, second_group_missing, leave_missing_second_group},
    {rule_effect::enable_when, {IDC_GROUP2}, second_group_usable},
    {rule_effect::enable_when, {IDC_HIDE_SETTINGS}, outside_lomx},
    {rule_effect::run, {}, always, set_menu_state},
    {rule_effect::enable_when, {IDC_LOGO}, always},
    {rule_effect::show_when, {IDC_LOGO}, always},
    // "READ WQT" and the Config window need an idle state, not only a
    // stopping one; the LOMX view does not matter here.
    {rule_effect::enable_when, {IDC_READ_WQT}, any_and_idle_state},
    {rule_effect::run, {}, always, enable_config_window_when_idle},
    {rule_effect::run, {}, always, config_grid_follows_window},
    {rule_effect::run, {}, always, refresh_saved_config_menu},
    {rule_effect::run, {}, always, apply_measure_rules},
    // Voltmeter window.
    {rule_effect::run, {}, always, enable_voltmeter_table},
    {rule_effect::show_when, {IDC_VM_TITLE, IDC_VM_CONTROL_LABEL, IDC_VM_START}, always},
    {rule_effect::show_when, {IDC_VM_IMPORT, IDC_VM_EXPORT}, never},
    {rule_effect::show_when, {IDC_VM_SINGLE, IDC_VM_FOCUSED_PHASE, IDC_VM_FOCUSED_CHANNEL}, always},
    {rule_effect::enable_when, {IDC_VM_IMPORT, IDC_VM_EXPORT, IDC_VM_SINGLE}, voltmeter_buttons},
    {rule_effect::run, {}, always, set_voltmeter_start_text},
    {rule_effect::run, {}, always, apply_scope_rules},
    // Capture window.
    {rule_effect::run, {}, always, enable_capture_table},
    {rule_effect::enable_when, {IDC_CAPTURE_COLOUR_DOWNLOAD}, colour_download},
    {rule_effect::run, {}, always, apply_harmonics_rules},
    {rule_effect::run, {}, always, lomx_rules},
};

connection_state make_state(bool a, bool c1, bool c2, bool c3, bool c4, bool s1, bool s2, bool s3,
                            bool s4, int state, int model)
{
    return connection_state{a, {c1, c2, c3, c4}, {s1, s2, s3, s4}, state, model};
}

} // namespace

bool state_inputs::lomx_view() const
{
    return view == IDM_VIEW_LOMX;
}

state_inputs read_state_inputs(HWND main_window, const connection_state& state)
{
    state_inputs in{};
    in.main_window = main_window;
    in.any_connected = state.any_connected;
    for (int i = 0; i < kInstrumentSlots; ++i) {
        in.connected[i] = state.connected[i];
        in.has_selection[i] = state.has_selection[i];
    }
    in.activity = state.activity;
    in.model = state.model;
    in.log_data_mode = log_data_mode;
    in.highspeed_mode = highspeed_mode;
    in.auto_append = is_checked(IDC_MEAS_AUTO_APPEND);
    in.software_timing = is_checked(IDC_MEAS_TIMING_SOFTWARE);
    in.direct_csv = is_checked(IDC_MEAS_LOG_DIRECT_CSV);
    in.view = get_current_view_menu_id();
    const instrument_slot& current = get_current_instrument();
    in.current_model = static_cast<int>(current.model_code);
    in.current_connected = current.connected != 0;
    in.current_grouping_a = check_phase_grouping_a(get_current_instrument_index());
    in.current_group = current.active_group;
    in.variant_digit = read_variant_digit(current);
    return in;
}

connection_state current_connection_state()
{
    connection_state state{};
    for (int i = 0; i < kInstrumentSlots; ++i) {
        state.connected[i] = get_instrument(i).connected != 0;
        state.any_connected = state.any_connected || state.connected[i];
    }
    state.model = static_cast<int>(get_current_instrument().model_code);
    for (int i = 0; i < kInstrumentSlots; ++i)
        state.has_selection[i] = get_instrument_selection(i)->selected_count > 0;
    state.activity = static_cast<int>(activity_state);
    return state;
}

connection_state idle_connection_state(int model)
{
    connection_state state{};
    state.model = model;
    return state;
}

void update_controls_for(HWND main_window, const connection_state& state)
{
    apply_control_rules(main_rules, read_state_inputs(main_window, state));
}

void update_main_controls_state(HWND main_window, bool a, bool c1, bool c2, bool c3, bool c4,
                                bool s1, bool s2, bool s3, bool s4, int state, int model)
{
    update_controls_for(main_window, make_state(a, c1, c2, c3, c4, s1, s2, s3, s4, state, model));
}

void update_measure_controls_state(HWND main_window, bool a, bool c1, bool c2, bool c3, bool c4,
                                   bool s1, bool s2, bool s3, bool s4, int state)
{
    apply_measure_rules(read_state_inputs(
        main_window, make_state(a, c1, c2, c3, c4, s1, s2, s3, s4, state, -1)));
}

void update_scope_controls_state(HWND main_window, bool a, int state)
{
    apply_scope_rules(read_state_inputs(main_window, make_state(a, false, false, false, false, false,
                                                                false, false, false, state, -1)));
}

void update_harmonics_controls_state(HWND main_window, bool a, bool h, int state)
{
    // H stands for "some instrument connected": one connected flag carries it.
    apply_harmonics_rules(read_state_inputs(main_window, make_state(a, h, false, false, false, false,
                                                                    false, false, false, state, -1)));
}
