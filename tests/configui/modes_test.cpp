// The measurement-mode dispatch (which page each mode shows, when item 1 is
// written, the Mode list) and the rows every mode page places.
#include "configui/pages/modes.h"

#include "config/instrument_config.h"
#include "configui/engine/config_ids.h"
#include "configui/engine/config_pages.h"
#include "configui/engine/page_kinds.h"
#include "frame/auto_configs.h"
#include "frame/control_tables.h"
#include "link/link_record.h"
#include "link/transport.h"
#include "slots/instrument_slots.h"
#include "tests/configui/page_fixture.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/msgbox_recorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr const char* kWqt5532 = "TROSVALDEN,WQT5532,A00123,V2.15";
constexpr const char* kWqt5530 = "TROSVALDEN,WQT5530,A00123,V2.15";
// A mode the instrument refused, as told with auto-send on.
constexpr const char* kModeNotWritten =
    "[Write Instrument Setup] An error occurred writing the config to the instrument \n(Id:1 [Mode] ret:32)";

std::string title()
{
    return window_text(get_control_by_id(IDC_CFG_CONFIGURATION_LABEL));
}

void press_mode(HWND config_window)
{
    SendMessageA(config_window, WM_COMMAND, MAKEWPARAM(IDC_CFG_PAGE_MODE, BN_CLICKED), 0);
}

using Modes = PageTest;

} // namespace

