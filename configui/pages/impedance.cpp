// The Impedance Analyzer page of every family: its rows (the WQT25 family
// has no equivalent circuit), the walk of its list rule (a new parameter
// lays the page out again, but on the WQT15 family) and the layouts, every
// shown row in row order.
#include "configui/pages/impedance.h"

#include "config/item_numbers.h"
#include "configui/engine/engine.h"
#include "configui/pages/modes.h"

#include <array>

namespace {

constexpr int kRows = 4;

enum : int { R_MODE, R_PARAMETER, R_CIRCUIT, R_PHASE_OFFSET };

constexpr std::array<row_def, kRows> kRowsAll = {
    kModeRow, list_row(kItemParameter), list_row(kItemCircuit), edit_row(kItemPhaseOffset),
};
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

constexpr page_def impedance(config_family family, const row_def* rows, const walk_step* walk, int8_t walk_count,
                             void (*layout)())
{
    return {PAGE_IMPEDANCE, family, kAdvancedOptionsText, false, false, 20, kRows, rows, walk, walk_count, 0,
            mode_lists, layout};
}

} // namespace

constexpr page_def kImpedancePages[5] = {
    impedance(config_family::wqt15xx, kRowsAll.data(), kWalkWqt15, steps(kWalkWqt15),
              layout_impedance_analyzer_page_wqt15xx),
    impedance(config_family::wqt25xx, kRowsWqt25.data(), kWalk, steps(kWalk), layout_impedance_analyzer_page_wqt25xx),
    impedance(config_family::wqt35xx, kRowsWqt35.data(), kWalkWqt35, steps(kWalkWqt35),
              layout_impedance_analyzer_page_wqt35xx),
    impedance(config_family::wqt45xx, kRowsAll.data(), kWalk, steps(kWalk), layout_impedance_analyzer_page_wqt45xx),
    impedance(config_family::wqt55xx, kRowsAll.data(), kWalk, steps(kWalk), layout_impedance_analyzer_page_wqt55xx),
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
