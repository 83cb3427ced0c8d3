// The control-state refresh on the real main window: the state at creation,
// the corrections of the results layout and the Measure view, window states
// for the run and connection states the rules tell apart, the two
// programmatic clicks, and the Tab order.
#include "app/control_state.h"

#include "frame/auto_configs.h"
#include "frame/control_tables.h"
#include "views/layout.h"
#include "app/main_create.h"
#include "frame/main_ids.h"
#include "configui/engine/config_ids.h"
#include "slots/instrument_slots.h"
#include "logging/logging_state.h"
#include "tests/app/frame_fixture.h"
#include "frame/harmonics_ids.h"
#include "frame/measure_ids.h"
#include "frame/results_panel_ids.h"
#include "frame/scope_ids.h"
#include "views/view_state.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

// Inputs of one refresh: connected slots, slots with a selection, the run
// state and the model code.
struct inputs {
    std::vector<int> connected; // slot numbers 1..4
    std::vector<int> selected;
    int state = 0;
    int model = 5;
};

class ControlStateTest : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        log_data_mode = LOG_MODE_REAL_TIME;
        highspeed_mode = 0;
    }
    void TearDown() override
    {
        AutoConfigs = 0;
        FrameTest::TearDown();
    }
    void refresh(const inputs& in)
    {
        bool c[4] = {}, s[4] = {};
        for (int n : in.connected)
            c[n - 1] = true;
        for (int n : in.selected)
            s[n - 1] = true;
        const bool a = c[0] || c[1] || c[2] || c[3];
        update_main_controls_state(main, a, c[0], c[1], c[2], c[3], s[0], s[1], s[2], s[3], in.state,
                                   in.model);
    }
};

bool enabled(int id)
{
    return IsWindowEnabled(get_control_by_id(id)) != FALSE;
}

bool shown(int id)
{
    return has_visible_style(get_control_by_id(id));
}

UINT menu_state(HWND main, UINT item, UINT by)
{
    return GetMenuState(GetMenu(main), item, by);
}

bool saved_config_greyed(HWND main)
{
    return (GetMenuState(GetSubMenu(GetMenu(main), 0), 1, MF_BYPOSITION) & MF_GRAYED) != 0;
}

