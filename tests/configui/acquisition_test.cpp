// The Acquisition Control and Advanced Acquisition Control pages: the lists
// built from the instrument, the rows each family lays out, what each wiring
// leaves the frequency's phase and the Ranging page, the gear ratio, the
// change rule on both links, each wiring picked on the simulated instrument,
// and the two-group instrument's wiring, frequency reference and grouping
// changes on it.
#include "configui/pages/acquisition.h"

#include "config/instrument_config.h"
#include "config/item_numbers.h"
#include "config/model_profiles.h"
#include "configui/engine/config_ids.h"
#include "configui/engine/config_pages.h"
#include "configui/engine/two_group.h"
#include "frame/app_globals.h"
#include "frame/auto_configs.h"
#include "frame/commands.h"
#include "frame/control_tables.h"
#include "link/transport.h"
#include "slots/instrument_slots.h"
#include "tests/configui/config_screen.h"
#include "tests/configui/page_fixture.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/msgbox_recorder.h"
#include "tests/support/test_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Rows of the Acquisition Control page.
enum : int {
    R_WIRING, R_SPEED, R_WINDOW, R_SMOOTHING, R_RESPONSE, R_REFERENCE, R_PHASE2_REF, R_PHASE3_REF,
    R_REFERENCE_PHASE, R_FILTER, R_FILTER2, R_LOW_FREQUENCY, R_MINIMUM_FREQUENCY, R_GEAR, R_ANGLE_REF,
    R_GROUPING,
};

class Acquisition : public PageTest {
protected:
    void show(uint32_t model, uint32_t phases, const std::vector<item_set>& items = {}, int group = 0)
    {
        attach_with(model, phases, items, group);
        show_page(page(PAGE_ACQUISITION), config_window());
    }
    static std::vector<std::string> texts(int row) { return combo_texts(row_control(page(PAGE_ACQUISITION), row)); }
    static std::string text(int row) { return window_text(row_control(page(PAGE_ACQUISITION), row)); }
};

// The Wiring list each family shows, by phase count (and on the two-group
// model by grouping and group), in the order its instrument numbers them.
struct wiring_list {
    uint32_t model, phases;
    int grouping, group;
    std::vector<std::string> names;
};

std::vector<std::string> and_then(std::vector<std::string> names, const char* last)
{
    names.push_back(last);
    return names;
}

const std::vector<std::string> kTwoPhaseWirings = {"Single Phase 1", "2 Phase 2 Wattmeter", "3 Phase 2 Wattmeter",
                                                   "Single Phase 2"};
const std::vector<std::string> kThreePhaseWirings = {
    "Single Phase 1", "2 Phase 2 Wattmeter", "3 Phase 2 Wattmeter",          "3 Phase 3 Wattmeter",
    "Single Phase 2", "Single Phase 3",      "3 Phase 2 Wattmeter + Phase 3"};

const wiring_list kWiringLists[] = {
    {1, 1, 0, 0, {"Single Phase 1"}},     {1, 2, 0, 0, and_then(kTwoPhaseWirings, "Single Phase 1 + Phase 2")},
    {1, 3, 0, 0, and_then(kThreePhaseWirings, "Single Phase 1 + Phase 2")},
    {2, 1, 0, 0, {"Single Phase 1"}},     {2, 2, 0, 0, kTwoPhaseWirings},
    {2, 3, 0, 0, kThreePhaseWirings},     {4, 1, 0, 0, {"Single Phase 1"}},
    {4, 2, 0, 0, and_then(kTwoPhaseWirings, "Independent")},
    {4, 3, 0, 0, and_then(kThreePhaseWirings, "Independent")},
    {5, 1, 0, 0, {"Single Phase 1"}},     {5, 2, 0, 0, and_then(kTwoPhaseWirings, "Independent")},
    {5, 3, 0, 0, and_then(kThreePhaseWirings, "Independent")},
    {kTwoGroupModel, 3, 1, 0, kTwoPhaseWirings},
    {kTwoGroupModel, 3, 2, 0, kThreePhaseWirings},
    {kTwoGroupModel, 4, 0, 1,
     {"Single Phase 2", "2 Phase 2 Wattmeter", "3 Phase 2 Wattmeter", "3 Phase 3 Wattmeter", "Single Phase 3",
      "Single Phase 4", "3 Phase 2 Wattmeter + Phase 4"}},
    {kTwoGroupModel, 5, 1, 1, {"Single Phase 4", "2 Phase 2 Wattmeter", "3 Phase 2 Wattmeter", "Single Phase 5"}},
    {kTwoGroupModel, 6, 0, 1,
     {"Single Phase 4", "2 Phase 2 Wattmeter", "3 Phase 2 Wattmeter", "3 Phase 3 Wattmeter", "Single Phase 5",
      "Single Phase 6", "3 Phase 2 Wattmeter + Phase 6"}},
};

