// The mode pages beyond their layouts: which selections lay a page out
// again, which groups a change reaches, up-downs, values shown, sends.
#include "configui/pages/harmonic.h"
#include "configui/pages/oscilloscope.h"

#include "config/instrument_config.h"
#include "configui/engine/config_pages.h"
#include "configui/engine/page_kinds.h"
#include "slots/instrument_slots.h"
#include "tests/configui/page_fixture.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/msgbox_recorder.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ModePages = PageTest;

// The range of the up-down beside the control on a grid row.
std::pair<int, int> updown_range(int grid_row)
{
    int low = -1;
    int high = -1;
    if (HWND updown = config_grid[CONFIG_GRID_ROWS + grid_row].updown)
        SendMessageA(updown, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    return {low, high};
}

} // namespace

// Which selections lay the page out again (the focus back on the list): the
// harmonic pages after every selection, a placeholder's id included; Phase
// Meter and Impedance Analyzer (not on WQT15) on a change; the WQT15 Power
// Analyzer on a display line only; the Mode list and Oscilloscope never.
TEST_F(ModePages, WhichSelectionsLayThePageOut)
{
    const struct {
        const char* what;
        page_kind kind;
        uint32_t model;
        std::vector<item_set> items;
        int row;
        int index; // -1: the entry shown, notified again over an emptied grid
        bool laid_out;
        std::vector<int> rows; // empty: those placed before
    } cases[] = {
        {"H55 Computation", PAGE_HARMONIC, 5, {}, 1, -1, true, {}},
        {"H15 placeholder", PAGE_HARMONIC, 1, {}, 3, -1, true, {}}, {"Mode", PAGE_HARMONIC, 5, {}, 0, -1, false, {}},
        {"fluct", PAGE_FLUCTUATING, 5, {}, 1, -1, true, {}}, {"D(t)", PAGE_FLICKERMETER, 5, {}, 5, -1, true, {}},
        {"scope", PAGE_OSCILLOSCOPE, 5, {}, 2, -1, false, {}},
        {"phase none", PAGE_PHASE_METER, 5, {{14, 0}}, 2, 2, true, {0, 1, 2, 4}},
        {"phase normal", PAGE_PHASE_METER, 5, {{14, 2}}, 2, 0, true, {0, 1, 2, 3, 4}},
        {"Z45", PAGE_IMPEDANCE, 4, {{137, 0}}, 1, 2, true, {0, 1, 2, 3}},
        {"Z25", PAGE_IMPEDANCE, 2, {{137, 0}}, 1, 2, true, {0, 1, 3}},
        {"Z15", PAGE_IMPEDANCE, 1, {{137, 0}}, 1, 2, false, {}},
        {"PA15 PF Sign", PAGE_POWER_ANALYZER, 1, {{82, 0}, {142, 0}, {141, 0}, {91, 0}}, 2, 1, false, {}},
        {"PA15 Last Line", PAGE_POWER_ANALYZER, 1, {{82, 0}, {142, 0}, {141, 0}}, 10, 5, true,
         {0, 2, 1, 4, 9, 11, 10, 5, 8}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        show_with(c.kind, c.model, c.kind == PAGE_POWER_ANALYZER ? 2 : 3, c.items);
        const grid_rows expected = c.rows.empty() ? grid_map(page(c.kind)) : rows_from_top(c.rows);
        if (c.kind == PAGE_POWER_ANALYZER)
            get_current_config()->set_value_int(82, 2);
        if (c.index < 0) {
            config_layout_place_row(-1, nullptr, nullptr);
            notify_row(c.kind, c.row, CBN_SELENDOK);
            EXPECT_EQ(grid_map(page(c.kind)), c.laid_out ? expected : grid_rows{});
            continue;
        }
        SetFocus(config_window());
        choose(c.kind, c.row, c.index);
        EXPECT_EQ(grid_map(page(c.kind)), expected);
        EXPECT_EQ(GetFocus() == row_control(page(c.kind), c.row), c.laid_out);
    }
    // A family without the Flickermeter page ignores its ids.
    show_with(PAGE_HARMONIC, 1, 3, {});
    config_layout_place_row(-1, nullptr, nullptr);
    notify_row(PAGE_FLICKERMETER, 1, CBN_SELENDOK);
    EXPECT_EQ(grid_map(page(PAGE_HARMONIC)), grid_rows{});
}

// On the two-group model (group 2 active) a change reaches both groups or
// the active one; a refused entry is told once and stored in neither.
TEST_F(ModePages, TwoGroupChangesReachTheirGroups)
{
    const struct {
        page_kind kind;
        int row;
        int item;
        std::vector<item_set> items;
        bool both;
        const char* typed = nullptr; // null: a list, another entry chosen
        const char* refused = nullptr;
    } cases[] = {
        {PAGE_RMS_VOLTMETER, 2, 140, {{1, 0}}, true}, {PAGE_RMS_VOLTMETER, 5, 218, {{1, 0}}, false},
        {PAGE_PHASE_METER, 4, 150, {{1, 1}}, true}, {PAGE_IMPEDANCE, 0, 1, {{1, 3}}, false},
        {PAGE_IMPEDANCE, 3, 139, {{1, 3}}, true, "12.5", "north"},
        {PAGE_HARMONIC, 1, 99, {{23, 2}, {82, 3}, {99, 1}}, true},
        {PAGE_HARMONIC, 4, 145, {{23, 2}, {82, 3}, {99, 1}, {145, 0}}, false},
        {PAGE_HARMONIC, 9, 100, {{23, 2}, {82, 3}, {99, 1}, {100, 5}}, true, "12", "1"},
        {PAGE_OSCILLOSCOPE, 9, 113, {{113, 0}}, true}, {PAGE_OSCILLOSCOPE, 1, 106, {}, false, "5m"},
        {PAGE_POWER_ANALYZER, 3, 100, {{100, 5}}, false, "9"},
        {PAGE_POWER_ANALYZER, 13, 95, {{84, 1}}, true, "0.25"}, {PAGE_POWER_ANALYZER, 14, 85, {{84, 1}}, true, "2.5"},
        {PAGE_POWER_ANALYZER, 15, 96, {{84, 1}}, true, "0.75"}, {PAGE_POWER_ANALYZER, 16, 87, {{84, 2}}, true, "360"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << ", item " << c.item);
        show_with(c.kind, 16, 3, c.items, 1);
        const std::string before = group_text(0, c.item);
        if (c.typed != nullptr)
            type(c.kind, c.row, c.typed);
        else
            choose(c.kind, c.row, other_entry(c.kind, c.row));
        const std::string taken = group_text(1, c.item);
        EXPECT_NE(taken, before);
        EXPECT_EQ(group_text(0, c.item), c.both ? taken : before);
        if (c.refused == nullptr)
            continue;
        msgbox::reset();
        type(c.kind, c.row, c.refused);
        deliver_posted_messages();
        EXPECT_EQ(msgbox::shown().size(), 1u);
        EXPECT_EQ(group_text(0, c.item), taken);
        EXPECT_EQ(group_text(1, c.item), taken);
    }
}

// Harmonic numbers span 2..7500 whatever the item allows, the Power
// Analyzer's its item's; a bargraph scale has none; the Flickermeter's
// follow the items' limits, truncated.
TEST_F(ModePages, UpDownRanges)
{
    show_with(PAGE_HARMONIC, 1, 3, {{99, 1}});
    EXPECT_EQ(updown_range(2), std::make_pair(2, 7500));
    EXPECT_EQ(updown_range(3), std::make_pair(2, 7500));
    EXPECT_EQ(updown_range(4), std::make_pair(-1, -1));
    show_with(PAGE_POWER_ANALYZER, 5, 3, {{82, 3}});
    EXPECT_EQ(updown_range(3), std::make_pair(2, 417));
    show_with(PAGE_FLICKERMETER, 5, 3, {{125, 0}});
    EXPECT_EQ(updown_range(3), std::make_pair(0, 255));
    EXPECT_EQ(updown_range(4), std::make_pair(0, 1008));
    config_item* t_long = get_current_config()->item_at(127);
    t_long->minimum = 3.9;
    t_long->maximum = 600.9;
    layout_flickermeter_page_wqt55xx();
    EXPECT_EQ(updown_range(4), std::make_pair(3, 600));
}

// A whole number held as text shows truncated toward zero (the run time as
// hours:minutes), a text item as stored; rows never placed are kept.
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
        {PAGE_OSCILLOSCOPE, 107, 4, "", ""},        {PAGE_INTEGRATOR, 132, 3, "5", "05:00"},
        {PAGE_INTEGRATOR, 132, 3, "123.9", "123:00"}, {PAGE_INTEGRATOR, 133, 3, "7", "00:07"},
    };
    for (const auto& c : texts) {
        attach(5, 3);
        get_current_config()->set_value_text(c.item, c.stored);
        show_page(page(c.kind), config_window());
        EXPECT_EQ(window_text(row_control(page(c.kind), c.row)), c.shown) << c.stored;
    }
    show_with(PAGE_OSCILLOSCOPE, 5, 3, {{70, 0}, {112, 2}, {116, 1}}, 0, "TROSVALDEN,WQT5532,A00001,V2.15");
    EXPECT_EQ(shown_entry(PAGE_OSCILLOSCOPE, 3), 2);
    EXPECT_EQ(shown_entry(PAGE_OSCILLOSCOPE, 11), 1);
    choose(PAGE_OSCILLOSCOPE, 3, 0, false);
    choose(PAGE_OSCILLOSCOPE, 11, 0, false);
    choose(PAGE_OSCILLOSCOPE, 2, other_entry(PAGE_OSCILLOSCOPE, 2));
    EXPECT_EQ(group_value(0, 112), 0);
    EXPECT_EQ(group_value(0, 116), 0);
}

