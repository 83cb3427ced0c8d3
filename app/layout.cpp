#include "app/layout.h"

int results_layout = 0;

namespace {

void design_to_current(control_desc& row, const control_desc& from)
{
    row.base_x = row.cur_x = from.design_x;
    row.base_y = row.cur_y = from.design_y;
    row.base_w = row.cur_w = from.design_w;
    row.base_h = row.cur_h = from.design_h;
}

template <size_t N>
void scale(std::array<control_desc, N>& table)
{
    for (control_desc& row : table)
        design_to_current(row, row);
}

} // namespace

void add_frame_metrics(control_desc&) {}

void layout_control_tables()
{
    design_to_current(main_window_desc, main_window_desc);
    scale(frame_controls);
    for (int r = FRAME_ROW_SCOPE; r <= FRAME_ROW_LOMX; ++r)
        design_to_current(frame_controls[r], frame_controls[FRAME_ROW_MEASURE]);
    scale(config_controls);
    scale(measure_controls);
    for (auto& panel : results_panel_controls)
        scale(panel);
    scale(voltmeter_controls);
    scale(scope_controls);
    scale(capture_controls);
    scale(harmonics_controls);
    scale(lomx_controls);
    scale(harmonic_results_controls);
}

void reposition_controls() {}

void show_view_panels()
{
    for (int i = 0; i < RESULTS_PANELS; ++i)
        ShowWindow(get_measure_results_window(i), i == results_layout ? SW_SHOW : SW_HIDE);
}

void show_view_panels_2(bool hidden)
{
    ShowWindow(get_config_window(), hidden ? SW_HIDE : SW_SHOW);
}

void position_results_panes() {}
