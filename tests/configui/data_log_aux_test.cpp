// The Data Log and Auxiliary Control pages: the rows each family places,
// the WQT15 interval minimum, and the two-group model's rows that go to
// both groups or show each group's own value.
#include "configui/pages/data_log.h"

#include "config/instrument_config.h"
#include "configui/engine/config_pages.h"
#include "slots/instrument_slots.h"
#include "tests/configui/page_fixture.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/msgbox_recorder.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

class PageRowsTest : public PageTest {
protected:
    void show(page_kind kind, uint32_t model, uint32_t phases, std::vector<item_set> items, int group = 0,
              std::vector<item_set> both = {})
    {
        attach(model, phases);
        for (const item_set& set : both) {
            get_current_config_ptr(0)->set_value_int(set.item, set.value);
            get_current_config_ptr(1)->set_value_int(set.item, set.value);
        }
        set_current_active_group(group);
        for (const item_set& set : items)
            get_current_config()->set_value_int(set.item, set.value);
        show_page(page(kind), config_window());
    }
    static int item_in(int group, int item) { return get_current_config_ptr(group)->item_at(item)->value.integer; }
};

} // namespace

// The rows each family places on the Data Log page (by datalog and graph)
// and on the Auxiliary Control page (by role and device), and where.
TEST_F(PageRowsTest, RowsFollowEachFamilysItems)
{
    const std::vector<layout_case> data_log = {
        {"disabled", 5, 3, {{58, 0}}, 0, {{0, 0}}},
        {"time reference and zooms", 5, 3, {{58, 1}, {60, 0}, {82, 7}}, 0,
         {{0, 0}, {1, 1}, {2, 10}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}}},
        {"graphs apart", 4, 3, {{58, 1}, {60, 1}, {82, 3}}, 0, {{0, 0}, {1, 1}, {2, 3}}},
        {"WQT15", 1, 3, {{58, 1}, {60, 0}}, 0, {{0, 0}, {1, 1}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 7}}},
        {"WQT25", 2, 3, {{58, 2}}, 0, {{0, 0}, {1, 1}, {2, 9}}},
        {"WQT35 in RAM", 16, 3, {{23, 0}, {58, 1}}, 0, {{0, 0}, {1, 1}, {2, 3}, {3, 11}}},
        {"WQT35 with a location", 16, 3, {{23, 0}, {58, 2}}, 0, {{0, 0}, {1, 2}, {2, 1}, {3, 3}, {4, 11}}},
        {"WQT35 group 2 sharing", 16, 4, {{23, 4}, {58, 1}}, 1, {}},
    };
    const std::vector<layout_case> auxiliary = {
        {"ZEM unit", 5, 3, {{3, 0}, {122, 3}}, 0, {{0, 0}, {1, 1}, {2, 5}, {3, 6}, {5, 8}}},
        {"slave", 5, 3, {{3, 2}}, 0, {{0, 0}, {2, 8}}},
        {"master", 4, 3, {{3, 1}}, 0, {{0, 0}, {1, 4}, {3, 8}}},
        {"WQT25 master", 2, 3, {{3, 1}}, 0, {{0, 0}, {1, 4}, {2, 7}}},
        {"WQT25 ZEM unit", 2, 3, {{3, 0}, {122, 2}}, 0, {{0, 0}, {1, 1}}},
        {"WQT15 switch", 1, 3, {{122, 1}}, 0, {{0, 1}, {1, 2}, {2, 3}, {4, 8}}},
        {"WQT35 group 2 sharing", 16, 4, {{23, 4}}, 1, {}},
        {"WQT35 scaling per group", 16, 6, {{23, 2}, {122, 0}}, 0, {{0, 1}, {2, 8}, {10, 9}},
         {{9, "Grp2 Extern. Sys. Scaling"}}},
    };
    for (const auto& [kind, cases] : {std::pair{PAGE_DATA_LOG, data_log}, {PAGE_AUXILIARY, auxiliary}})
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            expect_seen(kind, c.rows, [&, kind = kind] { show(kind, c.model, c.phases, c.items, c.group); },
                        c.relabels);
            EXPECT_TRUE(kind != PAGE_DATA_LOG || config_current_page == 4);
        }
    show(PAGE_DATA_LOG, 16, 3, {{23, 0}, {58, 2}, {234, 7}});
    HWND updown = config_grid[CONFIG_GRID_ROWS + 1].updown;
    ASSERT_NE(updown, nullptr) << "the location's up-down";
    EXPECT_EQ(SendMessageA(updown, UDM_GETRANGE, 0, 0), MAKELRESULT(99, 1)) << "from 1 to 99";
    EXPECT_EQ(window_text(row_control(page(PAGE_DATA_LOG), 2)), "7");
}

