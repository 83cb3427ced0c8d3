// The Auxiliary Control page of every family: its rows, each family's walk
// (a change of Master/Slave or Device lays the page out again; the
// two-group model stores the device's settings in both groups) and its
// layout; on the two-group model, while one group takes four phases or
// more, each group's scaling in a row of its own.
#include "configui/pages/auxiliary.h"

#include "config/instrument_config.h"
#include "config/item_numbers.h"
#include "config/two_group_rules.h"
#include "configui/engine/engine.h"
#include "configui/pages/shared_rows.h"
#include "slots/instrument_slots.h"

#include <array>
#include <iterator>

namespace {

constexpr int kRows = 10;

enum : int {
    R_MASTER_SLAVE, R_DEVICE, R_PHASE_OFFSET, R_ON_CYCLES, R_SUM_WATTS, R_THERMOCOUPLE, R_ZEM_ADJUST,
    R_MECHANICAL, R_SCALING, R_SCALING_GROUP2,
};

// While one group takes four phases or more, each group has a scaling row.
bool scaling_per_group()
{
    return check_phase_grouping_c(get_current_instrument_index());
}

int first_group_scaling() { return scaling_per_group() ? 0 : -1; }
int second_group_scaling() { return scaling_per_group() ? 1 : -1; }

constexpr std::array<row_def, kRows> kSharedRows = rows_by_name({
    {R_MASTER_SLAVE, list_row(kItemMasterSlave)},
    {R_DEVICE, kDeviceRow},
    {R_PHASE_OFFSET, kSwitchPhaseOffsetRow},
    {R_ON_CYCLES, kSwitchOnCyclesRow},
    {R_SUM_WATTS, list_row(81)},
    {R_THERMOCOUPLE, list_row(123)},
    {R_ZEM_ADJUST, list_row(219)},
    {R_MECHANICAL, kEmptyRow},
    {R_SCALING, list_row(kItemExternalScaling)},
    {R_SCALING_GROUP2, kEmptyRow},
});
static_assert(R_SCALING_GROUP2 + 1 == kRows, "one row per id 25600..25609");
constexpr auto kRowsWqt15 = with_rows(kSharedRows, {{R_MASTER_SLAVE, kEmptyRow},
                                                    {R_THERMOCOUPLE, kEmptyRow},
                                                    {R_ZEM_ADJUST, kEmptyRow}});
constexpr auto kRowsWqt25 = with_rows(kSharedRows, {{R_THERMOCOUPLE, kEmptyRow},
                                                    {R_ZEM_ADJUST, kEmptyRow},
                                                    {R_MECHANICAL, list_row(136)},
                                                    {R_SCALING, kEmptyRow}});
constexpr auto kRowsWqt35 =
    with_rows(kSharedRows, {{R_MASTER_SLAVE, kEmptyRow},
                            {R_SCALING, group_list_row(kItemExternalScaling, first_group_scaling)},
                            {R_SCALING_GROUP2, group_list_row(kItemExternalScaling, second_group_scaling)}});

// The walks; a change of Master/Slave or Device lays the page out again.
constexpr walk_step kWalkWqt45[] = {{R_MASTER_SLAVE, STEP_RELAYOUT, nullptr}, {R_DEVICE, STEP_RELAYOUT, nullptr},
                                    {R_PHASE_OFFSET, 0, nullptr},            {R_ON_CYCLES, 0, nullptr},
                                    {R_SUM_WATTS, 0, nullptr},               {R_THERMOCOUPLE, 0, nullptr},
                                    {R_ZEM_ADJUST, 0, nullptr},              {R_SCALING, 0, nullptr}};
constexpr walk_step kWalkWqt15[] = {{R_DEVICE, STEP_RELAYOUT, nullptr}, {R_PHASE_OFFSET, 0, nullptr},
                                    {R_ON_CYCLES, 0, nullptr},          {R_SUM_WATTS, 0, nullptr},
                                    {R_SCALING, 0, nullptr}};
constexpr walk_step kWalkWqt25[] = {{R_MASTER_SLAVE, STEP_RELAYOUT, nullptr}, {R_DEVICE, STEP_RELAYOUT, nullptr},
                                    {R_PHASE_OFFSET, 0, nullptr},            {R_ON_CYCLES, 0, nullptr},
                                    {R_SUM_WATTS, 0, nullptr},               {R_MECHANICAL, 0, nullptr}};
constexpr walk_step kWalkWqt35[] = {
    {R_DEVICE, STEP_RELAYOUT | STEP_BOTH, nullptr}, {R_PHASE_OFFSET, STEP_BOTH, nullptr},
    {R_ON_CYCLES, STEP_BOTH, nullptr},              {R_THERMOCOUPLE, STEP_BOTH, nullptr},
    {R_ZEM_ADJUST, STEP_BOTH, nullptr},             {R_SUM_WATTS, 0, nullptr},
    {R_SCALING, 0, nullptr},                        {R_SCALING_GROUP2, 0, nullptr}};

// ---- Layouts ------------------------------------------------------------------

const page_def& page_of(config_family family)
{
    return kAuxiliaryPages[static_cast<int>(family)];
}

// The device and its settings: the switch's for the inrush switch (1), the
// ZEM unit's (2 and above) where the family has them.
void place_device(grid_cursor& grid, bool zem_rows)
{
    grid.place(R_DEVICE);
    const int device = item_now(kItemDevice);
    if (device == 1) {
        grid.place(R_PHASE_OFFSET);
        grid.place(R_ON_CYCLES);
    } else if (device >= 2 && zem_rows) {
        grid.place(R_THERMOCOUPLE);
        grid.place(R_ZEM_ADJUST);
    }
}

// One empty grid row, then the scaling.
void place_scaling(grid_cursor& grid)
{
    grid.skip();
    grid.place(R_SCALING);
}

void layout_wqt45xx(config_family family)
{
    grid_cursor grid(page_of(family));
    grid.place(R_MASTER_SLAVE);
    const int role = item_now(kItemMasterSlave);
    if (role == 0)
        place_device(grid, true);
    else if (role == 1)
        grid.place(R_SUM_WATTS);
    place_scaling(grid);
}

template <size_t Steps>
constexpr page_def auxiliary(config_family family, const std::array<row_def, kRows>& rows,
                             const walk_step (&walk)[Steps], void (*layout)())
{
    return {.kind = PAGE_AUXILIARY, .family = family, .row_count = row_count_of(rows), .rows = rows.data(),
            .walk = walk, .walk_count = steps(walk), .layout = layout};
}

} // namespace

