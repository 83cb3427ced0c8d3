// The Scope, Harmonics and Harmonic Results windows' part of the
// control-state refresh.
#include "app/state_inputs.h"

#include "frame/control_tables.h"
#include "frame/ui_text.h"
#include "frame/harmonic_results_ids.h"
#include "frame/harmonics_ids.h"
#include "frame/scope_ids.h"
#include "views/view_state.h"

namespace {

constexpr int kCaptureText = 2138; // ui_text "Capture"
constexpr int kClearText = 2139;   // ui_text "Clear"

constexpr id_span kPlotSelectors{IDC_SCOPE_PLOTS_LABEL, IDC_SCOPE_PLOT_OPTION};
constexpr id_span kZoomAndTime{IDC_SCOPE_ZOOM_LABEL, IDC_SCOPE_TIME_BAR};

void enable_scope_table(const state_inputs& in)
{
    enable_controls_from_table(scope_controls.data(), SCOPE_CONTROL_ROWS, in.any_connected);
}

bool scope_running(const state_inputs& in)
{
    return in.any_connected && (in.activity == ACTIVITY_SCOPE_CONTINUOUS || in.activity == ACTIVITY_SCOPE_CAPTURE);
}
bool scope_capturing(const state_inputs& in) { return in.any_connected && in.activity == ACTIVITY_SCOPE_CAPTURE; }
bool not_capturing(const state_inputs& in) { return in.activity != ACTIVITY_SCOPE_CAPTURE; }
bool table_view(const state_inputs&) { return scope_view_mode == 2; }
bool plot_selectors(const state_inputs& in) { return scope_view_mode != 2 && in.activity != ACTIVITY_SCOPE_CAPTURE; }
bool zoom_and_time(const state_inputs& in) { return scope_view_mode != 2 && in.activity == ACTIVITY_SCOPE_CAPTURE; }
// Only the instruments whose model name ends in 2 capture.
bool capture_shown(const state_inputs& in)
{
    return in.variant_digit == 2 || in.activity == ACTIVITY_SCOPE_CAPTURE;
}
bool capture_enabled(const state_inputs& in)
{
    return (in.any_connected && in.activity != ACTIVITY_SCOPE_CONTINUOUS) || in.activity == ACTIVITY_SCOPE_CAPTURE;
}

void set_capture_text(const state_inputs& in)
{
    SetWindowTextA(get_control_by_id(IDC_SCOPE_CAPTURE),
                   ui_text[in.activity == ACTIVITY_SCOPE_CAPTURE ? kClearText : kCaptureText]);
}

const state_rule scope_rules[] = {
    {rule_effect::run, {}, always, enable_scope_table},
    {rule_effect::disable_if, {IDC_SCOPE_SINGLE}, scope_running},
    {rule_effect::disable_if, {IDC_SCOPE_CONTINUOUS}, scope_capturing},
    {rule_effect::enable_when, {IDC_SCOPE_TABLE_VIEW, id_span{IDC_SCOPE_PLOTS_LABEL, IDC_SCOPE_TIME_BAR}},
     always},
    {rule_effect::enable_when, {IDC_SCOPE_IMPORT}, not_capturing},
    {rule_effect::enable_when, {IDC_SCOPE_EXPORT, IDC_SCOPE_TABLE}, always},
    {rule_effect::show_when, {IDC_SCOPE_TABLE}, table_view},
    {rule_effect::show_when, {kPlotSelectors}, plot_selectors},
    {rule_effect::show_when, {kZoomAndTime}, zoom_and_time},
    {rule_effect::show_when, {IDC_SCOPE_CAPTURE}, capture_shown},
    {rule_effect::enable_when, {IDC_SCOPE_CAPTURE}, capture_enabled},
    {rule_effect::enable_when, {kZoomAndTime}, always},
    {rule_effect::run, {}, always, set_capture_text},
};

bool graph_view(const state_inputs&) { return harmonics_view_mode == 2; }
bool table_views(const state_inputs&) { return harmonics_view_mode != 2; }
// H: some instrument connected (carried by the first connected flag when
// the Harmonics rules are run on their own).
bool h(const state_inputs& in) { return in.some_connected(); }
bool h_idle(const state_inputs& in) { return h(in) && in.activity == ACTIVITY_IDLE; }
bool h_graph(const state_inputs& in) { return h(in) && harmonics_view_mode == 2; }

void show_harmonics_view(const state_inputs& in)
{
    ShowWindow(get_harmonic_results_window(), graph_view(in) ? SW_SHOW : SW_HIDE);
}

void enable_results_chart(const state_inputs&)
{
    EnableWindow(get_harmonic_results_window(), TRUE);
    HWND table = get_control_by_id(IDC_HARM_TABLE);
    if (!IsWindowEnabled(table))
        EnableWindow(table, TRUE);
}

void enable_chart_table(const state_inputs& in)
{
    enable_controls_from_table(harmonic_results_controls.data(), HARMONIC_RESULTS_CONTROL_ROWS, h(in));
}

void highlight_harmonics_view(const state_inputs&)
{
    const int selected = harmonics_view_mode == 1   ? IDC_HARM_VIEW_TABLE_PK
                         : harmonics_view_mode == 2 ? IDC_HARM_VIEW_GRAPH
                                                    : IDC_HARM_VIEW_TABLE;
    highlight_control_in_range(selected, IDC_HARM_VIEW_TABLE, IDC_HARM_VIEW_GRAPH);
}

const state_rule harmonics_rules[] = {
    {rule_effect::run, {}, always, enable_results_chart},
    {rule_effect::enable_when,
     {IDC_HARM_VIEW_GROUP, IDC_HARM_CONTROL_GROUP, IDC_HARM_EXCEL_GROUP, IDC_HARM_DATA_GROUP}, always},
    {rule_effect::enable_when,
     {IDC_HARM_START, IDC_HARM_VIEW_TABLE, IDC_HARM_VIEW_TABLE_PK, IDC_HARM_VIEW_GRAPH}, h},
    {rule_effect::enable_when,
     {IDC_HARM_EXPORT, IDC_HARM_LOG_CSV, IDC_HARM_SELECT_FILE, IDC_HARM_FILE_NAME}, h_idle},
    {rule_effect::enable_when, {IDC_HARM_TOOLTIPS, IDC_HARM_K_FACTOR}, h_graph},
    {rule_effect::run, {}, always, enable_chart_table},
    {rule_effect::run, {}, always, highlight_harmonics_view},
};

} // namespace

void apply_scope_rules(const state_inputs& in)
{
    apply_control_rules(scope_rules, in);
}

// The chart or the table is shown whatever the state; without an instrument
// every control of both windows is disabled and nothing more is done.
void apply_harmonics_rules(const state_inputs& in)
{
    show_harmonics_view(in);
    ShowWindow(get_control_by_id(IDC_HARM_TABLE), table_views(in) ? SW_SHOW : SW_HIDE);
    if (!in.any_connected) {
        enable_controls_from_table(harmonics_controls.data(), HARMONICS_CONTROL_ROWS, false);
        enable_controls_from_table(harmonic_results_controls.data(), HARMONIC_RESULTS_CONTROL_ROWS,
                                   false);
        return;
    }
    apply_control_rules(harmonics_rules, in);
}
