// The Config pane on the real main window looks, after what a user does, as
// a full repaint would draw it: no label or list left standing where a
// layout moved it from, none missing where it moved to. Each case is a
// user's sequence of clicks and choices on a connected simulated
// instrument, compared once at its end, as a user would look at it.
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

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// One thing a user does: presses a button of the pane's head (a page
// button or the context button), or picks an entry in the list beside a
// label, by its text or by its place (from the end when negative).
struct user_step {
    int button;
    const char* label;
    const char* entry;
    int place;
};

user_step press(int button)
{
    return {button, nullptr, nullptr, 0};
}

user_step pick(const char* label, const char* entry)
{
    return {0, label, entry, 0};
}

user_step pick(const char* label, int place)
{
    return {0, label, nullptr, place};
}

struct picture_case {
    const char* what;
    const char* model;
    std::vector<user_step> steps;
};

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
            HWND list = shown_control(config(), step.label);
            ASSERT_NE(list, nullptr) << "one list beside \"" << step.label << "\"";
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

    // The pane as shown against the pane painted anew: the first place
    // where they differ, or "" where they are the same.
    std::string difference_from_repaint()
    {
        const memory_canvas shown = capture_client(config(), false);
        const memory_canvas repainted = capture_client(config(), true);
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (shown.pixel(x, y) != repainted.pixel(x, y))
                    return "differs first at " + std::to_string(x) + "," + std::to_string(y);
        return "";
    }
};

} // namespace

TEST_F(ConfigPicture, EveryStepLooksAsAFullRepaintDrawsIt)
{
    const picture_case cases[] = {
        {"WQT55 wiring there and back", "WQT5530",
         {press(IDC_CFG_PAGE_ACQU), pick("Wiring", "3 Phase 3 Wattmeter"), pick("Wiring", "Single Phase 1")}},
        {"WQT55 independent wiring, a speed, then SYS twice", "WQT5530",
         {press(IDC_CFG_PAGE_ACQU), pick("Wiring", -1), pick("Speed", "Window"), press(IDC_CFG_PAGE_SYS),
          press(IDC_CFG_PAGE_SYS)}},
        {"WQT55 application modes", "WQT5530",
         {press(IDC_CFG_PAGE_APP), pick("Mode", "PWM Motor Drive"), pick("Mode", "Harmonics/Flicker"),
          pick("Mode", "Aircraft TVF105"), pick("Mode", "Normal")}},
        {"WQT55 auxiliary device", "WQT5530",
         {press(IDC_CFG_PAGE_AUX), pick("Device", "ZEM40-4 Analogue I/O"), pick("Device", "None")}},
        {"WQT55 measurement mode", "WQT5530",
         {press(IDC_CFG_PAGE_MODE), pick("Mode", "Harmonic Analyzer"), pick("Mode", "Power Analyzer"),
          pick("Mode", "RMS Voltmeter")}},
        {"WQT55 ranging phases", "WQT5530",
         {press(IDC_CFG_PAGE_RANGE), pick("Voltage Input", "External Attenuator"), press(IDC_CFG_ADVANCED_OPTIONS),
          press(IDC_CFG_ADVANCED_OPTIONS), press(IDC_CFG_ADVANCED_OPTIONS)}},
        {"WQT35 wiring and grouping", "WQT3530",
         {press(IDC_CFG_PAGE_ACQU), pick("Wiring", -1), pick("Grouping", 1), pick("Wiring", 0),
          pick("Grouping", 0)}},
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
        for (const user_step& step : c.steps)
            run(step);
        EXPECT_EQ(difference_from_repaint(), "");
    }
}
