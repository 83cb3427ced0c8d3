// The keyboard focus of the main window: the Tab key moves it through the
// message loop, and when a dialog, or a file dialog opened from it, closes,
// the control that had the focus has it again, so the keys (Alt+C, Tab) work
// at once.
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
#include "tests/app/frame_fixture.h"
#include "tests/support/file_dialog_recorder.h"
#include "tests/support/modal_dialog.h"
#include "base/file_dialog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

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

} // namespace