testing::Message wiring_case_name(const wiring_list& c)
{
    return testing::Message() << "model " << c.model << ", " << c.phases << " phases, grouping " << c.grouping
                              << ", group " << c.group;
}

} // namespace

// The wiring list by family and phase count, a third wider than its cell.
TEST_F(Acquisition, WiringListsFollowFamilyAndPhases)
{
    const struct {
        uint32_t model, phases;
        size_t count;
        const char* last;
    } cases[] = {
        {1, 1, 1, "Single Phase 1"}, {1, 2, 5, "Single Phase 1 + Phase 2"}, {1, 3, 8, "Single Phase 1 + Phase 2"},
        {2, 1, 1, "Single Phase 1"}, {2, 2, 4, "Single Phase 2"}, {2, 3, 7, "3 Phase 2 Wattmeter + Phase 3"},
        {4, 2, 5, "Independent"},    {5, 1, 1, "Single Phase 1"}, {5, 3, 8, "Independent"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("model " + std::to_string(c.model) + ", " + std::to_string(c.phases) + " phases");
        show(c.model, c.phases);
        ASSERT_EQ(texts(R_WIRING).size(), c.count);
        EXPECT_EQ(texts(R_WIRING).back(), c.last);
        EXPECT_EQ(SendMessageA(row_control(page(PAGE_ACQUISITION), R_WIRING), CB_GETDROPPEDWIDTH, 0, 0), 153);
    }
}

// The two-group model's wiring list (numbered from its group's first phase)
// by phases, grouping and group; its grouping list; and "Speed Input" among
// the references only while no group takes four phases.
TEST_F(Acquisition, TwoGroupListsFollowGroupingAndGroup)
{
    const struct {
        uint32_t phases;
        int grouping, group;
        size_t wirings;
        const char *first, *last;
        size_t groupings, references;
    } cases[] = {
        {4, 0, 1, 7, "Single Phase 2", "3 Phase 2 Wattmeter + Phase 4", 5, 3},
        {5, 1, 1, 4, "Single Phase 4", "Single Phase 5", 5, 3},
        {6, 4, 0, 7, "Single Phase 1", "3 Phase 2 Wattmeter + Phase 3", 5, 3},
        {6, 4, 1, 7, "Single Phase 1", "3 Phase 2 Wattmeter + Phase 3", 5, 3},
        {4, 3, 1, 1, "Single Phase 4", "Single Phase 4", 5, 2},
        {3, 1, 1, 1, "Single Phase 3", "Single Phase 3", 3, 3},
        {6, 1, 0, 7, "Single Phase 1", "3 Phase 2 Wattmeter + Phase 3", 5, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.phases) + " phases, grouping " + std::to_string(c.grouping) + ", group " +
                     std::to_string(c.group));
        attach_with(16, c.phases, {{23, c.grouping}}, 1);
        get_current_config_ptr(0)->set_value_int(23, c.grouping);
        set_current_active_group(c.group);
        show_page(page(PAGE_ACQUISITION), config_window());
        const std::vector<std::string> wirings = texts(R_WIRING);
        ASSERT_EQ(wirings.size(), c.wirings);
        EXPECT_EQ(wirings.front(), c.first);
        EXPECT_EQ(wirings.back(), c.last);
        EXPECT_EQ(texts(R_GROUPING).size(), c.groupings);
        EXPECT_EQ(texts(R_GROUPING).back(), "1+2+3 : 1+2+3");
        EXPECT_EQ(texts(R_REFERENCE).size(), c.references);
    }
}

// A wiring beyond its new list goes back to 0, stored only.
TEST_F(Acquisition, TwoGroupWiringBeyondItsListIsReset)
{
    show(16, 4, {{23, 0}, {82, 3}});
    EXPECT_EQ(get_current_config()->item_at(82)->value.integer, 0);
    EXPECT_EQ(shown_entry(PAGE_ACQUISITION, R_WIRING), 0);
}

