// The Oscilloscope page of every family: its rows, the walk of its lists
// (the two-group model's Cursors in both groups, the rest in the current
// group), and the layouts: Trigger Phase only where the family names it,
// the WQT55 family's Capture Mode on the capture variant in an application
// mode. Rows a layout never places are still filled and walked, so their
// items keep what the instrument holds.
#include "configui/pages/oscilloscope.h"

#include "config/default_configs.h"
#include "config/instrument_config.h"
#include "config/item_numbers.h"
#include "configui/engine/engine.h"
#include "configui/pages/modes.h"
#include "configui/pages/shared_rows.h"
#include "slots/instrument_slots.h"

#include <array>
#include <iterator>

namespace {

constexpr int kRows = 12;

enum : int {
    R_MODE, R_TIMEBASE, R_TRIGGER_REFERENCE, R_TRIGGER_PHASE, R_TRIGGER_LEVEL, R_TRIGGER_TYPE,
    R_TRIGGER_POLARITY, R_HF_REJECT, R_PRETRIGGER, R_CURSORS, R_TRACE, R_CAPTURE_MODE,
};
static_assert(R_CAPTURE_MODE + 1 == kRows, "one row per id 26400..26411");

// The capture variant's model digit.
constexpr int kCaptureDigit = 2;

constexpr std::array<row_def, kRows> kRowsWqt55 = rows_by_name({
    {R_MODE, kModeRow},
    {R_TIMEBASE, kTimebaseRow},
    {R_TRIGGER_REFERENCE, kTriggerReferenceRow},
    {R_TRIGGER_PHASE, list_row(112)},
    {R_TRIGGER_LEVEL, kTriggerLevelRow},
    {R_TRIGGER_TYPE, kTriggerTypeRow},
    {R_TRIGGER_POLARITY, kTriggerPolarityRow},
    {R_HF_REJECT, kHfRejectRow},
    {R_PRETRIGGER, kPretriggerRow},
    {R_CURSORS, kCursorsRow},
    {R_TRACE, list_row(115)},
    {R_CAPTURE_MODE, list_row(116)},
});
constexpr auto kRowsWqt45 = with_rows(kRowsWqt55, {{R_CAPTURE_MODE, kEmptyRow}});
// The WQT25 family has no Trace.
constexpr auto kRowsWqt25 = with_rows(kRowsWqt45, {{R_TRACE, kEmptyRow}});

// The walks: every list but the Mode in row order, with nothing to lay out
// again; the two-group model sets Cursors in both groups.
constexpr walk_step kWalk[] = {
    kModeStep,          {R_TRIGGER_REFERENCE, 0, nullptr}, {R_TRIGGER_PHASE, 0, nullptr},
    {R_TRIGGER_TYPE, 0, nullptr}, {R_TRIGGER_POLARITY, 0, nullptr}, {R_HF_REJECT, 0, nullptr},
    {R_PRETRIGGER, 0, nullptr},   {R_CURSORS, 0, nullptr},          {R_TRACE, 0, nullptr},
    {R_CAPTURE_MODE, 0, nullptr},
};
constexpr walk_step kWalkWqt35[] = {
    kModeStep,          {R_TRIGGER_REFERENCE, 0, nullptr}, {R_TRIGGER_PHASE, 0, nullptr},
    {R_TRIGGER_TYPE, 0, nullptr}, {R_TRIGGER_POLARITY, 0, nullptr}, {R_HF_REJECT, 0, nullptr},
    {R_PRETRIGGER, 0, nullptr},   {R_CURSORS, STEP_BOTH, nullptr},  {R_TRACE, 0, nullptr},
};

const page_def& page_of(config_family family)
{
    return kOscilloscopePages[static_cast<int>(family)];
}

// The rows from first to last, but Trigger Phase where the family leaves
// it out.
void place_rows(grid_cursor& grid, int first, int last, bool trigger_phase)
{
    for (int row = first; row <= last; ++row)
        if (row != R_TRIGGER_PHASE || trigger_phase)
            grid.place(row);
}

void layout_plain(config_family family, int last, bool trigger_phase)
{
    grid_cursor grid(page_of(family));
    place_rows(grid, R_MODE, last, trigger_phase);
}

// Capture Mode under the Mode on the capture variant while an application
// mode is chosen (item 70 not 0); an instrument without an identification
// reply is no capture variant.
bool capture_mode_shown()
{
    return model_digit_of(&get_current_instrument()) == kCaptureDigit && item_now(kItemDefaultMode) != 0;
}

} // namespace

constexpr page_def kOscilloscopePages[5] = {
    mode_page(PAGE_OSCILLOSCOPE, config_family::wqt15xx, kRowsWqt45, kWalk, layout_oscilloscope_page_wqt15xx),
    mode_page(PAGE_OSCILLOSCOPE, config_family::wqt25xx, kRowsWqt25, kWalk, layout_oscilloscope_page_wqt25xx),
    mode_page(PAGE_OSCILLOSCOPE, config_family::wqt35xx, kRowsWqt45, kWalkWqt35, layout_oscilloscope_page_wqt35xx),
    mode_page(PAGE_OSCILLOSCOPE, config_family::wqt45xx, kRowsWqt45, kWalk, layout_oscilloscope_page_wqt45xx),
    mode_page(PAGE_OSCILLOSCOPE, config_family::wqt55xx, kRowsWqt55, kWalk, layout_oscilloscope_page_wqt55xx),
};
static_assert(kOscilloscopePages[2].family == config_family::wqt35xx &&
                  kOscilloscopePages[4].family == config_family::wqt55xx,
              "the pages stand in family order");
static_assert(std::size(kWalk) == 10 && kWalk[9].row == R_CAPTURE_MODE,
              "the Mode, then the nine lists in row order");

void show_oscilloscope_page_wqt15xx(HWND w) { show_page(page_of(config_family::wqt15xx), w); }
void show_oscilloscope_page_wqt25xx(HWND w) { show_page(page_of(config_family::wqt25xx), w); }
void show_oscilloscope_page_wqt35xx(HWND w) { show_page(page_of(config_family::wqt35xx), w); }
void show_oscilloscope_page_wqt45xx(HWND w) { show_page(page_of(config_family::wqt45xx), w); }
void show_oscilloscope_page_wqt55xx(HWND w) { show_page(page_of(config_family::wqt55xx), w); }

void layout_oscilloscope_page_wqt15xx() { layout_plain(config_family::wqt15xx, R_TRACE, true); }
void layout_oscilloscope_page_wqt25xx() { layout_plain(config_family::wqt25xx, R_CURSORS, true); }
void layout_oscilloscope_page_wqt35xx() { layout_plain(config_family::wqt35xx, R_TRACE, false); }
void layout_oscilloscope_page_wqt45xx() { layout_plain(config_family::wqt45xx, R_TRACE, false); }

void layout_oscilloscope_page_wqt55xx()
{
    grid_cursor grid(page_of(config_family::wqt55xx));
    grid.place(R_MODE);
    if (capture_mode_shown())
        grid.place(R_CAPTURE_MODE);
    place_rows(grid, R_TIMEBASE, R_TRACE, false);
}
