// The measurement-mode dispatch and three of its pages: which page each
// mode shows in each family, when item 1 goes to the instrument, the Mode
// list's options and choices, and the RMS Voltmeter, Phase Meter and
// Impedance Analyzer pages' rows, walks and groups.
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
#include "tests/support/msgbox_recorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using texts = std::vector<std::string>;

std::string title()
{
    return window_text(get_control_by_id(IDC_CFG_CONFIGURATION_LABEL));
}

void forget_modes_shown()
{
    std::fill(std::begin(last_mode_shown), std::end(last_mode_shown), -1);
}

void press_mode(HWND config_window)
{
    SendMessageA(config_window, WM_COMMAND, MAKEWPARAM(IDC_CFG_PAGE_MODE, BN_CLICKED), 0);
}

int value_of(int group, int item)
{
    int value = 0;
    return get_current_config_ptr(group)->get_value_int(item, value);
}

std::string text_of(int group, int item)
{
    std::string text;
    return get_current_config_ptr(group)->get_value_string(item, text);
}

class Modes : public PageTest {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        forget_modes_shown();
    }
    void show(page_kind kind, uint32_t model, std::vector<item_set> items = {}, int group = 0)
    {
        attach(model, 3);
        set_current_active_group(group);
        for (const item_set& set : items)
            get_current_config()->set_value_int(set.item, set.value);
        show_page(page(kind), config_window());
    }
};

} // namespace

