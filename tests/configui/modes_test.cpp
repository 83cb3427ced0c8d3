// The measurement-mode dispatch and the mode pages' layouts: which page each
// mode shows in each family, when item 1 goes to the instrument, the Mode
// list's options and choices, and the rows every mode page places.
#include "configui/pages/modes.h"

#include "config/instrument_config.h"
#include "configui/config_ids.h"
#include "configui/config_pages.h"
#include "configui/pages/page_kinds.h"
#include "frame/auto_configs.h"
#include "frame/control_tables.h"
#include "link/link_record.h"
#include "link/transport.h"
#include "slots/instrument_slots.h"
#include "tests/configui/page_fixture.h"
#include "tests/support/modal_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr const char* kWqt5532 = "TROSVALDEN,WQT5532,A00123,V2.15";
constexpr const char* kWqt5530 = "TROSVALDEN,WQT5530,A00123,V2.15";

std::string title()
{
    return window_text(get_control_by_id(IDC_CFG_CONFIGURATION_LABEL));
}

void press_mode(HWND config_window)
{
    SendMessageA(config_window, WM_COMMAND, MAKEWPARAM(IDC_CFG_PAGE_MODE, BN_CLICKED), 0);
}

struct mode_layout {
    const char* what;
    page_kind kind;
    uint32_t model;
    uint32_t phases;
    std::vector<item_set> items;
    std::vector<int> rows; // page rows in grid-row order from grid row 0
    int group = 0;
    const char* idn = nullptr;
};

using Modes = PageTest;

} // namespace

