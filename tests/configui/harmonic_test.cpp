// The Harmonic Analyzer, Fluctuating Harmonics, Flickermeter and
// Oscilloscope pages: the rows each family shows in each state, the
// up-downs' ranges, the values shown, which lists lay their page out again,
// and where a change goes: which groups, and what reaches the instrument.
#include "configui/pages/harmonic.h"
#include "configui/pages/oscilloscope.h"

#include "config/instrument_config.h"
#include "configui/config_pages.h"
#include "configui/pages/page_kinds.h"
#include "link/transport.h"
#include "slots/instrument_slots.h"
#include "tests/configui/page_fixture.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/msgbox_recorder.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

class ModePages : public PageTest {
protected:
    // The instrument (its identification naming the model, when given) with
    // its items in the group shown, and the page shown.
    void show(page_kind kind, uint32_t model, uint32_t phases, const std::vector<item_set>& items, int group = 0,
              const char* model_name = nullptr)
    {
        link_record link;
        clear_link_record(&link);
        if (model_name != nullptr)
            std::snprintf(link.idn_reply, sizeof link.idn_reply, "TROSVALDEN,%s,A00001,V2.15", model_name);
        attach_current_instrument(model, phases, 0, &link);
        set_current_active_group(group);
        for (const item_set& set : items)
            get_current_config()->set_value_int(set.item, set.value);
        show_page(page(kind), config_window());
    }
    static int value_of(int group, int item) { return get_current_config_ptr(group)->item_at(item)->value.integer; }
    // The range of the up-down beside the control on a grid row.
    static std::pair<int, int> updown_range(int grid_row)
    {
        int low = -1;
        int high = -1;
        if (HWND updown = config_grid[CONFIG_GRID_ROWS + grid_row].updown)
            SendMessageA(updown, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
        return {low, high};
    }
    // The Config window told of a selection end in a row's id, as a list
    // (or a placeholder without a control) of the family's page tells it.
    void select_end(page_kind kind, int row) const
    {
        const page_def* def = find_page_def(kind, current_page_family());
        HWND list = def != nullptr ? row_control(*def, row) : nullptr;
        SendMessageA(config_window(), WM_COMMAND, MAKEWPARAM(kPageIdBase[kind] + row, CBN_SELENDOK),
                     reinterpret_cast<LPARAM>(list));
    }
};

struct page_layout_case {
    const char* what;
    page_kind kind;
    uint32_t model;
    uint32_t phases;
    std::vector<item_set> items;
    int group;
    const char* model_name;
    std::vector<int> rows; // page rows in grid-row order from 0
};

grid_rows consecutive(const std::vector<int>& rows)
{
    grid_rows map;
    for (size_t g = 0; g < rows.size(); ++g)
        map.emplace_back(static_cast<int>(g), rows[g]);
    return map;
}

} // namespace

