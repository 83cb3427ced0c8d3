// The keyboard focus of the main window: the Tab key moves it through the
// message loop, and when a dialog, or a file dialog opened from it, closes,
// the control that had the focus has it again, so the keys (Alt+C, Tab) work
// at once. A box that a transfer's worker shows takes the keyboard too.
#include "app/resource.h"
#include "app/saved_config_menu.h"
#include "app/slot_list_dialog_ids.h"
#include "config/instrument_config.h"
#include "config/saved_slots.h"
#include "frame/app_data_folder.h"
#include "frame/control_tables.h"
#include "frame/commands.h"
#include "frame/main_ids.h"
#include "frame/scope_ids.h"
#include "base/message_box.h"
#include "slots/instrument_slots.h"
#include "tests/app/frame_fixture.h"
#include "tests/support/config_bodies.h"
#include "tests/support/file_dialog_recorder.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/msgbox_recorder.h"
#include "tests/support/sim_fixture.h"
#include "base/file_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>

namespace {

class DialogFocusTest : public FrameTest {
protected:
    void TearDown() override
    {
        file_dialogs::install();
        FrameTest::TearDown();
    }
};

class TabKeyTest : public FrameTest {};

// A Tab key pressed on a control outside the Tab order goes, through the
// main window's message loop, to the first usable entry.
TEST_F(TabKeyTest, TabKeyOfTheMainWindowMovesTheFocus)
{
    SetFocus(get_control_by_id(IDC_SCOPE_SINGLE));
    PostMessageA(get_control_by_id(IDC_SCOPE_SINGLE), WM_KEYDOWN, VK_TAB, 0);
    pump();
    EXPECT_EQ(GetFocus(), get_control_by_id(IDC_HIDE_SETTINGS));
}

constexpr int kFileNameField = 0x047c; // edt1 of the system's file dialog

TEST_F(DialogFocusTest, TheControlThatHadTheFocusHasItAgainAfterTheDialogs)
{
    // A saved slot for Export to offer.
    set_saved_config_folder(get_app_data_folder());
    wqt_cfg_55xx config;
    saved_config_entry entry{};
    entry.model_code = 5;
    entry.primary = &config;
    std::snprintf(entry.name, sizeof entry.name, "%s", "Bench");
    ASSERT_TRUE(save_config_slot(entry, 0));
    // The system's own file dialogs, not the recorder's answers.
    set_file_dialog_handler(nullptr);
    const std::string folder = make_folder();

    // A dialog of the main window, and whether the system's file dialog
    // opens (from it or alone).
    const struct {
        const char* name;
        int command;
        bool file_dialog;
    } cases[] = {
        {"About", IDM_ABOUT, false},
        {"Settings", IDM_SETTINGS, false},
        {"Export", CMD_EXPORT_CONFIG, true},
        {"Import", CMD_IMPORT_CONFIG, true},
        {"Export as .txt", CMD_EXPORT_CONFIG_TEXT, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HWND focused = get_control_by_id(IDC_HIDE_SETTINGS);
        SetFocus(focused);
        ASSERT_EQ(GetFocus(), focused);
        int file_dialogs_seen = 0;
        {
            dialog_driver driver([&](HWND dialog) {
                if (GetDlgItem(dialog, IDC_EXPORT_LIST)) {
                    select_list_item(dialog, IDC_EXPORT_LIST, 0);
                    click(dialog, IDC_EXPORT_BUTTON);
                } else if (GetDlgItem(dialog, kFileNameField) && ++file_dialogs_seen) {
                    SetDlgItemTextA(dialog, kFileNameField, (folder + "\\" + c.name + ".cfg").c_str());
                    click(dialog, IDOK);
                }
            });
            SendMessageA(main, WM_COMMAND, static_cast<WPARAM>(c.command), 0);
        }
        // Checked before the window manager's later events: other programs
        // on a shared display may take the activation from then on.
        EXPECT_EQ(GetActiveWindow(), main);
        EXPECT_EQ(GetFocus(), focused) << GetFocus();
        EXPECT_EQ(file_dialogs_seen, int{c.file_dialog});
        pump();
    }
}

class WorkerBoxKeyTest : public FrameTest {
protected:
    void TearDown() override
    {
        msgbox::install();
        FrameTest::TearDown();
    }
};

// True when done() comes true within timeout_ms.
bool comes_true(DWORD timeout_ms, const std::function<bool()>& done)
{
    for (const DWORD start = GetTickCount(); GetTickCount() - start < timeout_ms; Sleep(20)) {
        if (done())
            return true;
    }
    return done();
}

// A user at the keyboard while a transfer runs, on a thread of its own:
// Enter on the display's keyboard for each box with the caption once it is
// up. A box the key leaves open (or no xdotool to press it) is closed after
// 2 s, so that the transfer ends.
struct keyboard_user {
    std::atomic<bool> stop{false};
    std::atomic<int> boxes{0};
    std::atomic<int> closed_by_enter{0};
    std::atomic<bool> behind_enabled{false}; // the main or the progress window, under a box

    void run(const char* caption, const char* progress, HWND main)
    {
        while (!stop) {
            HWND box = FindWindowA("#32770", caption);
            if (box == nullptr || !IsWindowVisible(box)) {
                Sleep(20);
                continue;
            }
            ++boxes;
            if (IsWindowEnabled(main) || IsWindowEnabled(FindWindowA("#32770", progress)))
                behind_enabled = true;
            // Once the program has made the box its foreground window.
            comes_true(1000, [&] { return GetForegroundWindow() == box; });
            if (press_key_on_display("Return") && comes_true(2000, [&] { return !IsWindow(box); }))
                ++closed_by_enter;
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            comes_true(2000, [&] { return !IsWindow(box); });
        }
    }
};

TEST_F(WorkerBoxKeyTest, EnterClosesTheBoxOfATransferAndTheTransferGoesOn)
{
    // Two instruments whose every item reads back inside its range: WQT1
    // connected first, WQT2 connected by the first case.
    lan_sim sims[2];
    sims[1].inst.set_identity("TROSVALDEN", "WQT5530", "A00002", "V2.15");
    ASSERT_TRUE(sims[0].ok() && sims[1].ok());
    ASSERT_TRUE(connect(0, sims[0].link));
    for (lan_sim& sim : sims)
        fill_in_range(sim.inst, *get_instrument(0).primary_config);
    // A read that fails, or a write the instrument refuses, every try of it.
    const wqt_sim::rule bad_read{"config,200?", wqt_sim::action::reply, "x", 0, 3};
    const wqt_sim::rule refused_write{"config,24,", wqt_sim::action::refuse, "", 0, 4};
    const struct {
        const char* name;
        lan_sim& sim;
        const char* progress;
        const char* box;
        const wqt_sim::rule& fault;
        std::function<void()> run;
    } cases[] = {
        {"connect", sims[1], "WQT2: Acquiring Settings", "Read Instrument Setup", bad_read,
         [&] { EXPECT_TRUE(connect(1, sims[1].link)); }},
        {"READ WQT", sims[0], "WQT1: Acquiring Settings", "Read Instrument Setup", bad_read,
         [&] { command(IDC_READ_WQT); }},
        {"SET UP WQT", sims[0], "WQT1: Sending Settings", "Write Instrument Setup", refused_write,
         [&] {
             get_current_config()->set_value_int(24, 1);
             command(IDC_SET_UP_WQT);
         }},
    };
    // The system's own boxes, not the recorder's answers.
    set_message_box_handler(nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.sim.inst.add_rule(c.fault);
        c.sim.inst.clear_received();
        keyboard_user user;
        std::thread keys(&keyboard_user::run, &user, c.box, c.progress, main);
        c.run();
        user.stop = true;
        keys.join();
        EXPECT_EQ(user.boxes.load(), 1);
        EXPECT_EQ(user.closed_by_enter.load(), 1);
        // The box is modal to the program: neither window behind it takes
        // input.
        EXPECT_FALSE(user.behind_enabled);
        // The transfer went on to its last item.
        const auto commands = settled_commands(c.sim.inst);
        EXPECT_NE(std::find(commands.begin(), commands.end(), "config,1?"), commands.end());
    }
}

} // namespace
