// The Application Options page of every family: 48 rows composed from the
// WQT55 family's, the lists built from the instrument (ranges, efficiency,
// the WQT55 modes by model digit), the torque and speed labels, each
// family's walk with the mode's dependent items, and the layouts by mode.
#include "configui/pages/app_options.h"

#include "config/instrument_config.h"
#include "config/item_numbers.h"
#include "configui/engine/change_rule.h"
#include "configui/engine/config_choices_ui.h"
#include "configui/engine/engine.h"
#include "configui/engine/two_group.h"
#include "configui/pages/modes.h"
#include "configui/pages/power_choices.h"
#include "configui/pages/range_lists.h"
#include "configui/pages/shared_rows.h"
#include "slots/instrument_slots.h"

#include <array>
#include <iterator>

namespace {

constexpr int kRows = 48;

// The rows by what they show in the WQT55 family: its Mode (item 70), then
// each mode's settings.
enum : int {
    R_MODE,
    R_TEMPERATURE,
    R_RECTIFIED_MEAN,
    R_FREQUENCY_TRACKING,
    R_FREQUENCY_FILTER,
    R_FREQUENCY_REFERENCE,
    R_LOW_FREQUENCY,
    R_TORQUE_SPEED,
    R_TORQUE_SCALE,
    R_TORQUE_OFFSET,
    R_SPEED_SCALE,
    R_SPEED_OFFSET,
    R_EFFICIENCY,
    R_MINIMUM_FREQUENCY,
    R_FREQUENCY_FILTERING,
    R_HARMONICS_FLICKER_MODE, // IEC61000-3-2 (harmonics) or IEC61000-3-3 (flicker)
    R_CLASS,
    R_VERIFY_SOURCE,
    R_POWER,                  // measured or specified
    R_SPECIFIED_POWER,
    R_POWER_FACTOR,
    R_CURRENT,
    R_PLT_TESTING,
    R_IMPEDANCE_SCALING,
    R_FREQUENCY_STEP,
    R_DEVICE,
    R_SWITCH_PHASE_OFFSET,
    R_SWITCH_ON_CYCLES,
    R_GEAR_RATIO,
    R_T_SHORT,
    R_T_LONG,
    R_DT_TESTING,
    R_HARMONIC,
    R_HARMONIC_SERIES,
    R_V_AUTORANGING,
    R_V_MINIMUM_RANGE,
    R_C_AUTORANGING,
    R_C_MINIMUM_RANGE,
    R_AC_LINE,                // the gear ratio in the WQT15 and WQT35 families
    R_STANDARD,
    R_TIMEBASE,
    R_TRIGGER_REFERENCE,
    R_TRIGGER_LEVEL,
    R_TRIGGER_TYPE,
    R_TRIGGER_POLARITY,
    R_HF_REJECT,
    R_PRETRIGGER,
    R_CURSORS,
};
static_assert(R_CURSORS + 1 == kRows, "one row per id 25500..25547");

constexpr int kResetText = 1835;         // "Reset to Default"

// The WQT55 family's rows; the others take theirs out or put theirs in.
constexpr std::array<row_def, kRows> kRowsWqt55 = rows_by_name({
    {R_MODE, list_row(kItemDefaultMode)},
    {R_TEMPERATURE, list_row(kItemTemperature)},
    {R_RECTIFIED_MEAN, list_row(kItemRectifiedMean)},
    {R_FREQUENCY_TRACKING, list_row(72)},
    {R_FREQUENCY_FILTER, kFrequencyFilterRow},
    {R_FREQUENCY_REFERENCE, kFrequencyReferenceRow},
    {R_LOW_FREQUENCY, list_row(kItemLowFrequencyMode1)},
    {R_TORQUE_SPEED, kTorqueSpeedRow},
    {R_TORQUE_SCALE, kTorqueScaleRow},
    {R_TORQUE_OFFSET, kTorqueOffsetRow},
    {R_SPEED_SCALE, kSpeedScaleRow},
    {R_SPEED_OFFSET, kSpeedOffsetRow},
    {R_EFFICIENCY, kEfficiencyRow},
    {R_MINIMUM_FREQUENCY, kMinimumFrequencyRow},
    {R_FREQUENCY_FILTERING, kFrequencyFilteringRow},
    {R_HARMONICS_FLICKER_MODE, list_row(kItemDefaultSelector)},
    {R_CLASS, list_row(kItemTestClass)},
    {R_VERIFY_SOURCE, list_row(142)},
    {R_POWER, list_row(kItemTestPower)},
    {R_SPECIFIED_POWER, edit_row(175)},
    {R_POWER_FACTOR, edit_row(166)},
    {R_CURRENT, kHarmonicCurrentRow},
    {R_PLT_TESTING, list_row(149)},
    {R_IMPEDANCE_SCALING, kImpedanceScalingRow},
    {R_FREQUENCY_STEP, kFrequencyStepRow},
    {R_DEVICE, kDeviceRow},
    {R_SWITCH_PHASE_OFFSET, kSwitchPhaseOffsetRow},
    {R_SWITCH_ON_CYCLES, kSwitchOnCyclesRow},
    {R_GEAR_RATIO, kGearRatioRow},
    {R_T_SHORT, int_row(kItemTShort)},
    {R_T_LONG, int_row(kItemTLong)},
    {R_DT_TESTING, kDtTestingRow},
    {R_HARMONIC, int_row(kItemHarmonic)},
    {R_HARMONIC_SERIES, int_row(kItemHarmonicSeries)},
    {R_V_AUTORANGING, list_row(28)},
    {R_V_MINIMUM_RANGE, list_row(kItemVoltageRange)},
    {R_C_AUTORANGING, list_row(29)},
    {R_C_MINIMUM_RANGE, list_row(kItemCurrentRange)},
    {R_AC_LINE, kEmptyRow},
    {R_STANDARD, list_row(220)},
    {R_TIMEBASE, kTimebaseRow},
    {R_TRIGGER_REFERENCE, kTriggerReferenceRow},
    {R_TRIGGER_LEVEL, kTriggerLevelRow},
    {R_TRIGGER_TYPE, kTriggerTypeRow},
    {R_TRIGGER_POLARITY, kTriggerPolarityRow},
    {R_HF_REJECT, kHfRejectRow},
    {R_PRETRIGGER, kPretriggerRow},
    {R_CURSORS, kCursorsRow},
});

// The rows no family but the WQT55 has: harmonics and flicker, aircraft
// testing, capture.
constexpr std::initializer_list<row_change> kWithoutWqt55Rows = {
    {R_HARMONICS_FLICKER_MODE, kEmptyRow}, {R_CLASS, kEmptyRow}, {R_VERIFY_SOURCE, kEmptyRow}, {R_POWER, kEmptyRow},
    {R_SPECIFIED_POWER, kEmptyRow}, {R_POWER_FACTOR, kEmptyRow}, {R_PLT_TESTING, kEmptyRow},
    {R_IMPEDANCE_SCALING, kEmptyRow}, {R_T_SHORT, kEmptyRow}, {R_T_LONG, kEmptyRow}, {R_DT_TESTING, kEmptyRow},
    {R_STANDARD, kEmptyRow}, {R_TIMEBASE, kEmptyRow}, {R_TRIGGER_REFERENCE, kEmptyRow}, {R_TRIGGER_LEVEL, kEmptyRow},
    {R_TRIGGER_TYPE, kEmptyRow}, {R_TRIGGER_POLARITY, kEmptyRow}, {R_HF_REJECT, kEmptyRow}, {R_PRETRIGGER, kEmptyRow},
    {R_CURSORS, kEmptyRow},
};
constexpr auto kRowsWqt45 =
    with_rows(with_rows(kRowsWqt55, kWithoutWqt55Rows), {{R_GEAR_RATIO, kPlainGearRatioRow}});
constexpr auto kRowsWqt25 = with_rows(kRowsWqt45, {{R_RECTIFIED_MEAN, kEmptyRow},
                                                   {R_FREQUENCY_REFERENCE, kReferenceWqt25Row},
                                                   {R_FREQUENCY_FILTERING, kFilterWqt25Row},
                                                   {R_FREQUENCY_STEP, kEmptyRow}});
constexpr auto kRowsWqt35 = with_rows(kRowsWqt45, {{R_TORQUE_SCALE, kTorqueScaleBothRow},
                                                   {R_TORQUE_OFFSET, kTorqueOffsetBothRow},
                                                   {R_SPEED_SCALE, kSpeedScaleBothRow},
                                                   {R_SPEED_OFFSET, kSpeedOffsetBothRow},
                                                   {R_FREQUENCY_STEP, kEmptyRow},
                                                   {R_GEAR_RATIO, kEmptyRow},
                                                   {R_AC_LINE, kPlainGearRatioRow}});
constexpr auto kRowsWqt15 = with_rows(kRowsWqt45, {{R_FREQUENCY_FILTER, kEmptyRow},
                                                   {R_SPEED_SCALE, edit_row(kItemSpeedScale)},
                                                   {R_FREQUENCY_STEP, kEmptyRow},
                                                   {R_GEAR_RATIO, kEmptyRow},
                                                   {R_AC_LINE, kPlainGearRatioRow}});

// ---- Walks --------------------------------------------------------------------

// A new mode of 1, or 0 coming from 1, first brings the motor drive's
// settings in or out (the bandwidth too where the family has it) and
// shows the page again; any other mode only lays it out.
template <bool Bandwidth>
void set_mode_with_defaults(int item, int value, list_change& change)
{
    int old = 0;
    if (const std::shared_ptr<instrument_config> config = get_current_config())
        config->get_value_int(item, old);
    link_record* link = &get_current_instrument();
    const bool into = value == 1;
    if (into || (value == 0 && old == 1)) {
        const int on = into ? 1 : 0;
        config_dispatch_b(kItemSmoothingResponse, on, link, false);
        config_dispatch_b(kItemLowFrequencyMode1, on, link, false);
        config_dispatch_c(kItemMinimumFrequency, into ? "0.500" : "1.00", link, false);
        config_dispatch_b(kItemFrequencyLock, into ? 2 : 0, link, false);
        for (int dependent :
             {kItemSmoothingResponse, kItemLowFrequencyMode1, kItemMinimumFrequency, kItemFrequencyLock})
            change.mark(dependent);
        if (Bandwidth) {
            config_dispatch_b(kItemBandwidth, on, link, false);
            change.mark(kItemBandwidth);
        }
        change.raised |= STEP_RESHOW;
    } else {
        change.raised |= STEP_RELAYOUT;
    }
    config_dispatch_b(item, value, link, false);
}

// The two-group model leaves its low frequency alone while the page is to
// be shown again anyway.
void set_low_frequency_unless_shown_again(int item, int value, list_change& change)
{
    if (change.raised & STEP_RESHOW)
        return;
    config_dispatch_b(item, value, &get_current_instrument(), false);
    change.raised |= STEP_RELAYOUT;
}

constexpr uint16_t L = STEP_RELAYOUT;
constexpr uint16_t R = STEP_RESHOW;
constexpr uint16_t B = STEP_BOTH;

constexpr walk_step kWalkWqt55[] = {
    {R_MODE, R, nullptr}, {R_TEMPERATURE, L, nullptr}, {R_RECTIFIED_MEAN, L, nullptr},
    {R_FREQUENCY_TRACKING, 0, nullptr}, {R_PLT_TESTING, 0, nullptr}, {R_DEVICE, L, nullptr},
    {R_SWITCH_PHASE_OFFSET, 0, nullptr}, {R_SWITCH_ON_CYCLES, 0, nullptr}, {R_FREQUENCY_FILTER, 0, nullptr},
    {R_FREQUENCY_REFERENCE, L, nullptr}, {R_LOW_FREQUENCY, L, nullptr}, {R_TORQUE_SPEED, R, nullptr},
    {R_EFFICIENCY, 0, nullptr}, {R_FREQUENCY_FILTERING, 0, nullptr}, {R_VERIFY_SOURCE, 0, nullptr},
    {R_DT_TESTING, 0, nullptr}, {R_V_AUTORANGING, 0, nullptr}, {R_V_MINIMUM_RANGE, 0, nullptr},
    {R_C_AUTORANGING, 0, nullptr}, {R_C_MINIMUM_RANGE, 0, nullptr}, {R_HARMONICS_FLICKER_MODE, L, nullptr},
    {R_CLASS, L, nullptr}, {R_POWER, L, nullptr}, {R_STANDARD, 0, nullptr}, {R_TRIGGER_REFERENCE, 0, nullptr},
    {R_TRIGGER_TYPE, 0, nullptr}, {R_TRIGGER_POLARITY, 0, nullptr}, {R_HF_REJECT, 0, nullptr},
    {R_PRETRIGGER, 0, nullptr}, {R_CURSORS, 0, nullptr},
};
constexpr walk_step kWalkWqt45[] = {
    {R_MODE, 0, set_mode_with_defaults<true>}, {R_TEMPERATURE, L, nullptr}, {R_RECTIFIED_MEAN, L, nullptr},
    {R_FREQUENCY_TRACKING, 0, nullptr}, {R_DEVICE, L, nullptr}, {R_SWITCH_ON_CYCLES, 0, nullptr},
    {R_SWITCH_PHASE_OFFSET, 0, nullptr}, {R_FREQUENCY_FILTER, 0, nullptr}, {R_FREQUENCY_REFERENCE, L, nullptr},
    {R_LOW_FREQUENCY, L, nullptr}, {R_TORQUE_SPEED, R, nullptr}, {R_EFFICIENCY, 0, nullptr},
    {R_FREQUENCY_FILTERING, 0, nullptr}, {R_V_AUTORANGING, 0, nullptr}, {R_V_MINIMUM_RANGE, 0, nullptr},
    {R_C_AUTORANGING, 0, nullptr}, {R_C_MINIMUM_RANGE, 0, nullptr},
};
constexpr walk_step kWalkWqt35[] = {
    {R_MODE, 0, set_mode_with_defaults<true>}, {R_TEMPERATURE, L | B, nullptr}, {R_RECTIFIED_MEAN, L | B, nullptr},
    {R_FREQUENCY_TRACKING, 0, nullptr}, {R_DEVICE, L | B, nullptr}, {R_SWITCH_ON_CYCLES, B, nullptr},
    {R_SWITCH_PHASE_OFFSET, B, nullptr}, {R_FREQUENCY_FILTER, 0, nullptr}, {R_TORQUE_SPEED, R | B, nullptr},
    {R_FREQUENCY_REFERENCE, R, set_two_group_frequency_reference},
    {R_LOW_FREQUENCY, 0, set_low_frequency_unless_shown_again}, {R_EFFICIENCY, 0, nullptr},
    {R_FREQUENCY_FILTERING, 0, nullptr}, {R_V_AUTORANGING, 0, nullptr}, {R_V_MINIMUM_RANGE, 0, nullptr},
    {R_C_AUTORANGING, 0, nullptr}, {R_C_MINIMUM_RANGE, 0, nullptr},
};
constexpr walk_step kWalkWqt25[] = {
    {R_MODE, L, nullptr}, {R_TEMPERATURE, L, nullptr}, {R_FREQUENCY_TRACKING, 0, nullptr}, {R_DEVICE, L, nullptr},
    {R_SWITCH_ON_CYCLES, 0, nullptr}, {R_SWITCH_PHASE_OFFSET, 0, nullptr}, {R_FREQUENCY_FILTER, 0, nullptr},
    {R_FREQUENCY_REFERENCE, L, nullptr}, {R_LOW_FREQUENCY, L, nullptr}, {R_TORQUE_SPEED, R, nullptr},
    {R_EFFICIENCY, 0, nullptr}, {R_FREQUENCY_FILTERING, 0, nullptr}, {R_V_AUTORANGING, 0, nullptr},
    {R_V_MINIMUM_RANGE, 0, nullptr}, {R_C_AUTORANGING, 0, nullptr}, {R_C_MINIMUM_RANGE, 0, nullptr},
};
constexpr walk_step kWalkWqt15[] = {
    {R_MODE, 0, set_mode_with_defaults<false>}, {R_TEMPERATURE, L, nullptr}, {R_RECTIFIED_MEAN, L, nullptr},
    {R_FREQUENCY_TRACKING, 0, nullptr}, {R_DEVICE, L, nullptr}, {R_SWITCH_PHASE_OFFSET, 0, nullptr},
    {R_SWITCH_ON_CYCLES, 0, nullptr}, {R_FREQUENCY_REFERENCE, L, nullptr}, {R_LOW_FREQUENCY, L, nullptr},
    {R_TORQUE_SPEED, R, nullptr}, {R_EFFICIENCY, 0, nullptr}, {R_FREQUENCY_FILTERING, 0, nullptr},
    {R_V_AUTORANGING, 0, nullptr}, {R_V_MINIMUM_RANGE, 0, nullptr}, {R_C_AUTORANGING, 0, nullptr},
    {R_C_MINIMUM_RANGE, 0, nullptr},
};

// ---- Lists --------------------------------------------------------------------

option_list mode_choices_wqt55xx(int digit)
{
    option_list list{"Normal",           "PWM Motor Drive", "Lighting Ballast", "Inrush Current",
                     "Transformer Mode", "Standby Power",   "Calibration"};
    if (digit != 2)
        list.push_back("Harmonics/Flicker");
    list.push_back("Aircraft TVF105");
    if (digit == 2)
        list.push_back("Capture Mode");
    return list;
}

void refill(const page_def& page, instrument_config& config, int row, int item)
{
    if (HWND control = row_control(page, row))
        fill_item_combobox(config, control, item);
}

// The lists of every family: the ranges (the two-group model's through its
// own builder, from the first set's inputs as every family), the efficiency
// ratios, the WQT55 modes, and the torque and speed labels.
void app_lists(const page_def& page, instrument_config& config)
{
    const config_family family = page.family;
    if (family == config_family::wqt35xx) {
        fill_range_choices(row_control(page, R_V_MINIMUM_RANGE), row_control(page, R_C_MINIMUM_RANGE), 0,
                           value_in(config, kItemVoltageInput), value_in(config, kItemCurrentInput));
        fill_ratio_choices(row_control(page, R_EFFICIENCY), value_in(config, kItemGrouping), current_phase_count(),
                           value_in(config, kItemWiring));
    } else {
        store_range_lists(family, config, get_current_instrument().option_code);
        refill(page, config, R_V_MINIMUM_RANGE, kItemVoltageRange);
        refill(page, config, R_C_MINIMUM_RANGE, kItemCurrentRange);
        config.set_option_list(kItemRatio, efficiency_choices(family, current_phase_count()));
        refill(page, config, R_EFFICIENCY, kItemRatio);
    }
    if (family == config_family::wqt55xx) {
        config.set_option_list(kItemDefaultMode, mode_choices_wqt55xx(current_model_digit()));
        refill(page, config, R_MODE, kItemDefaultMode);
    }
    if (family != config_family::wqt15xx && family != config_family::wqt25xx)
        torque_speed_labels(page, config, R_TORQUE_SCALE, R_SPEED_SCALE);
}

// ---- Layouts ----------------------------------------------------------------------

const page_def& page_of(config_family family)
{
    return kAppOptionsPages[static_cast<int>(family)];
}

void place_rows(grid_cursor& grid, std::initializer_list<int> rows)
{
    for (int row : rows)
        grid.place(row);
}

// The inrush switch's rows: the current range and the device, its switch
// settings while the device is the switch.
void place_inrush(grid_cursor& grid, bool device_row)
{
    grid.place(R_C_MINIMUM_RANGE);
    if (device_row)
        grid.place(R_DEVICE);
    if (item_now(kItemDevice) == 1)
        place_rows(grid, {R_SWITCH_PHASE_OFFSET, R_SWITCH_ON_CYCLES});
}

// Steps 2 to 12 of the WQT45 and WQT55 families.
void place_modes_wqt45xx(grid_cursor& grid, int mode)
{
    grid.place(R_MODE);
    if (mode == 1) {
        place_rows(grid, {R_FREQUENCY_FILTER, R_FREQUENCY_REFERENCE});
        if (item_now(kItemFrequencyReference) == 2)
            grid.place(R_GEAR_RATIO);
    }
    if (mode == 1 || mode == 5)
        grid.place(R_LOW_FREQUENCY);
    if (mode == 1 && (item_now(kItemLowFrequency) != 0 || item_now(kItemLowFrequencyMode1) != 0))
        grid.place(R_MINIMUM_FREQUENCY);
    bool torque = false;
    if (mode == 1) {
        grid.place(R_TORQUE_SPEED);
        torque = item_now(kItemTorqueSpeed) != 0;
    }
    if (mode == 2)
        grid.place(R_FREQUENCY_TRACKING);
    if (mode == 3)
        place_inrush(grid, true);
    if (mode == 4)
        place_rows(grid, {R_RECTIFIED_MEAN, R_TEMPERATURE});
    if ((mode == 4 && item_now(kItemTemperature) != 0) || torque)
        place_rows(grid, {R_TORQUE_SCALE, R_TORQUE_OFFSET});
    if (torque)
        place_rows(grid, {R_SPEED_SCALE, R_SPEED_OFFSET});
    if (mode == 1 || mode == 2)
        grid.place(R_EFFICIENCY);
    if (mode == 6)
        grid.place(R_FREQUENCY_FILTERING);
}

// The WQT55 family's harmonics and flicker rows.
void place_harmonics(grid_cursor& grid)
{
    place_rows(grid, {R_HARMONICS_FLICKER_MODE, R_C_MINIMUM_RANGE, R_C_AUTORANGING});
    if (item_now(kItemDefaultSelector) != 0) {
        grid.place(R_IMPEDANCE_SCALING);
        grid.place(R_T_SHORT, 0, 255);
        grid.place(R_T_LONG, 0, 1008);
        place_rows(grid, {R_PLT_TESTING, R_DT_TESTING});
        return;
    }
    place_rows(grid, {R_VERIFY_SOURCE, R_STANDARD, R_CLASS});
    const int test_class = item_now(kItemTestClass);
    if (test_class >= 2 && test_class <= 5) {
        grid.place(R_POWER);
        if (item_now(kItemTestPower) == 1) {
            grid.place(R_SPECIFIED_POWER);
            if (test_class == 2)
                place_rows(grid, {R_POWER_FACTOR, R_CURRENT});
        }
    } else if (test_class == 6) {
        grid.place(R_SPECIFIED_POWER);
    }
}

void place_aircraft(grid_cursor& grid)
{
    grid.place(R_FREQUENCY_STEP);
    grid.place(R_HARMONIC, 2, 7500);
    grid.place(R_HARMONIC_SERIES, 2, 7500);
    place_rows(grid, {R_V_AUTORANGING, R_V_MINIMUM_RANGE, R_C_AUTORANGING, R_C_MINIMUM_RANGE});
}

// The context button resets the page to its defaults, but in the WQT25
// family, which hides it; the rows take the Config window's enabled state,
// and with 48 rows the controls begin at entry 50 of the window table.
template <size_t Steps>
constexpr page_def app_options(config_family family, const std::array<row_def, kRows>& rows,
                               const walk_step (&walk)[Steps], void (*layout)())
{
    const bool reset = family != config_family::wqt25xx;
    return {.kind = PAGE_APP_OPTIONS, .family = family,
            .context_text = static_cast<int16_t>(reset ? kResetText : kAdvancedOptionsText), .context_shown = reset,
            .enable_rows = true, .first_control = 50, .row_count = row_count_of(rows), .rows = rows.data(),
            .walk = walk, .walk_count = steps(walk), .lists = app_lists, .layout = layout};
}

} // namespace