TEST_F(ControlStateTest, AtCreation)
{
    for (int id : std::initializer_list<int>{IDC_WQT1, IDC_WQT2, IDC_WQT3, IDC_WQT4, IDC_READ_WQT,
                                             IDC_SET_UP_WQT, IDC_GROUP1, IDC_GROUP2, IDC_MEAS_START})
        EXPECT_FALSE(enabled(id)) << id;
    EXPECT_FALSE(shown(IDC_GROUP1));
    EXPECT_FALSE(shown(IDC_GROUP2));
    EXPECT_TRUE(enabled(IDC_HIDE_SETTINGS));
    EXPECT_TRUE(enabled(IDC_LOGO));
    for (HWND view : {get_measure_window(), get_scope_window(), get_voltmeter_window(), get_lomx_window()})
        EXPECT_TRUE(IsWindowEnabled(view));
    for (HWND view : {get_capture_window(), get_harmonics_window(), get_config_window()})
        EXPECT_FALSE(IsWindowEnabled(view));
    EXPECT_FALSE(menu_state(main, IDM_VIEW_SCOPE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(saved_config_greyed(main));
}

TEST_F(ControlStateTest, ResultsLayoutFollowsTheFirstConnectedInstrument)
{
    struct layout_case {
        std::vector<int> connected;
        int before;
        int after;
    };
    const layout_case cases[] = {
        {{2}, 0, 1},    {{2}, 7, 7},    {{3, 4}, 9, 2}, {{4}, 5, 3},
        {{1, 2}, 0, 0}, {{}, 4, 4},     {{2, 3}, 0, 1},
    };
    for (const layout_case& c : cases) {
        results_layout = c.before;
        inputs in;
        in.connected = c.connected;
        refresh(in);
        EXPECT_EQ(results_layout, c.after) << c.before;
    }
    results_layout = 0;
}

TEST_F(ControlStateTest, MeasureViewThatTheDataModeCannotShowBecomesRealTime)
{
    struct view_case {
        int view;
        uint32_t mode;
        int after;
    };
    const view_case cases[] = {
        {1, LOG_MODE_MANUAL, 0},     {2, LOG_MODE_MANUAL, 2},      {2, LOG_MODE_DIRECT_CSV, 0},
        {1, LOG_MODE_REAL_TIME, 1},  {2, LOG_MODE_SCHEDULED, 0},   {0, LOG_MODE_OVERWRITE_CSV, 0},
    };
    for (const view_case& c : cases) {
        measure_view_mode = c.view;
        log_data_mode = c.mode;
        refresh({});
        EXPECT_EQ(measure_view_mode, c.after) << c.view << " " << c.mode;
    }
    measure_view_mode = 0;
}

// One window state a scenario leads to.
struct state_check {
    const char* what;
    std::function<bool()> holds;
};

struct scenario {
    const char* name;
    std::function<void()> prepare;
    inputs in;
    std::vector<state_check> checks;
};


TEST_F(ControlStateTest, WindowStates)
{
    HWND window = main;
    auto lomx = [=] { switch_main_view(window, IDM_VIEW_LOMX); };
    auto measure = [=] { switch_main_view(window, IDM_VIEW_MEASURE); };
    const std::vector<scenario> scenarios = {
        {"LOMX view, connected, idle", lomx, {{1}, {}, 0, 5},
         {{"Configure opens not", [=] { return menu_state(window, 0, MF_BYPOSITION) & MF_DISABLED; }},
          {"nor greyed", [=] { return !(menu_state(window, 0, MF_BYPOSITION) & MF_GRAYED); }},
          {"Display opens not", [=] { return menu_state(window, 1, MF_BYPOSITION) & MF_DISABLED; }},
          {"WQT1 off", [] { return !enabled(IDC_WQT1); }},
          {"HIDE SETTINGS off", [] { return !enabled(IDC_HIDE_SETTINGS); }},
          {"SET UP off", [] { return !enabled(IDC_SET_UP_WQT); }},
          {"Group 1 off", [] { return !enabled(IDC_GROUP1); }},
          {"READ WQT on", [] { return enabled(IDC_READ_WQT); }}}},
        {"stop requested", measure, {{1}, {}, 3, 5},
         {{"Config window off", [] { return !IsWindowEnabled(get_config_window()); }},
          {"READ WQT off", [] { return !enabled(IDC_READ_WQT); }},
          {"page buttons on", [] { return enabled(IDC_CFG_PAGE_ACQU); }},
          {"SET UP on", [] { return enabled(IDC_SET_UP_WQT); }},
          {"WQT1 on", [] { return enabled(IDC_WQT1); }},
          {"Export on", [] { return enabled(IDC_MEAS_EXPORT); }}}},
        {"only instrument 4", measure, {{4}, {}, 0, 5},
         {{"harmonics START", [] { return enabled(IDC_HARM_START); }},
          {"TABLE", [] { return enabled(IDC_HARM_VIEW_TABLE); }},
          {"TABLE pk", [] { return enabled(IDC_HARM_VIEW_TABLE_PK); }},
          {"GRAPH", [] { return enabled(IDC_HARM_VIEW_GRAPH); }},
          {"MULTILOG needs instrument 1", [] { return !enabled(IDC_MEAS_MULTILOG); }},
          {"high speed needs instrument 1", [] { return !enabled(IDC_MEAS_HIGHSPEED); }},
          {"WQT4 on", [] { return enabled(IDC_WQT4); }},
          {"WQT1 off", [] { return !enabled(IDC_WQT1); }}}},
        {"measuring", measure, {{1}, {1}, 2, 5},
         {{"Scope greyed", [=] { return menu_state(window, IDM_VIEW_SCOPE, MF_BYCOMMAND) & MF_GRAYED; }},
          {"ZERO off", [] { return !enabled(IDC_MEAS_ZERO); }},
          {"Export off", [] { return !enabled(IDC_MEAS_EXPORT); }},
          {"CLEAR LOG off", [] { return !enabled(IDC_MEAS_CLEAR_LOG); }},
          {"interval off", [] { return !enabled(IDC_MEAS_INTERVAL); }},
          {"instrument buttons off", [] {
               return !enabled(IDC_WQT1) && !enabled(IDC_WQT2) && !enabled(IDC_WQT3) && !enabled(IDC_WQT4);
           }}}},
        {"model 6 idle", measure, {{1}, {}, 0, 6},
         {{"Scope greyed", [=] { return menu_state(window, IDM_VIEW_SCOPE, MF_BYCOMMAND) & MF_GRAYED; }}}},
        {"model 5 idle", measure, {{1}, {}, 0, 5},
         {{"Scope usable", [=] { return !(menu_state(window, IDM_VIEW_SCOPE, MF_BYCOMMAND) & MF_GRAYED); }},
          {"Saved Config usable", [=] { return !saved_config_greyed(window); }},
          {"START needs a selection", [] { return !enabled(IDC_MEAS_START); }},
          {"interval on", [] { return enabled(IDC_MEAS_INTERVAL); }}}},
        {"with a selection", measure, {{1}, {1}, 0, 5},
         {{"START on", [] { return enabled(IDC_MEAS_START); }}}},
        {"scheduled testing", [=] { log_data_mode = LOG_MODE_SCHEDULED; }, {{2}, {}, 0, 5},
         {{"START without a selection", [] { return enabled(IDC_MEAS_START); }},
          {"view buttons off", [] { return !enabled(IDC_MEAS_REAL_TIME) && !enabled(IDC_MEAS_LOG); }},
          {"MULTILOG off", [] { return !enabled(IDC_MEAS_MULTILOG); }}}},
        {"real-time table again", [=] { log_data_mode = LOG_MODE_REAL_TIME; }, {{1}, {}, 0, 5},
         {{"its own option usable", [] { return enabled(IDC_MEAS_MODE_REAL_TIME_TABLE); }},
          {"the others too", [] { return enabled(IDC_MEAS_MODE_MANUAL); }},
          {"CSV file off", [] { return !enabled(IDC_MEAS_CSV_FILE); }}}},
        {"high-speed mode", [] { highspeed_mode = 1; }, {{1}, {}, 0, 5},
         {{"its own option usable", [] { return enabled(IDC_MEAS_MODE_REAL_TIME_TABLE); }},
          {"the others not", [] { return !enabled(IDC_MEAS_MODE_MANUAL); }},
          {"no software timing", [] { return !enabled(IDC_MEAS_TIMING_SOFTWARE); }}}},
        {"auto-send", [] { highspeed_mode = 0; AutoConfigs = 1; }, {{1}, {}, 0, 5},
         {{"SET UP hidden", [] { return !shown(IDC_SET_UP_WQT); }}}},
        {"no auto-send", [] { AutoConfigs = 0; }, {{1}, {}, 0, 5},
         {{"SET UP shown", [] { return shown(IDC_SET_UP_WQT); }},
          {"WQT1 on", [] { return enabled(IDC_WQT1); }}}},
        {"scope capture", nullptr, {{1}, {}, 7, 5},
         {{"Clear", [] { return window_text(get_control_by_id(IDC_SCOPE_CAPTURE)) == "Clear"; }},
          {"capture shown", [] { return shown(IDC_SCOPE_CAPTURE) && enabled(IDC_SCOPE_CAPTURE); }},
          {"zoom, not the selectors", [] { return shown(IDC_SCOPE_ZOOM_BAR) && !shown(IDC_SCOPE_PLOT1); }}}},
    };
    for (const scenario& sc : scenarios) {
        if (sc.prepare)
            sc.prepare();
        refresh(sc.in);
        for (const state_check& c : sc.checks)
            EXPECT_TRUE(c.holds()) << sc.name << ": " << c.what;
    }
}

// Leaving high-speed mode takes one click of its button: a second refresh
// before the click has run posts no second click, which would turn the mode
// on again.
TEST_F(ControlStateTest, OneHighSpeedExitClickAtATime)
{
    highspeed_mode = 1;
    refresh({});
    refresh({});
    EXPECT_EQ(take_posted_commands(get_measure_window()), std::vector<WPARAM>{IDC_MEAS_HIGHSPEED});
    PostMessageA(get_measure_window(), WM_COMMAND, IDC_MEAS_HIGHSPEED, 0);
    pump();
    EXPECT_EQ(highspeed_mode, 0);
    highspeed_mode = 1;
    log_data_mode = LOG_MODE_MANUAL;
    inputs with_instrument_1;
    with_instrument_1.connected = {1};
    refresh(with_instrument_1);
    EXPECT_EQ(take_posted_commands(get_measure_window()), std::vector<WPARAM>{IDC_MEAS_HIGHSPEED});
    highspeed_mode = 0;
}

// A second group the slot lacks goes back to group 1 once: a two-group
// instrument whose grouping offers none, or a slot left on group 1 by a
// two-group instrument it no longer holds. The command the rules post puts
// the slot on group 0, so that they post nothing more.
TEST_F(ControlStateTest, ASecondGroupTheSlotLacksGoesBackToGroup1Once)
{
    instrument_slot& slot = get_instrument(0);
    for (const uint32_t model : {kTwoGroupModel, 0u}) {
        SCOPED_TRACE(model);
        slot.model_code = model;
        slot.phase_count = 0; // no grouping offers a second group
        slot.active_group = 1;
        inputs in;
        in.connected = {1};
        in.model = static_cast<int>(model);
        refresh(in);
        EXPECT_EQ(shown(IDC_GROUP1) && shown(IDC_GROUP2), model == kTwoGroupModel);
        EXPECT_FALSE(enabled(IDC_GROUP2));
        ASSERT_EQ(take_posted_commands(main), std::vector<WPARAM>{IDC_GROUP1});
        SendMessageA(main, WM_COMMAND, IDC_GROUP1, 0);
        EXPECT_EQ(slot.active_group, 0);
        EXPECT_TRUE(take_posted_commands(main).empty());
    }
    slot.model_code = 0;
}

// The Tab order: the top bar first, then the Config window, the Measure
// window and the results panels. At start the instrument buttons are
// disabled, so the first usable entry is "HIDE SETTINGS".
TEST_F(ControlStateTest, TabGoesToTheFirstUsableEntryFromOutsideTheList)
{
    SetFocus(get_control_by_id(IDC_SCOPE_SINGLE));
    focus_next_control(true);
    EXPECT_EQ(GetFocus(), get_control_by_id(IDC_HIDE_SETTINGS));
    focus_next_control(true);
    HWND second = GetFocus();
    EXPECT_NE(second, get_control_by_id(IDC_HIDE_SETTINGS));
    EXPECT_TRUE(IsWindowVisible(second) && IsWindowEnabled(second));
    focus_next_control(false);
    EXPECT_EQ(GetFocus(), get_control_by_id(IDC_HIDE_SETTINGS));
}

TEST_F(ControlStateTest, ShiftTabFromTheFirstWrapsToTheLastUsable)
{
    SetFocus(get_control_by_id(IDC_HIDE_SETTINGS));
    focus_next_control(false);
    HWND last = GetFocus();
    ASSERT_NE(last, get_control_by_id(IDC_HIDE_SETTINGS));
    // From the last usable entry Tab wraps back to the first.
    focus_next_control(true);
    EXPECT_EQ(GetFocus(), get_control_by_id(IDC_HIDE_SETTINGS));
    // The last usable entry is in the Measure window or its first pane.
    EXPECT_TRUE(IsChild(get_measure_window(), last));
}

// The LOMX view with nothing connected leaves no usable entry: the search
// ends after one pass and the focus stays.
TEST_F(ControlStateTest, NoUsableEntryLeavesTheFocus)
{
    switch_main_view(main, IDM_VIEW_LOMX);
    refresh({});
    HWND before = get_lomx_window();
    SetFocus(before);
    ASSERT_EQ(GetFocus(), before);
    focus_next_control(true);
    EXPECT_EQ(GetFocus(), before);
    focus_next_control(false);
    EXPECT_EQ(GetFocus(), before);
}

} // namespace
