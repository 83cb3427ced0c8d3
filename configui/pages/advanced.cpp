// The Advanced Acquisition Control page of every family: its rows, the
// walk of its list rule (a change of the frequency lock shows the page
// again) and each family's layout.
#include "configui/pages/advanced.h"

#include "config/instrument_config.h"
#include "config/item_numbers.h"
#include "configui/engine/engine.h"
#include "configui/pages/shared_rows.h"
#include "slots/instrument_slots.h"

#include <array>
#include <iterator>

namespace {

constexpr int kRows = 12;

enum : int {
    R_DFT, R_OVERLOAD, R_LOCK, R_FREQUENCY, R_HIGHSPEED, R_PROBE, R_WATTS, R_MINIMUM_WQT35,
    R_SYNCHRONISE, R_NORMALISE, R_PHASE_OFFSET, R_MINIMUM,
};

// The WQT25 family's frequency row holds the minimum frequency while the
// lock is dynamic (2).
int wqt25xx_frequency_item(instrument_config& config)
{
    int lock = 0;
    config.get_value_int(kItemFrequencyLock, lock);
    return lock == 2 ? kItemMinimumFrequency : kItemFrequency;
}

// The rows of the WQT45 and WQT55 families; the others put theirs in.
constexpr std::array<row_def, kRows> kSharedRows = rows_by_name({
    {R_DFT, list_row(49)},
    {R_OVERLOAD, list_row(10)},
    {R_LOCK, list_row(kItemFrequencyLock)},
    {R_FREQUENCY, edit_row(kItemFrequency)},
    {R_HIGHSPEED, list_row(197)},
    {R_PROBE, list_row(143)},
    {R_WATTS, list_row(136)},
    {R_MINIMUM_WQT35, kEmptyRow},
    {R_SYNCHRONISE, kEmptyRow},
    {R_NORMALISE, list_row(221)},
    {R_PHASE_OFFSET, kPhaseOffsetRow},
    {R_MINIMUM, kMinimumFrequencyRow},
});
static_assert(R_MINIMUM + 1 == kRows, "one row per id 25100..25111");
constexpr auto kRowsWqt15 = with_rows(kSharedRows, {{R_HIGHSPEED, kEmptyRow},
                                                    {R_PROBE, kEmptyRow},
                                                    {R_PHASE_OFFSET, kEmptyRow},
                                                    {R_MINIMUM, kEmptyRow}});
constexpr auto kRowsWqt25 = with_rows(kSharedRows, {{R_FREQUENCY, edit_row(kItemFrequency, wqt25xx_frequency_item)},
                                                    {R_HIGHSPEED, kHighspeedWqt25Row},
                                                    {R_PROBE, kEmptyRow},
                                                    {R_WATTS, kEmptyRow},
                                                    {R_NORMALISE, kEmptyRow},
                                                    {R_PHASE_OFFSET, kEmptyRow},
                                                    {R_MINIMUM, kEmptyRow}});
constexpr auto kRowsWqt35 = with_rows(kSharedRows, {{R_PROBE, kEmptyRow},
                                                    {R_MINIMUM_WQT35, kMinimumFrequencyRow},
                                                    {R_SYNCHRONISE, list_row(217)},
                                                    {R_PHASE_OFFSET, kEmptyRow},
                                                    {R_MINIMUM, kEmptyRow}});

// The walks, in each family's order; a change of the lock shows the page
// again, and so does the two-group model's high speed.
constexpr walk_step kWalkWqt15[] = {{R_DFT, 0, nullptr}, {R_OVERLOAD, 0, nullptr}, {R_WATTS, 0, nullptr},
                                    {R_LOCK, STEP_RESHOW, nullptr}, {R_NORMALISE, 0, nullptr}};
constexpr walk_step kWalkWqt25[] = {{R_DFT, 0, nullptr}, {R_OVERLOAD, 0, nullptr}, {R_HIGHSPEED, 0, nullptr},
                                    {R_LOCK, STEP_RESHOW, nullptr}};
constexpr walk_step kWalkWqt35[] = {{R_DFT, 0, nullptr},          {R_OVERLOAD, 0, nullptr},
                                    {R_WATTS, 0, nullptr},        {R_LOCK, STEP_RESHOW, nullptr},
                                    {R_HIGHSPEED, STEP_RESHOW, nullptr}, {R_SYNCHRONISE, STEP_BOTH, nullptr},
                                    {R_NORMALISE, 0, nullptr}};
constexpr walk_step kWalkWqt45[] = {{R_DFT, 0, nullptr},   {R_OVERLOAD, 0, nullptr}, {R_HIGHSPEED, 0, nullptr},
                                    {R_PROBE, 0, nullptr}, {R_WATTS, 0, nullptr},    {R_LOCK, STEP_RESHOW, nullptr},
                                    {R_NORMALISE, 0, nullptr}};

const page_def& page_of(config_family family)
{
    return kAdvancedPages[static_cast<int>(family)];
}

// The three rows every family starts with, and the frequency row while the
// lock is `shown_at` (WQT25: any lock but 0).
void place_lock_rows(grid_cursor& grid, bool frequency_shown)
{
    grid.place(R_DFT);
    grid.place(R_OVERLOAD);
    grid.place(R_LOCK);
    if (frequency_shown)
        grid.place(R_FREQUENCY);
}

template <size_t N>
void layout_after_lock(config_family family, const int (&rows)[N])
{
    grid_cursor grid(page_of(family));
    place_lock_rows(grid, item_now(kItemFrequencyLock) == 1);
    for (int row : rows)
        grid.place(row);
}

constexpr int kTailWqt15[] = {R_WATTS, R_NORMALISE};
constexpr int kTailWqt35[] = {R_MINIMUM_WQT35, R_HIGHSPEED, R_WATTS, R_SYNCHRONISE, R_NORMALISE};
constexpr int kTailWqt45[] = {R_MINIMUM, R_HIGHSPEED, R_PROBE, R_WATTS, R_NORMALISE, R_PHASE_OFFSET};

void layout_wqt25xx()
{
    grid_cursor grid(page_of(config_family::wqt25xx));
    place_lock_rows(grid, item_now(kItemFrequencyLock) != 0);
    grid.place(R_HIGHSPEED);
}

// The context button returns to the Acquisition Control page.
template <size_t Steps>
constexpr page_def advanced(config_family family, const std::array<row_def, kRows>& rows,
                            const walk_step (&walk)[Steps], void (*layout)())
{
    return {.kind = PAGE_ADVANCED, .family = family, .context_text = kReturnText, .context_shown = true,
            .row_count = row_count_of(rows), .rows = rows.data(), .walk = walk, .walk_count = steps(walk),
            .layout = layout};
}

} // namespace

