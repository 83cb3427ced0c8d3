// The Harmonic Analyzer page of every family and the WQT55 family's
// Fluctuating Harmonics and Flickermeter pages: their rows, the walks of
// their list groups (each lays its page out again after every selection,
// changed or not), the WQT55 family's Computation defaults, and each
// family's layout by the Computation, the wiring and the grouping.
#include "configui/pages/harmonic.h"

#include "config/config_item.h"
#include "config/instrument_config.h"
#include "config/item_numbers.h"
#include "config/two_group_rules.h"
#include "configui/engine/change_rule.h"
#include "configui/engine/engine.h"
#include "configui/pages/modes.h"
#include "configui/pages/shared_rows.h"
#include "slots/instrument_slots.h"

#include <array>
#include <iterator>

namespace {


// ---- Harmonic Analyzer --------------------------------------------------------

constexpr int kHarmonicRows = 14;
enum : int {
    R_MODE, R_COMPUTATION, R_FREQUENCY_MODE, R_MARKER, R_CONVERSION, R_CURRENT, R_VOLTAGE_SCALE,
    R_CURRENT_SCALE, R_MARKER_VALUE, R_HARMONIC, R_SERIES, R_FREQUENCY_STEP, R_HARM_KEY, R_VOLTAGE,
};

// The Computation entries the layouts test. The WQT35 family has no
// "Interharmonic Sweep", so its "Harmonic Factor" is entry 8.
constexpr int kDifferenceThd = 0;
constexpr int kTrd = 4;
constexpr int kSweep = 7;
constexpr int kFactor = 9;
constexpr int kFactorWqt35 = 8;

// The harmonic numbers' up-downs span the same range in every family.
constexpr int kHarmonicLowest = 2;
constexpr int kHarmonicHighest = 7500;

// The Current Bargraph Scale and the HARM key's function, on the Harmonic
// Analyzer and the Fluctuating Harmonics pages.
constexpr row_def kCurrentScaleRow = edit_row(104);
constexpr row_def kHarmKeyRow = list_row(98);

constexpr std::array<row_def, kHarmonicRows> kHarmonicRowsWqt55 = rows_by_name({
    {R_MODE, kModeRow},
    {R_COMPUTATION, list_row(kItemHarmonicComputation)},
    {R_FREQUENCY_MODE, list_row(105)},
    {R_MARKER, list_row(146)},
    {R_CONVERSION, list_row(145)},
    {R_CURRENT, kHarmonicCurrentRow},
    {R_VOLTAGE_SCALE, edit_row(102)},
    {R_CURRENT_SCALE, kCurrentScaleRow},
    {R_MARKER_VALUE, edit_row(147)},
    {R_HARMONIC, kHarmonicRow},
    {R_SERIES, int_row(kItemHarmonicSeries, ROW_EDIT_ALT)},
    {R_FREQUENCY_STEP, kFrequencyStepRow},
    {R_HARM_KEY, kHarmKeyRow},
    {R_VOLTAGE, edit_row(97)},
});
static_assert(R_VOLTAGE + 1 == kHarmonicRows, "one row per id 26300..26313");
constexpr auto kHarmonicRowsWqt45 =
    with_rows(kHarmonicRowsWqt55, {{R_FREQUENCY_MODE, kEmptyRow}, {R_HARM_KEY, kEmptyRow}});
// The two-group model takes every entry into both groups.
constexpr auto kHarmonicRowsWqt35 = with_rows(kHarmonicRowsWqt55, {{R_FREQUENCY_MODE, kEmptyRow},
                                                                   {R_MARKER, kEmptyRow},
                                                                   {R_CURRENT, both_edit_row(103)},
                                                                   {R_VOLTAGE_SCALE, both_edit_row(102)},
                                                                   {R_CURRENT_SCALE, both_edit_row(104)},
                                                                   {R_MARKER_VALUE, kEmptyRow},
                                                                   {R_HARMONIC, both_edit_row(kItemHarmonic, SHOW_INT)},
                                                                   {R_SERIES, both_edit_row(kItemHarmonicSeries, SHOW_INT)},
                                                                   {R_FREQUENCY_STEP, kEmptyRow},
                                                                   {R_HARM_KEY, kEmptyRow},
                                                                   {R_VOLTAGE, both_edit_row(97)}});
constexpr auto kHarmonicRowsWqt15 = with_rows(kHarmonicRowsWqt45, {{R_MARKER, kEmptyRow},
                                                                   {R_CONVERSION, kEmptyRow},
                                                                   {R_MARKER_VALUE, kEmptyRow},
                                                                   {R_FREQUENCY_STEP, kEmptyRow},
                                                                   {R_VOLTAGE, kEmptyRow}});
constexpr auto kHarmonicRowsWqt25 = with_rows(kHarmonicRowsWqt15, {{R_CURRENT_SCALE, kEmptyRow}});

// The WQT55 family: a new Computation also stores Speed 5 and Window 0.200,
// which go to the instrument with the next whole send.
void set_computation_wqt55xx(int item, int value, list_change& change)
{
    config_dispatch_b(item, value, &get_current_instrument(), false);
    if (const std::shared_ptr<instrument_config> config = get_current_config()) {
        config->set_value_int(kItemSpeed, 5);
        config->set_value_text(kItemWindow, "0.200");
    }
    change.mark(kItemSpeed);
    change.mark(kItemWindow);
}

// The list group: Computation, Frequency Mode, Marker, Conversion, HARM key.
// Every selection in it lays the page out again; the empty rows of a family
// are its placeholders, whose ids start the group too.
constexpr uint16_t kLayOut = STEP_RELAYOUT | STEP_ALWAYS;
constexpr walk_step group_step(int row, uint16_t more = 0, step_set set = nullptr)
{
    return {static_cast<int8_t>(row), static_cast<uint16_t>(kLayOut | more), set};
}
constexpr walk_step kHarmonicWalk[] = {kModeStep, group_step(R_COMPUTATION), group_step(R_FREQUENCY_MODE),
                                       group_step(R_MARKER), group_step(R_CONVERSION), group_step(R_HARM_KEY)};
constexpr walk_step kHarmonicWalkWqt35[] = {kModeStep,
                                            group_step(R_COMPUTATION, STEP_BOTH),
                                            group_step(R_FREQUENCY_MODE),
                                            group_step(R_MARKER),
                                            group_step(R_CONVERSION),
                                            group_step(R_HARM_KEY)};
constexpr walk_step kHarmonicWalkWqt55[] = {kModeStep,
                                            group_step(R_COMPUTATION, 0, set_computation_wqt55xx),
                                            group_step(R_FREQUENCY_MODE),
                                            group_step(R_MARKER),
                                            group_step(R_CONVERSION),
                                            group_step(R_HARM_KEY)};

const page_def& harmonic_page(config_family family)
{
    return kHarmonicPages[static_cast<int>(family)];
}

void place_harmonic(grid_cursor& grid, int row)
{
    grid.place(row, kHarmonicLowest, kHarmonicHighest);
}

// Conversion of the one-group families: a two-wattmeter wiring on two
// phases or more, or a three-wattmeter wiring on three or more.
bool conversion_shown()
{
    const int phases = current_phase_count();
    const int wiring = item_now(kItemWiring);
    return (phases >= 2 && wiring == 1) || (phases >= 3 && wiring == 3);
}

// The two-group model's Conversion: wiring 1 or 3 where the group's phases
// allow it.
bool conversion_shown_wqt35xx()
{
    const int wiring = item_now(kItemWiring);
    const int phases = current_phase_count();
    const int grouping = item_now(kItemGrouping);
    const int group = get_current_active_group();
    return check_wiring_rule_group1(wiring, phases, grouping, group) ||
           is_param_available_model3(wiring, phases, grouping, group);
}

// The WQT45 and WQT55 layouts; the WQT55 family adds Frequency Mode and the
// HARM key.
void layout_harmonic_rich(config_family family)
{
    const bool wqt55xx = family == config_family::wqt55xx;
    const int c = item_now(kItemHarmonicComputation);
    grid_cursor grid(harmonic_page(family));
    grid.place(R_MODE);
    grid.place(R_COMPUTATION);
    if (c == kDifferenceThd) {
        place_harmonic(grid, R_HARMONIC);
        if (wqt55xx)
            grid.place(R_HARM_KEY);
        return;
    }
    if (wqt55xx && c != kSweep)
        grid.place(R_FREQUENCY_MODE);
    if (c == kSweep)
        grid.place(R_FREQUENCY_STEP);
    if (c == kFactor)
        grid.place(R_VOLTAGE);
    if (c == kTrd || c == kFactor)
        grid.place(R_CURRENT);
    place_harmonic(grid, R_HARMONIC);
    place_harmonic(grid, R_SERIES);
    if (c != kSweep) {
        for (int row : {R_VOLTAGE_SCALE, R_CURRENT_SCALE, R_MARKER, R_MARKER_VALUE})
            grid.place(row);
        if (conversion_shown())
            grid.place(R_CONVERSION);
    }
    if (wqt55xx)
        grid.place(R_HARM_KEY);
}

// The WQT15 and WQT25 layouts; the WQT25 family has no Current Bargraph Scale.
void layout_harmonic_simple(config_family family)
{
    const int c = item_now(kItemHarmonicComputation);
    grid_cursor grid(harmonic_page(family));
    grid.place(R_MODE);
    grid.place(R_COMPUTATION);
    if (c == kTrd)
        grid.place(R_CURRENT);
    place_harmonic(grid, R_HARMONIC);
    if (c != kDifferenceThd)
        place_harmonic(grid, R_SERIES);
    if (c != kDifferenceThd && c != kSweep) {
        grid.place(R_VOLTAGE_SCALE);
        if (family == config_family::wqt15xx)
            grid.place(R_CURRENT_SCALE);
    }
}

// ---- Fluctuating Harmonics ------------------------------------------------------

constexpr int kFluctuatingRows = 4;
enum : int { F_MODE, F_HARM_KEY, F_HARMONIC, F_CURRENT_SCALE };
static_assert(F_CURRENT_SCALE + 1 == kFluctuatingRows, "one row per id 26500..26503");

constexpr std::array<row_def, kFluctuatingRows> kFluctuatingRowsWqt55 = rows_by_name({
    {F_MODE, kModeRow},
    {F_HARM_KEY, kHarmKeyRow},
    {F_HARMONIC, kHarmonicRow},
    {F_CURRENT_SCALE, kCurrentScaleRow},
});
constexpr walk_step kFluctuatingWalk[] = {kModeStep, group_step(F_HARM_KEY)};

// ---- Flickermeter ---------------------------------------------------------------

constexpr int kFlickerRows = 6;
enum : int { K_MODE, K_MEASUREMENT, K_T_SHORT, K_T_LONG, K_IMPEDANCE, K_DT_TESTING };

constexpr int kVoltageMeasurement = 0;

constexpr std::array<row_def, kFlickerRows> kFlickerRowsWqt55 = rows_by_name({
    {K_MODE, kModeRow},
    {K_MEASUREMENT, list_row(kItemFlickerMeasurement)},
    {K_T_SHORT, int_row(kItemTShort, ROW_EDIT_ALT)},
    {K_T_LONG, int_row(kItemTLong, ROW_EDIT_ALT)},
    {K_IMPEDANCE, kImpedanceScalingRow},
    {K_DT_TESTING, kDtTestingRow},
});
static_assert(K_DT_TESTING + 1 == kFlickerRows, "one row per id 26600..26605");
// D(t) Testing is read before the Measurement it depends on.
constexpr walk_step kFlickerWalk[] = {kModeStep, group_step(K_DT_TESTING), group_step(K_MEASUREMENT)};

// An up-down over an item's own limits, each truncated toward zero.
void place_within_limits(grid_cursor& grid, int row, int item)
{
    config_item_value limits{};
    if (const std::shared_ptr<instrument_config> config = get_current_config())
        limits = config->get_value_record_copy(item);
    grid.place(row, item_number_to_int(limits.minimum), item_number_to_int(limits.maximum));
}

// ---- Definitions ----------------------------------------------------------------

template <size_t Steps>
constexpr page_def harmonic(config_family family, const std::array<row_def, kHarmonicRows>& rows,
                            const walk_step (&walk)[Steps], void (*layout)())
{
    return mode_page(PAGE_HARMONIC, family, rows, walk, layout);
}

} // namespace

