// The Power Analyzer and Power Integrator pages beyond their layouts, and
// what the mode pages' lists send, to which groups.
#include "configui/pages/power_analyzer.h"
#include "configui/pages/power_integrator.h"

#include "config/instrument_config.h"
#include "configui/engine/config_pages.h"
#include "frame/app_globals.h"
#include "frame/auto_configs.h"
#include "frame/commands.h"
#include "frame/control_tables.h"
#include "slots/instrument_slots.h"
#include "tests/configui/page_fixture.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/msgbox_recorder.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using PowerPages = PageTest;

// Power Analyzer rows.
enum : int { PA_SUM_CURRENT = 4, PA_CONVERSION = 6, PA_LAST_LINE = 10 };
enum : int { PA_TORQUE_SPEED = 12, PA_SPEED_SCALE = 16 };

} // namespace

// The efficiency ratios are built for the instrument (none on WQT35 beyond
// the list's own) and kept as item 93's options; "More Options >" leads on
// to the torque and speed page on the WQT45 and WQT55 families only. The
// sum's label differs by family.
TEST_F(PowerPages, PowerAnalyzerEfficiencyAndContextButton)
{
    const struct {
        uint32_t model;
        uint32_t phases;
        size_t ratios;
        bool more_options;
        const char* sum = nullptr;
    } cases[] = {{1, 2, 3, false},  {2, 3, 9, false, "2Watt Sum Computation"}, {16, 3, 0, false},
                 {4, 2, 7, true}, {5, 1, 1, true, "Sum VA and VAr Comp."}};
    for (const auto& c : cases) {
        SCOPED_TRACE("model " + std::to_string(c.model));
        show_with(PAGE_POWER_ANALYZER, c.model, c.phases, {{82, 3}, {23, 0}});
        if (c.sum != nullptr) {
            EXPECT_EQ(window_text(row_label(page(PAGE_POWER_ANALYZER), 9)), c.sum);
        }
        const std::vector<std::string> shown = combo_texts(row_control(page(PAGE_POWER_ANALYZER), 7));
        EXPECT_EQ(shown.size(), get_current_config()->item_at(93)->options.size());
        EXPECT_EQ(shown.size(), c.ratios > 0 ? c.ratios : shown.size());
        EXPECT_FALSE(shown.empty());
        HWND context = get_control_by_id(IDC_CFG_ADVANCED_OPTIONS);
        EXPECT_EQ(window_text(context), "More Options >");
        EXPECT_EQ((GetWindowLongA(context, GWL_STYLE) & WS_VISIBLE) != 0, c.more_options);
    }
}

// A WQT35 torque and speed inputs change (both groups) shows the page again:
// the speed row reads item 87 under its new label and stores 87, not 86.
TEST_F(PowerPages, TorqueInputsChangeShowsThePageAgain)
{
    attach(16, 3);
    for (int group : {0, 1}) {
        get_current_config_ptr(group)->set_value_int(84, 1);
        get_current_config_ptr(group)->set_value_int(87, 60);
        get_current_config_ptr(group)->set_value_text(86, "1.5000E3");
    }
    show_page(page(PAGE_POWER_ANALYZER), config_window());
    HWND speed = row_control(page(PAGE_POWER_ANALYZER), PA_SPEED_SCALE);
    ASSERT_EQ(window_text(speed), "1.5000E3");

    choose(PAGE_POWER_ANALYZER, PA_TORQUE_SPEED, 2);
    EXPECT_EQ(group_value(0, 84), 2);
    EXPECT_EQ(group_value(1, 84), 2);
    EXPECT_EQ(window_text(speed), "60");
    EXPECT_EQ(window_text(row_label(page(PAGE_POWER_ANALYZER), PA_SPEED_SCALE)), "Scale Factor pulses/rev");

    notify_row(PAGE_POWER_ANALYZER, PA_SPEED_SCALE, EN_KILLFOCUS);
    for (int group : {0, 1}) {
        EXPECT_EQ(group_value(group, 87), 60) << "group " << group;
        EXPECT_EQ(group_value(group, 86), 1500) << "group " << group;
    }
}

namespace {

// The results windows' refreshes a change posted: the main window's
// commands and the Measure Results windows' redraws.
std::pair<int, int> take_refreshes()
{
    std::pair<int, int> seen{0, 0};
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_COMMAND && msg.hwnd == main_window && LOWORD(msg.wParam) == CMD_REFRESH_CONNECTIONS)
            ++seen.first;
        if (msg.message == WM_COMMAND && LOWORD(msg.wParam) == CMD_REDRAW && msg.lParam == 1)
            ++seen.second;
        DispatchMessageA(&msg);
    }
    return seen;
}

using PowerPagesOnTheWire = PageTestOnTheWire;

} // namespace