using ModePagesOnTheWire = PageTestOnTheWire;

// The WQT55 Computation sends itself alone, storing Speed 5 and Window
// 0.200 unsent; the same entry again changes nothing.
TEST_P(ModePagesOnTheWire, ComputationStoresSpeedAndWindowUnsent)
{
    show_on_wire(PAGE_HARMONIC, 5, 3, {{99, 1}, {13, 0}});
    get_current_config()->set_value_text(12, "1.000");
    choose(PAGE_HARMONIC, 1, 2);
    EXPECT_EQ(item_writes(inst()), std::vector<std::string>{write_of(99, 2)});
    EXPECT_EQ(group_value(0, 13), 5);
    EXPECT_EQ(group_text(0, 12), "0.200");
    EXPECT_TRUE(get_current_config()->item_at(13)->changed);

    get_current_config()->set_value_int(13, 0);
    inst().clear_received();
    choose(PAGE_HARMONIC, 1, 2);
    EXPECT_TRUE(item_writes(inst()).empty());
    EXPECT_EQ(group_value(0, 13), 0);
}

// D(t) Testing goes out before the Measurement (its "Current" is 2).
TEST_P(ModePagesOnTheWire, FlickerTestingIsWrittenBeforeMeasurement)
{
    show_on_wire(PAGE_FLICKERMETER, 5, 3, {{124, 0}, {125, 0}});
    choose(PAGE_FLICKERMETER, 1, 1, false);
    choose(PAGE_FLICKERMETER, 5, 2);
    EXPECT_EQ(item_writes(inst()), (std::vector<std::string>{write_of(124, 2), write_of(125, 2)}));
}

INSTANTIATE_ON_BOTH_LINKS(ModePagesOnTheWire);