constexpr page_def kHarmonicPages[5] = {
    harmonic(config_family::wqt15xx, kHarmonicRowsWqt15, kHarmonicWalk, layout_harmonic_analyzer_page_wqt15xx),
    harmonic(config_family::wqt25xx, kHarmonicRowsWqt25, kHarmonicWalk, layout_harmonic_analyzer_page_wqt25xx),
    harmonic(config_family::wqt35xx, kHarmonicRowsWqt35, kHarmonicWalkWqt35,
             layout_harmonic_analyzer_page_wqt35xx),
    harmonic(config_family::wqt45xx, kHarmonicRowsWqt45, kHarmonicWalk, layout_harmonic_analyzer_page_wqt45xx),
    harmonic(config_family::wqt55xx, kHarmonicRowsWqt55, kHarmonicWalkWqt55,
             layout_harmonic_analyzer_page_wqt55xx),
};
constexpr page_def kFluctuatingPages[5] = {
    {}, {}, {}, {},
    mode_page(PAGE_FLUCTUATING, config_family::wqt55xx, kFluctuatingRowsWqt55, kFluctuatingWalk,
              layout_fluctuating_harmonics_page_wqt55xx),
};
constexpr page_def kFlickermeterPages[5] = {
    {}, {}, {}, {},
    mode_page(PAGE_FLICKERMETER, config_family::wqt55xx, kFlickerRowsWqt55, kFlickerWalk,
              layout_flickermeter_page_wqt55xx),
};
static_assert(kHarmonicPages[2].family == config_family::wqt35xx &&
                  kHarmonicPages[4].family == config_family::wqt55xx,
              "the pages stand in family order");