// The phases of the frequency reference: the wiring's range, one short for
// wiring 6 on three phases, none where the wiring has no range.
TEST_F(Acquisition, PhaseListsFollowTheWiringsRange)
{
    const struct {
        uint32_t model, phases;
        int wiring;
        std::vector<std::string> listed;
    } cases[] = {{5, 3, 3, {"Phase 1", "Phase 2", "Phase 3"}}, {5, 3, 6, {"Phase 1", "Phase 2"}},
                 {5, 3, 4, {"Phase 2"}}, {2, 2, 5, {}}};
    for (const auto& c : cases) {
        show(c.model, c.phases, {{82, c.wiring}});
        EXPECT_EQ(texts(R_REFERENCE_PHASE), c.listed) << c.model << " wiring " << c.wiring;
    }
}

namespace {

// What a wiring, by its name, leaves the Ranging page and the frequency: the
// phases the frequency can be taken from (none: no phase row), and whether
// the Ranging page steps through the wiring's phases always, never (one
// phase), or with Independent Input.
enum class steps { always, never, with_independent_input };
struct wiring_meaning {
    const char* name;
    std::vector<std::string> frequency_phases;
    steps ranging;
};
const wiring_meaning kWiringMeanings[] = {
    {"Single Phase 1", {}, steps::never}, {"Single Phase 2", {}, steps::never}, {"Single Phase 3", {}, steps::never},
    {"2 Phase 2 Wattmeter", {"Phase 1", "Phase 2"}, steps::with_independent_input},
    {"3 Phase 2 Wattmeter", {"Phase 1", "Phase 2"}, steps::with_independent_input},
    {"3 Phase 3 Wattmeter", {"Phase 1", "Phase 2", "Phase 3"}, steps::with_independent_input},
    {"3 Phase 2 Wattmeter + Phase 3", {"Phase 1", "Phase 2"}, steps::always},
    {"Single Phase 1 + Phase 2", {}, steps::always}, {"Independent", {}, steps::always},
};

} // namespace

// Each wiring of a one-group family's list on two and three phases, with
// Independent Input off and on: the frequency's phase row offers the phases
// the wiring measures, none for a single phase or independent phases; the
// Ranging page steps to another phase where the wiring has phases to step
// through, and names its one phase where it has none.
TEST_F(Acquisition, WiringsStepThroughTheirPhasesOnRangingAndFrequency)
{
    for (const wiring_list& list : kWiringLists) {
        if (list.model == kTwoGroupModel || list.phases < 2)
            continue;
        attach_with(list.model, list.phases, {});
        for (int wiring = 0; wiring < static_cast<int>(list.names.size()); ++wiring) {
            const wiring_meaning* meaning =
                std::find_if(std::begin(kWiringMeanings), std::end(kWiringMeanings),
                             [&](const wiring_meaning& m) { return m.name == list.names[wiring]; });
            ASSERT_NE(meaning, std::end(kWiringMeanings)) << list.names[wiring];
            for (int independent_input : {0, 1}) {
                SCOPED_TRACE(wiring_case_name(list) << ", " << meaning->name << ", Independent Input "
                                                    << independent_input);
                get_current_config()->set_value_int(kItemWiring, wiring);
                get_current_config()->set_value_int(kItemRangingSkip, independent_input);
                show_page(page(PAGE_ACQUISITION), config_window());
                const bool phase_row =
                    shown_in(config_window(), row_control(page(PAGE_ACQUISITION), R_REFERENCE_PHASE));
                EXPECT_EQ(phase_row, !meaning->frequency_phases.empty());
                if (phase_row) {
                    EXPECT_EQ(texts(R_REFERENCE_PHASE), meaning->frequency_phases);
                }

                SendMessageA(config_window(), WM_COMMAND, MAKEWPARAM(IDC_CFG_PAGE_RANGE, BN_CLICKED), 0);
                deliver_posted_messages();
                HWND title = get_control_by_id(IDC_CFG_CONFIGURATION_LABEL);
                const std::string first = window_text(title);
                const bool next_phase = has_visible_style(get_control_by_id(IDC_CFG_ADVANCED_OPTIONS));
                EXPECT_EQ(next_phase, meaning->ranging == steps::always ||
                                          (meaning->ranging == steps::with_independent_input && independent_input));
                if (!next_phase) {
                    EXPECT_EQ(first, meaning->ranging == steps::never
                                         ? std::string("Configuration: Phase ") + list.names[wiring].back() + " Ranging"
                                         : "Configuration: Phase 1 Ranging");
                    continue;
                }
                SendMessageA(config_window(), WM_COMMAND, MAKEWPARAM(IDC_CFG_ADVANCED_OPTIONS, BN_CLICKED), 0);
                deliver_posted_messages();
                EXPECT_NE(window_text(title), first);
            }
        }
    }
}

