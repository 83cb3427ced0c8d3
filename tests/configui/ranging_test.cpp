// The Phase N Ranging page: the phase shown and its item set, titles and
// context button as the context button steps, the range lists, the rows
// each family places, and what its changes lead to.
#include "configui/pages/ranging.h"

#include "config/instrument_config.h"
#include "configui/engine/config_ids.h"
#include "configui/engine/config_pages.h"
#include "frame/control_tables.h"
#include "slots/instrument_slots.h"
#include "tests/configui/page_fixture.h"
#include "tests/support/modal_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

enum : int { R_V_INPUT, R_V_AUTO, R_V_RANGE, R_V_SCALE, R_V_ATTENUATOR, R_C_INPUT, R_C_AUTO, R_C_RANGE };

class Ranging : public PageTest {
protected:
    // The instrument with its items and each set's voltage scale factor, and
    // the page opened with RANGE.
    void open(uint32_t model, uint32_t phases, const std::vector<item_set>& items, int group = 0,
              uint32_t option = 0)
    {
        attach_with(model, phases, items, group, option);
        for (const auto& [item, scale] : {std::pair<int, const char*>{32, "1"}, {184, "2"}, {208, "3"}})
            get_current_config()->set_value_text(item, scale);
        click(IDC_CFG_PAGE_RANGE);
    }
    void click(int id) const
    {
        SendMessageA(config_window(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        deliver_posted_messages();
    }
    static bool context_shown() { return has_visible_style(get_control_by_id(IDC_CFG_ADVANCED_OPTIONS)); }
    static std::string shown()
    {
        const std::string scale = window_text(row_control(page(PAGE_RANGING), R_V_SCALE));
        return window_text(get_control_by_id(IDC_CFG_CONFIGURATION_LABEL)) + " | " +
               window_text(get_control_by_id(IDC_CFG_ADVANCED_OPTIONS)) + (context_shown() ? " | shown" : " | hidden") +
               " | set " + std::to_string(scale.empty() ? 0 : scale[0] - '0');
    }
    // The page as opened, then after each press of the context button.
    std::vector<std::string> steps(size_t presses)
    {
        std::vector<std::string> seen{shown()};
        for (size_t i = 0; i < presses; ++i) {
            click(IDC_CFG_ADVANCED_OPTIONS);
            seen.push_back(shown());
        }
        return seen;
    }
};

} // namespace

// The phases each wiring steps through in a cycle, each titled, its item
// set shown and the context button naming the next; a lone phase hides the
// button; a range of its own for two phases on their own inputs; the WQT25
// family named by the phase it shows; the two-group model's sets counted
// from its group's first phase, the first set where it has none.
TEST_F(Ranging, PhasesStepWithTheirTitlesAndSets)
{
    const struct {
        const char* what;
        uint32_t model, phases;
        std::vector<item_set> items;
        int group;
        std::vector<std::pair<const char*, int>> cycle; // phases named, item set
    } cases[] = {
        {"wiring 6", 5, 3, {{82, 6}, {22, 0}}, 0, {{"Phase 1 + 2", 1}, {"Phase 3", 3}}},
        {"wiring 4", 5, 3, {{82, 4}}, 0, {{"Phase 2", 2}}},
        {"wiring 0", 5, 3, {{82, 0}}, 0, {{"Phase 1", 1}}},
        {"two phases on their own inputs", 5, 2, {{82, 4}}, 0, {{"Phase 1", 1}, {"Phase 2", 2}}},
        {"WQT25 wiring 3", 2, 3, {{82, 3}, {22, 1}}, 0, {{"Phase 1", 1}, {"Phase 2", 2}, {"Phase 3", 3}}},
        {"WQT25 wiring 6", 2, 3, {{82, 6}, {22, 0}}, 0, {{"Phase 1 + 2", 1}, {"Phase 3", 3}}},
        {"WQT25 wiring 3 at two phases", 2, 2, {{82, 3}}, 0, {{"Phase 2", 2}}},
        {"WQT35 from phase 4", 16, 6, {{23, 0}, {82, 3}, {22, 1}}, 1, {{"Phase 4", 1}, {"Phase 5", 2}, {"Phase 6", 3}}},
        {"WQT35 from phase 2", 16, 3, {{23, 0}, {82, 1}, {22, 1}}, 1, {{"Phase 2", 1}, {"Phase 3", 2}}},
        {"WQT35 without a range", 16, 3, {{23, 0}, {82, 4}}, 1, {{"Phase 1", 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const size_t n = c.cycle.size();
        std::vector<std::string> expected;
        for (size_t i = 0; i < (n == 1 ? 1 : n + 1); ++i)
            expected.push_back(std::string("Configuration: ") + c.cycle[i % n].first + " Ranging | " +
                               c.cycle[(i + 1) % n].first + " Ranging > | " + (n > 1 ? "shown" : "hidden") +
                               " | set " + std::to_string(c.cycle[i % n].second));
        open(c.model, c.phases, c.items, c.group);
        EXPECT_EQ(steps(expected.size() - 1), expected);
        EXPECT_EQ(config_current_page, 3) << "no RANGE left waiting";
    }
}

// The minimum-range lists by family, input and current option; the WQT15
// family's "Internal x10"; the lists follow the first set's inputs whatever
// phase is shown.
TEST_F(Ranging, RangeListsFollowInputsAndOption)
{
    const struct {
        uint32_t model;
        int voltage_input, current_input;
        uint32_t option;
        size_t volts;
        const char* volts_first;
        size_t amps;
        const char *amps_first, *amps_last;
    } cases[] = {
        {5, 0, 0, 2, 9, "300mV", 9, "3mA", "30A"},     {5, 1, 1, 0, 9, "[300uV]", 9, "[300uV]", "[3V]"},
        {4, 0, 0, 4, 8, "1V", 9, "100mA", "1kA"},      {4, 0, 0, 0, 8, "1V", 9, "30mA", "300A"},
        {2, 0, 0, 0, 8, "1V", 8, "100mA", "300A"},     {1, 2, 2, 2, 8, "100mV", 8, "1mA", "3A"},
        {1, 2, 2, 4, 8, "100mV", 8, "30mA", "100A"},   {1, 1, 0, 0, 8, "[1mV]", 8, "100mA", "300A"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("model " + std::to_string(c.model) + ", inputs " + std::to_string(c.voltage_input) + "/" +
                     std::to_string(c.current_input) + ", option " + std::to_string(c.option));
        open(c.model, 3, {{82, 3}, {22, 1}, {24, c.voltage_input}, {25, c.current_input}, {176, 1}}, 0,
             c.option);
        click(IDC_CFG_ADVANCED_OPTIONS); // phase 2, whose own inputs are external
        const std::vector<std::string> volts = combo_texts(row_control(page(PAGE_RANGING), R_V_RANGE));
        const std::vector<std::string> amps = combo_texts(row_control(page(PAGE_RANGING), R_C_RANGE));
        ASSERT_EQ(volts.size(), c.volts);
        EXPECT_EQ(volts.front(), c.volts_first);
        ASSERT_EQ(amps.size(), c.amps);
        EXPECT_EQ(amps.front(), c.amps_first);
        EXPECT_EQ(amps.back(), c.amps_last);
    }
}

// Rows 0 to 9 at their own grid rows, the attenuator and the shunt with an
// external input of the shown set, and each family's row at grid row 10.
TEST_F(Ranging, RowsKeepTheirPlaces)
{
    const rows_case cases[] = {
        {"WQT55, attenuator", 5, 3, {{82, 3}, {24, 1}, {25, 0}}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 10}},
        {"WQT55, shunt", 5, 3, {{82, 3}, {24, 0}, {25, 1}}, {0, 1, 2, 3, 5, 6, 7, 8, 9, 10}},
        {"WQT25", 2, 3, {{82, 3}}, {0, 1, 2, 3, 5, 6, 7, 8, 11}},
        {"WQT15", 1, 3, {{82, 3}}, {0, 1, 2, 3, 5, 6, 7, 8, 14}},
        {"WQT15, wiring 0", 1, 3, {{82, 0}}, {0, 1, 2, 3, 5, 6, 7, 8}},
        {"WQT15, x10 is not external", 1, 3, {{82, 3}, {24, 2}}, {0, 1, 2, 3, 5, 6, 7, 8, 14}},
        {"WQT35, a combination without ranges", 16, 4, {{23, 3}, {82, 3}}, {0, 1, 2, 3, 5, 6, 7, 8, 14}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        expect_seen(PAGE_RANGING, c.rows, [&] { open(c.model, c.phases, c.items); }, c.relabels);
        for (int row : c.rows)
            EXPECT_EQ(config_grid[row == 11 || row == 14 ? 10 : row].window, row_label(page(PAGE_RANGING), row));
    }
    open(16, 3, {{23, 2}, {82, 3}}, 1);
    EXPECT_TRUE(placed_rows(page(PAGE_RANGING)).empty()) << "group 2 measuring group 1's phases";
    EXPECT_FALSE(context_shown());
}

// A change goes to the shown phase's set; an input change shows the page
// again, a minimum range change does not; the WQT25 range lock is one item
// for every phase.
TEST_F(Ranging, ChangesGoToTheShownSet)
{
    open(5, 3, {{82, 3}, {22, 1}, {28, 0}, {180, 0}, {204, 0}});
    for (int item : {28, 180, 204}) {
        choose(PAGE_RANGING, R_V_AUTO, 1);
        EXPECT_EQ(group_value(0, item), 1) << item;
        click(IDC_CFG_ADVANCED_OPTIONS);
    }
    HWND scale = row_control(page(PAGE_RANGING), R_V_SCALE);
    SetWindowTextA(scale, "typed");
    choose(PAGE_RANGING, R_V_RANGE, other_entry(PAGE_RANGING, R_V_RANGE));
    EXPECT_EQ(window_text(scale), "typed");
    choose(PAGE_RANGING, R_V_INPUT, 1);
    EXPECT_NE(window_text(scale), "typed");
    EXPECT_EQ(placed_rows(page(PAGE_RANGING))[4], R_V_ATTENUATOR);

    open(2, 3, {{82, 3}, {22, 1}, {94, 0}});
    click(IDC_CFG_ADVANCED_OPTIONS);
    SetWindowTextA(scale = row_control(page(PAGE_RANGING), R_V_SCALE), "typed");
    choose(PAGE_RANGING, 11, 1);
    EXPECT_EQ(group_value(0, 94), 1);
    EXPECT_EQ(window_text(scale), "typed");
}

// The two-group model's Independent Range goes to both groups while one
// group takes four phases or more, and the page opens again with RANGE.
TEST_F(Ranging, TwoGroupIndependentRangeReopensThePage)
{
    const struct {
        uint32_t phases;
        int grouping;
        bool both;
    } cases[] = {{4, 3, true}, {6, 0, false}};
    for (const auto& c : cases) {
        open(16, c.phases, {{23, c.grouping}, {82, 3}, {22, 0}});
        get_current_config_ptr(1)->set_value_int(22, 0);
        choose(PAGE_RANGING, 14, 1);
        MSG pending{};
        EXPECT_TRUE(PeekMessageA(&pending, config_window(), WM_COMMAND, WM_COMMAND, PM_NOREMOVE));
        EXPECT_EQ(LOWORD(pending.wParam), IDC_CFG_PAGE_RANGE);
        deliver_posted_messages();
        EXPECT_EQ(group_value(0, 22), 1);
        EXPECT_EQ(group_value(1, 22), c.both ? 1 : 0) << c.phases;
    }
}
