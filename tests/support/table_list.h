// Every control table with the window its rows are created under, for tests
// that walk all rows.
#pragma once
#include "frame/control_tables.h"

#include <vector>

struct table_ref {
    const char* name;
    control_desc* rows;
    int count;
};

inline std::vector<table_ref> all_control_tables()
{
    std::vector<table_ref> tables = {
        {"frame", frame_controls.data(), FRAME_CONTROL_ROWS},
        {"config", config_controls.data(), CONFIG_CONTROL_ROWS},
        {"measure", measure_controls.data(), MEASURE_CONTROL_ROWS},
        {"scope", scope_controls.data(), SCOPE_CONTROL_ROWS},
        {"capture", capture_controls.data(), CAPTURE_CONTROL_ROWS},
        {"harmonics", harmonics_controls.data(), HARMONICS_CONTROL_ROWS},
        {"harmonic results", harmonic_results_controls.data(), HARMONIC_RESULTS_CONTROL_ROWS},
        {"voltmeter", voltmeter_controls.data(), VOLTMETER_CONTROL_ROWS},
        {"lomx", lomx_controls.data(), LOMX_CONTROL_ROWS},
    };
    for (auto& panel : results_panel_controls)
        tables.push_back({"results panel", panel.data(), RESULTS_PANEL_ROWS});
    return tables;
}

// The row with this id in any table, or null.
inline const control_desc* find_row(int id)
{
    for (const table_ref& t : all_control_tables())
        for (int r = 0; r < t.count; ++r)
            if (t.rows[r].class_name && t.rows[r].id == id)
                return &t.rows[r];
    return nullptr;
}
