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
#include "slots/instrument_slots.h"

#include <array>
#include <iterator>

namespace {

constexpr int kRows = 48;
constexpr int kResetText = 1835;         // "Reset to Default"

// The WQT55 family's rows; the others take theirs out or put theirs in.
constexpr std::array<row_def, kRows> kRowsWqt55 = {
    list_row(kItemDefaultMode), list_row(80),  list_row(144), list_row(72),
    list_row(71),               list_row(38),  list_row(73),  list_row(kItemTorqueSpeed),
    edit_row(85),               edit_row(95),  edit_row(86, speed_scale_item), edit_row(96),
    list_row(kItemRatio),       edit_row(69),  list_row(52),  list_row(172),
    list_row(173),              list_row(142), list_row(174), edit_row(175),
    edit_row(166),              edit_row(103), list_row(149), edit_row(141),
    edit_row(68),               list_row(kItemDevice), list_row(128), list_row(129),
    gear_row(130),              int_row(126),  int_row(127),  list_row(124),
    int_row(100),               int_row(101),  list_row(28),  list_row(26),
    list_row(29),               list_row(27),  kEmptyRow,     list_row(220),
    edit_row(106),              list_row(111), edit_row(107), list_row(110),
    list_row(109),              list_row(114), list_row(108), list_row(113),
};

// The rows no family but the WQT55 has: harmonics and flicker, aircraft
// testing, capture.
constexpr std::initializer_list<row_change> kWithoutWqt55Rows = {
    {15, kEmptyRow}, {16, kEmptyRow}, {17, kEmptyRow}, {18, kEmptyRow}, {19, kEmptyRow}, {20, kEmptyRow},
    {22, kEmptyRow}, {23, kEmptyRow}, {29, kEmptyRow}, {30, kEmptyRow}, {31, kEmptyRow}, {39, kEmptyRow},
    {40, kEmptyRow}, {41, kEmptyRow}, {42, kEmptyRow}, {43, kEmptyRow}, {44, kEmptyRow}, {45, kEmptyRow},
    {46, kEmptyRow}, {47, kEmptyRow},
};
constexpr auto kRowsWqt45 = with_rows(with_rows(kRowsWqt55, kWithoutWqt55Rows), {{28, edit_row(130)}});
constexpr auto kRowsWqt25 = with_rows(kRowsWqt45, {{2, kEmptyRow}, {5, list_row(40)}, {14, list_row(54)},
                                                   {24, kEmptyRow}});
constexpr auto kRowsWqt35 =
    with_rows(kRowsWqt45, {{8, both_edit_row(85)},
                           {9, both_edit_row(95)},
                           {10, {86, ROW_EDIT, SHOW_PLAIN, speed_scale_item, true, nullptr}},
                           {11, both_edit_row(96)},
                           {24, kEmptyRow},
                           {28, kEmptyRow},
                           {38, edit_row(130)}});
constexpr auto kRowsWqt15 = with_rows(kRowsWqt45, {{4, kEmptyRow}, {10, edit_row(86)}, {24, kEmptyRow},
                                                   {28, kEmptyRow}, {38, edit_row(130)}});

// ---- Walks --------------------------------------------------------------------

// A new mode of 1, or 0 coming from 1, first brings the motor drive's
// settings in or out (item 31, the bandwidth, too where the family has
// it) and shows the page again; any other mode only lays it out.
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
        config_dispatch_b(15, on, link, false);
        config_dispatch_b(kItemLowFrequencyMode1, on, link, false);
        config_dispatch_c(69, into ? "0.500" : "1.00", link, false);
        config_dispatch_b(kItemFrequencyLock, into ? 2 : 0, link, false);
        for (int dependent : {15, kItemLowFrequencyMode1, 69, static_cast<int>(kItemFrequencyLock)})
            change.mark(dependent);
        if (Bandwidth) {
            config_dispatch_b(31, on, link, false);
            change.mark(31);
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
    {0, R, nullptr},  {1, L, nullptr},  {2, L, nullptr},  {3, 0, nullptr},  {22, 0, nullptr}, {25, L, nullptr},
    {26, 0, nullptr}, {27, 0, nullptr}, {4, 0, nullptr},  {5, L, nullptr},  {6, L, nullptr},  {7, R, nullptr},
    {12, 0, nullptr}, {14, 0, nullptr}, {17, 0, nullptr}, {31, 0, nullptr}, {34, 0, nullptr}, {35, 0, nullptr},
    {36, 0, nullptr}, {37, 0, nullptr}, {15, L, nullptr}, {16, L, nullptr}, {18, L, nullptr}, {39, 0, nullptr},
    {41, 0, nullptr}, {43, 0, nullptr}, {44, 0, nullptr}, {45, 0, nullptr}, {46, 0, nullptr}, {47, 0, nullptr},
};
constexpr walk_step kWalkWqt45[] = {
    {0, 0, set_mode_with_defaults<true>}, {1, L, nullptr},  {2, L, nullptr},  {3, 0, nullptr},
    {25, L, nullptr}, {27, 0, nullptr},  {26, 0, nullptr}, {4, 0, nullptr},  {5, L, nullptr},
    {6, L, nullptr},  {7, R, nullptr},   {12, 0, nullptr}, {14, 0, nullptr}, {34, 0, nullptr},
    {35, 0, nullptr}, {36, 0, nullptr},  {37, 0, nullptr},
};
constexpr walk_step kWalkWqt35[] = {
    {0, 0, set_mode_with_defaults<true>}, {1, L | B, nullptr}, {2, L | B, nullptr}, {3, 0, nullptr},
    {25, L | B, nullptr}, {27, B, nullptr}, {26, B, nullptr}, {4, 0, nullptr}, {7, R | B, nullptr},
    {5, R, set_two_group_frequency_reference}, {6, 0, set_low_frequency_unless_shown_again},
    {12, 0, nullptr}, {14, 0, nullptr}, {34, 0, nullptr}, {35, 0, nullptr}, {36, 0, nullptr}, {37, 0, nullptr},
};
constexpr walk_step kWalkWqt25[] = {
    {0, L, nullptr},  {1, L, nullptr},  {3, 0, nullptr},  {25, L, nullptr}, {27, 0, nullptr}, {26, 0, nullptr},
    {4, 0, nullptr},  {5, L, nullptr},  {6, L, nullptr},  {7, R, nullptr},  {12, 0, nullptr}, {14, 0, nullptr},
    {34, 0, nullptr}, {35, 0, nullptr}, {36, 0, nullptr}, {37, 0, nullptr},
};
constexpr walk_step kWalkWqt15[] = {
    {0, 0, set_mode_with_defaults<false>}, {1, L, nullptr}, {2, L, nullptr}, {3, 0, nullptr},
    {25, L, nullptr}, {26, 0, nullptr}, {27, 0, nullptr}, {5, L, nullptr}, {6, L, nullptr}, {7, R, nullptr},
    {12, 0, nullptr}, {14, 0, nullptr}, {34, 0, nullptr}, {35, 0, nullptr}, {36, 0, nullptr}, {37, 0, nullptr},
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
        fill_range_choices(row_control(page, 35), row_control(page, 37), 0, value_in(config, 24),
                           value_in(config, 25));
        fill_ratio_choices(row_control(page, 12), value_in(config, kItemGrouping), current_phase_count(),
                           value_in(config, kItemWiring));
    } else {
        store_range_lists(family, config, get_current_instrument().option_code);
        refill(page, config, 35, 26);
        refill(page, config, 37, 27);
        config.set_option_list(kItemRatio, efficiency_choices(family, current_phase_count()));
        refill(page, config, 12, kItemRatio);
    }
    if (family == config_family::wqt55xx) {
        config.set_option_list(kItemDefaultMode, mode_choices_wqt55xx(current_model_digit()));
        refill(page, config, 0, kItemDefaultMode);
    }
    if (family != config_family::wqt15xx && family != config_family::wqt25xx)
        torque_speed_labels(page, config, 8, 10);
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
    grid.place(37);
    if (device_row)
        grid.place(25);
    if (item_now(kItemDevice) == 1)
        place_rows(grid, {26, 27});
}

