// The tables by name.
#include "app/control_table_walk.h"

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
