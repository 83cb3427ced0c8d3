// The Application Options page: the rows of each mode in each family, the
// lists built from the instrument, the torque and speed labels, the gear
// ratio, and a mode change with its dependent items on the wire.
#include "configui/pages/app_options.h"

#include "config/instrument_config.h"
#include "configui/engine/config_pages.h"
#include "frame/auto_configs.h"
#include "link/transport.h"
#include "slots/instrument_slots.h"
#include "tests/configui/page_fixture.h"
#include "tests/support/modal_dialog.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

class AppOptions : public PageTest {
protected:
    // An instrument whose identification names the model digit, with its
    // items, and the page shown.
    void show(uint32_t model, uint32_t phases, std::vector<item_set> items, const char* model_name = "WQT5530",
              uint32_t option = 0)
    {
        link_record link;
        clear_link_record(&link);
        std::snprintf(link.idn_reply, sizeof link.idn_reply, "TROSVALDEN,%s,A00001,V2.15", model_name);
        attach_current_instrument(model, phases, option, &link);
        for (const item_set& set : items)
            get_current_config()->set_value_int(set.item, set.value);
        show_page(page(PAGE_APP_OPTIONS), config_window());
    }
    static std::vector<std::string> texts(int row) { return combo_texts(row_control(page(PAGE_APP_OPTIONS), row)); }
    static std::string item_text(int item)
    {
        std::string value;
        return get_current_config()->get_value_string(item, value);
    }
};

} // namespace

