// The RMS Voltmeter page of every family: its rows, the walk of its list
// rule (the two-group model sets all but the crest factor in both groups)
// and the order each family places its rows in. No row's visibility
// depends on a value, so no change lays the page out again.
#include "configui/pages/rms_voltmeter.h"

#include "config/item_numbers.h"
#include "configui/engine/engine.h"
#include "configui/pages/modes.h"

#include <array>

namespace {

constexpr int kRows = 6;

enum : int { R_MODE, R_RECTIFIED, R_PEAK, R_LAST_LINE, R_BLANKING, R_CREST };

// The WQT45 and WQT55 rows; the others put theirs in. Rows a family never
// shows are empty.
constexpr std::array<row_def, kRows> kSharedRows = rows_by_name({
    {R_MODE, kModeRow},
    {R_RECTIFIED, list_row(kItemRectifiedMean)},
    {R_PEAK, list_row(kItemPeak)},
    {R_LAST_LINE, kEmptyRow},
    {R_BLANKING, kEmptyRow},
    {R_CREST, list_row(kItemCrestFactor)},
});
static_assert(R_CREST + 1 == kRows, "one row per id 25800..25805");
constexpr row_def kLastLineRow = list_row(kItemVoltmeterLastLine);
constexpr auto kRowsWqt15 = with_rows(kSharedRows, {{R_LAST_LINE, kLastLineRow}, {R_CREST, kEmptyRow}});
constexpr auto kRowsWqt25 = with_rows(kSharedRows, {{R_RECTIFIED, kEmptyRow},
                                                    {R_PEAK, kEmptyRow},
                                                    {R_BLANKING, list_row(kItemLowBlanking)},
                                                    {R_CREST, kEmptyRow}});
constexpr auto kRowsWqt35 = with_rows(kSharedRows, {{R_LAST_LINE, kLastLineRow}});

constexpr walk_step kWalkWqt15[] = {kModeStep, {R_RECTIFIED, 0, nullptr}, {R_PEAK, 0, nullptr},
                                    {R_LAST_LINE, 0, nullptr}};
constexpr walk_step kWalkWqt25[] = {kModeStep, {R_BLANKING, 0, nullptr}};
constexpr walk_step kWalkWqt35[] = {kModeStep, {R_RECTIFIED, STEP_BOTH, nullptr}, {R_PEAK, STEP_BOTH, nullptr},
                                    {R_CREST, 0, nullptr}, {R_LAST_LINE, STEP_BOTH, nullptr}};
constexpr walk_step kWalkWqt45[] = {kModeStep, {R_RECTIFIED, 0, nullptr}, {R_PEAK, 0, nullptr},
                                    {R_CREST, 0, nullptr}};

// The rows each family shows, in grid order.
constexpr int kOrderWqt15[] = {R_MODE, R_RECTIFIED, R_PEAK, R_LAST_LINE};
constexpr int kOrderWqt25[] = {R_MODE, R_BLANKING};
constexpr int kOrderWqt35[] = {R_MODE, R_RECTIFIED, R_PEAK, R_CREST, R_LAST_LINE};
constexpr int kOrderWqt45[] = {R_MODE, R_RECTIFIED, R_PEAK, R_CREST};

const page_def& page_of(config_family family)
{
    return kRmsVoltmeterPages[static_cast<int>(family)];
}

template <config_family Family, const auto& Order>
void place_in_order()
{
    grid_cursor grid(page_of(Family));
    for (int row : Order)
        grid.place(row);
}

} // namespace

constexpr page_def kRmsVoltmeterPages[5] = {
    mode_page(PAGE_RMS_VOLTMETER, config_family::wqt15xx, kRowsWqt15, kWalkWqt15, layout_rms_voltmeter_page_wqt15xx),
    mode_page(PAGE_RMS_VOLTMETER, config_family::wqt25xx, kRowsWqt25, kWalkWqt25,
              place_in_order<config_family::wqt25xx, kOrderWqt25>),
    mode_page(PAGE_RMS_VOLTMETER, config_family::wqt35xx, kRowsWqt35, kWalkWqt35,
              place_in_order<config_family::wqt35xx, kOrderWqt35>),
    mode_page(PAGE_RMS_VOLTMETER, config_family::wqt45xx, kSharedRows, kWalkWqt45,
              place_in_order<config_family::wqt45xx, kOrderWqt45>),
    mode_page(PAGE_RMS_VOLTMETER, config_family::wqt55xx, kSharedRows, kWalkWqt45,
              place_in_order<config_family::wqt55xx, kOrderWqt45>),
};
static_assert(kRmsVoltmeterPages[2].family == config_family::wqt35xx &&
                  kRmsVoltmeterPages[4].family == config_family::wqt55xx,
              "the pages stand in family order");

void show_rms_voltmeter_page_wqt15xx(HWND w) { show_page(page_of(config_family::wqt15xx), w); }
void show_rms_voltmeter_page_wqt25xx(HWND w) { show_page(page_of(config_family::wqt25xx), w); }
void show_rms_voltmeter_page_wqt35xx(HWND w) { show_page(page_of(config_family::wqt35xx), w); }
void show_rms_voltmeter_page_wqt45xx(HWND w) { show_page(page_of(config_family::wqt45xx), w); }
void show_rms_voltmeter_page_wqt55xx(HWND w) { show_page(page_of(config_family::wqt55xx), w); }

void layout_rms_voltmeter_page_wqt15xx()
{
    place_in_order<config_family::wqt15xx, kOrderWqt15>();
}