// The rows each family places, in order.
TEST_F(Acquisition, RowsShownFollowTheWiringAndSettings)
{
    const rows_case cases[] = {
        {"independent at three phases", 5, 3, {{82, 7}}, {0, 1, 3, 4, 5, 14, 6, 7, 9, 11}},
        {"independent at two phases", 5, 2, {{82, 4}}, {0, 1, 3, 4, 5, 14, 6, 7, 9, 11}},
        {"WQT25 keeps the phase row", 2, 2, {{82, 4}}, {0, 1, 3, 4, 5, 8, 14, 6, 7, 9, 11}},
        {"gear ratio below the reference", 5, 3, {{82, 3}, {38, 2}}, {0, 1, 3, 4, 5, 13, 8, 14, 9, 11}},
        {"no wiring, no phase row", 4, 3, {{82, 0}}, {0, 1, 3, 4, 5, 14, 9, 11}},
        {"WQT15 wiring 6", 1, 3, {{82, 6}, {73, 1}}, {0, 1, 3, 4, 5, 8, 14, 7, 9, 11, 12}},
        {"WQT55 window at speed 5", 5, 3, {{82, 3}, {13, 5}, {14, 2}, {11, 1}}, {0, 1, 2, 3, 5, 8, 14, 9, 11, 12}},
        {"WQT55 speed 4 has no window", 5, 3, {{82, 3}, {13, 4}}, {0, 1, 3, 4, 5, 8, 14, 9, 11}},
        {"WQT25 at its largest", 2, 2, {{82, 4}, {13, 4}, {40, 0}, {54, 1}, {73, 1}},
         {0, 1, 2, 3, 4, 5, 8, 14, 6, 7, 9, 10, 11, 12}},
        {"WQT35 gear ratio in place of the phase row", 16, 3, {{23, 2}, {82, 3}, {38, 2}},
         {15, 0, 1, 3, 4, 5, 13, 14, 9, 11}, {{R_GEAR, "Gear Ratio"}}},
        {"WQT35 at five phases", 16, 5, {{23, 1}, {82, 3}}, {15, 0, 1, 3, 4, 5, 14, 9, 11}},
        {"WQT35 without a wiring of its own", 16, 6, {{23, 1}}, {15, 1, 3, 4, 5, 14, 9, 11}},
        {"WQT35 in mode 1", 16, 3, {{23, 2}, {82, 6}, {70, 1}}, {15, 0, 1, 3, 4, 5, 8, 14, 7, 9}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        expect_seen(PAGE_ACQUISITION, c.rows, [&] { show(c.model, c.phases, c.items); }, c.relabels);
        EXPECT_EQ(config_current_page, 0);
        EXPECT_TRUE(has_visible_style(get_control_by_id(IDC_CFG_ADVANCED_OPTIONS)));
    }
}

// A gear ratio shows as a number with its prefix and ":1" where the family
// says so, and is taken back with or without the ":1"; the WQT45 family
// shows and takes the stored text as it is, and refuses "3:1" with a message.
TEST_F(Acquisition, GearRatioShownAndTaken)
{
    const struct {
        uint32_t model;
        const char *stored, *shown, *typed, *taken;
        size_t messages;
    } cases[] = {
        {5, "2.5", "2.5000:1", "3:1", "3.0000E0", 0}, {5, "2500", "2.5000k:1", "4", "4.0000E0", 0},
        {5, "0", "0.000:1", "", "", 0},               {4, "2.5", "2.5", "2.5", "2.5000E0", 0},
        {4, "2.5", "2.5", "3:1", "2.5", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.model) + ": " + c.stored + ", " + c.typed);
        attach_with(c.model, 3, {{kItemFrequencyReference, 2}}); // the gear row shown
        get_current_config()->set_value_text(130, c.stored);
        show_page(page(PAGE_ACQUISITION), config_window());
        EXPECT_EQ(text(R_GEAR), c.shown);
        if (*c.typed == '\0')
            continue;
        msgbox::reset();
        type(PAGE_ACQUISITION, R_GEAR, c.typed);
        EXPECT_EQ(group_text(0, 130), c.taken);
        EXPECT_EQ(msgbox::shown().size(), c.messages);
    }
}

