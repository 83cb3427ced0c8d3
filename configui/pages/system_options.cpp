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
constexpr int kIndependentInputRow = 6;
constexpr int kPhaseAngleReferenceRow = 7;

// Phase Convention, Low Blanking, Keyboard Beep, Auto Zero, Prog Direct
// Download, Zoom 2 High Res, Independent Input, Phase Angle Reference.
constexpr int kRowItems[kRows] = {6, 5, 9, 4, 50, 119, 22, 117};

constexpr std::array<row_def, kRows> rows_without(int empty_row)
{
    std::array<row_def, kRows> rows{};
    for (int r = 0; r < kRows; ++r)
        rows[r] = r == empty_row ? kEmptyRow : list_row(kRowItems[r]);
    return rows;
}

constexpr auto kAllRows = rows_without(-1);
constexpr auto kRowsWqt25 = rows_without(kPhaseAngleReferenceRow);
constexpr auto kRowsWqt35 = rows_without(kIndependentInputRow);

// The grid order of each family's rows.
constexpr int kOrderWqt15[] = {0, 1, 2, 3, 7, 4, 5, 6};
constexpr int kOrderWqt25[] = {0, 1, 2, 3, 4, 5, 6};
constexpr int kOrderWqt35[] = {0, 7, 2, 3, 4, 5, 1};
constexpr int kOrderWqt45[] = {0, 1, 2, 3, 7, 4, 5, 6};

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
    return row != kIndependentInputRow || current_phase_count() > 1;
}

void layout_wqt15xx()
{
    place_in_order(page_of(config_family::wqt15xx), kOrderWqt15, nullptr);
}

void layout_wqt25xx()
{
    place_in_order(page_of(config_family::wqt25xx), kOrderWqt25, nullptr);
}

constexpr page_def system_options(config_family family, const row_def* rows, uint16_t walk_flags,
                                  void (*layout)())
{
    return {PAGE_SYSTEM_OPTIONS, family, kAdvancedOptionsText, false, false, 20, kRows, rows,
            nullptr, 0, walk_flags, nullptr, layout};
}

} // namespace

// The WQT35 family sets every list in both groups.
constexpr page_def kSystemOptionsPages[5] = {
    system_options(config_family::wqt15xx, kAllRows.data(), 0, layout_wqt15xx),
    system_options(config_family::wqt25xx, kRowsWqt25.data(), 0, layout_wqt25xx),
    system_options(config_family::wqt35xx, kRowsWqt35.data(), STEP_BOTH, layout_config_page7_v01),
    system_options(config_family::wqt45xx, kAllRows.data(), 0, layout_config_page7_v02),
    system_options(config_family::wqt55xx, kAllRows.data(), 0, layout_config_page7_v03),
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