constexpr page_def kAppOptionsPages[5] = {
    app_options(config_family::wqt15xx, kRowsWqt15, kWalkWqt15, layout_application_options_page_wqt15xx),
    app_options(config_family::wqt25xx, kRowsWqt25, kWalkWqt25, layout_application_options_page_wqt25xx),
    app_options(config_family::wqt35xx, kRowsWqt35, kWalkWqt35, layout_application_options_page_wqt35xx),
    app_options(config_family::wqt45xx, kRowsWqt45, kWalkWqt45, layout_application_options_page_wqt45xx),
    app_options(config_family::wqt55xx, kRowsWqt55, kWalkWqt55, layout_application_options_page_wqt55xx),
};
static_assert(kAppOptionsPages[2].family == config_family::wqt35xx &&
                  kAppOptionsPages[4].family == config_family::wqt55xx,
              "the pages stand in family order");

void show_application_options_page_wqt15xx(HWND w) { show_page(page_of(config_family::wqt15xx), w); }
void show_application_options_page_wqt25xx(HWND w) { show_page(page_of(config_family::wqt25xx), w); }
void show_application_options_page_wqt35xx(HWND w) { show_page(page_of(config_family::wqt35xx), w); }
void show_application_options_page_wqt45xx(HWND w) { show_page(page_of(config_family::wqt45xx), w); }
void show_application_options_page_wqt55xx(HWND w) { show_page(page_of(config_family::wqt55xx), w); }

