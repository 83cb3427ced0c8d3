// READ WQT, SET UP WQT, the group buttons and the saved-slot commands
// against simulated instruments: a two-group instrument (WQT3530, three phases: its grouping always offers the second group) and a
// single-group one (WQT5530), connected through the connection sequence.
#include "app/settings_commands.h"

#include "app/resource.h"
#include "frame/auto_configs.h"
#include "frame/commands.h"
#include "frame/control_tables.h"
#include "frame/main_ids.h"
#include "app/saved_config_menu.h"
#include "slots/instrument_slots.h"
#include "logging/logging_resource.h"
#include "tests/app/frame_fixture.h"
#include "tests/support/dialog_watch.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/msgbox_recorder.h"
#include "tests/support/sim_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

class SettingsCommandsTest : public FrameTest {
protected:
    // A simulated instrument of this model connected to slot n and made the
    // current instrument.
    wqt_sim::instrument& attach(int n, const char* model)
    {
        sims_.push_back(std::make_unique<lan_sim>());
        lan_sim& sim = *sims_.back();
        EXPECT_TRUE(sim.ok());
        sim.inst.set_identity("TROSVALDEN", model, "S" + std::to_string(n), "V1");
        EXPECT_TRUE(connect(n, sim.link));
        set_current_instrument_index(n);
        sim.inst.clear_received();
        msgbox::reset();
        return sim.inst;
    }
    static int count(const std::vector<std::string>& lines, const std::string& line)
    {
        return static_cast<int>(std::count(lines.begin(), lines.end(), line));
    }
    static std::vector<std::string> group_commands(const wqt_sim::instrument& inst)
    {
        std::vector<std::string> groups;
        for (const std::string& line : inst.commands())
            if (line.rfind("GROUP,", 0) == 0)
                groups.push_back(line);
        return groups;
    }

    void stop_instruments()
    {
        for (const auto& sim : sims_)
            sim->server.stop();
    }

private:
    std::vector<std::unique_ptr<lan_sim>> sims_;
};

// READ reads group 1 and then group 2 and leaves the instrument on the
// group it was on.
TEST_F(SettingsCommandsTest, ReadBothGroupsAndKeepTheGroup)
{
    wqt_sim::instrument& inst = attach(0, "WQT3530");
    for (int group : {1, 0}) {
        command(IDC_GROUP1 + group);
        dialog_watch dialogs;
        command(IDC_READ_WQT);
        EXPECT_EQ(dialogs.captions(), (std::vector<std::string>{"WQT1 G1: Acquiring Settings",
                                                                "WQT1 G2: Acquiring Settings"}))
            << group;
        EXPECT_EQ(inst.group(), group + 1);
        EXPECT_EQ(get_current_active_group(), group);
    }
}

TEST_F(SettingsCommandsTest, SetUpSendsBothGroupsAndEndsOnGroup1)
{
    wqt_sim::instrument& inst = attach(0, "WQT3530");
    command(IDC_GROUP2);
    dialog_watch dialogs;
    command(IDC_SET_UP_WQT);
    EXPECT_EQ(dialogs.captions(),
              (std::vector<std::string>{"WQT1 G1: Sending Settings", "WQT1 G2: Sending Settings"}));
    EXPECT_EQ(inst.group(), 1);
    EXPECT_EQ(get_current_active_group(), 0);
    wait_until_quiet(inst);
    EXPECT_FALSE(inst.suspended());
}

// The Settings dialog's OK shows or hides SET UP WQT at once by the
// auto-send option it leaves; Cancel leaves the button as it was.
TEST_F(SettingsCommandsTest, SetUpFollowsTheAutoSendOptionOnceTheSettingsAreConfirmed)
{
    attach(0, "WQT5530");
    AutoConfigs = 1;
    command(CMD_REFRESH_CONNECTIONS);
    const struct {
        int button;
        bool shown;
    } steps[] = {{IDCANCEL, false}, {IDOK, true}, {IDOK, false}, {IDOK, true}};
    HWND set_up = get_control_by_id(IDC_SET_UP_WQT);
    for (const auto& step : steps) {
        drive_next_dialog(main, [&](HWND dialog) {
            SendDlgItemMessageA(dialog, IDC_SET_AUTO_SEND, BM_CLICK, 0, 0);
            click(dialog, step.button);
        });
        command(IDM_SETTINGS);
        EXPECT_EQ(has_visible_style(set_up), step.shown) << step.button;
        EXPECT_TRUE(IsWindowEnabled(set_up));
    }
    EXPECT_EQ(AutoConfigs, 0);
}

TEST_F(SettingsCommandsTest, OtherModelsOneDialogAndNoGroups)
{
    wqt_sim::instrument& inst = attach(2, "WQT5530");
    dialog_watch dialogs;
    command(IDC_READ_WQT);
    command(IDC_SET_UP_WQT);
    command(IDC_GROUP2);
    EXPECT_EQ(dialogs.captions(),
              (std::vector<std::string>{"WQT3: Acquiring Settings", "WQT3: Sending Settings"}));
    EXPECT_TRUE(group_commands(inst).empty());
    EXPECT_EQ(get_current_active_group(), 0);
}

