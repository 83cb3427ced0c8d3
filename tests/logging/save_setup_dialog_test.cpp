// The save-setup dialog: its prompt, the name cut to 100 characters and what
// its buttons do.
#include "logging/save_setup_dialog.h"

#include "logging/logging_resource.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/msgbox_recorder.h"

#include <gtest/gtest.h>

#include <string>

TEST(SaveSetupDialog, ShowsPromptAndNameCutTo100Characters)
{
    msgbox::reset();
    std::string long_name(kSaveNameBufferSize - 1, 'n');
    long_name[99] = 'L'; // the last character kept
    char buffer[kSaveNameBufferSize];
    lstrcpyA(buffer, long_name.c_str());
    std::string prompt, name;
    LRESULT limit = 0;
    const INT_PTR result = run_modal_dialog(IDD_SAVE_SETUP, save_setup_dlg_proc, reinterpret_cast<LPARAM>(buffer),
                                            [&](HWND dialog) {
                                                prompt = control_text(dialog, IDC_SAVE_SETUP_PROMPT);
                                                name = control_text(dialog, IDC_SAVE_SETUP_NAME);
                                                limit = SendDlgItemMessageA(dialog, IDC_SAVE_SETUP_NAME,
                                                                            EM_GETLIMITTEXT, 0, 0);
                                                click(dialog, IDCANCEL);
                                            });
    EXPECT_EQ(result, 2);
    EXPECT_EQ(prompt, "Please enter the new name for the configuration");
    EXPECT_EQ(name, long_name.substr(0, 100));
    EXPECT_EQ(limit, 100);
    EXPECT_EQ(std::string(buffer), long_name.substr(0, 100)); // the caller's buffer is cut too
    EXPECT_TRUE(msgbox::shown().empty());
}

TEST(SaveSetupDialog, ButtonsEndOrKeepTheDialog)
{
    const std::string pasted(200, 'p'); // WM_SETTEXT is not bound by the typing limit
    struct row {
        const char* initial;
        const char* typed; // nullptr: leave the box as shown
        int button;
        INT_PTR result;
        std::string buffer_after;
        bool asks_for_name; // then kept open and cancelled
    };
    const row rows[] = {
        {"Bench rig", nullptr, IDOK, 1, "Bench rig", false},
        {"Bench rig", "Motor test 3", IDOK, 1, "Motor test 3", false},
        {"Bench rig", "Motor test 3", IDCANCEL, 2, "Bench rig", false},
        {"Bench rig", "", IDOK, 2, "Bench rig", true},
        {"", nullptr, IDOK, 2, "", true},
        {"old", pasted.c_str(), IDOK, 1, pasted.substr(0, kSaveNameBufferSize - 1), false},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(std::string("typed ") + (r.typed ? r.typed : "(nothing)") + ", button " +
                     std::to_string(r.button));
        msgbox::reset();
        char buffer[kSaveNameBufferSize];
        lstrcpyA(buffer, r.initial);
        bool open_after_ok = false;
        const INT_PTR result = run_modal_dialog(
            IDD_SAVE_SETUP, save_setup_dlg_proc, reinterpret_cast<LPARAM>(buffer), [&](HWND dialog) {
                if (r.typed)
                    SetDlgItemTextA(dialog, IDC_SAVE_SETUP_NAME, r.typed);
                click(dialog, r.button);
                if (r.asks_for_name) {
                    open_after_ok = IsWindowVisible(dialog) != FALSE;
                    click(dialog, IDCANCEL);
                }
            });
        EXPECT_EQ(result, r.result);
        EXPECT_EQ(std::string(buffer), r.buffer_after);
        const auto boxes = msgbox::shown();
        ASSERT_EQ(boxes.size(), r.asks_for_name ? 1u : 0u);
        if (r.asks_for_name) {
            EXPECT_TRUE(open_after_ok);
            EXPECT_EQ(boxes[0].text, "Please enter a name for the configuration");
            EXPECT_EQ(boxes[0].caption, "Kestrova");
            EXPECT_EQ(boxes[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
        }
    }
}
