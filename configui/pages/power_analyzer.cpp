// The Power Analyzer page of every family: 17 rows composed from the WQT35
// family's (the richest), the efficiency ratios built from the instrument,
// the WQT35 torque and speed labels, each family's walk and layout. A
// conversion change has the results windows lay out their columns at once;
// a WQT35 change of the torque and speed inputs shows the page again, so
// that the speed scale-factor row shows the item it now stands for.
#include "configui/pages/power_analyzer.h"

#include "config/instrument_config.h"
#include "config/item_numbers.h"
#include "config/wiring_rules.h"
#include "configui/engine/change_rule.h"
#include "configui/engine/config_choices_ui.h"
#include "configui/engine/engine.h"
#include "configui/pages/modes.h"
#include "configui/pages/power_choices.h"
#include "configui/pages/shared_rows.h"
#include "logging/results_store.h"
#include "slots/instrument_slots.h"

#include <array>
#include <iterator>

namespace {

constexpr int kRows = 17;
constexpr int kMoreOptionsText = 1626; // "More Options >"

enum : int8_t {
    R_MODE,
    R_VAR_SIGN,
    R_PF_SIGN,
    R_HARMONIC,
    R_SUM_CURRENT,
    R_THD,
    R_CONVERSION,
    R_EFFICIENCY,
    R_COMPENSATION,
    R_SUM_VA,
    R_LAST_LINE,
    R_PENULTIMATE_LINE,
    R_TORQUE_SPEED,
    R_OFFSET_1,
    R_TORQUE_SCALE,
    R_OFFSET_2,
    R_SPEED_SCALE,
};
static_assert(R_SPEED_SCALE + 1 == kRows, "one row per id 26000..26016");

constexpr int kHarmonicMin = 2;
constexpr int kHarmonicMax = 417;

// The WQT35 family's rows: the speed scale factor stands for item 87 or 86
// by the kind of inputs; the torque and speed entries go to both groups.
constexpr std::array<row_def, kRows> kRowsWqt35 = rows_by_name({
    {R_MODE, kModeRow},
    {R_VAR_SIGN, list_row(92)},
    {R_PF_SIGN, list_row(91)},
    {R_HARMONIC, kHarmonicRow},
    {R_SUM_CURRENT, list_row(89)},
    {R_THD, list_row(135)},
    {R_CONVERSION, list_row(kItemConversion)},
    {R_EFFICIENCY, kEfficiencyRow},
    {R_COMPENSATION, list_row(90)},
    {R_SUM_VA, list_row(131)},
    {R_LAST_LINE, list_row(kItemPowerLastLine)},
    {R_PENULTIMATE_LINE, list_row(kItemPenultimateLine)},
    {R_TORQUE_SPEED, kTorqueSpeedRow},
    {R_OFFSET_1, kTorqueOffsetBothRow},
    {R_TORQUE_SCALE, kTorqueScaleBothRow},
    {R_OFFSET_2, kSpeedOffsetBothRow},
    {R_SPEED_SCALE, kSpeedScaleBothRow},
});
constexpr auto kRowsWqt15 = with_rows(kRowsWqt35, {{R_TORQUE_SPEED, kEmptyRow}, {R_OFFSET_1, kEmptyRow},
                                                   {R_TORQUE_SCALE, kEmptyRow}, {R_OFFSET_2, kEmptyRow},
                                                   {R_SPEED_SCALE, kEmptyRow}});
constexpr auto kRowsWqt55 = with_rows(kRowsWqt15, {{R_LAST_LINE, kEmptyRow}, {R_PENULTIMATE_LINE, kEmptyRow}});
constexpr auto kRowsWqt25 = with_rows(kRowsWqt55, {{R_COMPENSATION, kEmptyRow}});

// A conversion change is stored by the set rule, then the results windows
// lay their columns out again before the walk goes on.
void set_conversion(int item, int value, list_change&)
{
    config_dispatch_b(item, value, &get_current_instrument(), false);
    post_results_refresh(true, 0);
}

constexpr walk_step step(int row, uint16_t flags = 0)
{
    return {static_cast<int8_t>(row), flags, nullptr};
}
constexpr walk_step kConversionStep{R_CONVERSION, 0, set_conversion};
constexpr uint16_t B = STEP_BOTH;
constexpr uint16_t L = STEP_RELAYOUT;
constexpr uint16_t BL = STEP_BOTH | STEP_RELAYOUT;
constexpr uint16_t BR = STEP_BOTH | STEP_RESHOW;

constexpr walk_step kWalkWqt15[] = {
    kModeStep,         step(R_VAR_SIGN),        step(R_PF_SIGN),          step(R_SUM_CURRENT),
    step(R_THD),       kConversionStep,         step(R_EFFICIENCY),       step(R_COMPENSATION),
    step(R_LAST_LINE, L), step(R_PENULTIMATE_LINE, L), step(R_SUM_VA),
};
constexpr walk_step kWalkWqt25[] = {
    kModeStep,   step(R_VAR_SIGN), step(R_PF_SIGN),    step(R_SUM_CURRENT),
    step(R_THD), kConversionStep,  step(R_EFFICIENCY), step(R_SUM_VA),
};
// The display lines lay the page out; the kind of torque and speed inputs
// shows it again, as the speed scale factor's item and both labels follow it.
constexpr walk_step kWalkWqt35[] = {
    kModeStep,
    step(R_VAR_SIGN, B),
    step(R_PF_SIGN, B),
    step(R_SUM_CURRENT),
    step(R_THD, B),
    kConversionStep,
    step(R_EFFICIENCY),
    step(R_COMPENSATION, B),
    step(R_SUM_VA),
    step(R_LAST_LINE, BL),
    step(R_PENULTIMATE_LINE, BL),
    step(R_TORQUE_SPEED, BR),
};
constexpr walk_step kWalkWqt45[] = {
    kModeStep,   step(R_VAR_SIGN), step(R_PF_SIGN),    step(R_SUM_CURRENT),
    step(R_THD), kConversionStep,  step(R_EFFICIENCY), step(R_COMPENSATION), step(R_SUM_VA),
};

// ---- Lists --------------------------------------------------------------------

// The Mode list, then the efficiency ratios (the two-group model's from its
// grouping and wiring) and the WQT35 scale-factor labels.
void power_lists(const page_def& page, instrument_config& config)
{
    mode_lists(page, config);
    if (page.family == config_family::wqt35xx) {
        fill_ratio_choices(row_control(page, R_EFFICIENCY), value_in(config, kItemGrouping), current_phase_count(),
                           value_in(config, kItemWiring));
        torque_speed_labels(page, config, R_TORQUE_SCALE, R_SPEED_SCALE);
        return;
    }
    config.set_option_list(kItemRatio, efficiency_choices(page.family, current_phase_count()));
    if (HWND list = row_control(page, R_EFFICIENCY))
        fill_item_combobox(config, list, kItemRatio);
}

// ---- Layouts ----------------------------------------------------------------------

const page_def& page_of(config_family family)
{
    return kPowerAnalyzerPages[static_cast<int>(family)];
}

struct wiring_state {
    int p; // phase count
    int w; // wiring (item 82)
};

wiring_state wiring_now()
{
    return {current_phase_count(), item_now(kItemWiring)};
}

bool independent(const wiring_state& s)
{
    return independent_wiring(s.p, s.w);
}

// Two or three wattmeters on two or three phases.
bool wattmeters(const wiring_state& s)
{
    return (s.p >= 2 && (s.w == 1 || s.w == 2)) || (s.p >= 3 && (s.w == 3 || s.w == 6));
}

bool sums_shown(const wiring_state& s)
{
    return (s.p >= 2 && s.w == 2) || (s.p >= 3 && (s.w == 3 || s.w == 6));
}

bool efficiency_shown(const wiring_state& s)
{
    return wattmeters(s) || independent(s);
}

bool conversion_shown(const wiring_state& s)
{
    return s.p >= 3 && s.w == 3;
}

// The WQT25, WQT45 and WQT55 layout; the WQT25 family shows its VA/VAr sum
// on fewer wirings and has no input compensation.
void layout_one_line_family(config_family family)
{
    const wiring_state s = wiring_now();
    const bool wqt25 = family == config_family::wqt25xx;
    grid_cursor grid(page_of(family));
    grid.place(R_MODE);
    grid.place(R_VAR_SIGN);
    grid.place(R_PF_SIGN);
    grid.place(R_HARMONIC, kHarmonicMin, kHarmonicMax);
    if (sums_shown(s))
        grid.place(R_SUM_CURRENT);
    if (wqt25 ? (s.p >= 2 && s.w == 2) || (s.p >= 3 && s.w == 6) : sums_shown(s))
        grid.place(R_SUM_VA);
    grid.place(R_THD);
    if (conversion_shown(s))
        grid.place(R_CONVERSION);
    if (efficiency_shown(s))
        grid.place(R_EFFICIENCY);
    if (!wqt25)
        grid.place(R_COMPENSATION);
}

bool either_is(int a, int b, int value)
{
    return a == value || b == value;
}

// The torque/speed page behind "More Options >" is the WQT45 and WQT55
// families' only.
template <size_t Steps>
constexpr page_def power_analyzer(config_family family, const std::array<row_def, kRows>& rows,
                                  const walk_step (&walk)[Steps], void (*layout)())
{
    const bool more_options = family == config_family::wqt45xx || family == config_family::wqt55xx;
    return {.kind = PAGE_POWER_ANALYZER, .family = family, .context_text = kMoreOptionsText,
            .context_shown = more_options, .row_count = row_count_of(rows), .rows = rows.data(), .walk = walk,
            .walk_count = steps(walk), .lists = power_lists, .layout = layout};
}

} // namespace

