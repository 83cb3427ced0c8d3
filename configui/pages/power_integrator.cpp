// The Power Integrator page of every family: the Mode list, integration,
// display and the run time (items 132 and 133 in one "hours:minutes" edit),
// and the time reference (item 23) of the WQT45 and WQT55 families, shown
// while the instrument's phases are wired independently.
#include "configui/pages/power_integrator.h"

#include "config/item_numbers.h"
#include "config/wiring_rules.h"
#include "configui/engine/engine.h"
#include "configui/pages/modes.h"
#include "configui/pages/shared_rows.h"

#include <array>

namespace {

constexpr int kRows = 5;

enum : int8_t { R_MODE, R_INTEGRATION, R_DISPLAY, R_RUN_TIME, R_TIME_REFERENCE };
static_assert(R_TIME_REFERENCE + 1 == kRows, "one row per id 26200..26204");

constexpr std::array<row_def, kRows> kRowsWqt55 = rows_by_name({
    {R_MODE, kModeRow},
    {R_INTEGRATION, list_row(kItemIntegration)},
    {R_DISPLAY, list_row(kItemDisplay)},
    {R_RUN_TIME, run_time_row(kItemRunTime, false)},
    {R_TIME_REFERENCE, kTimeReferenceRow},
});
constexpr auto kRowsWqt15 = with_rows(kRowsWqt55, {{R_TIME_REFERENCE, kEmptyRow}});
// The two-group model's run time goes to both groups.
constexpr auto kRowsWqt35 = with_rows(kRowsWqt15, {{R_RUN_TIME, run_time_row(kItemRunTime, true)}});

constexpr walk_step kWalkWqt15[] = {kModeStep, {R_INTEGRATION, 0, nullptr}, {R_DISPLAY, 0, nullptr}};
constexpr walk_step kWalkWqt35[] = {kModeStep, {R_INTEGRATION, STEP_BOTH, nullptr}, {R_DISPLAY, STEP_BOTH, nullptr}};
constexpr walk_step kWalkWqt45[] = {
    kModeStep, {R_INTEGRATION, 0, nullptr}, {R_DISPLAY, 0, nullptr}, {R_TIME_REFERENCE, 0, nullptr}};

const page_def& page_of(config_family family)
{
    return kPowerIntegratorPages[static_cast<int>(family)];
}

// The four rows every family shows, from the top.
void place_rows(grid_cursor& grid)
{
    for (int row : {R_MODE, R_INTEGRATION, R_DISPLAY, R_RUN_TIME})
        grid.place(row);
}

// The WQT15, WQT25 and WQT35 pages: the four rows and nothing else.
template <config_family F>
void layout_own()
{
    grid_cursor grid(page_of(F));
    place_rows(grid);
}

// The time reference while two phases (wiring 4) or three (wiring 7) are
// wired independently.
void layout_with_time_reference(config_family family)
{
    const int p = current_phase_count();
    const int w = item_now(kItemWiring);
    grid_cursor grid(page_of(family));
    place_rows(grid);
    if (independent_wiring(p, w))
        grid.place(R_TIME_REFERENCE);
}

} // namespace

constexpr page_def kPowerIntegratorPages[5] = {
    mode_page(PAGE_INTEGRATOR, config_family::wqt15xx, kRowsWqt15, kWalkWqt15, layout_own<config_family::wqt15xx>),
    mode_page(PAGE_INTEGRATOR, config_family::wqt25xx, kRowsWqt15, kWalkWqt15, layout_own<config_family::wqt25xx>),
    mode_page(PAGE_INTEGRATOR, config_family::wqt35xx, kRowsWqt35, kWalkWqt35, layout_own<config_family::wqt35xx>),
    mode_page(PAGE_INTEGRATOR, config_family::wqt45xx, kRowsWqt55, kWalkWqt45, layout_power_integrator_page_wqt45xx),
    mode_page(PAGE_INTEGRATOR, config_family::wqt55xx, kRowsWqt55, kWalkWqt45, layout_power_integrator_page_wqt55xx),
};
static_assert(kPowerIntegratorPages[2].family == config_family::wqt35xx &&
                  kPowerIntegratorPages[4].family == config_family::wqt55xx,
              "the pages stand in family order");

void show_power_integrator_page_wqt15xx(HWND w) { show_page(page_of(config_family::wqt15xx), w); }
void show_power_integrator_page_wqt25xx(HWND w) { show_page(page_of(config_family::wqt25xx), w); }
void show_power_integrator_page_wqt35xx(HWND w) { show_page(page_of(config_family::wqt35xx), w); }
void show_power_integrator_page_wqt45xx(HWND w) { show_page(page_of(config_family::wqt45xx), w); }
void show_power_integrator_page_wqt55xx(HWND w) { show_page(page_of(config_family::wqt55xx), w); }

void layout_power_integrator_page_wqt45xx() { layout_with_time_reference(config_family::wqt45xx); }
void layout_power_integrator_page_wqt55xx() { layout_with_time_reference(config_family::wqt55xx); }