constexpr page_def kAuxiliaryPages[5] = {
    auxiliary(config_family::wqt15xx, kRowsWqt15, kWalkWqt15, layout_auxiliary_control_page_wqt15xx),
    auxiliary(config_family::wqt25xx, kRowsWqt25, kWalkWqt25, layout_auxiliary_control_page_wqt25xx),
    auxiliary(config_family::wqt35xx, kRowsWqt35, kWalkWqt35, layout_auxiliary_control_page_wqt35xx),
    auxiliary(config_family::wqt45xx, kSharedRows, kWalkWqt45, layout_auxiliary_control_page_wqt45xx),
    auxiliary(config_family::wqt55xx, kSharedRows, kWalkWqt45, layout_auxiliary_control_page_wqt55xx),
};
static_assert(kAuxiliaryPages[2].family == config_family::wqt35xx &&
                  kAuxiliaryPages[4].family == config_family::wqt55xx,
              "the pages stand in family order");

void show_auxiliary_control_page_wqt15xx(HWND w) { show_page(page_of(config_family::wqt15xx), w); }
void show_auxiliary_control_page_wqt25xx(HWND w) { show_page(page_of(config_family::wqt25xx), w); }
void show_auxiliary_control_page_wqt35xx(HWND w) { show_page(page_of(config_family::wqt35xx), w); }
void show_auxiliary_control_page_wqt45xx(HWND w) { show_page(page_of(config_family::wqt45xx), w); }
void show_auxiliary_control_page_wqt55xx(HWND w) { show_page(page_of(config_family::wqt55xx), w); }

void layout_auxiliary_control_page_wqt15xx()
{
    grid_cursor grid(page_of(config_family::wqt15xx));
    place_device(grid, false);
    place_scaling(grid);
}

// Master and slave: the device for a stand-alone instrument, summed watts
// and the mechanical power's source for a master; no scaling row.
void layout_auxiliary_control_page_wqt25xx()
{
    grid_cursor grid(page_of(config_family::wqt25xx));
    grid.place(R_MASTER_SLAVE);
    const int role = item_now(kItemMasterSlave);
    if (role == 0) {
        place_device(grid, false);
    } else if (role == 1) {
        grid.place(R_SUM_WATTS);
        grid.place(R_MECHANICAL);
    }
}

// Nothing on group 2 while it measures group 1's phases; the second group's
// scaling at the top of the third column while it has one.
void layout_auxiliary_control_page_wqt35xx()
{
    const page_def& page = page_of(config_family::wqt35xx);
    grid_cursor grid(page);
    const int p = current_phase_count();
    if (get_current_active_group() != 0 && phase_grouping_b(p, item_now(kItemGrouping)))
        return;
    place_device(grid, true);
    place_scaling(grid);
    if (scaling_per_group()) {
        grid.at(10, R_SCALING_GROUP2);
        SetWindowTextA(row_label(page, R_SCALING_GROUP2), "Grp2 Extern. Sys. Scaling");
    }
}

void layout_auxiliary_control_page_wqt45xx() { layout_wqt45xx(config_family::wqt45xx); }
void layout_auxiliary_control_page_wqt55xx() { layout_wqt45xx(config_family::wqt55xx); }