// While the mode item is 1 the low-frequency row shows and sets item 73.
TEST_F(Acquisition, LowFrequencyRowStandsForItem73InMode1)
{
    show(5, 3, {{70, 1}, {73, 0}, {11, 0}});
    choose(PAGE_ACQUISITION, R_LOW_FREQUENCY, 1);
    EXPECT_EQ(group_value(0, 73), 1);
    EXPECT_EQ(group_value(0, 11), 0);
}

namespace {

// The commands the main window of the wire tests was sent or posted.
std::vector<int> g_main_commands;

LRESULT CALLBACK recording_main_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_COMMAND)
        g_main_commands.push_back(LOWORD(wparam));
    return DefWindowProcA(window, message, wparam, lparam);
}

void no_wait(DWORD) {}

class AcquisitionOnTheWire : public PageTestOnTheWire {
protected:
    void SetUp() override
    {
        PageTestOnTheWire::SetUp();
        if (IsSkipped())
            return;
        g_main_commands.clear();
        recording_main_ = make_test_window("KestrovaRecordingMain", recording_main_proc);
        main_window = recording_main_;
        config_wait_ms = no_wait;
        AutoConfigs = 1;
    }
    void TearDown() override
    {
        config_wait_ms = nullptr;
        DestroyWindow(recording_main_);
        PageTestOnTheWire::TearDown();
    }
    void show(uint32_t model, uint32_t phases, const std::vector<item_set>& items, int group = 0)
    {
        attach_with(model, phases, items, group, 0, &link());
        show_page(page(PAGE_ACQUISITION), config_window());
        inst().clear_received();
    }
    // The group commands and item exchanges the instrument received.
    std::vector<std::string> trace()
    {
        std::vector<std::string> lines;
        for (const std::string& command : settled_commands(inst()))
            if (command.rfind("GROUP", 0) == 0 || command.rfind("config,", 0) == 0)
                lines.push_back(command);
        return lines;
    }
    HWND recording_main_ = nullptr;
};

} // namespace

// Every list that differs is written once, in the walk's order, whichever
// list was touched.
TEST_P(AcquisitionOnTheWire, DifferingListsAreWrittenInWalkOrder)
{
    show(5, 3, {{82, 3}, {13, 0}, {14, 0}, {53, 0}});
    choose(PAGE_ACQUISITION, R_ANGLE_REF, 1, false);
    choose(PAGE_ACQUISITION, R_SMOOTHING, 1, false);
    choose(PAGE_ACQUISITION, R_SPEED, 1);
    EXPECT_EQ(item_writes(inst()), (std::vector<std::string>{write_of(13, 1), write_of(14, 1), write_of(53, 1)}));
}

// A wiring change shows the page again (an edit's unsaved text goes) and has
// the main window rebuild its panels; a speed change only lays it out.
TEST_P(AcquisitionOnTheWire, WiringShowsAgainSpeedLaysOut)
{
    show(5, 3, {{82, 3}, {13, 0}});
    HWND window_edit = row_control(page(PAGE_ACQUISITION), R_WINDOW);
    SetWindowTextA(window_edit, "typed");
    choose(PAGE_ACQUISITION, R_SPEED, 5);
    EXPECT_EQ(window_text(window_edit), "typed");
    EXPECT_EQ(placed_rows(page(PAGE_ACQUISITION))[2], R_WINDOW);
    deliver_posted_messages();
    EXPECT_TRUE(g_main_commands.empty());

    choose(PAGE_ACQUISITION, R_WIRING, 4);
    EXPECT_NE(window_text(window_edit), "typed");
    deliver_posted_messages();
    EXPECT_EQ(g_main_commands, std::vector<int>{CMD_REFRESH_PANELS});
    EXPECT_EQ(item_writes(inst()), (std::vector<std::string>{write_of(13, 5), write_of(82, 4)}));
}