constexpr page_def kPowerAnalyzerPages[5] = {
    power_analyzer(config_family::wqt15xx, kRowsWqt15, kWalkWqt15, layout_power_analyzer_page_wqt15xx),
    power_analyzer(config_family::wqt25xx, kRowsWqt25, kWalkWqt25, layout_power_analyzer_page_wqt25xx),
    power_analyzer(config_family::wqt35xx, kRowsWqt35, kWalkWqt35, layout_power_analyzer_page_wqt35xx),
    power_analyzer(config_family::wqt45xx, kRowsWqt55, kWalkWqt45, layout_power_analyzer_page_wqt45xx),
    power_analyzer(config_family::wqt55xx, kRowsWqt55, kWalkWqt45, layout_power_analyzer_page_wqt55xx),
};
static_assert(kPowerAnalyzerPages[2].family == config_family::wqt35xx &&
                  kPowerAnalyzerPages[4].family == config_family::wqt55xx,
              "the pages stand in family order");
static_assert(std::size(kWalkWqt15) == 11 && std::size(kWalkWqt25) == 8 && std::size(kWalkWqt35) == 12 &&
                  std::size(kWalkWqt45) == 9,
              "the Mode list, then 10, 7, 11 and 8 lists");

void show_power_analyzer_page_wqt15xx(HWND w) { show_page(page_of(config_family::wqt15xx), w); }
void show_power_analyzer_page_wqt25xx(HWND w) { show_page(page_of(config_family::wqt25xx), w); }
void show_power_analyzer_page_wqt35xx(HWND w) { show_page(page_of(config_family::wqt35xx), w); }
void show_power_analyzer_page_wqt45xx(HWND w) { show_page(page_of(config_family::wqt45xx), w); }
void show_power_analyzer_page_wqt55xx(HWND w) { show_page(page_of(config_family::wqt55xx), w); }

