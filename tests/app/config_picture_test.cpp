// The Config pane on the real main window looks, after each thing a user
// does, as a full repaint would draw it: no label, list or up-down left
// standing where a layout moved it from, none missing where it moved to.
// Each case is a user's sequence of clicks and choices on a connected
// simulated instrument; the pane is compared after every step, so a stale
// picture that a later step would paint over is caught at its own step.
#include "configui/engine/config_ids.h"
#include "configui/engine/config_pages.h"
#include "configui/pages/dispatch.h"
#include "configui/engine/two_group.h"
#include "frame/auto_configs.h"
#include "frame/control_tables.h"
#include "slots/instrument_slots.h"
#include "tests/app/frame_fixture.h"
#include "tests/configui/config_screen.h"
#include "tests/support/msgbox_recorder.h"
#include "tests/support/pixels.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

// One thing a user does: presses a button of the pane's head (a page
// button or the context button), or picks an entry in the list beside a
// label (the first row with that label, or the second), by its text or by
// its place (from the end when negative).
struct user_step {
    int button;
    const char* label;
    int nth_label;
    const char* entry;
    int place;
};

user_step press(int button)
{
    return {button, nullptr, 0, nullptr, 0};
}

user_step pick(const char* label, const char* entry)
{
    return {0, label, 0, entry, 0};
}

user_step pick(const char* label, int place)
{
    return {0, label, 0, nullptr, place};
}

user_step pick_second(const char* label, const char* entry)
{
    return {0, label, 1, entry, 0};
}

// A case's steps, and how many up-downs the steps show at most: a case
// written for the rows placed with an up-down proves nothing unless they
// are there.
struct picture_case {
    const char* what;
    const char* model;
    int most_updowns;
    std::vector<user_step> steps;
};

// The up-downs shown on the pane.
int shown_updowns(HWND config)
{
    int count = 0;
    char name[64];
    for (HWND child = GetWindow(config, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if (shown_in(config, child) && GetClassNameA(child, name, sizeof name) && lstrcmpA(name, UPDOWN_CLASSA) == 0)
            ++count;
    return count;
}

// The nth shown row with this label; null where there is none.
HWND nth_row_control(HWND config, const char* label, int nth)
{
    for (const shown_row& row : read_config_screen(config).rows)
        if (row.label == label && nth-- == 0)
            return row.control;
    return nullptr;
}

class ConfigPicture : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        AutoConfigs = 0;
        config_wait_ms = [](DWORD) {};
    }

    HWND config() const { return get_config_window(); }

    void run(const user_step& step)
    {
        if (step.button != 0) {
            SendMessageA(config(), WM_COMMAND, MAKEWPARAM(step.button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(get_control_by_id(step.button)));
        } else {
            HWND list = nth_row_control(config(), step.label, step.nth_label);
            ASSERT_NE(list, nullptr) << "a list beside \"" << step.label << "\"";
            const LRESULT count = SendMessageA(list, CB_GETCOUNT, 0, 0);
            const LRESULT entry = step.entry != nullptr
                                      ? SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                     reinterpret_cast<LPARAM>(step.entry))
                                      : (step.place + count) % count;
            ASSERT_NE(entry, CB_ERR) << "\"" << step.entry << "\" in " << step.label;
            SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
            SendMessageA(config(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELENDOK),
                         reinterpret_cast<LPARAM>(list));
        }
        pump();
    }
};

} // namespace

TEST_F(ConfigPicture, EveryStepLooksAsAFullRepaintDrawsIt)
{
    const picture_case cases[] = {
        {"WQT55 wiring there and back", "WQT5530", 0,
         {press(IDC_CFG_PAGE_ACQU), pick("Wiring", "3 Phase 3 Wattmeter"), pick("Wiring", "Single Phase 1")}},
        {"WQT55 independent wiring, a speed, then SYS twice", "WQT5530", 0,
         {press(IDC_CFG_PAGE_ACQU), pick("Wiring", -1), pick("Speed", "Window"), press(IDC_CFG_PAGE_SYS),
          press(IDC_CFG_PAGE_SYS)}},
        {"WQT55 application modes", "WQT5530", 2,
         {press(IDC_CFG_PAGE_APP), pick("Mode", "PWM Motor Drive"), pick("Mode", "Harmonics/Flicker"),
          pick("Mode", "Aircraft TVF105"), pick("Mode", "Normal")}},
        {"WQT55 application modes with up-downs", "WQT5530", 2,
         {pick("Mode", "Aircraft TVF105"), pick("Mode", "Harmonics/Flicker"),
          pick_second("Mode", "IEC61000-3-3 (flicker)"), pick("Mode", "Aircraft TVF105"),
          pick("Mode", "Harmonics/Flicker"), pick_second("Mode", "IEC61000-3-2 (harmonics)"), pick("Mode", "Normal")}},
        {"WQT55 auxiliary device", "WQT5530", 0,
         {press(IDC_CFG_PAGE_AUX), pick("Device", "ZEM40-4 Analogue I/O"), pick("Device", "None")}},
        {"WQT55 measurement mode", "WQT5530", 1,
         {press(IDC_CFG_PAGE_MODE), pick("Mode", "Harmonic Analyzer"), pick("Mode", "Power Analyzer"),
          pick("Mode", "RMS Voltmeter")}},
        {"WQT55 harmonic computations", "WQT5530", 2,
         {pick("Mode", "Harmonic Analyzer"), pick("Computation", "Harmonic Factor"),
          pick("Computation", "Interharmonic Sweep"), pick("Computation", "Difference THD"), pick("Computation", "TRD"),
          pick("Computation", "Harmonic Series")}},
        {"WQT55 ranging phases", "WQT5530", 0,
         {press(IDC_CFG_PAGE_RANGE), pick("Voltage Input", "External Attenuator"), press(IDC_CFG_ADVANCED_OPTIONS),
          press(IDC_CFG_ADVANCED_OPTIONS), press(IDC_CFG_ADVANCED_OPTIONS)}},
        {"WQT35 wiring and grouping", "WQT3530", 0,
         {press(IDC_CFG_PAGE_ACQU), pick("Wiring", -1), pick("Grouping", 1), pick("Wiring", 0),
          pick("Grouping", 0)}},
        {"WQT35 harmonic computations", "WQT3530", 2,
         {press(IDC_CFG_PAGE_MODE), pick("Mode", "Harmonic Analyzer"), pick("Computation", "Harmonic Factor"),
          pick("Computation", "TRD"), pick("Computation", "Difference THD"), pick("Computation", "Harmonic Series")}},
    };
    // One instrument of each model, connected when its first case comes and
    // kept for the cases after it: each case goes on from where the last left.
    std::unique_ptr<lan_sim> sim;
    std::string model;
    for (const picture_case& c : cases) {
        SCOPED_TRACE(c.what);
        if (model != c.model) {
            model = c.model;
            sim = std::make_unique<lan_sim>();
            ASSERT_TRUE(sim->ok());
            sim->inst.set_identity("TROSVALDEN", c.model, "A00001", "V2.15");
            ASSERT_TRUE(connect(0, sim->link));
            // As the Connection command ends: every page made anew.
            invalidate_all_config_pages();
            pump();
        }
        int most_updowns = 0;
        for (size_t n = 0; n < c.steps.size(); ++n) {
            SCOPED_TRACE("step " + std::to_string(n + 1));
            run(c.steps[n]);
            EXPECT_EQ(difference_from_repaint(config()), "");
            most_updowns = std::max(most_updowns, shown_updowns(config()));
        }
        EXPECT_EQ(most_updowns, c.most_updowns);
    }
}