constexpr page_def kAdvancedPages[5] = {
    advanced(config_family::wqt15xx, kRowsWqt15, kWalkWqt15, layout_advanced_acquisition_control_page_wqt15xx),
    advanced(config_family::wqt25xx, kRowsWqt25, kWalkWqt25, layout_wqt25xx),
    advanced(config_family::wqt35xx, kRowsWqt35, kWalkWqt35, layout_advanced_acquisition_control_page_wqt35xx),
    advanced(config_family::wqt45xx, kSharedRows, kWalkWqt45, layout_advanced_acquisition_control_page_wqt45xx),
    advanced(config_family::wqt55xx, kSharedRows, kWalkWqt45, layout_advanced_acquisition_control_page_wqt55xx),
};
static_assert(kAdvancedPages[2].family == config_family::wqt35xx &&
                  kAdvancedPages[4].family == config_family::wqt55xx,
              "the pages stand in family order");

void show_advanced_acquisition_control_page_wqt15xx(HWND w) { show_page(page_of(config_family::wqt15xx), w); }
void show_advanced_acquisition_control_page_wqt25xx(HWND w) { show_page(page_of(config_family::wqt25xx), w); }
void show_advanced_acquisition_control_page_wqt35xx(HWND w) { show_page(page_of(config_family::wqt35xx), w); }
void show_advanced_acquisition_control_page_wqt45xx(HWND w) { show_page(page_of(config_family::wqt45xx), w); }
void show_advanced_acquisition_control_page_wqt55xx(HWND w) { show_page(page_of(config_family::wqt55xx), w); }

void layout_advanced_acquisition_control_page_wqt15xx() { layout_after_lock(config_family::wqt15xx, kTailWqt15); }
void layout_advanced_acquisition_control_page_wqt35xx() { layout_after_lock(config_family::wqt35xx, kTailWqt35); }
void layout_advanced_acquisition_control_page_wqt45xx() { layout_after_lock(config_family::wqt45xx, kTailWqt45); }
void layout_advanced_acquisition_control_page_wqt55xx() { layout_after_lock(config_family::wqt55xx, kTailWqt45); }
