// The torque/speed page of the WQT45 and WQT55 families: seven rows, the
// scale factors' labels and the speed scale factor's item set from item 84
// at every display, and one layout for both families. Its lists react to
// every notification they send; a new torque and speed setting shows the
// page again (new labels, row 6 on its other item), a new frequency
// reference only lays it out. The WQT55 gear ratio is shown with ":1" and
// taken back without it.
#include "configui/pages/torque_speed.h"

#include "config/instrument_config.h"
#include "config/item_numbers.h"
#include "configui/engine/engine.h"
#include "configui/pages/power_choices.h"
#include "configui/pages/shared_rows.h"

#include <array>
#include <iterator>

namespace {

constexpr int kSpeedInput = 2; // the frequency reference that needs the gear ratio

constexpr int kRows = 7;
enum : int {
    R_REFERENCE,
    R_GEAR,
    R_TORQUE_SPEED,
    R_TORQUE_OFFSET,
    R_TORQUE_SCALE,
    R_SPEED_OFFSET,
    R_SPEED_SCALE,
};
static_assert(R_SPEED_SCALE + 1 == kRows, "one row per id 26700..26706");

constexpr std::array<row_def, kRows> kRowsWqt45 = rows_by_name({
    {R_REFERENCE, kFrequencyReferenceRow},
    {R_GEAR, kPlainGearRatioRow},
    {R_TORQUE_SPEED, kTorqueSpeedRow},
    {R_TORQUE_OFFSET, kTorqueOffsetRow},
    {R_TORQUE_SCALE, kTorqueScaleRow},
    {R_SPEED_OFFSET, kSpeedOffsetRow},
    {R_SPEED_SCALE, kSpeedScaleRow},
});
constexpr auto kRowsWqt55 = with_rows(kRowsWqt45, {{R_GEAR, kGearRatioRow}});

// A new frequency reference brings the gear ratio in or out; a new torque
// and speed setting needs new labels and row 6's other item.
constexpr walk_step kWalk[] = {
    {R_REFERENCE, STEP_RELAYOUT, nullptr},
    {R_TORQUE_SPEED, STEP_RESHOW, nullptr},
};

// The scale factors' labels, rewritten at every display.
void scale_factor_labels(const page_def& page, instrument_config& config)
{
    torque_speed_labels(page, config, R_TORQUE_SCALE, R_SPEED_SCALE);
}

const page_def& page_of(config_family family)
{
    return kTorqueSpeedPages[static_cast<int>(family)];
}

// The reference and the setting, the gear ratio while the reference is
// the speed input; then each input's scale factor above its offset, the
// offset only for an analogue input.
void layout_torque_speed(config_family family)
{
    grid_cursor grid(page_of(family));
    grid.place(R_REFERENCE);
    if (item_now(kItemFrequencyReference) == kSpeedInput)
        grid.place(R_GEAR);
    grid.place(R_TORQUE_SPEED);
    const int torque_speed = item_now(kItemTorqueSpeed);
    if (torque_speed <= 0)
        return;
    grid.place(R_TORQUE_SCALE);
    if (analogue_torque(torque_speed))
        grid.place(R_TORQUE_OFFSET);
    grid.place(R_SPEED_SCALE);
    if (analogue_speed(torque_speed))
        grid.place(R_SPEED_OFFSET);
}

constexpr page_def torque_speed(config_family family, const std::array<row_def, kRows>& rows, void (*layout)())
{
    return {.kind = PAGE_TORQUE_SPEED, .family = family, .context_text = kReturnText, .context_shown = true,
            .row_count = row_count_of(rows), .rows = rows.data(), .walk = kWalk, .walk_count = steps(kWalk),
            .lists = scale_factor_labels, .layout = layout, .any_code = true};
}

// A family without the page: no rows, so the dispatch finds none.
constexpr page_def no_page(config_family family)
{
    return {.kind = PAGE_TORQUE_SPEED, .family = family, .context_text = 0};
}

} // namespace

constexpr page_def kTorqueSpeedPages[5] = {
    no_page(config_family::wqt15xx),
    no_page(config_family::wqt25xx),
    no_page(config_family::wqt35xx),
    torque_speed(config_family::wqt45xx, kRowsWqt45, layout_torque_speed_page_wqt45xx),
    torque_speed(config_family::wqt55xx, kRowsWqt55, layout_torque_speed_page_wqt55xx),
};
static_assert(kTorqueSpeedPages[3].family == config_family::wqt45xx &&
                  kTorqueSpeedPages[4].family == config_family::wqt55xx,
              "the pages stand in family order");
static_assert(kRowsWqt45[R_SPEED_SCALE].pick == speed_scale_item && kRowsWqt55[R_GEAR].show == SHOW_GEAR &&
                  kRowsWqt45[R_GEAR].show == SHOW_PLAIN,
              "row 6 follows item 84; only the WQT55 family shows the gear ratio with its ':1'");

void show_torque_speed_page_wqt45xx(HWND w) { show_page(page_of(config_family::wqt45xx), w); }
void show_torque_speed_page_wqt55xx(HWND w) { show_page(page_of(config_family::wqt55xx), w); }

void layout_torque_speed_page_wqt45xx() { layout_torque_speed(config_family::wqt45xx); }
void layout_torque_speed_page_wqt55xx() { layout_torque_speed(config_family::wqt55xx); }