void layout_application_options_page_wqt45xx()
{
    grid_cursor grid(page_of(config_family::wqt45xx));
    place_modes_wqt45xx(grid, item_now(kItemDefaultMode));
}

// The WQT45 family's modes, then by model digit harmonics and flicker,
// aircraft testing or capture.
void layout_application_options_page_wqt55xx()
{
    const int digit = current_model_digit();
    grid_cursor grid(page_of(config_family::wqt55xx));
    const int mode = item_now(kItemDefaultMode);
    place_modes_wqt45xx(grid, mode);
    if (digit != 2 && mode == 7)
        place_harmonics(grid);
    if ((digit != 2 && mode == 8) || (digit == 2 && mode == 7))
        place_aircraft(grid);
    if (digit == 2 && mode == 8)
        place_rows(grid, {R_TIMEBASE, R_TRIGGER_REFERENCE, R_TRIGGER_LEVEL, R_TRIGGER_TYPE, R_TRIGGER_POLARITY,
                          R_HF_REJECT, R_PRETRIGGER, R_CURSORS});
}

void layout_application_options_page_wqt35xx()
{
    const int p = current_phase_count();
    const int g = item_now(kItemGrouping);
    grid_cursor grid(page_of(config_family::wqt35xx));
    const int mode = item_now(kItemDefaultMode);
    grid.place(R_MODE);
    if (mode == 1)
        place_rows(grid, {R_FREQUENCY_FILTER, R_FREQUENCY_REFERENCE});
    if (mode == 1 || mode == 5)
        grid.place(R_LOW_FREQUENCY);
    if (mode == 1 && (item_now(kItemLowFrequency) != 0 || item_now(kItemLowFrequencyMode1) != 0))
        grid.place(R_MINIMUM_FREQUENCY);
    const bool torque = mode == 1 && item_now(kItemTorqueSpeed) != 0;
    if (mode == 1)
        grid.place(R_TORQUE_SPEED);
    if (mode == 2)
        place_rows(grid, {R_AC_LINE, R_FREQUENCY_TRACKING});
    if (mode == 3)
        place_inrush(grid, true);
    if (mode == 4)
        grid.place(R_RECTIFIED_MEAN);
    if (torque)
        place_rows(grid, {R_TORQUE_SCALE, R_TORQUE_OFFSET, R_SPEED_SCALE, R_SPEED_OFFSET});
    if ((mode == 1 || mode == 2) && wqt35xx_efficiency_shown(p, g))
        grid.place(R_EFFICIENCY);
}

