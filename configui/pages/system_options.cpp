// The System Options page of every family: its rows, the order each family
// lays them out in and when rows are left off.
#include "configui/pages/system_options.h"

#include "config/instrument_config.h"
#include "config/item_numbers.h"
#include "config/two_group_rules.h"
#include "configui/engine/engine.h"
#include "slots/instrument_slots.h"

#include <array>
#include <iterator>

namespace {

constexpr int kRows = 8;

enum : int {
    R_PHASE_CONVENTION, R_LOW_BLANKING, R_KEYBOARD_BEEP, R_AUTO_ZERO, R_DIRECT_DOWNLOAD, R_ZOOM2_HIGH_RES,
    R_INDEPENDENT_INPUT, R_PHASE_ANGLE_REFERENCE,
};
static_assert(R_PHASE_ANGLE_REFERENCE + 1 == kRows, "one row per id 25700..25707");

// The item of each row.
constexpr int kRowItems[kRows] = {6, 5, 9, 4, 50, 119, 22, 117};

constexpr std::array<row_def, kRows> rows_without(int empty_row)
{
    std::array<row_def, kRows> rows{};
    for (int r = 0; r < kRows; ++r)
        rows[r] = r == empty_row ? kEmptyRow : list_row(kRowItems[r]);
    return rows;
}

constexpr auto kAllRows = rows_without(-1);
constexpr auto kRowsWqt25 = rows_without(R_PHASE_ANGLE_REFERENCE);
constexpr auto kRowsWqt35 = rows_without(R_INDEPENDENT_INPUT);

// The grid order of each family's rows; the WQT15 family's is the WQT45 and
// WQT55 families'.
constexpr int kOrderWqt45[] = {R_PHASE_CONVENTION, R_LOW_BLANKING, R_KEYBOARD_BEEP, R_AUTO_ZERO,
                               R_PHASE_ANGLE_REFERENCE, R_DIRECT_DOWNLOAD, R_ZOOM2_HIGH_RES, R_INDEPENDENT_INPUT};
constexpr int kOrderWqt25[] = {R_PHASE_CONVENTION, R_LOW_BLANKING, R_KEYBOARD_BEEP, R_AUTO_ZERO,
                               R_DIRECT_DOWNLOAD, R_ZOOM2_HIGH_RES, R_INDEPENDENT_INPUT};
constexpr int kOrderWqt35[] = {R_PHASE_CONVENTION, R_PHASE_ANGLE_REFERENCE, R_KEYBOARD_BEEP, R_AUTO_ZERO,
                               R_DIRECT_DOWNLOAD, R_ZOOM2_HIGH_RES, R_LOW_BLANKING};

const page_def& page_of(config_family family)
{
    return kSystemOptionsPages[static_cast<int>(family)];
}

template <size_t N>
void place_in_order(const page_def& page, const int (&order)[N], bool (*shown)(int row))
{
    grid_cursor grid(page);
    for (int row : order)
        if (shown == nullptr || shown(row))
            grid.place(row);
}

// While group 2 measures the same three phases as group 1, the page shows
// nothing of its own.
bool wqt35xx_rows_shown(int)
{
    return get_current_active_group() == 0 || !phase_grouping_b(current_phase_count(), item_now(kItemGrouping));
}

// Independent Input needs a second phase.
bool wqt45xx_row_shown(int row)
{
    return row != R_INDEPENDENT_INPUT || current_phase_count() > 1;
}

void layout_wqt15xx()
{
    place_in_order(page_of(config_family::wqt15xx), kOrderWqt45, nullptr);
}

void layout_wqt25xx()
{
    place_in_order(page_of(config_family::wqt25xx), kOrderWqt25, nullptr);
}

// No walk: the list rule takes every list in row order, with the family's
// flags.
constexpr page_def system_options(config_family family, const std::array<row_def, kRows>& rows,
                                  uint16_t walk_flags, void (*layout)())
{
    return {.kind = PAGE_SYSTEM_OPTIONS, .family = family, .row_count = row_count_of(rows), .rows = rows.data(),
            .walk_flags = walk_flags, .layout = layout};
}

} // namespace

// The WQT35 family sets every list in both groups.
constexpr page_def kSystemOptionsPages[5] = {
    system_options(config_family::wqt15xx, kAllRows, 0, layout_wqt15xx),
    system_options(config_family::wqt25xx, kRowsWqt25, 0, layout_wqt25xx),
    system_options(config_family::wqt35xx, kRowsWqt35, STEP_BOTH, layout_config_page7_v01),
    system_options(config_family::wqt45xx, kAllRows, 0, layout_config_page7_v02),
    system_options(config_family::wqt55xx, kAllRows, 0, layout_config_page7_v03),
};
static_assert(kSystemOptionsPages[2].family == config_family::wqt35xx &&
                  kSystemOptionsPages[4].family == config_family::wqt55xx,
              "the pages stand in family order");

void show_system_options_page_wqt15xx(HWND w) { show_page(page_of(config_family::wqt15xx), w); }
void show_system_options_page_wqt25xx(HWND w) { show_page(page_of(config_family::wqt25xx), w); }
void show_system_options_page_wqt35xx(HWND w) { show_page(page_of(config_family::wqt35xx), w); }
void show_system_options_page_wqt45xx(HWND w) { show_page(page_of(config_family::wqt45xx), w); }
void show_system_options_page_wqt55xx(HWND w) { show_page(page_of(config_family::wqt55xx), w); }

void layout_config_page7_v01()
{
    place_in_order(page_of(config_family::wqt35xx), kOrderWqt35, wqt35xx_rows_shown);
}

void layout_config_page7_v02()
{
    place_in_order(page_of(config_family::wqt45xx), kOrderWqt45, wqt45xx_row_shown);
}

void layout_config_page7_v03()
{
    place_in_order(page_of(config_family::wqt55xx), kOrderWqt45, wqt45xx_row_shown);
}
