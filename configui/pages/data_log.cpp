// The Data Log page of every family: its rows, the WQT15 family's interval
// minimum, each family's walk (a change of Datalog or Graph lays the page
// out again; the two-group model stores every row in both groups) and its
// layout.
#include "configui/pages/data_log.h"

#include "config/instrument_config.h"
#include "config/item_numbers.h"
#include "config/two_group_rules.h"
#include "config/wiring_rules.h"
#include "configui/engine/engine.h"
#include "configui/pages/shared_rows.h"
#include "slots/instrument_slots.h"

#include <array>
#include <iterator>

namespace {

constexpr int kRows = 12;

enum : int {
    R_DATALOG, R_INTERVAL, R_LOCATION, R_GRAPH, R_ZOOM1, R_ZOOM2, R_ZOOM3, R_ZOOM4, R_UNUSED, R_HIGHSPEED,
    R_TIME_REFERENCE, R_REFERENCE_GROUP,
};

constexpr std::array<row_def, kRows> kSharedRows = rows_by_name({
    {R_DATALOG, list_row(kItemDatalog)},
    {R_INTERVAL, edit_row(kItemInterval)},
    {R_LOCATION, kEmptyRow},
    {R_GRAPH, list_row(kItemGraph)},
    {R_ZOOM1, list_row(54)},
    {R_ZOOM2, list_row(55)},
    {R_ZOOM3, list_row(56)},
    {R_ZOOM4, list_row(57)},
    {R_UNUSED, kEmptyRow},
    {R_HIGHSPEED, kEmptyRow},
    {R_TIME_REFERENCE, kTimeReferenceRow},
    {R_REFERENCE_GROUP, kEmptyRow},
});
static_assert(R_REFERENCE_GROUP + 1 == kRows, "one row per id 25400..25411");
constexpr auto kRowsWqt15 = with_rows(kSharedRows, {{R_TIME_REFERENCE, kEmptyRow}});
constexpr auto kRowsWqt25 = with_rows(kSharedRows, {{R_GRAPH, kEmptyRow},
                                                    {R_ZOOM1, kEmptyRow},
                                                    {R_ZOOM2, kEmptyRow},
                                                    {R_ZOOM3, kEmptyRow},
                                                    {R_ZOOM4, kEmptyRow},
                                                    {R_HIGHSPEED, kHighspeedWqt25Row},
                                                    {R_TIME_REFERENCE, kEmptyRow}});
constexpr auto kRowsWqt35 = with_rows(kSharedRows, {{R_INTERVAL, both_edit_row(kItemInterval)},
                                                    {R_LOCATION, both_edit_row(234, SHOW_INT)},
                                                    {R_TIME_REFERENCE, kEmptyRow},
                                                    {R_REFERENCE_GROUP, list_row(220)}});

// The walks; a change of Datalog or Graph lays the page out again.
constexpr walk_step kWalk[] = {{R_DATALOG, STEP_RELAYOUT, nullptr}, {R_GRAPH, STEP_RELAYOUT, nullptr},
                               {R_ZOOM1, 0, nullptr},               {R_ZOOM2, 0, nullptr},
                               {R_ZOOM3, 0, nullptr},               {R_ZOOM4, 0, nullptr},
                               {R_TIME_REFERENCE, 0, nullptr}};
constexpr walk_step kWalkWqt25[] = {{R_DATALOG, STEP_RELAYOUT, nullptr}, {R_HIGHSPEED, 0, nullptr}};
constexpr uint16_t kBothAgain = STEP_RELAYOUT | STEP_BOTH;
constexpr walk_step kWalkWqt35[] = {{R_DATALOG, kBothAgain, nullptr}, {R_GRAPH, kBothAgain, nullptr},
                                    {R_ZOOM1, STEP_BOTH, nullptr},    {R_ZOOM2, STEP_BOTH, nullptr},
                                    {R_ZOOM3, STEP_BOTH, nullptr},    {R_ZOOM4, STEP_BOTH, nullptr},
                                    {R_REFERENCE_GROUP, STEP_BOTH, nullptr}};

// The WQT15 family's interval goes down to 0.2 s while the Datalog item
// holds 3.
void interval_minimum_wqt15xx(const page_def&, instrument_config& config)
{
    int datalog = 0;
    config.get_value_int(kItemDatalog, datalog);
    config.set_minimum(kItemInterval, datalog == 3 ? 0.2 : 0.0);
}

// ---- Layouts ------------------------------------------------------------------

const page_def& page_of(config_family family)
{
    return kDataLogPages[static_cast<int>(family)];
}

void place_zooms(grid_cursor& grid)
{
    if (item_now(kItemGraph) == 1)
        return;
    for (int row : {R_ZOOM1, R_ZOOM2, R_ZOOM3, R_ZOOM4})
        grid.place(row);
}

// Datalog alone while it is disabled; then the WQT45 and WQT55 families'
// interval, time reference (phases on their own inputs), graph and zooms.
void layout_wqt45xx(config_family family)
{
    grid_cursor grid(page_of(family));
    grid.place(R_DATALOG);
    if (item_now(kItemDatalog) == 0)
        return;
    grid.place(R_INTERVAL);
    const int p = current_phase_count();
    const int w = item_now(kItemWiring);
    if (independent_wiring(p, w))
        grid.place(R_TIME_REFERENCE);
    grid.place(R_GRAPH);
    place_zooms(grid);
}

template <size_t Steps>
constexpr page_def data_log(config_family family, const std::array<row_def, kRows>& rows,
                            const walk_step (&walk)[Steps], page_hook lists, void (*layout)())
{
    return {.kind = PAGE_DATA_LOG, .family = family, .row_count = row_count_of(rows), .rows = rows.data(),
            .walk = walk, .walk_count = steps(walk), .lists = lists, .layout = layout};
}

} // namespace