// Steps 2 to 12 of the WQT45 and WQT55 families.
void place_modes_wqt45xx(grid_cursor& grid, int mode)
{
    grid.place(0);
    if (mode == 1) {
        place_rows(grid, {4, 5});
        if (item_now(38) == 2)
            grid.place(28);
    }
    if (mode == 1 || mode == 5)
        grid.place(6);
    if (mode == 1 && (item_now(kItemLowFrequency) != 0 || item_now(kItemLowFrequencyMode1) != 0))
        grid.place(13);
    bool torque = false;
    if (mode == 1) {
        grid.place(7);
        torque = item_now(kItemTorqueSpeed) != 0;
    }
    if (mode == 2)
        grid.place(3);
    if (mode == 3)
        place_inrush(grid, true);
    if (mode == 4)
        place_rows(grid, {2, 1});
    if ((mode == 4 && item_now(kItemTemperature) != 0) || torque)
        place_rows(grid, {8, 9});
    if (torque)
        place_rows(grid, {10, 11});
    if (mode == 1 || mode == 2)
        grid.place(12);
    if (mode == 6)
        grid.place(14);
}

// The WQT55 family's harmonics and flicker rows.
void place_harmonics(grid_cursor& grid)
{
    place_rows(grid, {15, 37, 36});
    if (item_now(172) != 0) {
        grid.place(23);
        grid.place(29, 0, 255);
        grid.place(30, 0, 1008);
        place_rows(grid, {22, 31});
        return;
    }
    place_rows(grid, {17, 39, 16});
    const int test_class = item_now(173);
    if (test_class >= 2 && test_class <= 5) {
        grid.place(18);
        if (item_now(174) == 1) {
            grid.place(19);
            if (test_class == 2)
                place_rows(grid, {20, 21});
        }
    } else if (test_class == 6) {
        grid.place(19);
    }
}

