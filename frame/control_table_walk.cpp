// The tables by name, and a row found by id.
#include "frame/control_table_walk.h"

control_rows rows_of(control_table_name table)
{
    switch (table) {
    case control_table_name::frame:
        return {frame_controls.data(), FRAME_CONTROL_ROWS};
    case control_table_name::config:
        return {config_controls.data(), CONFIG_CONTROL_ROWS};
    case control_table_name::measure:
        return {measure_controls.data(), MEASURE_CONTROL_ROWS};
    case control_table_name::results_panels:
        return {results_panel_controls[0].data(), RESULTS_PANEL_ROWS};
    case control_table_name::scope:
        return {scope_controls.data(), SCOPE_CONTROL_ROWS};
    case control_table_name::capture:
        return {capture_controls.data(), CAPTURE_CONTROL_ROWS};
    case control_table_name::harmonics:
        return {harmonics_controls.data(), HARMONICS_CONTROL_ROWS};
    case control_table_name::harmonic_results:
        return {harmonic_results_controls.data(), HARMONIC_RESULTS_CONTROL_ROWS};
    case control_table_name::voltmeter:
        return {voltmeter_controls.data(), VOLTMETER_CONTROL_ROWS};
    case control_table_name::lomx:
        return {lomx_controls.data(), LOMX_CONTROL_ROWS};
    }
    return {nullptr, 0};
}

const control_desc* find_control_row(control_table_name table, int id)
{
    if (table == control_table_name::results_panels) {
        for (int r = 0; r < RESULTS_PANEL_ROWS; ++r)
            for (const auto& panel : results_panel_controls)
                if (panel[r].id == id)
                    return &panel[r];
        return nullptr;
    }
    const control_rows t = rows_of(table);
    for (int r = 0; r < t.count; ++r)
        if (t.rows[r].id == id)
            return &t.rows[r];
    return nullptr;
}