// The two-group wiring goes to both groups while they share phases, with no
// group switch, and reads back its frequency reference and efficiency.
TEST_P(AcquisitionOnTheWire, TwoGroupWiringAndItsReadBacks)
{
    for (const auto& [grouping, writes] : {std::pair<int, size_t>{4, 2}, {3, 1}}) {
        SCOPED_TRACE("grouping " + std::to_string(grouping));
        show(16, 4, {{23, grouping}, {82, 0}});
        get_current_config_ptr(1)->set_value_int(23, grouping);
        HWND phase = row_control(page(PAGE_ACQUISITION), R_REFERENCE_PHASE);
        if (phase && SendMessageA(phase, CB_GETCOUNT, 0, 0) > 1)
            choose(PAGE_ACQUISITION, R_REFERENCE_PHASE, other_entry(PAGE_ACQUISITION, R_REFERENCE_PHASE), false);
        choose(PAGE_ACQUISITION, R_WIRING, 1);
        EXPECT_EQ(item_writes(inst()), std::vector<std::string>(writes, write_of(82, 1)));
        EXPECT_EQ(item_reads(inst()), (std::vector<std::string>{"config,40?", "config,93?"}));
        for (const std::string& line : trace())
            EXPECT_NE(line.rfind("GROUP", 0), 0u) << line;
    }
}

// A frequency reference change clears the torque and speed setting in both
// groups.
TEST_P(AcquisitionOnTheWire, TwoGroupReferenceClearsTorqueSpeedInBothGroups)
{
    show(16, 3, {{23, 2}, {38, 0}, {84, 1}});
    get_current_config_ptr(1)->set_value_int(84, 1);
    choose(PAGE_ACQUISITION, R_REFERENCE, 1);
    EXPECT_EQ(item_writes(inst()), (std::vector<std::string>{write_of(38, 1), write_of(84, 0), write_of(84, 0)}));
    EXPECT_EQ(group_value(0, 84), 0);
    EXPECT_EQ(group_value(1, 84), 0);
}

// Grouping: each group selected, given it, read back and cleared of its
// frequency reference, the active group selected again, the main window
// refreshed; without auto-send only the switches and reads are sent.
TEST_P(AcquisitionOnTheWire, GroupingProcedureRunsThroughBothGroups)
{
    for (const bool auto_send : {true, false}) {
        SCOPED_TRACE(auto_send ? "auto-send" : "stored only");
        show(16, 4, {{23, 0}, {38, 1}}, 1);
        get_current_config_ptr(0)->set_value_int(38, 1);
        AutoConfigs = auto_send ? 1 : 0;
        get_current_instrument_selection()->needs_programming = 0;
        g_main_commands.clear();
        choose(PAGE_ACQUISITION, R_GROUPING, 3);
        std::vector<std::string> expected = {"GROUP,1", "GROUP?"};
        for (const char* group : {"GROUP,2", "GROUP,2"}) {
            if (auto_send)
                expected.push_back(write_of(23, 3));
            expected.insert(expected.end(), {"config,82?", "config,93?"});
            if (auto_send)
                expected.push_back(write_of(38, 0));
            expected.insert(expected.end(), {group, "GROUP?"});
        }
        EXPECT_EQ(trace(), expected);
        for (int group : {0, 1}) {
            EXPECT_EQ(group_value(group, 23), 3) << group;
            EXPECT_EQ(group_value(group, 38), 0) << group;
        }
        EXPECT_EQ(get_current_active_group(), 1);
        EXPECT_EQ(get_current_instrument_selection()->needs_programming, 1);
        EXPECT_NE(std::find(g_main_commands.begin(), g_main_commands.end(), CMD_REFRESH_CONNECTIONS),
                  g_main_commands.end());
    }
}

// Unanswered grouping reads (all three tries of the first wiring read) end
// nothing: the active group selected again, the cursor put back, the first
// failure told once.
TEST_P(AcquisitionOnTheWire, UnansweredReadsOfTheGroupingAreToldOnce)
{
    show(16, 4, {{23, 0}}, 1);
    set_read_timeout(200, &get_current_instrument());
    inst().add_rule({"config,82?", wqt_sim::action::silence, "", 0, 3});
    msgbox::reset();
    const HCURSOR before = GetCursor();
    choose(PAGE_ACQUISITION, R_GROUPING, 2);
    EXPECT_EQ(get_current_active_group(), 1);
    EXPECT_EQ(GetCursor(), before);
    const auto boxes = msgbox::shown();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Read Instrument Setup");
    EXPECT_EQ(boxes[0].text.rfind("An error occurred reading the config from the instrument \n(Id:82", 0), 0u)
        << boxes[0].text;
    EXPECT_EQ(trace().back(), "GROUP?");
}