static_assert(kFluctuatingPages[3].row_count == 0 && kFlickermeterPages[3].row_count == 0 &&
                  kFlickermeterPages[4].family == config_family::wqt55xx,
              "the WQT55 family alone has the Fluctuating Harmonics and Flickermeter pages");

void show_harmonic_analyzer_page_wqt15xx(HWND w) { show_page(harmonic_page(config_family::wqt15xx), w); }
void show_harmonic_analyzer_page_wqt25xx(HWND w) { show_page(harmonic_page(config_family::wqt25xx), w); }
void show_harmonic_analyzer_page_wqt35xx(HWND w) { show_page(harmonic_page(config_family::wqt35xx), w); }
void show_harmonic_analyzer_page_wqt45xx(HWND w) { show_page(harmonic_page(config_family::wqt45xx), w); }
void show_harmonic_analyzer_page_wqt55xx(HWND w) { show_page(harmonic_page(config_family::wqt55xx), w); }
void show_fluctuating_harmonics_page_wqt55xx(HWND w) { show_page(kFluctuatingPages[4], w); }
void show_flickermeter_page_wqt55xx(HWND w) { show_page(kFlickermeterPages[4], w); }

void layout_harmonic_analyzer_page_wqt15xx() { layout_harmonic_simple(config_family::wqt15xx); }
void layout_harmonic_analyzer_page_wqt25xx() { layout_harmonic_simple(config_family::wqt25xx); }
void layout_harmonic_analyzer_page_wqt45xx() { layout_harmonic_rich(config_family::wqt45xx); }
void layout_harmonic_analyzer_page_wqt55xx() { layout_harmonic_rich(config_family::wqt55xx); }

