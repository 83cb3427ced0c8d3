// The Impedance Analyzer page of every family: its rows (the WQT25 family
// has no equivalent circuit), the walk of its list rule (a new parameter
// lays the page out again, but on the WQT15 family) and the layouts, every
// shown row in row order.
#include "configui/pages/impedance.h"

#include "config/item_numbers.h"
#include "configui/engine/engine.h"
#include "configui/pages/modes.h"
#include "configui/pages/shared_rows.h"

#include <array>

namespace {

constexpr int kRows = 4;

enum : int { R_MODE, R_PARAMETER, R_CIRCUIT, R_PHASE_OFFSET };

constexpr std::array<row_def, kRows> kRowsAll = rows_by_name({
    {R_MODE, kModeRow},
    {R_PARAMETER, list_row(kItemParameter)},
    {R_CIRCUIT, list_row(kItemCircuit)},
    {R_PHASE_OFFSET, kPhaseOffsetRow},
});
static_assert(R_PHASE_OFFSET + 1 == kRows, "one row per id 26100..26103");
constexpr auto kRowsWqt25 = with_rows(kRowsAll, {{R_CIRCUIT, kEmptyRow}});
// The two-group model keeps all three in both groups.
constexpr auto kRowsWqt35 = with_rows(kRowsAll, {{R_PHASE_OFFSET, both_edit_row(kItemPhaseOffset)}});

constexpr walk_step kWalkWqt15[] = {kModeStep, {R_PARAMETER, 0, nullptr}, {R_CIRCUIT, 0, nullptr}};
constexpr walk_step kWalk[] = {kModeStep, {R_PARAMETER, STEP_RELAYOUT, nullptr}, {R_CIRCUIT, 0, nullptr}};
constexpr walk_step kWalkWqt35[] = {kModeStep, {R_PARAMETER, STEP_RELAYOUT | STEP_BOTH, nullptr},
                                    {R_CIRCUIT, STEP_BOTH, nullptr}};

const page_def& page_of(config_family family)
{
    return kImpedancePages[static_cast<int>(family)];
}

// The rows the family has, in row order.
void place_rows(config_family family)
{
    const page_def& page = page_of(family);
    grid_cursor grid(page);
    for (int row = 0; row < page.row_count; ++row)
        if (page.rows[row].item >= 0)
            grid.place(row);
}

} // namespace

constexpr page_def kImpedancePages[5] = {
    mode_page(PAGE_IMPEDANCE, config_family::wqt15xx, kRowsAll, kWalkWqt15, layout_impedance_analyzer_page_wqt15xx),
    mode_page(PAGE_IMPEDANCE, config_family::wqt25xx, kRowsWqt25, kWalk, layout_impedance_analyzer_page_wqt25xx),
    mode_page(PAGE_IMPEDANCE, config_family::wqt35xx, kRowsWqt35, kWalkWqt35, layout_impedance_analyzer_page_wqt35xx),
    mode_page(PAGE_IMPEDANCE, config_family::wqt45xx, kRowsAll, kWalk, layout_impedance_analyzer_page_wqt45xx),
    mode_page(PAGE_IMPEDANCE, config_family::wqt55xx, kRowsAll, kWalk, layout_impedance_analyzer_page_wqt55xx),
};
static_assert(kImpedancePages[2].family == config_family::wqt35xx &&
                  kImpedancePages[4].family == config_family::wqt55xx,
              "the pages stand in family order");

void show_impedance_analyzer_page_wqt15xx(HWND w) { show_page(page_of(config_family::wqt15xx), w); }
void show_impedance_analyzer_page_wqt25xx(HWND w) { show_page(page_of(config_family::wqt25xx), w); }
void show_impedance_analyzer_page_wqt35xx(HWND w) { show_page(page_of(config_family::wqt35xx), w); }
void show_impedance_analyzer_page_wqt45xx(HWND w) { show_page(page_of(config_family::wqt45xx), w); }
void show_impedance_analyzer_page_wqt55xx(HWND w) { show_page(page_of(config_family::wqt55xx), w); }

void layout_impedance_analyzer_page_wqt15xx() { place_rows(config_family::wqt15xx); }
void layout_impedance_analyzer_page_wqt25xx() { place_rows(config_family::wqt25xx); }
void layout_impedance_analyzer_page_wqt35xx() { place_rows(config_family::wqt35xx); }
void layout_impedance_analyzer_page_wqt45xx() { place_rows(config_family::wqt45xx); }
void layout_impedance_analyzer_page_wqt55xx() { place_rows(config_family::wqt55xx); }
