// The Measure window's part of the control-state refresh: which of its
// controls the logging data mode shows, and which the run state enables.
#include "app/state_inputs.h"

#include "frame/control_tables.h"
#include "views/layout.h"
#include "logging/logging_state.h"
#include "logging/run_control.h"
#include "frame/measure_ids.h"
#include "frame/results_panel_ids.h"
#include "views/view_state.h"

namespace {

bool running(const state_inputs& in) { return in.activity == ACTIVITY_MEASURING || in.activity == ACTIVITY_STOP_REQUESTED; }
bool manual(const state_inputs& in) { return in.log_data_mode == LOG_MODE_MANUAL; }
bool not_manual(const state_inputs& in) { return !manual(in); }
bool append_button(const state_inputs& in) { return manual(in) && !in.auto_append; }
bool auto_append_box(const state_inputs& in) { return manual(in) && !running(in); }
bool append_seconds(const state_inputs& in) { return manual(in) && in.auto_append && !running(in); }
bool append_countdown(const state_inputs& in) { return manual(in) && in.auto_append && running(in); }
bool multilog_buttons(const state_inputs& in)
{
    return in.connected[0] && in.activity == ACTIVITY_IDLE && in.log_data_mode != LOG_MODE_SCHEDULED;
}
bool idle(const state_inputs& in) { return in.idle(); }
bool data_mode_buttons(const state_inputs& in) { return in.activity == ACTIVITY_IDLE && in.highspeed_mode == 0; }
bool highspeed_on(const state_inputs& in) { return in.highspeed_mode != 0; }
bool csv_file_fields(const state_inputs& in)
{
    return (in.log_data_mode == LOG_MODE_DIRECT_CSV || in.log_data_mode == LOG_MODE_OVERWRITE_CSV) && in.activity == ACTIVITY_IDLE;
}
bool direct_csv_file_on(const state_inputs& in) { return manual(in) && in.direct_csv; }
bool direct_csv_file_off(const state_inputs& in) { return manual(in) && !in.direct_csv; }
bool export_button(const state_inputs& in) { return in.activity != ACTIVITY_SCHEDULED_TEST && in.activity != ACTIVITY_MEASURING; }
// "START" needs an instrument with a selection, or only an instrument when
// the scheduled tests bring their own.
bool start_button(const state_inputs& in)
{
    for (int i = 0; i < 4; ++i)
        if (in.connected[i] && (in.has_selection[i] || in.log_data_mode == LOG_MODE_SCHEDULED))
            return true;
    return false;
}
bool clear_log_button(const state_inputs& in) { return in.log_data_mode <= LOG_MODE_REAL_TIME && in.activity != ACTIVITY_MEASURING; }
bool zero_button(const state_inputs& in) { return export_button(in) && in.some_connected(); }
bool view_buttons(const state_inputs& in) { return in.log_data_mode <= LOG_MODE_REAL_TIME; }
bool graph_button(const state_inputs& in) { return in.log_data_mode == LOG_MODE_REAL_TIME; }
bool interval(const state_inputs& in)
{
    return in.log_data_mode != LOG_MODE_SCHEDULED && in.software_timing && in.idle();
}
bool software_timing(const state_inputs& in)
{
    return in.log_data_mode != LOG_MODE_SCHEDULED && in.highspeed_mode == 0 && in.idle();
}
bool timing_and_freeze(const state_inputs& in) { return in.log_data_mode != LOG_MODE_SCHEDULED && in.idle(); }
bool highspeed_must_end(const state_inputs& in)
{
    return in.highspeed_mode == 1 && (!in.connected[0] || in.log_data_mode != LOG_MODE_REAL_TIME);
}

// "View All" of a pane is offered when another instrument is connected too.
void show_view_all_buttons(const state_inputs& in)
{
    int connected = 0;
    for (bool c : in.connected)
        connected += c ? 1 : 0;
    for (int i = 0; i < 4; ++i)
        ShowWindow(get_control_by_id(results_panel_id(i, RP_VIEW_ALL)),
                   in.connected[i] && connected > 1 ? SW_SHOW : SW_HIDE);
}

void show_view(const state_inputs&)
{
    HWND log_list = get_control_by_id(IDC_MEAS_LOG_LIST);
    if (measure_view_mode == 0 || measure_view_mode == 1) {
        ShowWindow(log_list, SW_HIDE);
        position_results_panes();
        show_view_panels();
    } else if (measure_view_mode == 2) {
        for (int i = 0; i < 4; ++i)
            ShowWindow(get_measure_results_window(i), SW_HIDE);
        if (!IsWindowVisible(log_list))
            ShowWindow(log_list, SW_SHOW);
    }
}

void enable_results_windows(const state_inputs&)
{
    for (int i = 0; i < 4; ++i)
        EnableWindow(get_measure_results_window(i), TRUE);
    HWND log_list = get_control_by_id(IDC_MEAS_LOG_LIST);
    if (!IsWindowEnabled(log_list))
        EnableWindow(log_list, TRUE);
}

void end_highspeed(const state_inputs&)
{
    request_highspeed_exit();
}

void highlight_view_button(const state_inputs&)
{
    const int selected = measure_view_mode == 1   ? IDC_MEAS_GRAPH
                         : measure_view_mode == 2 ? IDC_MEAS_LOG
                                                  : IDC_MEAS_REAL_TIME;
    highlight_control_in_range(selected, IDC_MEAS_REAL_TIME, IDC_MEAS_LOG);
}

constexpr id_span panel_rows(int panel)
{
    return id_span{results_panel_id(panel, RP_TITLE), results_panel_id(panel, RP_SELECT4)};
}

const state_rule measure_rules[] = {
    {rule_effect::show_when, {IDC_MEAS_ELAPSED_LABEL, IDC_MEAS_ELAPSED_TIME}, not_manual},
    {rule_effect::show_when, {IDC_MEAS_APPEND}, append_button},
    {rule_effect::show_when, {IDC_MEAS_AUTO_APPEND}, auto_append_box},
    {rule_effect::show_when, {IDC_MEAS_APPEND_SECONDS, IDC_MEAS_APPEND_SECONDS_UNIT}, append_seconds},
    {rule_effect::show_when, {IDC_MEAS_TIME_TIL_APPEND, IDC_MEAS_TIME_TIL_APPEND_LABEL}, append_countdown},
    {rule_effect::show_when,
     {IDC_MEAS_DIRECT_CSV_FILE, IDC_MEAS_LOG_DIRECT_CSV, IDC_MEAS_NOTES_LABEL, IDC_MEAS_NOTES},
     manual},
    {rule_effect::show_when, {IDC_MEAS_CSV_FILE_LABEL, IDC_MEAS_CSV_FILE}, not_manual},
    {rule_effect::run, {}, always, show_view_all_buttons},
    {rule_effect::run, {}, always, show_view},
    {rule_effect::enable_when, {IDC_MEAS_SETTINGS_GROUP}, always},
    {rule_effect::enable_when, {IDC_MEAS_MULTILOG, IDC_MEAS_HIGHSPEED}, multilog_buttons},
    {rule_effect::enable_when, {IDC_MEAS_ZERO}, idle},
    {rule_effect::run, {}, always, enable_results_windows},
    {rule_effect::enable_when,
     {IDC_MEAS_DATA_SETTINGS_GROUP, id_span{IDC_MEAS_MODE_MANUAL, IDC_MEAS_MODE_OVERWRITE_CSV}},
     data_mode_buttons},
    // High-speed mode keeps only its own data mode usable; without it the
    // mode buttons stay as the rule before set them, so "Log real time
    // table" can always be chosen again.
    {rule_effect::enable_if, {IDC_MEAS_MODE_REAL_TIME_TABLE}, highspeed_on},
    {rule_effect::enable_when, {panel_rows(0), panel_rows(1), panel_rows(2), panel_rows(3)}, always},
    {rule_effect::enable_when, {IDC_MEAS_CSV_FILE_LABEL, IDC_MEAS_CSV_FILE}, never},
    {rule_effect::enable_if, {IDC_MEAS_APPEND, IDC_MEAS_NOTES_LABEL, IDC_MEAS_NOTES}, manual},
    {rule_effect::enable_if, {IDC_MEAS_DIRECT_CSV_FILE}, direct_csv_file_on},
    {rule_effect::disable_if, {IDC_MEAS_DIRECT_CSV_FILE}, direct_csv_file_off},
    {rule_effect::enable_if, {IDC_MEAS_CSV_FILE, IDC_MEAS_CSV_FILE_LABEL}, csv_file_fields},
    {rule_effect::enable_when, {IDC_MEAS_EXPORT}, export_button},
    {rule_effect::enable_when,
     {IDC_MEAS_CONTROL_GROUP, id_span{IDC_MEAS_ZERO, IDC_MEAS_ELAPSED_TIME}}, always},
    {rule_effect::enable_when, {IDC_MEAS_START}, start_button},
    {rule_effect::enable_when, {IDC_MEAS_CLEAR_LOG}, clear_log_button},
    {rule_effect::enable_when, {IDC_MEAS_ZERO}, zero_button},
    {rule_effect::enable_when, {IDC_MEAS_VIEW_GROUP, IDC_MEAS_REAL_TIME, IDC_MEAS_LOG}, view_buttons},
    {rule_effect::enable_when, {IDC_MEAS_GRAPH}, graph_button},
    {rule_effect::enable_when,
     {IDC_MEAS_INTERVAL, IDC_MEAS_INTERVAL_LABEL, IDC_MEAS_INTERVAL_UNIT}, interval},
    {rule_effect::enable_when, {IDC_MEAS_TIMING_SOFTWARE}, software_timing},
    {rule_effect::enable_when, {IDC_MEAS_TIMING_INSTRUMENT, IDC_MEAS_FREEZE}, timing_and_freeze},
    {rule_effect::run, {}, highspeed_must_end, end_highspeed},
    {rule_effect::run, {}, always, highlight_view_button},
};

} // namespace

void apply_measure_rules(const state_inputs& in)
{
    apply_control_rules(measure_rules, in);
}
