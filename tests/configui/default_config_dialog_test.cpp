// The "Select Default" dialog and resetting the current instrument to its
// defaults against a simulated instrument: the AC and DC answers on the
// wire, cancelling, blocks by mode and the recall of program 0.
#include "configui/window/default_config_dialog.h"

#include "config/instrument_config.h"
#include "link/transport.h"
#include "slots/instrument_slots.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/msgbox_recorder.h"
#include "tests/support/sim_fixture.h"
#include "tests/support/test_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Ends the next dialog of the owner with the message once it is shown, and
// tells whether it was.
bool g_acted = false;

void answer_dialog_with(HWND owner, UINT message, WPARAM wparam)
{
    g_acted = false;
    drive_next_dialog(owner, [message, wparam](HWND dialog) {
        g_acted = true;
        PostMessageA(dialog, message, wparam, 0);
    });
}

class DefaultConfig : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.ok());
        msgbox::reset();
        owner = make_test_window("DefaultConfigOwner", DefWindowProcA);
    }
    void TearDown() override
    {
        open_close_link(LINK_CLOSE, &get_current_instrument());
        DestroyWindow(owner);
    }

    // Attaches the simulated instrument as the current one.
    instrument_config& attach(uint32_t model, const char* idn)
    {
        sim.link.model_code = model;
        sim.link.phase_count = 3;
        std::snprintf(sim.link.idn_reply, sizeof sim.link.idn_reply, "%s", idn);
        attach_instrument_to_slot(sim.link, 0);
        set_current_instrument_index(0);
        return *get_current_config();
    }

    lan_sim sim;
    HWND owner = nullptr;
};

} // namespace

TEST(SelectDefaultDialog, EachButtonAndClosingGiveTheirAnswer)
{
    const struct {
        UINT message;
        WPARAM wparam;
        INT_PTR result;
    } cases[] = {
        {WM_COMMAND, IDC_DEFAULT_AC, DEFAULT_KIND_AC},
        {WM_COMMAND, IDC_DEFAULT_DC, DEFAULT_KIND_DC},
        {WM_COMMAND, IDCANCEL, DEFAULT_KIND_CANCELLED},
        {WM_COMMAND, IDCLOSE, DEFAULT_KIND_CANCELLED},
        {WM_CLOSE, 0, DEFAULT_KIND_CANCELLED},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.message) + "/" + std::to_string(c.wparam));
        const INT_PTR result = run_modal_dialog(
            IDD_SELECT_DEFAULT, select_default_dlg_proc, 0,
            [&](HWND dialog) { PostMessageA(dialog, c.message, c.wparam, 0); });
        EXPECT_EQ(result, c.result);
    }
}

TEST_F(DefaultConfig, AcAndDcAnswersOnTheWire)
{
    const struct {
        uint32_t model;
        int mode;
        WPARAM button;
        std::vector<std::string> commands;
    } cases[] = {
        {5, 6, IDC_DEFAULT_AC, {"config,13,1", "*esr?", "config,15,1", "*esr?"}},
        {5, 6, IDC_DEFAULT_DC,
         {"config,13,1", "*esr?", "config,15,1", "*esr?", "config,30,2", "*esr?", "config,31,1",
          "*esr?"}},
        // The 15xx family has no item 31 (Bandwidth).
        {1, 4, IDC_DEFAULT_DC,
         {"config,13,1", "*esr?", "config,15,1", "*esr?", "config,30,2", "*esr?"}},
        {5, 6, IDCANCEL, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.model) + " button " + std::to_string(c.button));
        instrument_config& cfg = attach(c.model, "TROSVALDEN,WQT5530,A1,V1");
        cfg.set_value_int(70, c.mode);
        sim.inst.clear_received();
        answer_dialog_with(owner, WM_COMMAND, c.button);
        apply_default_config(owner, &cfg, false);
        EXPECT_TRUE(g_acted) << "the dialog was asked";
        EXPECT_EQ(settled_commands(sim.inst), c.commands);
        EXPECT_EQ(get_current_instrument().link_open, 0);
        EXPECT_TRUE(msgbox::shown().empty());
    }
}

TEST_F(DefaultConfig, BlocksByModeAndTheRecallGoOutOnOneOpening)
{
    const struct {
        uint32_t model;
        const char* idn;
        int mode;
        std::vector<std::string> first;
    } cases[] = {
        // The 15xx family's mode 1 is block II; another family's block I.
        {1, "TROSVALDEN,WQT1530,A1,V1", 1, {"config,14,1"}},
        {5, "TROSVALDEN,WQT5530,A1,V1", 1, {"config,7,2"}},
        // Mode 7: model digit 2 gives block VI, another digit block VIII.
        {5, "TROSVALDEN,WQT5532,A1,V1", 7, {"config,1,5", "config,12,5.0000E-2"}},
        {5, "TROSVALDEN,WQT5530,A1,V1", 7, {"config,1,8"}},
        // No defaults for mode 9: program 0, then every item read back.
        {5, "TROSVALDEN,WQT5530,A1,V1", 9, {"prog,recall,0", "SUSPEN,ON"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.idn) + " mode " + std::to_string(c.mode));
        instrument_config& cfg = attach(c.model, c.idn);
        cfg.set_value_int(70, c.mode);
        sim.inst.set_item(172, "1");
        sim.inst.clear_received();
        const int connections = sim.server.connections();
        apply_default_config(owner, &cfg, false);
        std::vector<std::string> commands = settled_commands(sim.inst);
        commands.erase(std::remove(commands.begin(), commands.end(), "*esr?"), commands.end());
        ASSERT_GE(commands.size(), c.first.size());
        EXPECT_EQ(std::vector<std::string>(commands.begin(), commands.begin() + c.first.size()),
                  c.first);
        EXPECT_EQ(sim.server.connections(), connections + 1);
        EXPECT_EQ(get_current_instrument().link_open, 0);
        if (c.mode == 9) {
            int value = 0;
            EXPECT_EQ(cfg.get_value_int(172, value), 1) << "read back";
        }
    }
}