// A group switch the instrument does not confirm (every "GROUP?" answered
// with one group) is told once and stops the procedure there: nothing set
// or read back after it, the way back to the active group quiet, the end as
// after failed reads.
TEST_P(AcquisitionOnTheWire, UnconfirmedGroupSwitchStopsTheGrouping)
{
    // The lines followed by a group's selection tried times times.
    const auto tries = [](std::vector<std::string> lines, const char* group, int times) {
        for (int i = 0; i < times; ++i)
            lines.insert(lines.end(), {group, "GROUP?"});
        return lines;
    };
    const struct {
        const char* answer;
        std::vector<std::string> trace;
        int group0_grouping;
    } cases[] = {
        {"2", tries(tries({}, "GROUP,1", 4), "GROUP,2", 1), 0},
        {"1", tries({"GROUP,1", "GROUP?", write_of(23, 2), "config,82?", "config,93?", write_of(38, 0)},
                    "GROUP,2", 8),
         2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("GROUP? answers ") + c.answer);
        show(16, 4, {{23, 0}}, 1);
        get_current_config_ptr(0)->set_value_int(23, 0);
        inst().clear_rules();
        inst().add_rule({"GROUP?", wqt_sim::action::reply, c.answer});
        get_current_instrument_selection()->needs_programming = 0;
        g_main_commands.clear();
        msgbox::reset();
        const HCURSOR before = GetCursor();
        choose(PAGE_ACQUISITION, R_GROUPING, 2);
        EXPECT_EQ(trace(), c.trace);
        EXPECT_EQ(msgbox::texts(),
                  std::vector<std::string>{"Unable to send commands to instrument, check connection"});
        EXPECT_EQ(group_value(0, 23), c.group0_grouping);
        EXPECT_EQ(group_value(1, 23), 0);
        EXPECT_EQ(get_current_active_group(), 1);
        EXPECT_EQ(GetCursor(), before);
        EXPECT_EQ(get_current_instrument_selection()->needs_programming, 1);
        EXPECT_NE(std::find(g_main_commands.begin(), g_main_commands.end(), CMD_REFRESH_CONNECTIONS),
                  g_main_commands.end());
    }
}

// Each family's Wiring list shows its wirings in its instrument's order, and
// a pick of each sends that wiring: a one-group instrument holds it under
// the number its three-phase list gives the name, the two-group one reads
// it back as the entry picked. (The numbering is no link's business: on the
// LAN only.)
class WiringOnTheWire : public AcquisitionOnTheWire {
protected:
    void pick_every_wiring(bool two_group)
    {
        for (const wiring_list& c : kWiringLists) {
            if ((c.model == kTwoGroupModel) != two_group)
                continue;
            SCOPED_TRACE(wiring_case_name(c));
            attach_with(c.model, c.phases, {}, 0, 0, &link());
            for (int group = 0; two_group && group < 2; ++group)
                get_current_config_ptr(group)->set_value_int(kItemGrouping, c.grouping);
            ASSERT_TRUE(set_active_group_and_switch(c.group, false));
            instrument_config& config = *get_current_config();
            config.set_value_int(kItemWiring, c.names.size() > 1 ? 1 : -1);
            show_page(page(PAGE_ACQUISITION), config_window());
            ASSERT_EQ(combo_texts(shown_control(config_window(), "Wiring")), c.names);
            // The three-phase list numbers a one-group family's wirings.
            const std::vector<std::string>& numbered =
                std::find_if(std::begin(kWiringLists), std::end(kWiringLists), [&c](const wiring_list& l) {
                    return l.model == c.model && l.phases == 3;
                })->names;
            for (int entry = 0; entry < static_cast<int>(c.names.size()); ++entry) {
                SCOPED_TRACE(c.names[entry]);
                inst().clear_received();
                choose_shown("Wiring", entry);
                EXPECT_EQ(shown_entry(PAGE_ACQUISITION, R_WIRING), entry);
                const std::vector<std::string> writes = item_writes(inst(), kItemWiring);
                const int held = std::stoi(inst().item(kItemWiring, inst().group() - 1));
                ASSERT_FALSE(writes.empty());
                EXPECT_EQ(writes, std::vector<std::string>(two_group ? writes.size() : 1, write_of(kItemWiring, held)));
                if (!two_group) {
                    EXPECT_EQ(held, std::find(numbered.begin(), numbered.end(), c.names[entry]) - numbered.begin());
                    continue;
                }
                config.set_value_int(kItemWiring, -1);
                config.read_item(kItemWiring, &link(), false, nullptr);
                EXPECT_EQ(value_in(config, kItemWiring), entry);
            }
        }
    }
};

TEST_P(WiringOnTheWire, EachOneGroupWiringReachesTheInstrument)
{
    pick_every_wiring(false);
}