// The rows of each mode, in order.
TEST_F(AppOptions, RowsFollowTheMode)
{
    const struct {
        const char* what;
        uint32_t model;
        uint32_t phases;
        std::vector<item_set> items;
        const char* name;
        std::vector<int> rows;
        std::vector<relabel> relabels = {}; // the torque and speed rows by item 84
    } cases[] = {
        {"motor drive, everything", 5, 3, {{70, 1}, {84, 1}, {11, 1}, {73, 1}, {38, 2}}, "WQT5530",
         {0, 4, 5, 28, 6, 13, 7, 8, 9, 10, 11, 12}, {{8, "Scale Factor Nm/V"}, {10, "Scale Factor rpm/V"}}},
        {"harmonics, class A with power", 5, 3, {{70, 7}, {172, 0}, {173, 2}, {174, 1}}, "WQT5530",
         {0, 15, 37, 36, 17, 39, 16, 18, 19, 20, 21}},
        {"harmonics, class 6", 5, 3, {{70, 7}, {172, 0}, {173, 6}}, "WQT5530", {0, 15, 37, 36, 17, 39, 16, 19}},
        {"flicker", 5, 3, {{70, 7}, {172, 1}}, "WQT5530", {0, 15, 37, 36, 23, 29, 30, 22, 31}},
        {"aircraft", 5, 3, {{70, 8}}, "WQT5530", {0, 24, 32, 33, 34, 35, 36, 37}},
        {"aircraft with digit 2", 5, 3, {{70, 7}}, "WQT5532", {0, 24, 32, 33, 34, 35, 36, 37}},
        {"capture", 5, 3, {{70, 8}}, "WQT5532", {0, 40, 41, 42, 43, 44, 45, 46, 47}},
        {"transformer", 4, 3, {{70, 4}, {80, 0}}, "WQT4530", {0, 2, 1}},
        {"transformer with temperature", 4, 3, {{70, 4}, {80, 1}}, "WQT4530", {0, 2, 1, 8, 9},
         {{8, "Scale Factor Nm/V"}}},
        {"normal", 4, 3, {{70, 0}}, "WQT4530", {0}},
        {"WQT25 gear ratio in any mode", 2, 3, {{70, 0}, {40, 2}}, "WQT2530", {0, 28}},
        {"WQT25 motor drive, scale factors under their own names", 2, 3, {{70, 1}, {84, 1}}, "WQT2530",
         {0, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
        {"WQT35 ballast without efficiency", 16, 4, {{70, 2}, {23, 3}}, "WQT3540", {0, 38, 3}},
        {"WQT35 ballast", 16, 3, {{70, 2}, {23, 2}}, "WQT3530", {0, 38, 3, 12}},
        {"WQT15 ballast", 1, 3, {{70, 1}}, "WQT1530", {0, 38, 3, 12}},
        {"WQT15 inrush", 1, 3, {{70, 2}, {122, 1}}, "WQT1530", {0, 37, 25, 26, 27}},
        {"WQT15 standby", 1, 3, {{70, 3}}, "WQT1530", {0, 6}},
        {"WQT15 calibration", 1, 3, {{70, 4}}, "WQT1530", {0, 14}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        expect_seen(PAGE_APP_OPTIONS, c.rows, [&] { show(c.model, c.phases, c.items, c.name); }, c.relabels);
        EXPECT_EQ(config_current_page, 5);
    }
    show(5, 3, {{70, 7}, {172, 1}});
    for (const auto& [grid_row, high] : {std::pair{5, 255}, {6, 1008}}) {
        const HWND updown = config_grid[CONFIG_GRID_ROWS + grid_row].updown;
        ASSERT_NE(updown, nullptr) << grid_row;
        EXPECT_EQ(SendMessageA(updown, UDM_GETRANGE, 0, 0), MAKELRESULT(high, 0)) << grid_row;
    }
}

// The lists built from the instrument: WQT15 efficiency ratios by phases,
// WQT55 modes by model digit, ranges by family; the two-group model's
// ranges from the first set's inputs whatever phase the ranging page shows.
TEST_F(AppOptions, ListsFollowTheInstrument)
{
    for (const auto& [phases, count] : {std::pair<uint32_t, size_t>{1, 1}, {2, 3}, {3, 5}}) {
        show(1, phases, {}, "WQT1530");
        EXPECT_EQ(texts(12).size(), count) << phases;
    }
    EXPECT_EQ(texts(12)[3], "Phase 3 / Sum");
    show(5, 3, {}, "WQT5530");
    EXPECT_EQ(texts(0).size(), 9u);
    EXPECT_EQ(texts(0)[7], "Harmonics/Flicker");
    show(5, 3, {}, "WQT5532");
    EXPECT_EQ(texts(0).back(), "Capture Mode");
    EXPECT_EQ(texts(35).front(), "300mV");
    show(4, 3, {{24, 0}, {25, 0}}, "WQT4530", 2);
    EXPECT_EQ(texts(35).size(), 8u);
    EXPECT_EQ(texts(37).front(), "10mA");

    ranging_phase = 2;
    show(16, 3, {{24, 1}, {176, 0}, {23, 2}}, "WQT3530");
    EXPECT_EQ(texts(35).front(), "[1mV]");
}

// The torque and speed labels and the speed item (their rule is the
// torque/speed page's) reach this page's rows 8 and 10: one setting whose
// labels differ from the items' own and one whose speed item is 87.
TEST_F(AppOptions, TorqueSpeedNamesTheScaleFactors)
{
    const struct {
        int torque;
        const char* first;
        const char* second;
        int second_item;
    } cases[] = {{2, "Scale Factor Nm/V", "Scale Factor pulses/rev", 87},
                 {3, "Scale Factor Nm/Hz", "Scale Factor rpm/V", 86}};
    for (const auto& c : cases) {
        show(5, 3, {{70, 1}, {84, c.torque}, {86, 0}, {87, 0}});
        EXPECT_EQ(window_text(row_label(page(PAGE_APP_OPTIONS), 8)), c.first);
        EXPECT_EQ(window_text(row_label(page(PAGE_APP_OPTIONS), 10)), c.second);
        type(PAGE_APP_OPTIONS, 10, "7");
        int value = 0;
        EXPECT_EQ(get_current_config()->get_value_int(c.second_item, value), 7) << c.torque;
        EXPECT_EQ(get_current_config()->get_value_int(c.second_item == 86 ? 87 : 86, value), 0) << c.torque;
    }
}

// The WQT55 gear ratio is shown with ":1" and taken back without it.
TEST_F(AppOptions, GearRatioTakenWithoutItsSuffix)
{
    show(5, 3, {{70, 1}, {38, 2}});
    get_current_config()->set_value_text(130, "2.5");
    show_page(page(PAGE_APP_OPTIONS), config_window());
    const struct {
        const char* typed;
        const char* stored;
    } cases[] = {{"2.5000:1", "2.5000E0"}, {"4:1", "4.0000E0"}, {"12", "1.2000E1"}};
    for (const auto& c : cases) {
        type(PAGE_APP_OPTIONS, 28, c.typed);
        EXPECT_EQ(item_text(130), c.stored) << c.typed;
    }
}

class AppOptionsOnTheWire : public PageTestOnTheWire {};

// A mode of 1 brings the motor drive's settings in before the mode, and a
// mode of 0 after it takes them out; the low frequency they set is not set
// back by its own list in the same change; other modes set the mode alone.
TEST_P(AppOptionsOnTheWire, ModeChangesBringTheirDependentItems)
{
    show_on_wire(PAGE_APP_OPTIONS, 4, 3, {{70, 0}, {73, 0}});
    choose(PAGE_APP_OPTIONS, 0, 1);
    EXPECT_EQ(item_writes(inst()), (std::vector<std::string>{write_of(15, 1), write_of(73, 1), "config,69,0.500",
                                                             write_of(7, 2), write_of(31, 1), write_of(70, 1)}));
    inst().clear_received();
    choose(PAGE_APP_OPTIONS, 0, 0);
    EXPECT_EQ(item_writes(inst()), (std::vector<std::string>{write_of(15, 0), write_of(73, 0), "config,69,1.00",
                                                             write_of(7, 0), write_of(31, 0), write_of(70, 0)}));
    show_on_wire(PAGE_APP_OPTIONS, 4, 3, {{70, 2}});
    choose(PAGE_APP_OPTIONS, 0, 3);
    EXPECT_EQ(item_writes(inst()), std::vector<std::string>{write_of(70, 3)});
    show_on_wire(PAGE_APP_OPTIONS, 5, 3, {{70, 0}});
    choose(PAGE_APP_OPTIONS, 0, 1);
    EXPECT_EQ(item_writes(inst()), std::vector<std::string>{write_of(70, 1)});
}

INSTANTIATE_TEST_SUITE_P(Both, AppOptionsOnTheWire, testing::Values(link_kind::lan, link_kind::serial),
                         link_kind_name);

// The two-group model: a frequency reference change clears the torque and
// speed setting in both groups, a temperature change goes to both groups.
TEST_F(AppOptions, TwoGroupChangesReachBothGroups)
{
    show(16, 3, {{70, 1}, {23, 2}, {38, 0}, {84, 1}, {80, 0}}, "WQT3530");
    get_current_config_ptr(1)->set_value_int(84, 1);
    choose(PAGE_APP_OPTIONS, 1, 1, false);
    choose(PAGE_APP_OPTIONS, 5, 1);
    for (int group : {0, 1}) {
        EXPECT_EQ(get_current_config_ptr(group)->item_at(84)->value.integer, 0) << group;
        EXPECT_EQ(get_current_config_ptr(group)->item_at(80)->value.integer, 1) << group;
    }
}
