// The Coupling page: the blocks each family shows and where, the bandwidth
// lists built from the coupling and the current option, and what a change
// of coupling or noise filter leads to.
#include "configui/pages/coupling.h"

#include "config/instrument_config.h"
#include "configui/engine/config_pages.h"
#include "frame/auto_configs.h"
#include "slots/instrument_slots.h"
#include "tests/configui/page_fixture.h"
#include "tests/support/modal_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

class Coupling : public PageTest {
protected:
    void show(uint32_t model, uint32_t phases, const std::vector<item_set>& items, uint32_t option = 0, int group = 0)
    {
        attach_with(model, phases, items, group, option);
        show_page(page(PAGE_COUPLING), config_window());
    }
};

} // namespace

// Each block in a column of its own, from the top; the third in the second
// column when the second is not shown; a bandwidth entry only while its
// noise filter is on; WQT25 blocks of two rows; the two-group model never
// shows the second block, and nothing on group 2 sharing group 1's phases.
TEST_F(Coupling, BlocksStandInColumnsByWiring)
{
    const layout_case cases[] = {
        {"one phase", 5, 1, {{82, 0}, {36, 0}}, 0, {{0, 0}, {1, 1}, {2, 2}}},
        {"one phase, filter on", 5, 1, {{82, 0}, {36, 1}}, 0, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
        {"independent", 5, 3, {{82, 7}, {188, 1}}, 0,
         {{0, 0}, {1, 1}, {2, 2}, {5, 4}, {6, 5}, {7, 6}, {8, 7}, {10, 8}, {11, 9}, {12, 10}}},
        {"wiring 6", 5, 3, {{82, 6}, {22, 0}, {212, 1}}, 0,
         {{0, 0}, {1, 1}, {2, 2}, {5, 8}, {6, 9}, {7, 10}, {8, 11}}},
        {"wiring 3, independent input", 5, 3, {{82, 3}, {22, 1}}, 0,
         {{0, 0}, {1, 1}, {2, 2}, {5, 4}, {6, 5}, {7, 6}, {10, 8}, {11, 9}, {12, 10}}},
        {"wiring 3", 5, 3, {{82, 3}, {22, 0}}, 0, {{0, 0}, {1, 1}, {2, 2}}},
        {"WQT15 independent", 1, 3, {{82, 7}, {36, 1}}, 0, {{0, 0}, {1, 2}, {2, 3}, {5, 4}, {6, 6}}},
        {"WQT25 independent", 2, 3, {{82, 7}}, 0, {{0, 0}, {1, 1}, {5, 4}, {6, 5}, {10, 8}, {11, 9}}},
        {"WQT35 independent", 16, 3, {{23, 0}, {82, 7}}, 0, {{0, 0}, {1, 1}, {2, 2}}},
        {"WQT35 wiring 6", 16, 3, {{23, 2}, {82, 6}}, 0, {{0, 0}, {1, 1}, {2, 2}, {5, 8}, {6, 9}, {7, 10}}},
        {"WQT35 group 2 sharing", 16, 6, {{23, 4}}, 1, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        expect_seen(PAGE_COUPLING, c.rows, [&] { show(c.model, c.phases, c.items, 0, c.group); }, c.relabels);
        EXPECT_EQ(config_current_page, 2);
    }
}

// The bandwidth texts follow the block's coupling and the low-current
// option; the two-group model's lists have two entries; a list keeps its
// position.
TEST_F(Coupling, BandwidthListsFollowCouplingAndOption)
{
    const struct {
        uint32_t model;
        int coupling;
        uint32_t option;
        std::vector<std::string> texts;
    } cases[] = {
        {5, 1, 0, {"Wide (5Hz-2MHz)", "Low (5Hz-30kHz)", "dc (dc-5Hz)"}},
        {5, 0, 0, {"Wide (dc-2MHz)", "Low (dc-30kHz)", "dc (dc-5Hz)"}},
        {4, 1, 2, {"Wide (5Hz-2MHz)", "Low (5Hz-200kHZ)", "dc (dc-5Hz)"}},
        {2, 2, 2, {"Wide (dc-2MHz)", "Low (dc-200kHZ)", "dc (dc-5Hz)"}},
        {16, 1, 2, {"Wide (5Hz-1MHz)", "Low (5Hz-200kHz)"}},
        {16, 0, 0, {"Wide (dc-1MHz)", "Low (dc-200kHz)"}},
    };
    for (const auto& c : cases) {
        show(c.model, 3, {{182, c.coupling}, {183, 1}}, c.option);
        HWND list = row_control(page(PAGE_COUPLING), 5);
        EXPECT_EQ(combo_texts(list), c.texts) << "model " << c.model << ", coupling " << c.coupling;
        EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 1);
    }
}

// A coupling change shows the page again (an unsaved entry goes), a noise
// filter change lays it out (the bandwidth entry comes and goes).
TEST_F(Coupling, CouplingShowsAgainFilterLaysOut)
{
    show(5, 1, {{30, 0}, {36, 1}});
    HWND entry = row_control(page(PAGE_COUPLING), 3);
    SetWindowTextA(entry, "typed");
    choose(PAGE_COUPLING, 2, 0);
    EXPECT_EQ(window_text(entry), "typed");
    EXPECT_EQ(grid_map(page(PAGE_COUPLING)), (grid_rows{{0, 0}, {1, 1}, {2, 2}}));
    choose(PAGE_COUPLING, 0, 1);
    EXPECT_NE(window_text(entry), "typed");
    EXPECT_EQ(combo_texts(row_control(page(PAGE_COUPLING), 1)).front(), "Wide (5Hz-2MHz)");
}

class CouplingOnTheWire : public PageTestOnTheWire {};

// The lists that differ are written in the family's walk order; on the
// two-group model a coupling change of the first block writes its item
// alone.
TEST_P(CouplingOnTheWire, ChangesAreWrittenInWalkOrder)
{
    show_on_wire(PAGE_COUPLING, 4, 3, {{82, 7}, {31, 0}, {36, 0}, {183, 0}, {188, 0}});
    choose(PAGE_COUPLING, 6, 1, false);
    choose(PAGE_COUPLING, 5, 1, false);
    choose(PAGE_COUPLING, 2, 1, false);
    choose(PAGE_COUPLING, 1, 1);
    EXPECT_EQ(item_writes(inst()),
              (std::vector<std::string>{write_of(31, 1), write_of(36, 1), write_of(183, 1), write_of(188, 1)}));

    show_on_wire(PAGE_COUPLING, 16, 3, {{23, 2}, {82, 3}, {30, 0}});
    choose(PAGE_COUPLING, 0, 1);
    EXPECT_EQ(item_writes(inst()), std::vector<std::string>{write_of(30, 1)});
}

INSTANTIATE_TEST_SUITE_P(Both, CouplingOnTheWire, testing::Values(link_kind::lan, link_kind::serial),
                         link_kind_name);
