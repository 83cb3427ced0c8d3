// The Phase Meter page of every family: its rows, the walk of its list rule
// (a smoothing change lays the page out again) and the layouts: the
// smoothing response is hidden while smoothing is "None"; the WQT25 page is
// the computation and the offset entry.
#include "configui/pages/phase_meter.h"

#include "config/item_numbers.h"
#include "configui/engine/engine.h"
#include "configui/pages/modes.h"

#include <array>

namespace {

constexpr int kRows = 6;

enum : int { R_MODE, R_SPEED, R_SMOOTHING, R_RESPONSE, R_COMPUTATION, R_OFFSET };

constexpr int kSmoothingNone = 2;

// Every family but the WQT25 one; no family but that one has an offset row.
constexpr std::array<row_def, kRows> kRowsAll = rows_by_name({
    {R_MODE, kModeRow},
    {R_SPEED, list_row(kItemSpeed)},
    {R_SMOOTHING, list_row(kItemSmoothing)},
    {R_RESPONSE, list_row(kItemSmoothingResponse)},
    {R_COMPUTATION, list_row(kItemPhaseMeterComputation)},
    {R_OFFSET, kEmptyRow},
});
static_assert(R_OFFSET + 1 == kRows, "one row per id 25900..25905");
constexpr auto kRowsWqt25 = with_rows(kRowsAll, {{R_SPEED, kEmptyRow},
                                                 {R_SMOOTHING, kEmptyRow},
                                                 {R_RESPONSE, kEmptyRow},
                                                 {R_OFFSET, edit_row(kItemPhaseMeterOffset)}});

constexpr walk_step kWalk[] = {kModeStep, {R_COMPUTATION, 0, nullptr}, {R_SPEED, 0, nullptr},
                               {R_SMOOTHING, STEP_RELAYOUT, nullptr}, {R_RESPONSE, 0, nullptr}};
constexpr walk_step kWalkWqt25[] = {kModeStep, {R_COMPUTATION, 0, nullptr}};
constexpr walk_step kWalkWqt35[] = {kModeStep, {R_SPEED, 0, nullptr}, {R_SMOOTHING, STEP_RELAYOUT, nullptr},
                                    {R_RESPONSE, 0, nullptr}, {R_COMPUTATION, STEP_BOTH, nullptr}};

const page_def& page_of(config_family family)
{
    return kPhaseMeterPages[static_cast<int>(family)];
}

// The smoothing response only while the readings are smoothed.
void layout_by_smoothing(config_family family)
{
    grid_cursor grid(page_of(family));
    grid.place(R_MODE);
    grid.place(R_SPEED);
    grid.place(R_SMOOTHING);
    if (item_now(kItemSmoothing) != kSmoothingNone)
        grid.place(R_RESPONSE);
    grid.place(R_COMPUTATION);
}

} // namespace

constexpr page_def kPhaseMeterPages[5] = {
    mode_page(PAGE_PHASE_METER, config_family::wqt15xx, kRowsAll, kWalk, layout_phase_meter_page_wqt15xx),
    mode_page(PAGE_PHASE_METER, config_family::wqt25xx, kRowsWqt25, kWalkWqt25, layout_phase_meter_page_wqt25xx),
    mode_page(PAGE_PHASE_METER, config_family::wqt35xx, kRowsAll, kWalkWqt35, layout_phase_meter_page_wqt35xx),
    mode_page(PAGE_PHASE_METER, config_family::wqt45xx, kRowsAll, kWalk, layout_phase_meter_page_wqt45xx),
    mode_page(PAGE_PHASE_METER, config_family::wqt55xx, kRowsAll, kWalk, layout_phase_meter_page_wqt55xx),
};
static_assert(kPhaseMeterPages[2].family == config_family::wqt35xx &&
                  kPhaseMeterPages[4].family == config_family::wqt55xx,
              "the pages stand in family order");

void show_phase_meter_page_wqt15xx(HWND w) { show_page(page_of(config_family::wqt15xx), w); }
void show_phase_meter_page_wqt25xx(HWND w) { show_page(page_of(config_family::wqt25xx), w); }
void show_phase_meter_page_wqt35xx(HWND w) { show_page(page_of(config_family::wqt35xx), w); }
void show_phase_meter_page_wqt45xx(HWND w) { show_page(page_of(config_family::wqt45xx), w); }
void show_phase_meter_page_wqt55xx(HWND w) { show_page(page_of(config_family::wqt55xx), w); }

void layout_phase_meter_page_wqt15xx() { layout_by_smoothing(config_family::wqt15xx); }
void layout_phase_meter_page_wqt35xx() { layout_by_smoothing(config_family::wqt35xx); }
void layout_phase_meter_page_wqt45xx() { layout_by_smoothing(config_family::wqt45xx); }
void layout_phase_meter_page_wqt55xx() { layout_by_smoothing(config_family::wqt55xx); }

void layout_phase_meter_page_wqt25xx()
{
    grid_cursor grid(page_of(config_family::wqt25xx));
    grid.place(R_MODE);
    grid.place(R_COMPUTATION);
    grid.place(R_OFFSET);
}