void place_aircraft(grid_cursor& grid)
{
    grid.place(24);
    grid.place(32, 2, 7500);
    grid.place(33, 2, 7500);
    place_rows(grid, {34, 35, 36, 37});
}

constexpr page_def app_options(config_family family, const row_def* rows, const walk_step* walk, int8_t walk_count,
                               void (*layout)())
{
    return {PAGE_APP_OPTIONS,
            family,
            static_cast<int16_t>(family == config_family::wqt25xx ? kAdvancedOptionsText : kResetText),
            family != config_family::wqt25xx,
            true,
            50,
            kRows,
            rows,
            walk,
            walk_count,
            0,
            app_lists,
            layout};
}

} // namespace

constexpr page_def kAppOptionsPages[5] = {
    app_options(config_family::wqt15xx, kRowsWqt15.data(), kWalkWqt15, steps(kWalkWqt15),
                layout_application_options_page_wqt15xx),
    app_options(config_family::wqt25xx, kRowsWqt25.data(), kWalkWqt25, steps(kWalkWqt25),
                layout_application_options_page_wqt25xx),
    app_options(config_family::wqt35xx, kRowsWqt35.data(), kWalkWqt35, steps(kWalkWqt35),
                layout_application_options_page_wqt35xx),
    app_options(config_family::wqt45xx, kRowsWqt45.data(), kWalkWqt45, steps(kWalkWqt45),
                layout_application_options_page_wqt45xx),
    app_options(config_family::wqt55xx, kRowsWqt55.data(), kWalkWqt55, steps(kWalkWqt55),
                layout_application_options_page_wqt55xx),
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
        place_rows(grid, {40, 41, 42, 43, 44, 45, 46, 47});
}

void layout_application_options_page_wqt35xx()
{
    const int p = current_phase_count();
    const int g = item_now(kItemGrouping);
    grid_cursor grid(page_of(config_family::wqt35xx));
    const int mode = item_now(kItemDefaultMode);
    grid.place(0);
    if (mode == 1)
        place_rows(grid, {4, 5});
    if (mode == 1 || mode == 5)
        grid.place(6);
    if (mode == 1 && (item_now(kItemLowFrequency) != 0 || item_now(kItemLowFrequencyMode1) != 0))
        grid.place(13);
    const bool torque = mode == 1 && item_now(kItemTorqueSpeed) != 0;
    if (mode == 1)
        grid.place(7);
    if (mode == 2)
        place_rows(grid, {38, 3});
    if (mode == 3)
        place_inrush(grid, true);
    if (mode == 4)
        grid.place(2);
    if (torque)
        place_rows(grid, {8, 9, 10, 11});
    if ((mode == 1 || mode == 2) && wqt35xx_efficiency_shown(p, g))
        grid.place(12);
}

// The gear ratio follows the frequency reference whatever the mode; the
// second offset only for the torque input 1.
void layout_application_options_page_wqt25xx()
{
    grid_cursor grid(page_of(config_family::wqt25xx));
    const int mode = item_now(kItemDefaultMode);
    grid.place(0);
    if (mode == 1)
        place_rows(grid, {4, 5});
    if (item_now(40) == 2)
        grid.place(28);
    if (mode == 1 || mode == 5)
        grid.place(6);
    const bool torque = mode == 1 && item_now(kItemTorqueSpeed) != 0;
    if (mode == 1)
        grid.place(7);
    if (mode == 2)
        grid.place(3);
    if (mode == 3)
        place_inrush(grid, false);
    if (mode == 4)
        grid.place(1);
    if ((mode == 4 && item_now(kItemTemperature) != 0) || torque)
        place_rows(grid, {8, 9});
    if (torque)
        grid.place(10);
    if (torque && item_now(kItemTorqueSpeed) == 1)
        grid.place(11);
    if (mode == 1 || mode == 2)
        grid.place(12);
    if (mode == 6)
        grid.place(14);
}

// The WQT15 family's own modes: 1 lighting ballast, 2 inrush current, 3
// standby power, 4 calibration.
void layout_application_options_page_wqt15xx()
{
    grid_cursor grid(page_of(config_family::wqt15xx));
    const int mode = item_now(kItemDefaultMode);
    grid.place(0);
    if (mode == 3)
        grid.place(6);
    if (mode == 1)
        place_rows(grid, {38, 3});
    if (mode == 2)
        place_inrush(grid, true);
    if (mode == 1)
        grid.place(12);
    if (mode == 4)
        grid.place(14);
}
