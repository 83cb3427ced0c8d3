// Walking the rows of several control tables in a fixed order of tables, for
// the passes that touch every row (fonts, layout), and finding a table's row
// by id. The four results panels are one table and are walked row by row in
// parallel: row 0 of panels 1-4, then row 1 of each, and so on.
#pragma once
#include "frame/control_tables.h"

#include <initializer_list>

enum class control_table_name {
    frame,
    config,
    measure,
    results_panels,
    scope,
    capture,
    harmonics,
    harmonic_results,
    voltmeter,
    lomx,
};

struct control_rows {
    control_desc* rows;
    int count;
};

// The rows of one table; for results_panels those of panel 1.
control_rows rows_of(control_table_name table);

// The first row of the table, in walking order, with the id; null when
// there is none.
const control_desc* find_control_row(control_table_name table, int id);

template <typename Visit>
void for_each_control_row(std::initializer_list<control_table_name> order, Visit visit)
{
    for (control_table_name table : order) {
        if (table == control_table_name::results_panels) {
            for (int r = 0; r < RESULTS_PANEL_ROWS; ++r)
                for (auto& panel : results_panel_controls)
                    visit(panel[r]);
            continue;
        }
        const control_rows t = rows_of(table);
        for (int r = 0; r < t.count; ++r)
            visit(t.rows[r]);
    }
}