// After switching groups the instrument is asked for its status until the
// switch has settled ("*ESR?" with bit 0x10 clear), three times at most.
TEST_F(SettingsCommandsTest, StatusPollAfterAGroupSwitch)
{
    struct poll_case {
        const char* reply; // "" : the instrument's own answer
        int polls;
    };
    const poll_case cases[] = {{"", 1}, {"16", 3}, {"48", 3}, {"32", 1}};
    wqt_sim::instrument& inst = attach(0, "WQT3530");
    for (const poll_case& c : cases) {
        inst.clear_rules();
        if (c.reply[0])
            inst.add_rule({"*ESR?", wqt_sim::action::reply, c.reply});
        inst.clear_received();
        command(IDC_GROUP2);
        EXPECT_EQ(count(inst.commands(), "*ESR?"), c.polls) << c.reply;
        EXPECT_EQ(group_commands(inst).front(), "GROUP,2") << c.reply;
        command(IDC_GROUP1);
    }
}

// Choosing an instrument keeps the group it is on: a two-group instrument
// in slot 2 stays on its group 1.
TEST_F(SettingsCommandsTest, SelectingAnInstrumentKeepsItsOwnGroup)
{
    wqt_sim::instrument& inst = attach(1, "WQT3530");
    set_current_instrument_index(0);
    command(IDC_WQT2);
    EXPECT_EQ(get_current_instrument_index(), 1);
    EXPECT_EQ(group_commands(inst), std::vector<std::string>{"GROUP,1"});
    EXPECT_EQ(inst.group(), 1);
    EXPECT_TRUE(msgbox::shown().empty());

    command(IDC_GROUP2);
    set_current_instrument_index(0);
    inst.clear_received();
    command(IDC_WQT2);
    EXPECT_EQ(group_commands(inst), std::vector<std::string>{"GROUP,2"});
    EXPECT_EQ(inst.group(), 2);
}

// Loading a saved slot sends the configuration to the instrument: the
// whole-configuration frame, inside which every item is read back (and a
// changed one written).
TEST_F(SettingsCommandsTest, LoadSendsTheConfiguration)
{
    wqt_sim::instrument& inst = attach(0, "WQT5530");
    command(33204);
    // The closing "SUSPEN,OFF" gets no reply and may still be on its way.
    const std::vector<std::string> lines = settled_commands(inst);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "SUSPEN,ON");
    EXPECT_EQ(lines.back(), "SUSPEN,OFF");
    EXPECT_FALSE(inst.suspended());
    const auto items = std::count_if(lines.begin(), lines.end(),
                                     [](const std::string& l) { return l.rfind("config,", 0) == 0; });
    EXPECT_GT(items, 50);
}

// The Save, Load and Delete ids of the first and the last slot reach their
// actions. (The instrument has stopped, so that Load's sending ends at once.)
TEST_F(SettingsCommandsTest, SlotCommandsOfTheFirstAndLastSlotReachTheirActions)
{
    attach(0, "WQT5530");
    stop_instruments();
    for (const int slot : {0, 9}) {
        SCOPED_TRACE(slot);
        const std::string name = "Slot " + std::to_string(slot);
        const std::string file = app_folder_under(root) + "\\config3_" + std::to_string(slot) + ".cfg";
        get_current_config()->set_value_int(58, 2);
        drive_next_dialog(main, [&](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_SAVE_SETUP_NAME, name.c_str());
            click(dialog, IDOK);
        });
        command(CMD_SAVE_SAVED_CONFIG + slot);
        EXPECT_EQ(read_whole_file(file).substr(0, name.size() + 2), name + "\r\n");

        get_current_config()->set_value_int(58, 3);
        command(CMD_LOAD_SAVED_CONFIG + slot);
        EXPECT_EQ(get_current_config()->item_at(58)->value.integer, 2);

        msgbox::reset();
        msgbox::answer_next(IDYES);
        command(CMD_DELETE_SAVED_CONFIG + slot);
        EXPECT_EQ(msgbox::texts(),
                  std::vector<std::string>{"Are you sure you want to delete the config: " + name + " ?"});
        EXPECT_FALSE(std::filesystem::exists(file));
    }
}

// Saving asks for a name; only OK saves the slot and rebuilds the menu.
TEST_F(SettingsCommandsTest, SaveOnlyAfterTheNameDialogsOk)
{
    attach(0, "WQT5530");
    HMENU configure = GetSubMenu(GetMenu(main), 0);
    const std::string slot_file = app_folder_under(root) + "\\config3_3.cfg";
    for (int button : {IDCANCEL, IDOK}) {
        rebuild_saved_config_menu(main, false, false);
        dialog_watch dialogs;
        std::string prompt;
        drive_next_dialog(main, [&](HWND dialog) {
            prompt = window_text(GetDlgItem(dialog, IDC_SAVE_SETUP_PROMPT));
            SetDlgItemTextA(dialog, IDC_SAVE_SETUP_NAME, "Motor test");
            click(dialog, button);
        });
        command(33303);
        EXPECT_EQ(dialogs.captions(), std::vector<std::string>{"Save"});
        EXPECT_EQ(prompt, "Please enter the new name for the configuration");
        const bool greyed = GetMenuState(configure, 1, MF_BYPOSITION) & MF_GRAYED;
        EXPECT_EQ(greyed, button == IDCANCEL) << button;
        EXPECT_EQ(std::filesystem::exists(slot_file), button == IDOK) << button;
    }
    EXPECT_EQ(read_whole_file(slot_file).substr(0, 10), "Motor test");
}

} // namespace
