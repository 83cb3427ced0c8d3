// The whole main window looks, after a connect and after each thing a user
// does to its size and its settings pane, as a full repaint would draw it:
// no edge of a strip left where a resize moved it from, no control drawn over
// by a neighbour that was painted again without it. A simulated instrument is
// connected through the Communications dialog; then each view is shown, the
// window grown and shrunk back, the settings pane hidden and shown with a
// resize after each, and the window is compared after every step.
#include "frame/app_globals.h"
#include "frame/auto_configs.h"
#include "frame/control_tables.h"
#include "frame/main_ids.h"
#include "link/communications_dialog_ids.h"
#include "tests/app/frame_fixture.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/msgbox_recorder.h"
#include "tests/support/pixels.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr SIZE kGrown = {1260, 980};

// One step: a resize to a size (the smallest when cx is 0), or a press of
// HIDE SETTINGS / SHOW SETTINGS.
struct user_step {
    const char* what;
    SIZE size;
    bool toggle_settings;
};

const user_step kSteps[] = {
    {"grow", kGrown, false},
    {"shrink back", {0, 0}, false},
    {"hide settings", {}, true},
    {"grow with settings hidden", kGrown, false},
    {"show settings", {}, true},
    {"shrink back with settings shown", {0, 0}, false},
};

struct view_case {
    const char* name;
    int menu_id;
};

const view_case kViews[] = {
    {"Measure", IDM_VIEW_MEASURE}, {"Scope", IDM_VIEW_SCOPE},         {"Harmonics", IDM_VIEW_HARMONICS},
    {"Capture", IDM_VIEW_CAPTURE}, {"Voltmeter", IDM_VIEW_VOLTMETER}, {"LOMX", IDM_VIEW_LOMX},
};

class MainWindowPicture : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        AutoConfigs = 0;
        SetWindowPos(main, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        pump();
    }

    // The LOMX view leaves the settings pane hidden behind it.
    void TearDown() override
    {
        FrameTest::TearDown();
        settings_pane_hidden = false;
    }

    void resize(SIZE size)
    {
        if (size.cx == 0)
            size = {main_window_desc.cur_w, main_window_desc.cur_h};
        SetWindowPos(main, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        pump();
        RECT outer = {};
        GetWindowRect(main, &outer);
        EXPECT_EQ(outer.right - outer.left, size.cx);
        EXPECT_EQ(outer.bottom - outer.top, size.cy);
    }

    // As a click on the button, which the LOMX view greys: the pane hides or
    // shows while the button is usable, and stays hidden while it is not.
    void press_settings_button()
    {
        HWND button = get_control_by_id(IDC_HIDE_SETTINGS);
        const bool usable = IsWindowEnabled(button) != FALSE;
        const bool hidden = settings_pane_hidden;
        if (usable)
            SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_HIDE_SETTINGS, BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
        pump();
        EXPECT_EQ(IsWindowVisible(get_config_window()) != FALSE, usable && hidden);
    }

    // Through the Communications dialog, as a user connects: LAN, the
    // simulated instrument's address, Connect.
    void connect_through_dialog(const std::string& address)
    {
        drive_next_dialog(main, [&](HWND dialog) {
            choose(dialog, IDC_COMMS_INTERFACE_1, 1);
            type_address(dialog, IDC_COMMS_ADDRESS_1, address);
            click(dialog, IDC_COMMS_CONNECT);
        });
        command(IDM_CONNECTION);
    }
};

} // namespace

TEST_F(MainWindowPicture, EveryViewAfterResizesAndTheSettingsToggleLooksAsAFullRepaintDrawsIt)
{
    lan_sim sim;
    ASSERT_TRUE(sim.ok());
    sim.inst.set_identity("TROSVALDEN", "WQT5530", "A00001", "V2.15");
    wqt_sim::load_factory_settings(sim.inst);
    connect_through_dialog(sim.address);
    ASSERT_TRUE(msgbox::texts().empty()) << msgbox::texts()[0];
    EXPECT_EQ(difference_from_repaint(main), "") << "connected";
    for (const view_case& view : kViews) {
        SCOPED_TRACE(std::string(view.name) + " view");
        command(view.menu_id);
        ASSERT_EQ(get_current_view_menu_id(), view.menu_id);
        EXPECT_EQ(difference_from_repaint(main), "") << "view shown";
        for (const user_step& step : kSteps) {
            SCOPED_TRACE(step.what);
            step.toggle_settings ? press_settings_button() : resize(step.size);
            EXPECT_EQ(difference_from_repaint(main), "");
        }
    }
}