// Each family's rows in its order: the WQT25 RMS Voltmeter is Mode and Low
// Blanking, the WQT35 one puts Crest Factor above Last Line; Smoothing
// "None" hides its response; the WQT25 Phase Meter is Computation and Offset
// whatever the smoothing; the WQT25 Impedance Analyzer has no Measurement.
TEST_F(Modes, EachFamilyPlacesItsRows)
{
    const struct {
        const char* what;
        page_kind kind;
        uint32_t model;
        std::vector<item_set> items;
        texts labels;
    } cases[] = {
        {"RMS WQT15", PAGE_RMS_VOLTMETER, 1, {}, {"Mode", "Rectified Mean", "Peak", "Last Line"}},
        {"RMS WQT25", PAGE_RMS_VOLTMETER, 2, {}, {"Mode", "Low Blanking"}},
        {"RMS WQT35", PAGE_RMS_VOLTMETER, 16, {}, {"Mode", "Rectified Mean", "Peak", "Crest Factor", "Last Line"}},
        {"RMS WQT45", PAGE_RMS_VOLTMETER, 4, {}, {"Mode", "Rectified Mean", "Peak", "Crest Factor"}},
        {"RMS WQT55", PAGE_RMS_VOLTMETER, 5, {}, {"Mode", "Rectified Mean", "Peak", "Crest Factor"}},
        {"Phase WQT15 normal", PAGE_PHASE_METER, 1, {{14, 0}},
         {"Mode", "Speed", "Smoothing", "Smoothing Response", "Computation"}},
        {"Phase WQT25 none", PAGE_PHASE_METER, 2, {{14, 2}}, {"Mode", "Computation", "Offset"}},
        {"Phase WQT35 none", PAGE_PHASE_METER, 16, {{14, 2}}, {"Mode", "Speed", "Smoothing", "Computation"}},
        {"Phase WQT45 slow", PAGE_PHASE_METER, 4, {{14, 1}},
         {"Mode", "Speed", "Smoothing", "Smoothing Response", "Computation"}},
        {"Phase WQT55 none", PAGE_PHASE_METER, 5, {{14, 2}}, {"Mode", "Speed", "Smoothing", "Computation"}},
        {"Impedance WQT15", PAGE_IMPEDANCE, 1, {}, {"Mode", "Parameter", "Measurement", "Phase Offset"}},
        {"Impedance WQT25", PAGE_IMPEDANCE, 2, {}, {"Mode", "Parameter", "Phase Offset"}},
        {"Impedance WQT35", PAGE_IMPEDANCE, 16, {}, {"Mode", "Parameter", "Measurement", "Phase Offset"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        show(c.kind, c.model, c.items);
        EXPECT_EQ(grid_labels(), c.labels);
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
        {6, "", 6, "Harmonic Analyzer"},
        {1, "", 7, "Oscilloscope"},
        {5, "TROSVALDEN,WQT5532,A00123,V2.15", 8, "Capture"},
        {5, "TROSVALDEN,WQT5533,A00123,V2.15", 9, "Flickermeter"},
        {5, "", 9, "Flickermeter"},
        {2, "", 7, "Oscilloscope"},
        {16, "", 7, "Oscilloscope"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("model " + std::to_string(c.model) + " " + c.idn);
        link_record link;
        clear_link_record(&link);
        std::snprintf(link.idn_reply, sizeof link.idn_reply, "%s", c.idn);
        attach_current_instrument(c.model, 3, 0, &link);
        for (page_kind kind : {PAGE_RMS_VOLTMETER, PAGE_PHASE_METER, PAGE_IMPEDANCE}) {
            show_page(page(kind), config_window());
            const texts shown = combo_texts(row_control(page(kind), 0));
            ASSERT_EQ(shown.size(), c.entries) << kind;
            EXPECT_EQ(shown.back(), c.last) << kind;
            EXPECT_EQ(get_current_config()->item_at(1)->options.size(), c.entries) << "stored as item 1's options";
        }
    }
}

// On the two-group model the lists "both" names reach both groups, the
// others (the mode among them) the active group only.
TEST_F(Modes, TwoGroupListsReachTheirGroups)
{
    const struct {
        page_kind kind;
        int row;
        int item;
        bool both;
    } cases[] = {
        {PAGE_RMS_VOLTMETER, 1, 144, true}, {PAGE_RMS_VOLTMETER, 2, 140, true},
        {PAGE_RMS_VOLTMETER, 5, 218, false}, {PAGE_RMS_VOLTMETER, 3, 143, true},
        {PAGE_PHASE_METER, 1, 13, false},   {PAGE_PHASE_METER, 4, 150, true},
        {PAGE_IMPEDANCE, 1, 137, true},      {PAGE_IMPEDANCE, 2, 138, true},
        {PAGE_IMPEDANCE, 0, 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("kind " + std::to_string(c.kind) + ", item " + std::to_string(c.item));
        show(c.kind, 16, {{1, c.kind == PAGE_IMPEDANCE ? 3 : 0}}, 1);
        const int before = value_of(0, c.item);
        const int chosen = other_entry(c.kind, c.row);
        choose(c.kind, c.row, chosen);
        EXPECT_EQ(value_of(1, c.item), chosen);
        EXPECT_EQ(value_of(0, c.item), c.both ? chosen : before);
    }
}

// A new smoothing lays the Phase Meter out at once and gives the focus back
// to its list; a new parameter lays the Impedance Analyzer out again, its
// rows where they were, but on the WQT15 family.
TEST_F(Modes, ChangesLayThePageOutAgain)
{
    show(PAGE_PHASE_METER, 5, {{14, 0}});
    HWND smoothing = row_control(page(PAGE_PHASE_METER), 2);
    choose(PAGE_PHASE_METER, 2, 2);
    EXPECT_EQ(grid_labels(), (texts{"Mode", "Speed", "Smoothing", "Computation"}));
    EXPECT_EQ(GetFocus(), smoothing);
    choose(PAGE_PHASE_METER, 2, 0);
    EXPECT_EQ(grid_map(page(PAGE_PHASE_METER)), (grid_rows{{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}}));

    const struct {
        uint32_t model;
        bool laid_out;
        grid_rows rows;
    } cases[] = {
        {4, true, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
        {2, true, {{0, 0}, {1, 1}, {2, 3}}},
        {1, false, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
    };
    for (const auto& c : cases) {
        show(PAGE_IMPEDANCE, c.model, {{137, 0}});
        HWND parameter = row_control(page(PAGE_IMPEDANCE), 1);
        SetFocus(config_window());
        choose(PAGE_IMPEDANCE, 1, 2);
        EXPECT_EQ(GetFocus() == parameter, c.laid_out) << c.model;
        EXPECT_EQ(grid_map(page(PAGE_IMPEDANCE)), c.rows) << c.model;
    }
}

// The two-group Phase Offset is stored in both groups once the first takes
// it; a text that is no number is refused once and stored in neither.
TEST_F(Modes, PhaseOffsetGoesToBothGroupsOrNeither)
{
    show(PAGE_IMPEDANCE, 16, {{1, 3}}, 1);
    type(PAGE_IMPEDANCE, 3, "12.5");
    EXPECT_NE(text_of(0, 139), "");
    EXPECT_EQ(text_of(1, 139), text_of(0, 139));

    const std::string before = text_of(0, 139);
    msgbox::reset();
    type(PAGE_IMPEDANCE, 3, "north");
    deliver_posted_messages();
    EXPECT_EQ(msgbox::shown().size(), 1u);
    EXPECT_EQ(text_of(0, 139), before);
    EXPECT_EQ(text_of(1, 139), before);
}

namespace {

class ModesOnTheWire : public PageTestOnTheWire {
protected:
    void SetUp() override
    {
        PageTestOnTheWire::SetUp();
        forget_modes_shown();
    }
    // The instrument on the simulated link with its items, nothing received
    // yet.
    void connect(uint32_t model, std::vector<item_set> items, const char* idn = "")
    {
        std::snprintf(link().idn_reply, sizeof link().idn_reply, "%s", idn);
        attach(model, 3, &link());
        for (const item_set& set : items)
            get_current_config()->set_value_int(set.item, set.value);
        inst().clear_received();
    }
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
// Analyzer); values from 6 on go out one higher; -1 is never written.
TEST_P(ModesOnTheWire, ModeButtonWritesTheModeOnce)
{
    const struct {
        const char* what;
        uint32_t model;
        int mode;
        const char* title;
        std::vector<std::string> writes;
    } cases[] = {
        {"WQT55 RMS", 5, 0, "Configuration: RMS Voltmeter", {"config,1,0"}},
        {"WQT35 Phase Meter", 16, 1, "Configuration: Phase Meter", {"config,1,1"}},
        {"WQT15 scope", 1, 6, "Configuration: Oscilloscope", {"config,1,7"}},
        {"WQT15 without scope", 6, 6, "Configuration: Power Analyzer", {"config,1,7"}},
        {"WQT55 scope", 5, 6, "Configuration: Oscilloscope", {"config,1,7"}},
        {"WQT55 mode 7", 5, 7, "Configuration: Fluctuating Harmonics", {"config,1,8"}},
        {"WQT25 mode 7", 2, 7, "Configuration: Power Analyzer", {"config,1,8"}},
        {"WQT55 mode 9", 5, 9, "Configuration: Power Analyzer", {"config,1,10"}},
        {"WQT45 mode -1", 4, -1, "Configuration: Power Analyzer", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        forget_modes_shown();
        connect(c.model, {{1, c.mode}});
        press_mode(config_window());
        EXPECT_EQ(title(), c.title);
        EXPECT_EQ(config_current_page, 8);
        press_mode(config_window());
        EXPECT_EQ(mode_writes(), c.writes);
    }
}

// Choosing another mode in the Mode list stores item 1 and shows its page:
// written once by the dispatch with auto-send off, twice with it on; the
// mode already stored does nothing.
TEST_P(ModesOnTheWire, ModeListChoiceShowsTheNewPage)
{
    const struct {
        int auto_send;
        int index;
        const char* title;
        size_t writes;
    } cases[] = {
        {0, 1, "Configuration: Phase Meter", 1},
        {1, 3, "Configuration: Impedance Analyzer", 2},
        {1, 0, "Configuration: RMS Voltmeter", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        connect(5, {{1, 0}});
        AutoConfigs = c.auto_send;
        press_mode(config_window());
        inst().clear_received();
        SetFocus(config_window());
        choose(PAGE_RMS_VOLTMETER, 0, c.index);
        EXPECT_EQ(GetFocus(), config_window()) << "the focus stays where it was";
        EXPECT_EQ(title(), c.title);
        EXPECT_EQ(value_of(0, 1), c.index);
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
    } cases[] = {
        {6, "", 6},
        {5, "TROSVALDEN,WQT5532,A00123,V2.15", 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        connect(c.model, {{1, c.mode}, {140, 0}}, c.idn);
        AutoConfigs = 1;
        show_page(page(PAGE_RMS_VOLTMETER), config_window());
        HWND modes = row_control(page(PAGE_RMS_VOLTMETER), 0);
        ASSERT_EQ(SendMessageA(modes, CB_GETCURSEL, 0, 0), CB_ERR);
        SendMessageA(config_window(), WM_COMMAND, MAKEWPARAM(kPageIdBase[PAGE_RMS_VOLTMETER], CBN_SELENDOK),
                     reinterpret_cast<LPARAM>(modes));
        choose(PAGE_RMS_VOLTMETER, 2, 1);
        EXPECT_EQ(item_writes(inst()), std::vector<std::string>{write_of(140, 1)});
        EXPECT_EQ(value_of(0, 1), c.mode);
        EXPECT_EQ(title(), "Configuration: RMS Voltmeter");
    }
}

// A refused mode write still shows the page, and MODE again does not try
// it again.
TEST_P(ModesOnTheWire, FailedModeWriteIsNotRetried)
{
    connect(4, {{1, 1}});
    inst().add_rule({"config,1,", wqt_sim::action::refuse, "", 0, -1});
    press_mode(config_window());
    EXPECT_EQ(title(), "Configuration: Phase Meter");
    const std::vector<std::string> tried = mode_writes();
    ASSERT_FALSE(tried.empty());
    EXPECT_EQ(get_current_config()->item_at(1)->changed, 1) << "the refused write leaves item 1 marked";
    inst().clear_received();
    press_mode(config_window());
    EXPECT_EQ(title(), "Configuration: Phase Meter");
    EXPECT_EQ(mode_writes(), std::vector<std::string>{});
}

// The lists of the pages write what changed, in the walk's order, and
// nothing for the entry already stored.
TEST_P(ModesOnTheWire, ListChangesWriteTheirItems)
{
    const struct {
        const char* what;
        page_kind kind;
        uint32_t model;
        std::vector<item_set> items;
        int row;
        int index;
        std::vector<std::string> writes;
    } cases[] = {
        {"WQT25 Computation", PAGE_PHASE_METER, 2, {{13, 0}, {14, 0}, {15, 0}, {150, 0}}, 4, 1, {"config,150,1"}},
        {"WQT15 Last Line", PAGE_RMS_VOLTMETER, 1, {{143, 0}}, 3, 2, {"config,143,2"}},
        {"WQT55 Peak as stored", PAGE_RMS_VOLTMETER, 5, {{140, 1}}, 2, 1, {}},
        {"WQT25 Low Blanking", PAGE_RMS_VOLTMETER, 2, {{5, 0}}, 4, 1, {"config,5,1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        show_on_wire(c.kind, c.model, 3, c.items);
        choose(c.kind, c.row, c.index);
        EXPECT_EQ(item_writes(inst()), c.writes);
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
    forget_modes_shown();
    attach(5, 3, &first_.link);
    get_current_config()->set_value_int(1, 0);
    second_.link.model_code = 5;
    second_.link.phase_count = 3;
    attach_instrument_to_slot(second_.link, 1);
    get_instrument_config_ptr(0, 1)->set_value_int(1, 1);

    const struct {
        int slot;
        const char* title;
    } steps[] = {{0, "Configuration: RMS Voltmeter"}, {1, "Configuration: Phase Meter"},
                 {0, "Configuration: RMS Voltmeter"}};
    for (const auto& step : steps) {
        first_.inst.clear_received();
        second_.inst.clear_received();
        set_current_instrument_index(step.slot);
        press_mode(config_window());
        EXPECT_EQ(title(), step.title);
        const wqt_sim::instrument& shown = step.slot == 0 ? first_.inst : second_.inst;
        const wqt_sim::instrument& other = step.slot == 0 ? second_.inst : first_.inst;
        EXPECT_EQ(item_writes(shown), std::vector<std::string>{write_of(1, step.slot)}) << step.slot;
        EXPECT_EQ(item_writes(other), std::vector<std::string>{}) << step.slot;
    }
}