// The Harmonic Analyzer by Computation (c), wiring and grouping; the
// Fluctuating Harmonics page whatever it holds; the Flickermeter by
// Measurement; the Oscilloscope's Trigger Phase by family and the WQT55
// Capture Mode by model digit and application mode.
TEST_F(ModePages, RowsFollowTheState)
{
    constexpr page_kind H = PAGE_HARMONIC;
    constexpr page_kind O = PAGE_OSCILLOSCOPE;
    const page_layout_case cases[] = {
        {"55xx c 0", H, 5, 3, {{99, 0}, {82, 3}}, 0, nullptr, {0, 1, 9, 12}},
        {"55xx c 9, 3 wattmeters", H, 5, 3, {{99, 9}, {82, 3}}, 0, nullptr, {0, 1, 2, 13, 5, 9, 10, 6, 7, 3, 8, 4, 12}},
        {"55xx c 7", H, 5, 3, {{99, 7}, {82, 3}}, 0, nullptr, {0, 1, 11, 9, 10, 12}},
        {"55xx c 4, 2 wattmeters on 2 phases", H, 5, 2, {{99, 4}, {82, 1}}, 0, nullptr,
         {0, 1, 2, 5, 9, 10, 6, 7, 3, 8, 4, 12}},
        {"45xx c 9, one phase", H, 4, 1, {{99, 9}, {82, 1}}, 0, nullptr, {0, 1, 13, 5, 9, 10, 6, 7, 3, 8}},
        {"45xx c 0", H, 4, 3, {{99, 0}}, 0, nullptr, {0, 1, 9}},
        {"35xx 6 phases joined", H, 16, 6, {{23, 3}, {99, 1}}, 0, nullptr, {0, 9}},
        {"35xx c 8, 3 wattmeters", H, 16, 3, {{23, 2}, {82, 3}, {99, 8}}, 0, nullptr, {0, 1, 13, 5, 9, 10, 6, 7, 4}},
        {"35xx c 0", H, 16, 3, {{23, 2}, {82, 3}, {99, 0}}, 0, nullptr, {0, 1, 9}},
        {"35xx c 4, 4 phases, group 1", H, 16, 4, {{23, 0}, {82, 3}, {99, 4}}, 0, nullptr, {0, 1, 5, 9, 10, 6, 7}},
        {"35xx c 4, 4 phases, group 2", H, 16, 4, {{23, 0}, {82, 3}, {99, 4}}, 1, nullptr,
         {0, 1, 5, 9, 10, 6, 7, 4}},
        {"35xx wiring 1, 5 phases", H, 16, 5, {{23, 0}, {82, 1}, {99, 1}}, 0, nullptr, {0, 1, 9, 10, 6, 7, 4}},
        {"25xx c 4", H, 2, 3, {{99, 4}}, 0, nullptr, {0, 1, 5, 9, 10, 6}},
        {"25xx c 0", H, 2, 3, {{99, 0}}, 0, nullptr, {0, 1, 9}},
        {"15xx c 1", H, 1, 3, {{99, 1}}, 0, nullptr, {0, 1, 9, 10, 6, 7}},
        {"fluctuating", PAGE_FLUCTUATING, 5, 3, {{98, 1}}, 0, nullptr, {0, 1, 2, 3}},
        {"flicker voltage", PAGE_FLICKERMETER, 5, 3, {{125, 0}}, 0, nullptr, {0, 1, 4, 2, 3, 5}},
        {"flicker current", PAGE_FLICKERMETER, 5, 3, {{125, 1}}, 0, nullptr, {0, 1, 4, 2, 3}},
        {"55xx digit 2, item 70 = 0", O, 5, 3, {{70, 0}}, 0, "WQT5532", {0, 1, 2, 4, 5, 6, 7, 8, 9, 10}},
        {"55xx digit 2, item 70 = 8", O, 5, 3, {{70, 8}}, 0, "WQT5532", {0, 11, 1, 2, 4, 5, 6, 7, 8, 9, 10}},
        {"55xx digit 0, item 70 = 8", O, 5, 3, {{70, 8}}, 0, "WQT5530", {0, 1, 2, 4, 5, 6, 7, 8, 9, 10}},
        {"55xx no identification", O, 5, 3, {{70, 8}}, 0, nullptr, {0, 1, 2, 4, 5, 6, 7, 8, 9, 10}},
        {"45xx", O, 4, 3, {}, 0, nullptr, {0, 1, 2, 4, 5, 6, 7, 8, 9, 10}},
        {"35xx", O, 16, 3, {}, 0, nullptr, {0, 1, 2, 4, 5, 6, 7, 8, 9, 10}},
        {"25xx", O, 2, 3, {}, 0, nullptr, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"15xx", O, 1, 3, {}, 0, nullptr, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        show(c.kind, c.model, c.phases, c.items, c.group, c.model_name);
        EXPECT_EQ(grid_map(page(c.kind)), consecutive(c.rows));
        EXPECT_EQ(config_current_page, 8);
    }
}

// The harmonic numbers' up-downs span 2..7500 in every family, whatever
// the item allows; the Flickermeter's follow the items' limits, truncated.
TEST_F(ModePages, UpDownRanges)
{
    show(PAGE_HARMONIC, 1, 3, {{99, 1}});
    EXPECT_EQ(updown_range(2), std::make_pair(2, 7500));
    EXPECT_EQ(updown_range(3), std::make_pair(2, 7500));
    EXPECT_EQ(updown_range(4), std::make_pair(-1, -1)) << "a bargraph scale has none";

    show(PAGE_FLICKERMETER, 5, 3, {{125, 0}});
    EXPECT_EQ(updown_range(3), std::make_pair(0, 255));
    EXPECT_EQ(updown_range(4), std::make_pair(0, 1008));
    config_item* t_long = get_current_config()->item_at(127);
    t_long->minimum = 3.9;
    t_long->maximum = 600.9;
    layout_flickermeter_page_wqt55xx();
    EXPECT_EQ(updown_range(4), std::make_pair(3, 600));
}

// A whole number held as text shows truncated toward zero; a text item
// shows as stored, an empty one as an empty box; rows a layout leaves out
// are filled and walked all the same.
TEST_F(ModePages, ValuesAsShownAndRowsNeverPlacedKept)
{
    const struct {
        page_kind kind;
        int item;
        int row;
        const char* stored;
        const char* shown;
    } texts[] = {
        {PAGE_HARMONIC, 100, 9, "12.7", "12"},      {PAGE_HARMONIC, 100, 9, "-3.9", "-3"},
        {PAGE_FLICKERMETER, 127, 3, "600.9", "600"}, {PAGE_OSCILLOSCOPE, 106, 1, "10m", "10m"},
        {PAGE_OSCILLOSCOPE, 107, 4, "", ""},
    };
    for (const auto& c : texts) {
        attach(5, 3);
        get_current_config()->set_value_text(c.item, c.stored);
        show_page(page(c.kind), config_window());
        EXPECT_EQ(window_text(row_control(page(c.kind), c.row)), c.shown) << c.stored;
    }
    show(PAGE_OSCILLOSCOPE, 5, 3, {{70, 0}, {112, 2}, {116, 1}}, 0, "WQT5532");
    EXPECT_EQ(shown_entry(PAGE_OSCILLOSCOPE, 3), 2);
    EXPECT_EQ(shown_entry(PAGE_OSCILLOSCOPE, 11), 1);
    choose(PAGE_OSCILLOSCOPE, 3, 0, false);
    choose(PAGE_OSCILLOSCOPE, 11, 0, false);
    choose(PAGE_OSCILLOSCOPE, 2, other_entry(PAGE_OSCILLOSCOPE, 2));
    EXPECT_EQ(get_current_config()->item_at(112)->value.integer, 0);
    EXPECT_EQ(get_current_config()->item_at(116)->value.integer, 0);
}

// The harmonic pages lay themselves out again after every selection in
// their list groups, changed or not, a placeholder's id included; the Mode
// list and the Oscilloscope's lists do not, and a family without the
// Flickermeter page takes no notice of its ids.
TEST_F(ModePages, WhichSelectionsLayThePageOut)
{
    const struct {
        const char* what;
        page_kind kind;
        uint32_t model;
        page_kind notified;
        int row;
        bool laid_out;
    } cases[] = {
        {"55xx Computation", PAGE_HARMONIC, 5, PAGE_HARMONIC, 1, true},
        {"55xx HARM key", PAGE_HARMONIC, 5, PAGE_HARMONIC, 12, true},
        {"15xx placeholder", PAGE_HARMONIC, 1, PAGE_HARMONIC, 3, true},
        {"Mode list", PAGE_HARMONIC, 5, PAGE_HARMONIC, 0, false},
        {"fluctuating", PAGE_FLUCTUATING, 5, PAGE_FLUCTUATING, 1, true},
        {"flicker D(t)", PAGE_FLICKERMETER, 5, PAGE_FLICKERMETER, 5, true},
        {"oscilloscope", PAGE_OSCILLOSCOPE, 5, PAGE_OSCILLOSCOPE, 2, false},
        {"15xx flicker id", PAGE_HARMONIC, 1, PAGE_FLICKERMETER, 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        show(c.kind, c.model, 3, {});
        const grid_rows before = grid_map(page(c.kind));
        config_layout_place_row(-1, nullptr, nullptr);
        select_end(c.notified, c.row);
        EXPECT_EQ(grid_map(page(c.kind)), c.laid_out ? before : grid_rows{});
    }
}

// The two-group model: the Harmonic Analyzer's entries and Computation go
// to both groups, its Conversion to the current group; the Oscilloscope's
// Cursors to both groups, its other lists and its entries to the current
// group only. A refused entry is told once and stored in neither group.
TEST_F(ModePages, TwoGroupChangesReachTheirGroups)
{
    show(PAGE_HARMONIC, 16, 3, {{23, 2}, {82, 3}, {99, 1}, {145, 0}, {100, 5}}, 1);
    type(PAGE_HARMONIC, 9, "12");
    EXPECT_EQ(value_of(0, 100), 12);
    EXPECT_EQ(value_of(1, 100), 12);
    msgbox::reset();
    type(PAGE_HARMONIC, 9, "1");
    EXPECT_EQ(msgbox::shown().size(), 1u);
    EXPECT_EQ(value_of(0, 100), 12);
    EXPECT_EQ(value_of(1, 100), 12);
    choose(PAGE_HARMONIC, 1, 2);
    EXPECT_EQ(value_of(0, 99), 2);
    EXPECT_EQ(value_of(1, 99), 2);
    choose(PAGE_HARMONIC, 4, 1);
    EXPECT_EQ(value_of(1, 145), 1);
    EXPECT_EQ(value_of(0, 145), 0);

    show(PAGE_OSCILLOSCOPE, 16, 3, {{113, 0}, {110, 0}}, 1);
    get_current_config_ptr(0)->set_value_int(110, 0);
    choose(PAGE_OSCILLOSCOPE, 9, 1);
    EXPECT_EQ(value_of(0, 113), 1);
    EXPECT_EQ(value_of(1, 113), 1);
    choose(PAGE_OSCILLOSCOPE, 5, 2);
    EXPECT_EQ(value_of(1, 110), 2);
    EXPECT_EQ(value_of(0, 110), 0);
    type(PAGE_OSCILLOSCOPE, 1, "5m");
    std::string first;
    std::string second;
    EXPECT_NE(get_current_config_ptr(0)->get_value_string(106, first), "5.0000E-3");
    EXPECT_EQ(get_current_config_ptr(1)->get_value_string(106, second), "5.0000E-3");
}

namespace {

class ModePagesOnTheWire : public PageTestOnTheWire {
protected:
    std::string text_of(int item) const
    {
        std::string text;
        return get_current_config()->get_value_string(item, text);
    }
};

} // namespace

// The WQT55 Computation sends itself alone and leaves Speed 5 and Window
// 0.200 stored, to go with the next whole send; the same entry again
// changes nothing.
TEST_P(ModePagesOnTheWire, ComputationStoresSpeedAndWindowUnsent)
{
    show_on_wire(PAGE_HARMONIC, 5, 3, {{99, 1}, {13, 0}});
    get_current_config()->set_value_text(12, "1.000");
    choose(PAGE_HARMONIC, 1, 2);
    EXPECT_EQ(item_writes(inst()), std::vector<std::string>{write_of(99, 2)});
    EXPECT_EQ(get_current_config()->item_at(13)->value.integer, 5);
    EXPECT_EQ(text_of(12), "0.200");
    EXPECT_TRUE(get_current_config()->item_at(13)->changed);

    get_current_config()->set_value_int(13, 0);
    inst().clear_received();
    choose(PAGE_HARMONIC, 1, 2);
    EXPECT_TRUE(item_writes(inst()).empty());
    EXPECT_EQ(get_current_config()->item_at(13)->value.integer, 0);
}

// D(t) Testing goes out before the Measurement when both changed.
TEST_P(ModePagesOnTheWire, FlickerTestingIsWrittenBeforeMeasurement)
{
    show_on_wire(PAGE_FLICKERMETER, 5, 3, {{124, 0}, {125, 0}});
    choose(PAGE_FLICKERMETER, 1, 1, false);
    choose(PAGE_FLICKERMETER, 5, 2);
    // The instrument numbers Measurement "Current" 2.
    EXPECT_EQ(item_writes(inst()), (std::vector<std::string>{write_of(124, 2), write_of(125, 2)}));
}

INSTANTIATE_TEST_SUITE_P(Both, ModePagesOnTheWire, testing::Values(link_kind::lan, link_kind::serial),
                         link_kind_name);