// Every mode page's rows by family and state (Phase Meter and Impedance
// Analyzer by their lists' changes below). RMS Voltmeter by family; the
// WQT25 Phase Meter whatever its smoothing; Power Analyzer by phases, wiring, display lines (82, 141, 142) and, on
// WQT35, grouping 23 and torque inputs 84 (THD and harmonic once each, the
// torque block past the grid); Power Integrator's time reference on WQT45
// and WQT55 independent wirings only; Harmonic Analyzer by Computation 99,
// wiring and grouping; Flickermeter by Measurement 125; Oscilloscope's
// Trigger Phase by family and WQT55 Capture Mode by model digit and item 70.
TEST_F(Modes, EachFamilyPlacesItsRows)
{
    constexpr page_kind R = PAGE_RMS_VOLTMETER, P = PAGE_PHASE_METER, A = PAGE_POWER_ANALYZER;
    constexpr page_kind I = PAGE_INTEGRATOR, H = PAGE_HARMONIC, O = PAGE_OSCILLOSCOPE;
    const mode_layout cases[] = {
        {"RMS 15xx", R, 1, 3, {}, {0, 1, 2, 3}},
        {"RMS 25xx", R, 2, 3, {}, {0, 4}},
        {"RMS 35xx", R, 16, 3, {}, {0, 1, 2, 5, 3}},
        {"RMS 55xx", R, 5, 3, {}, {0, 1, 2, 5}},
        {"Phase 25xx none", P, 2, 3, {{14, 2}}, {0, 4, 5}},
        {"PA 55xx, 3 phases, wiring 3", A, 5, 3, {{82, 3}}, {0, 1, 2, 3, 4, 9, 5, 6, 7, 8}},
        {"PA 55xx, 2 phases, wiring 4", A, 5, 2, {{82, 4}}, {0, 1, 2, 3, 5, 7, 8}},
        {"PA 45xx, 1 phase", A, 4, 1, {{82, 0}}, {0, 1, 2, 3, 5, 8}},
        {"PA 25xx, wiring 3", A, 2, 3, {{82, 3}}, {0, 1, 2, 3, 4, 5, 6, 7}},
        {"PA 25xx, wiring 6", A, 2, 3, {{82, 6}}, {0, 1, 2, 3, 4, 9, 5, 7}},
        {"PA 15xx, THD and harmonic", A, 1, 3, {{82, 7}, {142, 5}, {141, 7}}, {0, 2, 1, 4, 11, 10, 5, 3, 8}},
        {"PA 15xx, efficiency and conversion", A, 1, 2, {{82, 1}, {142, 3}, {141, 1}},
         {0, 2, 1, 9, 11, 10, 7, 6, 8}},
        {"PA 15xx, last line 8", A, 1, 2, {{82, 2}, {142, 8}, {141, 0}}, {0, 2, 1, 4, 9, 11, 10, 7, 8}},
        {"PA 35xx, THD once", A, 16, 3, {{23, 0}, {82, 3}, {84, 0}, {141, 5}, {142, 6}},
         {0, 2, 1, 4, 9, 8, 6, 7, 11, 5, 10, 12}},
        {"PA 35xx, harmonic once, torque past the grid", A, 16, 3, {{23, 0}, {82, 3}, {84, 2}, {141, 7}, {142, 7}},
         {0, 2, 1, 4, 9, 8, 6, 7, 11, 3, 10, 12, 14, 13, 16}},
        {"PA 35xx, last line's THD, no efficiency", A, 16, 4, {{23, 3}, {82, 0}, {84, 3}, {141, 0}, {142, 5}},
         {0, 2, 1, 8, 6, 11, 10, 5, 12, 14, 13, 16, 15}},
        {"Integrator 45xx independent", I, 4, 2, {{82, 4}}, {0, 1, 2, 3, 4}},
        {"Integrator 45xx wiring 3", I, 4, 2, {{82, 3}}, {0, 1, 2, 3}},
        {"Integrator 55xx, 4 phases", I, 5, 4, {{82, 7}}, {0, 1, 2, 3}},
        {"Integrator 25xx wiring 4", I, 2, 2, {{82, 4}}, {0, 1, 2, 3}},
        {"Harmonic 55xx c 0", H, 5, 3, {{99, 0}, {82, 3}}, {0, 1, 9, 12}},
        {"Harmonic 55xx c 9, 3 wattmeters", H, 5, 3, {{99, 9}, {82, 3}},
         {0, 1, 2, 13, 5, 9, 10, 6, 7, 3, 8, 4, 12}},
        {"Harmonic 55xx c 7", H, 5, 3, {{99, 7}, {82, 3}}, {0, 1, 11, 9, 10, 12}},
        {"Harmonic 55xx c 4, 2 phases", H, 5, 2, {{99, 4}, {82, 1}}, {0, 1, 2, 5, 9, 10, 6, 7, 3, 8, 4, 12}},
        {"Harmonic 45xx c 9, 1 phase", H, 4, 1, {{99, 9}, {82, 1}}, {0, 1, 13, 5, 9, 10, 6, 7, 3, 8}},
        {"Harmonic 35xx 6 phases joined", H, 16, 6, {{23, 3}, {99, 1}}, {0, 9}},
        {"Harmonic 35xx c 8", H, 16, 3, {{23, 2}, {82, 3}, {99, 8}}, {0, 1, 13, 5, 9, 10, 6, 7, 4}},
        {"Harmonic 35xx c 4, group 1", H, 16, 4, {{23, 0}, {82, 3}, {99, 4}}, {0, 1, 5, 9, 10, 6, 7}},
        {"Harmonic 35xx c 4, group 2", H, 16, 4, {{23, 0}, {82, 3}, {99, 4}}, {0, 1, 5, 9, 10, 6, 7, 4}, 1},
        {"Harmonic 35xx wiring 1, 5 phases", H, 16, 5, {{23, 0}, {82, 1}, {99, 1}}, {0, 1, 9, 10, 6, 7, 4}},
        {"Harmonic 25xx c 4", H, 2, 3, {{99, 4}}, {0, 1, 5, 9, 10, 6}},
        {"Harmonic 15xx c 1", H, 1, 3, {{99, 1}}, {0, 1, 9, 10, 6, 7}},
        {"Fluctuating", PAGE_FLUCTUATING, 5, 3, {{98, 1}}, {0, 1, 2, 3}},
        {"Flicker voltage", PAGE_FLICKERMETER, 5, 3, {{125, 0}}, {0, 1, 4, 2, 3, 5}},
        {"Flicker current", PAGE_FLICKERMETER, 5, 3, {{125, 1}}, {0, 1, 4, 2, 3}},
        {"Scope 55xx digit 2, 70 = 0", O, 5, 3, {{70, 0}}, {0, 1, 2, 4, 5, 6, 7, 8, 9, 10}, 0, kWqt5532},
        {"Scope 55xx digit 2, 70 = 8", O, 5, 3, {{70, 8}}, {0, 11, 1, 2, 4, 5, 6, 7, 8, 9, 10}, 0, kWqt5532},
        {"Scope 55xx digit 0, 70 = 8", O, 5, 3, {{70, 8}}, {0, 1, 2, 4, 5, 6, 7, 8, 9, 10}, 0, kWqt5530},
        {"Scope 55xx no identification", O, 5, 3, {{70, 8}}, {0, 1, 2, 4, 5, 6, 7, 8, 9, 10}},
        {"Scope 35xx", O, 16, 3, {}, {0, 1, 2, 4, 5, 6, 7, 8, 9, 10}},
        {"Scope 25xx", O, 2, 3, {}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"Scope 15xx", O, 1, 3, {}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        show_with(c.kind, c.model, c.phases, c.items, c.group, c.idn);
        EXPECT_EQ(grid_map(page(c.kind)), rows_from_top(c.rows));
        EXPECT_EQ(config_current_page, 8);
    }
}

// The Mode list: the WQT15 model without an oscilloscope has six modes, the
// other seven; a WQT55 instrument whose model digit is 2 ends with
// "Capture", any other (or one without an identification) with the two
// WQT55 modes; the families between keep the configuration's seven.
TEST_F(Modes, ModeListsFollowTheInstrument)
{
    const struct {
        uint32_t model;
        const char* idn;
        size_t entries;
        const char* last;
    } cases[] = {
        {6, nullptr, 6, "Harmonic Analyzer"}, {1, nullptr, 7, "Oscilloscope"}, {5, kWqt5532, 8, "Capture"},
        {5, kWqt5530, 9, "Flickermeter"},     {5, nullptr, 9, "Flickermeter"}, {16, nullptr, 7, "Oscilloscope"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "model " << c.model << " " << (c.idn ? c.idn : ""));
        for (page_kind kind : {PAGE_RMS_VOLTMETER, PAGE_PHASE_METER, PAGE_IMPEDANCE}) {
            show_with(kind, c.model, 3, {}, 0, c.idn);
            const std::vector<std::string> shown = combo_texts(row_control(page(kind), 0));
            ASSERT_EQ(shown.size(), c.entries) << kind;
            EXPECT_EQ(shown.back(), c.last) << kind;
            EXPECT_EQ(get_current_config()->item_at(1)->options.size(), c.entries) << "stored as item 1's options";
        }
    }
}

namespace {

class ModesOnTheWire : public PageTestOnTheWire {
protected:
    std::vector<std::string> mode_writes()
    {
        std::vector<std::string> writes;
        for (const std::string& write : item_writes(inst()))
            if (write.rfind("config,1,", 0) == 0)
                writes.push_back(write);
        return writes;
    }
};

} // namespace

// MODE writes item 1 once, with auto-send off, and a second MODE writes
// nothing; each value's page by family (the WQT15 oscilloscope only on
// model code 1; 7 and 8 the WQT55 family's only; anything else the Power
// Analyzer); values from 6 on go out one higher; -1 is never written. A
// refused write still shows the page, leaves item 1 marked, and is not
// tried again.
TEST_P(ModesOnTheWire, ModeButtonWritesTheModeOnce)
{
    const struct {
        uint32_t model;
        int mode;
        const char* title;
        std::vector<std::string> writes;
        bool refused = false;
    } cases[] = {
        {5, 0, "RMS Voltmeter", {"config,1,0"}},          {16, 1, "Phase Meter", {"config,1,1"}},
        {1, 6, "Oscilloscope", {"config,1,7"}},           {6, 6, "Power Analyzer", {"config,1,7"}},
        {5, 6, "Oscilloscope", {"config,1,7"}},           {5, 7, "Fluctuating Harmonics", {"config,1,8"}},
        {2, 7, "Power Analyzer", {"config,1,8"}},         {5, 9, "Power Analyzer", {"config,1,10"}},
        {4, -1, "Power Analyzer", {}},                    {4, 1, "Phase Meter", {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "model " << c.model << ", mode " << c.mode);
        std::fill(std::begin(last_mode_shown), std::end(last_mode_shown), -1);
        connect_sim(c.model, 3, {{1, c.mode}});
        if (c.refused)
            inst().add_rule({"config,1,", wqt_sim::action::refuse, "", 0, -1});
        press_mode(config_window());
        EXPECT_EQ(title(), std::string("Configuration: ") + c.title);
        EXPECT_EQ(config_current_page, 8);
        const std::vector<std::string> first = mode_writes();
        inst().clear_received();
        press_mode(config_window());
        EXPECT_EQ(title(), std::string("Configuration: ") + c.title);
        EXPECT_EQ(mode_writes(), std::vector<std::string>{});
        if (c.refused) { // tried, the link retrying it itself
            EXPECT_FALSE(first.empty());
            EXPECT_EQ(get_current_config()->item_at(1)->changed, 1);
        } else {
            EXPECT_EQ(first, c.writes);
        }
    }
}

// Choosing another mode in the Mode list stores item 1 and shows its page,
// the focus left where it was: written once by the dispatch with auto-send
// off, twice with it on; the mode already stored does nothing.
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
        EXPECT_EQ(mode_writes(), std::vector<std::string>(c.writes, write_of(1, c.index)));
    }
}

// A Mode list without a selection (mode 6 on the WQT15 model without an
// oscilloscope, a mode beyond the capture variant's list) never sets item
// 1: neither its own notification nor another list's change writes it.
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

INSTANTIATE_TEST_SUITE_P(Both, ModesOnTheWire, testing::Values(link_kind::lan, link_kind::serial), link_kind_name);

namespace {

// Two instruments of one family on their own simulated links, in slots 0
// and 1.
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

// The mode shown last is the family's, not the instrument's: each change of
// instrument with another mode writes that instrument's mode to it.
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