// A list change writes its item once per group it reaches; a conversion
// change, and no other, has the results windows laid out again, once.
TEST_P(PowerPagesOnTheWire, ListChangesWriteTheirItems)
{
    const struct {
        const char* what;
        page_kind kind;
        uint32_t model;
        uint32_t phases;
        std::vector<item_set> items;
        int row;
        int index;
        std::vector<std::string> writes;
    } cases[] = {
        {"25xx Computation", PAGE_PHASE_METER, 2, 3, {{13, 0}, {14, 0}, {15, 0}, {150, 0}}, 4, 1, {"config,150,1"}},
        {"15xx Last Line", PAGE_RMS_VOLTMETER, 1, 3, {{143, 0}}, 3, 2, {"config,143,2"}},
        {"45xx time reference", PAGE_INTEGRATOR, 4, 2, {{82, 4}, {23, 0}}, 4, 1, {"config,23,1"}},
        {"15xx conversion", PAGE_POWER_ANALYZER, 1, 3, {{134, 0}}, PA_CONVERSION, 1, {"config,134,1"}},
        {"35xx conversion", PAGE_POWER_ANALYZER, 16, 3, {{134, 0}}, PA_CONVERSION, 1, {"config,134,1"}},
        {"35xx Var Sign", PAGE_POWER_ANALYZER, 16, 3, {{92, 0}}, 1, 1, {"config,92,1", "config,92,1"}},
        {"35xx Sum Current", PAGE_POWER_ANALYZER, 16, 3, {{89, 0}}, PA_SUM_CURRENT, 1, {"config,89,1"}},
        {"35xx Last Line", PAGE_POWER_ANALYZER, 16, 3, {{142, 0}}, PA_LAST_LINE, 1, {"config,142,1", "config,142,1"}},
        {"35xx Integration", PAGE_INTEGRATOR, 16, 3, {{83, 0}}, 1, 1, {"config,83,1", "config,83,1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        show_on_wire(c.kind, c.model, c.phases, c.items);
        if (c.model == 16)
            for (const item_set& set : c.items)
                get_current_config_ptr(1)->set_value_int(set.item, set.value);
        take_refreshes();
        choose(c.kind, c.row, c.index);
        EXPECT_EQ(item_writes(inst()), c.writes);
        const int refreshes = c.kind == PAGE_POWER_ANALYZER && c.row == PA_CONVERSION ? 1 : 0;
        EXPECT_EQ(take_refreshes(), std::make_pair(refreshes, 4 * refreshes));
    }
}

// The run time is sent as hours, then minutes, every time it is left
// (both groups on WQT35), the stored run time as shown too, whatever its
// hours; a text with letters or other characters or a number above 255 is
// refused with a message, nothing stored or sent, and the stored run time
// shown again.
TEST_P(PowerPagesOnTheWire, RunTimeIsSentWheneverLeft)
{
    const struct {
        uint32_t model;
        const char* stored; // hours and minutes as the instrument holds them
        const char* text;
        std::vector<std::string> writes;
        const char* shown; // the edit once left
    } cases[] = {
        {5, "2:3", "12:30", {"config,132,12", "config,133,30"}, "12:30"},
        {5, "2:3", "02:03", {"config,132,2", "config,133,3"}, "02:03"},
        {5, "2:3", "", {"config,132,0", "config,133,0"}, "00:00"},
        {5, "2:3", "   ", {"config,132,0", "config,133,0"}, "00:00"},
        {16, "2:3", "7", {"config,132,7", "config,132,7", "config,133,0", "config,133,0"}, "07:00"},
        {5, "300:5", "300:05", {"config,132,300", "config,133,5"}, "300:05"},
        {5, "2:3", "300:5", {}, "02:03"}, {5, "2:3", "abc", {}, "02:03"},
        {5, "2:3", "-1:00", {}, "02:03"}, {16, "2:3", "12:xx", {}, "02:03"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        show_on_wire(PAGE_INTEGRATOR, c.model, 3, {});
        const std::string stored = c.stored;
        const size_t colon = stored.find(':');
        for (int group : {0, 1}) {
            if (instrument_config* config = get_current_config_ptr(group)) {
                config->set_value_text(132, stored.substr(0, colon).c_str());
                config->set_value_text(133, stored.substr(colon + 1).c_str());
            }
        }
        show_page(page(PAGE_INTEGRATOR), config_window());
        inst().clear_received();
        msgbox::reset();
        type(PAGE_INTEGRATOR, 3, c.text);
        EXPECT_EQ(item_writes(inst()), c.writes);
        const bool refused = c.writes.empty();
        ASSERT_EQ(msgbox::shown().size(), refused ? 1u : 0u);
        EXPECT_EQ(window_text(row_control(page(PAGE_INTEGRATOR), 3)), c.shown);
        if (refused) {
            EXPECT_EQ(msgbox::shown()[0].text,
                      "Run Time must be set as hours and minutes joined by a colon (for example 12:30), "
                      "each between 0 and 255, the value has been reverted");
            EXPECT_EQ(msgbox::shown()[0].caption, "Incorrect Value");
            EXPECT_EQ(group_text(0, 132) + ":" + group_text(0, 133), "2:3");
        }
    }
}

INSTANTIATE_ON_BOTH_LINKS(PowerPagesOnTheWire);