// The WQT15 interval may go down to 0.2 s while the Datalog item is 3.
TEST_F(PageRowsTest, Wqt15xxIntervalMinimumFollowsDatalog)
{
    for (const auto& [datalog, minimum] : {std::pair<int, double>{3, 0.2}, {1, 0.0}}) {
        show(PAGE_DATA_LOG, 1, 3, {{58, datalog}});
        EXPECT_DOUBLE_EQ(get_current_config()->item_at(59)->minimum, minimum) << datalog;
    }
}

// The two-group model stores every list of the page in both groups; a
// refused interval is told once and stored in neither; the zoom items keep
// their values whatever else changes.
TEST_F(PageRowsTest, Wqt35xxDataLogGoesToBothGroups)
{
    show(PAGE_DATA_LOG, 16, 3, {}, 0, {{23, 0}, {58, 1}, {60, 0}, {220, 0}, {54, 1}, {55, 1}, {56, 1}, {57, 1}});
    choose(PAGE_DATA_LOG, 11, 1, false);
    choose(PAGE_DATA_LOG, 3, 1);
    for (int group : {0, 1}) {
        EXPECT_EQ(item_in(group, 220), 1) << group;
        EXPECT_EQ(item_in(group, 60), 1) << group;
        for (int zoom : {54, 55, 56, 57})
            EXPECT_EQ(item_in(group, zoom), 1) << group << " " << zoom;
    }
    msgbox::reset();
    std::string before;
    get_current_config_ptr(1)->get_value_string(59, before);
    type(PAGE_DATA_LOG, 1, "abc");
    EXPECT_EQ(msgbox::shown().size(), 1u);
    std::string after;
    EXPECT_EQ(get_current_config_ptr(1)->get_value_string(59, after), before);
}

// While one group takes four phases or more each scaling row shows and
// sets its own group's item (the other group's stored and marked, to go
// with the next whole send); the device's settings go to both groups, the
// summed watts to the shown group only.
TEST_F(PageRowsTest, Wqt35xxScalingRowsKeepToTheirGroups)
{
    show(PAGE_AUXILIARY, 16, 6, {}, 0, {{23, 2}, {122, 0}, {81, 0}});
    get_current_config_ptr(0)->set_value_int(228, 0);
    get_current_config_ptr(1)->set_value_int(228, 1);
    get_current_config_ptr(1)->item_at(228)->changed = 0;
    show_page(page(PAGE_AUXILIARY), config_window());
    EXPECT_EQ(shown_entry(PAGE_AUXILIARY, 8), 0);
    EXPECT_EQ(shown_entry(PAGE_AUXILIARY, 9), 1);
    choose(PAGE_AUXILIARY, 9, 0);
    EXPECT_EQ(get_current_config_ptr(1)->item_at(228)->changed, 1);
    EXPECT_EQ(item_in(0, 228), 0);
    choose(PAGE_AUXILIARY, 8, 1);
    choose(PAGE_AUXILIARY, 4, 1, false);
    choose(PAGE_AUXILIARY, 1, 1);
    // item, group 0, group 1
    for (const auto& [item, first, second] : {std::tuple{228, 1, 0}, {122, 1, 1}, {81, 1, 0}}) {
        EXPECT_EQ(item_in(0, item), first) << item;
        EXPECT_EQ(item_in(1, item), second) << item;
    }
}