constexpr page_def kDataLogPages[5] = {
    data_log(config_family::wqt15xx, kRowsWqt15, kWalk, interval_minimum_wqt15xx, layout_data_log_page_wqt15xx),
    data_log(config_family::wqt25xx, kRowsWqt25, kWalkWqt25, nullptr, layout_data_log_page_wqt25xx),
    data_log(config_family::wqt35xx, kRowsWqt35, kWalkWqt35, nullptr, layout_data_log_page_wqt35xx),
    data_log(config_family::wqt45xx, kSharedRows, kWalk, nullptr, layout_data_log_page_wqt45xx),
    data_log(config_family::wqt55xx, kSharedRows, kWalk, nullptr, layout_data_log_page_wqt55xx),
};
static_assert(kDataLogPages[2].family == config_family::wqt35xx &&
                  kDataLogPages[4].family == config_family::wqt55xx,
              "the pages stand in family order");

void show_data_log_page_wqt15xx(HWND w) { show_page(page_of(config_family::wqt15xx), w); }
void show_data_log_page_wqt25xx(HWND w) { show_page(page_of(config_family::wqt25xx), w); }
void show_data_log_page_wqt35xx(HWND w) { show_page(page_of(config_family::wqt35xx), w); }
void show_data_log_page_wqt45xx(HWND w) { show_page(page_of(config_family::wqt45xx), w); }
void show_data_log_page_wqt55xx(HWND w) { show_page(page_of(config_family::wqt55xx), w); }

void layout_data_log_page_wqt15xx()
{
    grid_cursor grid(page_of(config_family::wqt15xx));
    grid.place(R_DATALOG);
    if (item_now(kItemDatalog) == 0)
        return;
    grid.place(R_INTERVAL);
    grid.place(R_GRAPH);
    place_zooms(grid);
}

void layout_data_log_page_wqt25xx()
{
    grid_cursor grid(page_of(config_family::wqt25xx));
    grid.place(R_DATALOG);
    if (item_now(kItemDatalog) == 0)
        return;
    grid.place(R_INTERVAL);
    grid.place(R_HIGHSPEED);
}

// Nothing on group 2 while it measures group 1's phases; the location (with
// its up-down, 1 to 99) for any log store but RAM.
void layout_data_log_page_wqt35xx()
{
    grid_cursor grid(page_of(config_family::wqt35xx));
    if (get_current_active_group() != 0 && phase_grouping_b(current_phase_count(), item_now(kItemGrouping)))
        return;
    grid.place(R_DATALOG);
    const int datalog = item_now(kItemDatalog);
    if (datalog == 0)
        return;
    if (datalog != 1)
        grid.place(R_LOCATION, 1, 99);
    grid.place(R_INTERVAL);
    grid.place(R_GRAPH);
    grid.place(R_REFERENCE_GROUP);
}

void layout_data_log_page_wqt45xx() { layout_wqt45xx(config_family::wqt45xx); }
void layout_data_log_page_wqt55xx() { layout_wqt45xx(config_family::wqt55xx); }
