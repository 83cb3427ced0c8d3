// The Power Analyzer and Power Integrator pages: the rows each family shows
// by wiring, display lines and torque inputs, the run time as shown, and
// what a change sends, to which groups, and what it has laid out again.
#include "configui/pages/power_analyzer.h"
#include "configui/pages/power_integrator.h"

#include "config/instrument_config.h"
#include "configui/config_pages.h"
#include "frame/app_globals.h"
#include "frame/auto_configs.h"
#include "frame/commands.h"
#include "frame/control_tables.h"
#include "slots/instrument_slots.h"
#include "tests/configui/page_fixture.h"
#include "tests/support/modal_dialog.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class PowerPages : public PageTest {
protected:
    void show(page_kind kind, uint32_t model, uint32_t phases, const std::vector<item_set>& items, int group = 0)
    {
        attach(model, phases);
        set_current_active_group(group);
        for (const item_set& set : items)
            get_current_config()->set_value_int(set.item, set.value);
        show_page(page(kind), config_window());
    }
    static HWND control(page_kind kind, int row) { return row_control(page(kind), row); }
};

int item_of(int group, int item)
{
    int value = 0;
    return get_current_config_ptr(group)->get_value_int(item, value);
}

// Power Analyzer rows.
enum : int { PA_PF_SIGN = 2, PA_HARMONIC = 3, PA_SUM_CURRENT = 4, PA_CONVERSION = 6, PA_LAST_LINE = 10 };
enum : int { PA_TORQUE_SPEED = 12, PA_TORQUE_SCALE = 14, PA_SPEED_SCALE = 16 };

} // namespace

// The rows of each family in grid order: the sums, conversion and
// efficiency by phases and wiring; the WQT15 rows by either display line;
// on the WQT35 family each of THD and harmonic once, after the first line
// that asks for it, the torque block by item 84, and nothing past the grid.
TEST_F(PowerPages, PowerAnalyzerRowsByFamilyAndState)
{
    const layout_case cases[] = {
        {"WQT55, 3 phases, wiring 3", 5, 3, {{82, 3}}, 0,
         {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 9}, {6, 5}, {7, 6}, {8, 7}, {9, 8}}},
        {"WQT55, 2 phases, wiring 4", 5, 2, {{82, 4}}, 0, {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 5}, {5, 7}, {6, 8}}},
        {"WQT45, 1 phase", 4, 1, {{82, 0}}, 0, {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 5}, {5, 8}}},
        {"WQT25, 3 phases, wiring 3", 2, 3, {{82, 3}}, 0,
         {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}}},
        {"WQT25, 3 phases, wiring 6", 2, 3, {{82, 6}}, 0, {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 9}, {6, 5}, {7, 7}}},
        {"WQT15, independent, THD and harmonic", 1, 3, {{82, 7}, {142, 5}, {141, 7}}, 0,
         {{0, 0}, {1, 2}, {2, 1}, {3, 4}, {4, 11}, {5, 10}, {6, 5}, {7, 3}, {8, 8}}},
        {"WQT15, 2 phases, efficiency and conversion", 1, 2, {{82, 1}, {142, 3}, {141, 1}}, 0,
         {{0, 0}, {1, 2}, {2, 1}, {3, 9}, {4, 11}, {5, 10}, {6, 7}, {7, 6}, {8, 8}}},
        {"WQT15, last line 8", 1, 2, {{82, 2}, {142, 8}, {141, 0}}, 0,
         {{0, 0}, {1, 2}, {2, 1}, {3, 4}, {4, 9}, {5, 11}, {6, 10}, {7, 7}, {8, 8}}},
        {"WQT35, THD once", 16, 3, {{23, 0}, {82, 3}, {84, 0}, {141, 5}, {142, 6}}, 0,
         {{0, 0}, {1, 2}, {2, 1}, {3, 4}, {4, 9}, {5, 8}, {6, 6}, {7, 7}, {8, 11}, {9, 5}, {10, 10}, {11, 12}}},
        {"WQT35, harmonic once, torque block past the grid", 16, 3, {{23, 0}, {82, 3}, {84, 2}, {141, 7}, {142, 7}}, 0,
         {{0, 0}, {1, 2}, {2, 1}, {3, 4}, {4, 9}, {5, 8}, {6, 6}, {7, 7}, {8, 11}, {9, 3}, {10, 10}, {11, 12},
          {12, 14}, {13, 13}, {14, 16}}},
        {"WQT35, last line's THD, no efficiency", 16, 4, {{23, 3}, {82, 0}, {84, 3}, {141, 0}, {142, 5}}, 0,
         {{0, 0}, {1, 2}, {2, 1}, {3, 8}, {4, 6}, {5, 11}, {6, 10}, {7, 5}, {8, 12}, {9, 14}, {10, 13}, {11, 16},
          {12, 15}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        show(PAGE_POWER_ANALYZER, c.model, c.phases, c.items, c.group);
        EXPECT_EQ(grid_map(page(PAGE_POWER_ANALYZER)), c.rows);
        EXPECT_EQ(config_current_page, 8);
    }
}