// The gear ratio follows the frequency reference whatever the mode; the
// second offset only for the torque input 1.
void layout_application_options_page_wqt25xx()
{
    grid_cursor grid(page_of(config_family::wqt25xx));
    const int mode = item_now(kItemDefaultMode);
    grid.place(R_MODE);
    if (mode == 1)
        place_rows(grid, {R_FREQUENCY_FILTER, R_FREQUENCY_REFERENCE});
    if (item_now(kItemFrequencyReferenceWqt25) == 2)
        grid.place(R_GEAR_RATIO);
    if (mode == 1 || mode == 5)
        grid.place(R_LOW_FREQUENCY);
    const bool torque = mode == 1 && item_now(kItemTorqueSpeed) != 0;
    if (mode == 1)
        grid.place(R_TORQUE_SPEED);
    if (mode == 2)
        grid.place(R_FREQUENCY_TRACKING);
    if (mode == 3)
        place_inrush(grid, false);
    if (mode == 4)
        grid.place(R_TEMPERATURE);
    if ((mode == 4 && item_now(kItemTemperature) != 0) || torque)
        place_rows(grid, {R_TORQUE_SCALE, R_TORQUE_OFFSET});
    if (torque)
        grid.place(R_SPEED_SCALE);
    if (torque && item_now(kItemTorqueSpeed) == 1)
        grid.place(R_SPEED_OFFSET);
    if (mode == 1 || mode == 2)
        grid.place(R_EFFICIENCY);
    if (mode == 6)
        grid.place(R_FREQUENCY_FILTERING);
}

// The WQT15 family's own modes: 1 lighting ballast, 2 inrush current, 3
// standby power, 4 calibration.
void layout_application_options_page_wqt15xx()
{
    grid_cursor grid(page_of(config_family::wqt15xx));
    const int mode = item_now(kItemDefaultMode);
    grid.place(R_MODE);
    if (mode == 3)
        grid.place(R_LOW_FREQUENCY);
    if (mode == 1)
        place_rows(grid, {R_AC_LINE, R_FREQUENCY_TRACKING});
    if (mode == 2)
        place_inrush(grid, true);
    if (mode == 1)
        grid.place(R_EFFICIENCY);
    if (mode == 4)
        grid.place(R_FREQUENCY_FILTERING);
}
