#include "logging/save_setup_dialog.h"

#include "logging/logging_resource.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/msgbox_recorder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string control_text(HWND dialog, int id)
{
    char text[256] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

struct opened_dialog {
    std::string prompt;
    std::string name;
    LRESULT limit = 0;
    std::string caption;
};

} // namespace

TEST(SaveSetupDialog, ShowsPromptAndNameCutTo100Characters)
{
    msgbox::reset();
    char buffer[kSaveNameBufferSize];
    std::string long_name(kSaveNameBufferSize - 1, 'n');
    long_name[99] = 'L'; // the last character kept
    lstrcpyA(buffer, long_name.c_str());

    opened_dialog seen;
    const INT_PTR result = run_modal_dialog(IDD_SAVE_SETUP, save_setup_dlg_proc, reinterpret_cast<LPARAM>(buffer),
                                            [&](HWND dialog) {
                                                seen.prompt = control_text(dialog, IDC_SAVE_SETUP_PROMPT);
                                                seen.name = control_text(dialog, IDC_SAVE_SETUP_NAME);
                                                seen.limit = SendDlgItemMessageA(dialog, IDC_SAVE_SETUP_NAME,
                                                                                 EM_GETLIMITTEXT, 0, 0);
                                                char caption[64] = "";
                                                GetWindowTextA(dialog, caption, sizeof caption);
                                                seen.caption = caption;
                                                click_dialog_button(dialog, IDCANCEL);
                                            });
    EXPECT_EQ(result, 2);
    EXPECT_EQ(seen.caption, "Save");
    EXPECT_EQ(seen.prompt, "Please enter the new name for the configuration");
    EXPECT_EQ(seen.name, long_name.substr(0, 100));
    EXPECT_EQ(seen.limit, 100);
    // The caller's buffer is cut too.
    EXPECT_EQ(std::string(buffer), long_name.substr(0, 100));
    EXPECT_TRUE(msgbox::shown().empty());
}

TEST(SaveSetupDialog, ButtonsEndOrKeepTheDialog)
{
    struct row {
        const char* initial;
        const char* typed; // nullptr: leave the box as shown
        int button;
        INT_PTR result;
        const char* buffer_after;
        bool asks_for_name;
    };
    const row rows[] = {
        {"Bench rig", nullptr, IDOK, 1, "Bench rig", false},
        {"Bench rig", "Motor test 3", IDOK, 1, "Motor test 3", false},
        {"Bench rig", "Motor test 3", IDCANCEL, 2, "Bench rig", false},
        {"Bench rig", "", IDOK, 2, "Bench rig", true}, // kept open, then cancelled
        {"", nullptr, IDOK, 2, "", true},
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
                click_dialog_button(dialog, r.button);
                if (r.asks_for_name) {
                    open_after_ok = IsWindowVisible(dialog) != FALSE;
                    click_dialog_button(dialog, IDCANCEL);
                }
            });
        EXPECT_EQ(result, r.result);
        EXPECT_STREQ(buffer, r.buffer_after);
        const auto boxes = msgbox::shown();
        if (r.asks_for_name) {
            EXPECT_TRUE(open_after_ok);
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].text, "Please enter a name for the configuration");
            EXPECT_EQ(boxes[0].caption, "Kestrova");
            EXPECT_EQ(boxes[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
        } else {
            EXPECT_TRUE(boxes.empty());
        }
    }
}

TEST(SaveSetupDialog, OkNeverOverrunsTheNameBuffer)
{
    msgbox::reset();
    char buffer[kSaveNameBufferSize] = "old";
    // WM_SETTEXT is not bound by the typing limit; the copy still fits the buffer.
    const std::string pasted(200, 'p');
    const INT_PTR result = run_modal_dialog(IDD_SAVE_SETUP, save_setup_dlg_proc, reinterpret_cast<LPARAM>(buffer),
                                            [&](HWND dialog) {
                                                SetDlgItemTextA(dialog, IDC_SAVE_SETUP_NAME, pasted.c_str());
                                                click_dialog_button(dialog, IDOK);
                                            });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(std::string(buffer), pasted.substr(0, kSaveNameBufferSize - 1));
}