// The labels of each family's rows that differ, and the harmonic's up-down.
TEST_F(PowerPages, PowerAnalyzerLabelsAndHarmonicRange)
{
    show(PAGE_POWER_ANALYZER, 5, 3, {{82, 3}});
    EXPECT_EQ(grid_labels(), (std::vector<std::string>{"Mode", "VAr Sign", "PF Sign", "Harmonic", "Sum Current",
                                                       "Sum VA and VAr Comp.", "Difference THD", "Conversion",
                                                       "Efficiency", "Input Compensation"}));
    DWORD low = 0;
    DWORD high = 0;
    SendMessageA(config_grid[CONFIG_GRID_ROWS + PA_HARMONIC].updown, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                 reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, 2u);
    EXPECT_EQ(high, 417u);
    show(PAGE_POWER_ANALYZER, 2, 3, {{82, 6}});
    EXPECT_EQ(grid_labels(), (std::vector<std::string>{"Mode", "Var Sign", "PF Sign", "Harmonic", "Sum Current",
                                                       "2Watt Sum Computation", "Difference THD", "Efficiency"}));
}

// The efficiency ratios are built for the instrument and kept as item 93's
// options; "More Options >" leads on to the torque and speed page on the
// WQT45 and WQT55 families only.
TEST_F(PowerPages, PowerAnalyzerEfficiencyAndContextButton)
{
    const struct {
        uint32_t model;
        uint32_t phases;
        size_t ratios;
        bool more_options;
    } cases[] = {
        {1, 2, 3, false}, {2, 3, 9, false}, {16, 3, 0, false}, {4, 2, 7, true}, {5, 1, 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("model " + std::to_string(c.model));
        show(PAGE_POWER_ANALYZER, c.model, c.phases, {{82, 3}, {23, 0}});
        const std::vector<std::string> shown = combo_texts(control(PAGE_POWER_ANALYZER, 7));
        EXPECT_EQ(shown.size(), get_current_config()->item_at(93)->options.size());
        if (c.ratios > 0) {
            EXPECT_EQ(shown.size(), c.ratios);
        }
        EXPECT_FALSE(shown.empty());
        HWND context = get_control_by_id(IDC_CFG_ADVANCED_OPTIONS);
        EXPECT_EQ(window_text(context), "More Options >");
        EXPECT_EQ((GetWindowLongA(context, GWL_STYLE) & WS_VISIBLE) != 0, c.more_options);
    }
}

// The WQT35 torque and speed labels follow item 84, and the speed scale
// factor shows item 87 for pulsed speed inputs, else item 86.
TEST_F(PowerPages, PowerAnalyzerTorqueSpeedRowsFollowItem84)
{
    const struct {
        int torque;
        const char* torque_label;
        const char* speed_label;
        const char* shown;
    } cases[] = {
        {1, "Scale Factor Nm/V", "Scale Factor rpm/V", "1.5000E3"},
        {2, "Scale Factor Nm/V", "Scale Factor pulses/rev", "60"},
        {3, "Scale Factor Nm/Hz", "Scale Factor rpm/V", "1.5000E3"},
        {4, "Scale Factor Nm/Hz", "Scale Factor pulses/rev", "60"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.torque);
        show(PAGE_POWER_ANALYZER, 16, 3, {{84, c.torque}, {87, 60}});
        get_current_config()->set_value_text(86, "1.5000E3");
        show_page(page(PAGE_POWER_ANALYZER), config_window());
        EXPECT_EQ(window_text(row_label(page(PAGE_POWER_ANALYZER), PA_TORQUE_SCALE)), c.torque_label);
        EXPECT_EQ(window_text(row_label(page(PAGE_POWER_ANALYZER), PA_SPEED_SCALE)), c.speed_label);
        EXPECT_EQ(window_text(control(PAGE_POWER_ANALYZER, PA_SPEED_SCALE)), c.shown);
    }
}

// A WQT35 change of the torque and speed inputs shows the page again: the
// speed row then reads item 87 under its new label, and leaving it stores
// 87's own value, not item 86's.
TEST_F(PowerPages, TorqueInputsChangeShowsThePageAgain)
{
    show(PAGE_POWER_ANALYZER, 16, 3, {{84, 1}, {87, 60}});
    for (int group : {0, 1}) {
        get_current_config_ptr(group)->set_value_int(84, 1);
        get_current_config_ptr(group)->set_value_int(87, 60);
        get_current_config_ptr(group)->set_value_text(86, "1.5000E3");
    }
    show_page(page(PAGE_POWER_ANALYZER), config_window());
    HWND speed = control(PAGE_POWER_ANALYZER, PA_SPEED_SCALE);
    ASSERT_EQ(window_text(speed), "1.5000E3");

    choose(PAGE_POWER_ANALYZER, PA_TORQUE_SPEED, 2);
    EXPECT_EQ(item_of(0, 84), 2);
    EXPECT_EQ(item_of(1, 84), 2);
    EXPECT_EQ(window_text(speed), "60");
    EXPECT_EQ(window_text(row_label(page(PAGE_POWER_ANALYZER), PA_SPEED_SCALE)), "Scale Factor pulses/rev");

    SendMessageA(config_window(), WM_COMMAND, MAKEWPARAM(kPageIdBase[PAGE_POWER_ANALYZER] + PA_SPEED_SCALE,
                                                         EN_KILLFOCUS), reinterpret_cast<LPARAM>(speed));
    for (int group : {0, 1}) {
        EXPECT_EQ(item_of(group, 87), 60) << "group " << group;
        EXPECT_EQ(item_of(group, 86), 1500) << "group " << group;
    }
}

// A display-line change lays the WQT15 page out; another list's change
// does not, though the configuration would now show other rows.
TEST_F(PowerPages, Wqt15LastLineLaysOutPfSignDoesNot)
{
    show(PAGE_POWER_ANALYZER, 1, 2, {{82, 0}, {142, 0}, {141, 0}, {91, 0}});
    const std::vector<int> before = placed_rows(page(PAGE_POWER_ANALYZER));
    get_current_config()->set_value_int(82, 2);
    choose(PAGE_POWER_ANALYZER, PA_PF_SIGN, 1);
    EXPECT_EQ(item_of(0, 91), 1);
    EXPECT_EQ(placed_rows(page(PAGE_POWER_ANALYZER)), before);

    choose(PAGE_POWER_ANALYZER, PA_LAST_LINE, 5);
    EXPECT_EQ(placed_rows(page(PAGE_POWER_ANALYZER)), (std::vector<int>{0, 2, 1, 4, 9, 11, 10, 5, 8}));
    EXPECT_EQ(GetFocus(), control(PAGE_POWER_ANALYZER, PA_LAST_LINE));
}

// The run time as "%02d:%02d", hours first; a text value counts its whole
// part; the WQT45 and WQT55 families' time reference only on independent
// wirings.
TEST_F(PowerPages, PowerIntegratorRowsAndRunTime)
{
    const struct {
        const char* what;
        uint32_t model;
        uint32_t phases;
        int wiring;
        const char* hours;
        const char* minutes;
        const char* shown;
        std::vector<int> rows;
    } cases[] = {
        {"WQT45, 2 phases independent", 4, 2, 4, "5", "7", "05:07", {0, 1, 2, 3, 4}},
        {"WQT45, 2 phases wiring 3", 4, 2, 3, "123", "45", "123:45", {0, 1, 2, 3}},
        {"WQT55, 3 phases independent", 5, 3, 7, "12.9", "0", "12:00", {0, 1, 2, 3, 4}},
        {"WQT55, 4 phases", 5, 4, 7, "0", "59", "00:59", {0, 1, 2, 3}},
        {"WQT25, 2 phases wiring 4", 2, 2, 4, "1", "2", "01:02", {0, 1, 2, 3}},
        {"WQT35", 16, 3, 3, "1", "2", "01:02", {0, 1, 2, 3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        attach(c.model, c.phases);
        get_current_config()->set_value_int(82, c.wiring);
        get_current_config()->set_value_text(132, c.hours);
        get_current_config()->set_value_text(133, c.minutes);
        show_page(page(PAGE_INTEGRATOR), config_window());
        EXPECT_EQ(window_text(control(PAGE_INTEGRATOR, 3)), c.shown);
        EXPECT_EQ(placed_rows(page(PAGE_INTEGRATOR)), c.rows);
        EXPECT_EQ(config_current_page, 8);
    }
}

namespace {

// The main window's commands and the Measure Results windows' redraws
// posted by a change.
struct posted_commands {
    int refresh_connections = 0;
    int redraws = 0;
};

posted_commands take_posted_commands()
{
    posted_commands seen;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_COMMAND && msg.hwnd == main_window && LOWORD(msg.wParam) == CMD_REFRESH_CONNECTIONS)
            ++seen.refresh_connections;
        if (msg.message == WM_COMMAND && LOWORD(msg.wParam) == CMD_REDRAW && msg.lParam == 1)
            ++seen.redraws;
        DispatchMessageA(&msg);
    }
    return seen;
}

class PowerPagesOnTheWire : public PageTestOnTheWire {
protected:
    void show(page_kind kind, uint32_t model, uint32_t phases, const std::vector<item_set>& items)
    {
        show_on_wire(kind, model, phases, items);
        take_posted_commands();
    }
};

} // namespace

// In every family a conversion change has the results windows laid out
// again, once; a Sum Current change does not.
TEST_P(PowerPagesOnTheWire, ConversionRefreshesTheResultsWindows)
{
    const struct {
        uint32_t model;
        int row;
        int item;
        int refreshes;
    } cases[] = {
        {1, PA_CONVERSION, 134, 1}, {2, PA_CONVERSION, 134, 1}, {16, PA_CONVERSION, 134, 1},
        {4, PA_CONVERSION, 134, 1}, {5, PA_CONVERSION, 134, 1}, {5, PA_SUM_CURRENT, 89, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("model " + std::to_string(c.model) + ", item " + std::to_string(c.item));
        show(PAGE_POWER_ANALYZER, c.model, 3, {{c.item, 0}});
        choose(PAGE_POWER_ANALYZER, c.row, 1);
        EXPECT_EQ(item_writes(inst()), std::vector<std::string>{write_of(c.item, 1)});
        const posted_commands seen = take_posted_commands();
        EXPECT_EQ(seen.refresh_connections, c.refreshes);
        EXPECT_EQ(seen.redraws, 4 * c.refreshes);
    }
}

// The WQT35 family's items that describe the whole instrument go to both
// groups, the others to the active group only.
TEST_P(PowerPagesOnTheWire, Wqt35ChangesReachTheirGroups)
{
    const struct {
        const char* what;
        page_kind kind;
        int row;
        int item;
        int writes;
    } lists[] = {
        {"Var Sign", PAGE_POWER_ANALYZER, 1, 92, 2},
        {"Sum Current", PAGE_POWER_ANALYZER, PA_SUM_CURRENT, 89, 1},
        {"Last Line", PAGE_POWER_ANALYZER, PA_LAST_LINE, 142, 2},
        {"Integration", PAGE_INTEGRATOR, 1, 83, 2},
    };
    for (const auto& c : lists) {
        SCOPED_TRACE(c.what);
        show(c.kind, 16, 3, {{c.item, 0}});
        get_current_config_ptr(1)->set_value_int(c.item, 0);
        choose(c.kind, c.row, 1);
        EXPECT_EQ(item_writes(inst()), std::vector<std::string>(c.writes, write_of(c.item, 1)));
        EXPECT_EQ(item_of(1, c.item), c.writes == 2 ? 1 : 0);
    }

    show(PAGE_POWER_ANALYZER, 16, 3, {{100, 5}});
    get_current_config_ptr(1)->set_value_int(100, 5);
    type(PAGE_POWER_ANALYZER, PA_HARMONIC, "9");
    EXPECT_EQ(item_writes(inst()), std::vector<std::string>{write_of(100, 9)});
    EXPECT_EQ(item_of(1, 100), 5);
}

// The run time is stored and sent as hours, then minutes, every time it is
// left, whatever it held (both groups on the WQT35 family); the WQT45 time
// reference is one of the integrator's lists.
TEST_P(PowerPagesOnTheWire, RunTimeAndTimeReference)
{
    const struct {
        uint32_t model;
        const char* text;
        std::vector<std::string> writes;
    } cases[] = {
        {5, "12:30", {"config,132,12", "config,133,30"}},
        {5, "300:5", {"config,132,0", "config,133,5"}},
        {5, "02:03", {"config,132,2", "config,133,3"}},
        {16, "7", {"config,132,7", "config,132,7", "config,133,0", "config,133,0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        show(PAGE_INTEGRATOR, c.model, 3, {});
        get_current_config()->set_value_text(132, "2");
        get_current_config()->set_value_text(133, "3");
        type(PAGE_INTEGRATOR, 3, c.text);
        EXPECT_EQ(item_writes(inst()), c.writes);
    }

    show(PAGE_INTEGRATOR, 4, 2, {{82, 4}, {23, 0}});
    choose(PAGE_INTEGRATOR, 4, 1);
    EXPECT_EQ(item_writes(inst()), std::vector<std::string>{write_of(23, 1)});
}

INSTANTIATE_TEST_SUITE_P(Both, PowerPagesOnTheWire, testing::Values(link_kind::lan, link_kind::serial),
                         link_kind_name);