// The display lines (items 142 and 141) choose the rows that follow them.
void layout_power_analyzer_page_wqt15xx()
{
    const wiring_state s = wiring_now();
    const int last = item_now(kItemPowerLastLine);
    const int penultimate = item_now(kItemPenultimateLine);
    const auto line_is = [&](int value) { return either_is(last, penultimate, value); };
    grid_cursor grid(page_of(config_family::wqt15xx));
    grid.place(R_MODE);
    grid.place(R_PF_SIGN);
    grid.place(R_VAR_SIGN);
    if (sums_shown(s) || independent(s))
        grid.place(R_SUM_CURRENT);
    if ((s.p >= 2 && (s.w == 1 || s.w == 2)) || (s.p >= 3 && s.w == 6))
        grid.place(R_SUM_VA);
    grid.place(R_PENULTIMATE_LINE);
    grid.place(R_LAST_LINE);
    if (line_is(5) || line_is(6))
        grid.place(R_THD);
    if (line_is(7))
        grid.place(R_HARMONIC, kHarmonicMin, kHarmonicMax);
    if (line_is(3) || line_is(8))
        grid.place(R_EFFICIENCY);
    if (line_is(1))
        grid.place(R_CONVERSION);
    grid.place(R_COMPENSATION);
}

void layout_power_analyzer_page_wqt25xx() { layout_one_line_family(config_family::wqt25xx); }

// Each display line brings its THD difference or harmonic below it, each
// row at most once (the penultimate line's first); rows past the grid's
// last are not shown.
void layout_power_analyzer_page_wqt35xx()
{
    const int g = item_now(kItemGrouping);
    const wiring_state s = wiring_now();
    const int penultimate = item_now(kItemPenultimateLine);
    const int last = item_now(kItemPowerLastLine);
    const bool penultimate_thd = penultimate == 5 || penultimate == 6;
    grid_cursor grid(page_of(config_family::wqt35xx));
    grid.place(R_MODE);
    grid.place(R_PF_SIGN);
    grid.place(R_VAR_SIGN);
    if (wattmeters(s)) {
        grid.place(R_SUM_CURRENT);
        grid.place(R_SUM_VA);
    }
    grid.place(R_COMPENSATION);
    grid.place(R_CONVERSION);
    if (wqt35xx_efficiency_shown(s.p, g))
        grid.place(R_EFFICIENCY);
    grid.place(R_PENULTIMATE_LINE);
    if (penultimate_thd)
        grid.place(R_THD);
    if (penultimate == 7)
        grid.place(R_HARMONIC, kHarmonicMin, kHarmonicMax);
    grid.place(R_LAST_LINE);
    if ((last == 5 || last == 6) && !penultimate_thd)
        grid.place(R_THD);
    if (last == 7 && penultimate != 7)
        grid.place(R_HARMONIC, kHarmonicMin, kHarmonicMax);
    grid.place(R_TORQUE_SPEED);
    if (item_now(kItemTorqueSpeed) != 0) {
        grid.place(R_TORQUE_SCALE);
        grid.place(R_OFFSET_1);
        grid.place(R_SPEED_SCALE);
        grid.place(R_OFFSET_2);
    }
}

void layout_power_analyzer_page_wqt45xx() { layout_one_line_family(config_family::wqt45xx); }
void layout_power_analyzer_page_wqt55xx() { layout_one_line_family(config_family::wqt55xx); }