// The two-group model: while the grouping joins phases of both groups into
// one, only the harmonic number.
void layout_harmonic_analyzer_page_wqt35xx()
{
    grid_cursor grid(harmonic_page(config_family::wqt35xx));
    grid.place(R_MODE);
    if (phase_grouping_c(current_phase_count(), item_now(kItemGrouping))) {
        place_harmonic(grid, R_HARMONIC);
        return;
    }
    grid.place(R_COMPUTATION);
    const int c = item_now(kItemHarmonicComputation);
    if (c == kFactorWqt35)
        grid.place(R_VOLTAGE);
    if (c == kTrd || c == kFactorWqt35)
        grid.place(R_CURRENT);
    place_harmonic(grid, R_HARMONIC);
    if (c == kDifferenceThd)
        return;
    place_harmonic(grid, R_SERIES);
    grid.place(R_VOLTAGE_SCALE);
    grid.place(R_CURRENT_SCALE);
    if (conversion_shown_wqt35xx())
        grid.place(R_CONVERSION);
}

void layout_fluctuating_harmonics_page_wqt55xx()
{
    grid_cursor grid(kFluctuatingPages[4]);
    grid.place(F_MODE);
    grid.place(F_HARM_KEY);
    place_harmonic(grid, F_HARMONIC);
    grid.place(F_CURRENT_SCALE);
}

void layout_flickermeter_page_wqt55xx()
{
    grid_cursor grid(kFlickermeterPages[4]);
    grid.place(K_MODE);
    grid.place(K_MEASUREMENT);
    grid.place(K_IMPEDANCE);
    place_within_limits(grid, K_T_SHORT, kItemTShort);
    place_within_limits(grid, K_T_LONG, kItemTLong);
    if (item_now(kItemFlickerMeasurement) == kVoltageMeasurement)
        grid.place(K_DT_TESTING);
}