TEST_P(WiringOnTheWire, EachTwoGroupWiringReadsBackAsPicked)
{
    pick_every_wiring(true);
}

INSTANTIATE_TEST_SUITE_P(Lan, WiringOnTheWire, testing::Values(link_kind::lan), link_kind_name);

INSTANTIATE_TEST_SUITE_P(Both, AcquisitionOnTheWire, testing::Values(link_kind::lan, link_kind::serial),
                         link_kind_name);

namespace {

// Rows of the Advanced Acquisition Control page.
enum : int { A_DFT, A_OVERLOAD, A_LOCK, A_FREQUENCY, A_HIGHSPEED, A_PROBE, A_WATTS, A_MINIMUM_WQT35, A_SYNC };

class Advanced : public PageTest {
protected:
    void show(uint32_t model, int lock)
    {
        attach_with(model, 3, {{7, lock}});
        show_page(page(PAGE_ADVANCED), config_window());
    }
};

} // namespace

// The rows of each family at each frequency lock.
TEST_F(Advanced, RowsFollowTheFrequencyLock)
{
    const struct {
        uint32_t model;
        int lock;
        std::vector<int> rows;
    } cases[] = {
        {1, 0, {0, 1, 2, 6, 9}},          {1, 1, {0, 1, 2, 3, 6, 9}},          {1, 2, {0, 1, 2, 6, 9}},
        {2, 0, {0, 1, 2, 4}},             {2, 1, {0, 1, 2, 3, 4}},             {2, 2, {0, 1, 2, 3, 4}},
        {16, 0, {0, 1, 2, 7, 4, 6, 8, 9}}, {16, 1, {0, 1, 2, 3, 7, 4, 6, 8, 9}},
        {5, 0, {0, 1, 2, 11, 4, 5, 6, 9, 10}}, {5, 1, {0, 1, 2, 3, 11, 4, 5, 6, 9, 10}},
        {4, 2, {0, 1, 2, 11, 4, 5, 6, 9, 10}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "model " << c.model << ", lock " << c.lock);
        expect_seen(PAGE_ADVANCED, c.rows, [&] { show(c.model, c.lock); });
        EXPECT_EQ(config_current_page, 1);
        EXPECT_EQ(window_text(get_control_by_id(IDC_CFG_ADVANCED_OPTIONS)), "< Return");
    }
}

// The WQT25 family's frequency row holds and takes the minimum frequency
// while the lock is dynamic.
TEST_F(Advanced, Wqt25xxDynamicLockShowsAndTakesTheMinimumFrequency)
{
    attach_with(2, 3, {{7, 2}});
    get_current_config()->set_value_text(69, "5.0000E-2");
    get_current_config()->set_value_text(48, "5.0000E1");
    show_page(page(PAGE_ADVANCED), config_window());
    EXPECT_EQ(window_text(row_control(page(PAGE_ADVANCED), A_FREQUENCY)), "5.0000E-2");
    type(PAGE_ADVANCED, A_FREQUENCY, "0.1");
    EXPECT_EQ(group_text(0, 69), "1.0000E-1");
    EXPECT_EQ(group_text(0, 48), "5.0000E1");
}

// Only a change of the lock shows the page again (the two-group model's
// high speed too); the synchronisation window lands in both groups.
TEST_F(Advanced, LockShowsAgainAndSynchronisationGoesToBothGroups)
{
    const struct {
        uint32_t model;
        int row;
        bool shown_again;
    } cases[] = {{5, A_DFT, false}, {5, A_WATTS, false}, {5, A_HIGHSPEED, false}, {5, A_LOCK, true},
                 {16, A_HIGHSPEED, true}, {16, A_DFT, false}};
    for (const auto& c : cases) {
        show(c.model, 1);
        HWND frequency = row_control(page(PAGE_ADVANCED), A_FREQUENCY);
        SetWindowTextA(frequency, "typed");
        choose(PAGE_ADVANCED, c.row, other_entry(PAGE_ADVANCED, c.row));
        EXPECT_EQ(window_text(frequency) != "typed", c.shown_again) << "model " << c.model << ", row " << c.row;
    }
    show(16, 0);
    get_current_config_ptr(0)->set_value_int(217, 0);
    get_current_config_ptr(1)->set_value_int(217, 0);
    choose(PAGE_ADVANCED, A_SYNC, 1);
    EXPECT_EQ(group_value(0, 217), 1);
    EXPECT_EQ(group_value(1, 217), 1);
}