// Every mode page's rows by family and state (Phase Meter and Impedance
// Analyzer by their lists' changes in harmonic_test.cpp): Power Analyzer on
// WQT35 with THD and harmonic once each, the torque block past the grid; the
// time reference on WQT45 and WQT55 independent wirings only; WQT55 Capture
// Mode by model digit and item 70.
TEST_F(Modes, EachFamilyPlacesItsRows)
{
    constexpr page_kind R = PAGE_RMS_VOLTMETER, P = PAGE_PHASE_METER, A = PAGE_POWER_ANALYZER;
    constexpr page_kind I = PAGE_INTEGRATOR, H = PAGE_HARMONIC, O = PAGE_OSCILLOSCOPE;
    const struct {
        const char* what;
        page_kind kind;
        uint32_t model;
        uint32_t phases;
        std::vector<item_set> items;
        std::vector<int> rows; // page rows from grid row 0 down
        int group = 0;
        const char* idn = nullptr;
        std::vector<relabel> relabels = {}; // the torque and speed rows by item 84
    } cases[] = {
        {"R15", R, 1, 3, {}, {0, 1, 2, 3}}, {"R25", R, 2, 3, {}, {0, 4}},
        {"R35", R, 16, 3, {}, {0, 1, 2, 5, 3}}, {"R55", R, 5, 3, {}, {0, 1, 2, 5}},
        {"Phase 25 none", P, 2, 3, {{14, 2}}, {0, 4, 5}},
        {"PA55, 3 phases, wiring 3", A, 5, 3, {{82, 3}}, {0, 1, 2, 3, 4, 9, 5, 6, 7, 8}},
        {"PA55, 2 phases, wiring 4", A, 5, 2, {{82, 4}}, {0, 1, 2, 3, 5, 7, 8}},
        {"PA45, 1 phase", A, 4, 1, {{82, 0}}, {0, 1, 2, 3, 5, 8}},
        {"PA25, wiring 3", A, 2, 3, {{82, 3}}, {0, 1, 2, 3, 4, 5, 6, 7}},
        {"PA25, wiring 6", A, 2, 3, {{82, 6}}, {0, 1, 2, 3, 4, 9, 5, 7}},
        {"PA15, THD and harmonic", A, 1, 3, {{82, 7}, {142, 5}, {141, 7}}, {0, 2, 1, 4, 11, 10, 5, 3, 8}},
        {"PA15, efficiency and conversion", A, 1, 2, {{82, 1}, {142, 3}, {141, 1}},
         {0, 2, 1, 9, 11, 10, 7, 6, 8}},
        {"PA35, THD once", A, 16, 3, {{23, 0}, {82, 3}, {84, 0}, {141, 5}, {142, 6}},
         {0, 2, 1, 4, 9, 8, 6, 7, 11, 5, 10, 12}},
        {"PA35, harmonic once, torque past the grid", A, 16, 3, {{23, 0}, {82, 3}, {84, 2}, {141, 7}, {142, 7}},
         {0, 2, 1, 4, 9, 8, 6, 7, 11, 3, 10, 12, 14, 13, 16}, 0, nullptr,
         {{14, "Scale Factor Nm/V"}, {16, "Scale Factor pulses/rev"}}},
        {"PA35, last line's THD, no efficiency", A, 16, 4, {{23, 3}, {82, 0}, {84, 3}, {141, 0}, {142, 5}},
         {0, 2, 1, 8, 6, 11, 10, 5, 12, 14, 13, 16, 15}, 0, nullptr, {{16, "Scale Factor rpm/V"}}},
        {"I45 independent", I, 4, 2, {{82, 4}}, {0, 1, 2, 3, 4}}, {"I45 wiring 3", I, 4, 2, {{82, 3}}, {0, 1, 2, 3}},
        {"I25 wiring 4", I, 2, 2, {{82, 4}}, {0, 1, 2, 3}}, {"H55 c 0", H, 5, 3, {{99, 0}, {82, 3}}, {0, 1, 9, 12}},
        {"H55 c 9, 3 wattmeters", H, 5, 3, {{99, 9}, {82, 3}},
         {0, 1, 2, 13, 5, 9, 10, 6, 7, 3, 8, 4, 12}},
        {"H55 c 7", H, 5, 3, {{99, 7}, {82, 3}}, {0, 1, 11, 9, 10, 12}},
        {"H45 c 9, 1 phase", H, 4, 1, {{99, 9}, {82, 1}}, {0, 1, 13, 5, 9, 10, 6, 7, 3, 8}},
        {"H35 6 phases joined", H, 16, 6, {{23, 3}, {99, 1}}, {0, 9}},
        {"H35 c 8", H, 16, 3, {{23, 2}, {82, 3}, {99, 8}}, {0, 1, 13, 5, 9, 10, 6, 7, 4}},
        {"H35 c 4, group 1", H, 16, 4, {{23, 0}, {82, 3}, {99, 4}}, {0, 1, 5, 9, 10, 6, 7}},
        {"H35 c 4, group 2", H, 16, 4, {{23, 0}, {82, 3}, {99, 4}}, {0, 1, 5, 9, 10, 6, 7, 4}, 1},
        {"H25 c 4", H, 2, 3, {{99, 4}}, {0, 1, 5, 9, 10, 6}},
        {"Fluctuating", PAGE_FLUCTUATING, 5, 3, {{98, 1}}, {0, 1, 2, 3}},
        {"F voltage", PAGE_FLICKERMETER, 5, 3, {{125, 0}}, {0, 1, 4, 2, 3, 5}},
        {"F current", PAGE_FLICKERMETER, 5, 3, {{125, 1}}, {0, 1, 4, 2, 3}},
        {"O55 digit 2 70=0", O, 5, 3, {{70, 0}}, {0, 1, 2, 4, 5, 6, 7, 8, 9, 10}, 0, kWqt5532},
        {"O55 digit 2 70=8", O, 5, 3, {{70, 8}}, {0, 11, 1, 2, 4, 5, 6, 7, 8, 9, 10}, 0, kWqt5532},
        {"O55 digit 0 70=8", O, 5, 3, {{70, 8}}, {0, 1, 2, 4, 5, 6, 7, 8, 9, 10}, 0, kWqt5530},
        {"O55 no idn", O, 5, 3, {{70, 8}}, {0, 1, 2, 4, 5, 6, 7, 8, 9, 10}},
        {"O35", O, 16, 3, {}, {0, 1, 2, 4, 5, 6, 7, 8, 9, 10}}, {"O25", O, 2, 3, {}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"O15", O, 1, 3, {}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        expect_seen(c.kind, rows_from_top(c.rows),
                    [&] { show_with(c.kind, c.model, c.phases, c.items, c.group, c.idn); }, c.relabels);
        EXPECT_EQ(config_current_page, 8);
    }
}

// The Mode list, stored as item 1's options: six modes on the WQT15 model
// without an oscilloscope; "Capture" last on a WQT55 of model digit 2.
TEST_F(Modes, ModeListsFollowTheInstrument)
{
    const struct {
        uint32_t model;
        const char* idn;
        size_t entries;
        const char* last;
    } cases[] = {
        {6, nullptr, 6, "Harmonic Analyzer"}, {1, nullptr, 7, "Oscilloscope"}, {5, kWqt5532, 8, "Capture"},
        {5, kWqt5530, 9, "Flickermeter"},     {5, nullptr, 9, "Flickermeter"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "model " << c.model << " " << (c.idn ? c.idn : ""));
        for (page_kind kind : {PAGE_RMS_VOLTMETER, PAGE_PHASE_METER, PAGE_IMPEDANCE}) {
            show_with(kind, c.model, 3, {}, 0, c.idn);
            const std::vector<std::string> shown = combo_texts(row_control(page(kind), 0));
            ASSERT_EQ(shown.size(), c.entries) << kind;
            EXPECT_EQ(shown.back(), c.last) << kind;
            EXPECT_EQ(get_current_config()->item_at(1)->options.size(), c.entries);
        }
    }
}

using ModesOnTheWire = PageTestOnTheWire;

// MODE writes item 1 once, auto-send off, a second MODE nothing; values from
// 6 on go out one higher; -1 is never written. A refused write still shows
// the page, leaves item 1 marked, and is not tried again; with auto-send on
// it is told, once.
TEST_P(ModesOnTheWire, ModeButtonWritesTheModeOnce)
{
    const struct {
        uint32_t model;
        int mode;
        const char* title;
        std::vector<std::string> writes;
        bool refused = false;
        int auto_send = 0;
    } cases[] = {
        {5, 0, "RMS Voltmeter", {"config,1,0"}},          {16, 1, "Phase Meter", {"config,1,1"}},
        {1, 6, "Oscilloscope", {"config,1,7"}},           {6, 6, "Power Analyzer", {"config,1,7"}},
        {5, 6, "Oscilloscope", {"config,1,7"}},           {5, 7, "Fluctuating Harmonics", {"config,1,8"}},
        {2, 7, "Power Analyzer", {"config,1,8"}},         {5, 9, "Power Analyzer", {"config,1,10"}},
        {4, -1, "Power Analyzer", {}},                    {4, 1, "Phase Meter", {}, true},
        {5, 2, "Power Analyzer", {}, true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "model " << c.model << ", mode " << c.mode);
        std::fill(std::begin(last_mode_shown), std::end(last_mode_shown), -1);
        connect_sim(c.model, 3, {{1, c.mode}});
        AutoConfigs = c.auto_send;
        if (c.refused)
            inst().add_rule({"config,1,", wqt_sim::action::refuse, "", 0, -1});
        msgbox::reset();
        press_mode(config_window());
        EXPECT_EQ(told_texts(), c.auto_send && c.refused ? std::vector<std::string>{kModeNotWritten}
                                                         : std::vector<std::string>{});
        EXPECT_EQ(title(), std::string("Configuration: ") + c.title);
        EXPECT_EQ(config_current_page, 8);
        const std::vector<std::string> first = item_writes(inst(), 1);
        inst().clear_received();
        press_mode(config_window());
        EXPECT_EQ(title(), std::string("Configuration: ") + c.title);
        EXPECT_EQ(item_writes(inst(), 1), std::vector<std::string>{});
        if (c.refused) { // tried, the link retrying it itself
            EXPECT_FALSE(first.empty());
            EXPECT_EQ(get_current_config()->item_at(1)->changed, 1);
        } else {
            EXPECT_EQ(first, c.writes);
        }
    }
}

// Another mode in the Mode list is stored and its page shown, the focus
// left where it was: written once with auto-send off, twice with it on.
TEST_P(ModesOnTheWire, ModeListChoiceShowsTheNewPage)
{
    const struct {
        int auto_send;
        int index;
        const char* title;
        size_t writes;
    } cases[] = {{0, 1, "Phase Meter", 1}, {1, 3, "Impedance Analyzer", 2}, {1, 0, "RMS Voltmeter", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        connect_sim(5, 3, {{1, 0}});
        AutoConfigs = c.auto_send;
        press_mode(config_window());
        inst().clear_received();
        SetFocus(config_window());
        choose(PAGE_RMS_VOLTMETER, 0, c.index);
        EXPECT_EQ(GetFocus(), config_window());
        EXPECT_EQ(title(), std::string("Configuration: ") + c.title);
        EXPECT_EQ(group_value(0, 1), c.index);
        EXPECT_EQ(item_writes(inst(), 1), std::vector<std::string>(c.writes, write_of(1, c.index)));
    }
}

// A Mode list without a selection never sets item 1: neither its own
// notification nor another list's change writes it.
TEST_P(ModesOnTheWire, ModeListWithoutSelectionLeavesTheMode)
{
    const struct {
        uint32_t model;
        const char* idn;
        int mode;
    } cases[] = {{6, nullptr, 6}, {5, kWqt5532, 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        connect_sim(c.model, 3, {{1, c.mode}, {140, 0}}, c.idn);
        AutoConfigs = 1;
        show_page(page(PAGE_RMS_VOLTMETER), config_window());
        ASSERT_EQ(shown_entry(PAGE_RMS_VOLTMETER, 0), CB_ERR);
        notify_row(PAGE_RMS_VOLTMETER, 0, CBN_SELENDOK);
        choose(PAGE_RMS_VOLTMETER, 2, 1);
        EXPECT_EQ(item_writes(inst()), std::vector<std::string>{write_of(140, 1)});
        EXPECT_EQ(group_value(0, 1), c.mode);
        EXPECT_EQ(title(), "Configuration: RMS Voltmeter");
    }
}

INSTANTIATE_ON_BOTH_LINKS(ModesOnTheWire);

namespace {

// Two instruments of one family on their own links, in slots 0 and 1.
class ModesOfTwoInstruments : public PageTest {
protected:
    void TearDown() override
    {
        link_record cleared;
        clear_link_record(&cleared);
        attach_instrument_to_slot(cleared, 1);
        set_current_instrument_index(0);
        PageTest::TearDown();
    }
    lan_sim first_;
    lan_sim second_;
};

} // namespace

// Each change of instrument with another mode writes that one's mode to it.
TEST_F(ModesOfTwoInstruments, EachInstrumentGetsItsModeWhenShown)
{
    ASSERT_TRUE(first_.ok() && second_.ok()) << "no free loopback address";
    attach(5, 3, &first_.link);
    get_current_config()->set_value_int(1, 0);
    second_.link.model_code = 5;
    second_.link.phase_count = 3;
    attach_instrument_to_slot(second_.link, 1);
    get_instrument_config_ptr(0, 1)->set_value_int(1, 1);
    for (int slot : {0, 1, 0}) {
        first_.inst.clear_received();
        second_.inst.clear_received();
        set_current_instrument_index(slot);
        press_mode(config_window());
        EXPECT_EQ(title(), slot == 0 ? "Configuration: RMS Voltmeter" : "Configuration: Phase Meter");
        EXPECT_EQ(item_writes(slot == 0 ? first_.inst : second_.inst), std::vector<std::string>{write_of(1, slot)});
        EXPECT_EQ(item_writes(slot == 0 ? second_.inst : first_.inst), std::vector<std::string>{});
    }
}
