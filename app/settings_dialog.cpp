// The Settings dialog: one row per option (app/settings.h) gives its control,
// its key and how the control shows it.
#include "app/settings_dialog.h"

#include "base/file_util.h"
#include "base/message_box.h"
#include "base/window_util.h"
#include "app/resource.h"
#include "app/settings.h"
#include "app/shell_services.h"
#include "link/comms_log.h"

#include <shlobj.h>

namespace {

constexpr char kBrowseTitle[] = "Select schedule export directory";
constexpr char kCommsQuestion[] =
    "Enabling Comms Logging will disable the instrument's front panel while the software is "
    "connected to it\nContinue?";
constexpr INT_PTR kEndedByCommsQuestion = 7;

// The dialog's own state, in its user word: whether the folder browser is
// open (the edit gains the focus again while it closes).
bool browse_open(HWND dialog)
{
    return GetWindowLongPtrA(dialog, DWLP_USER) != 0;
}

void set_browse_open(HWND dialog, bool open)
{
    SetWindowLongPtrA(dialog, DWLP_USER, open ? 1 : 0);
}

void enable_log_location(HWND dialog, bool enable)
{
    EnableWindow(GetDlgItem(dialog, IDC_SET_LOG_LOCATION), enable);
    EnableWindow(GetDlgItem(dialog, IDC_SET_LOG_LOCATION_LABEL), enable);
}

void show_folder(HWND dialog, const init_setting_row& row)
{
    char documents[MAX_PATH] = "";
    const char* folder = row.text;
    if (folder[0] == '\0') {
        get_folder_path_dynamic(CSIDL_PERSONAL, documents);
        folder = documents;
    }
    SetDlgItemTextA(dialog, row.control, folder);
}

void show_row(HWND dialog, const init_setting_row& row)
{
    switch (row.kind) {
    case setting_control::check_box:
        CheckDlgButton(dialog, row.control, *row.flag ? BST_CHECKED : BST_UNCHECKED);
        break;
    case setting_control::choice_list:
        for (int i = 0; i < 2; ++i)
            SendDlgItemMessageA(dialog, row.control, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(row.choices[i]));
        SendDlgItemMessageA(dialog, row.control, CB_SETCURSEL, *row.flag, 0);
        break;
    case setting_control::folder_text:
        show_folder(dialog, row);
        break;
    }
}

void store_row(HWND dialog, const init_setting_row& row)
{
    switch (row.kind) {
    case setting_control::check_box:
        *row.flag = IsDlgButtonChecked(dialog, row.control) != 0 ? 1 : 0;
        write_init_number(row.key, *row.flag);
        break;
    case setting_control::choice_list:
        *row.flag = SendDlgItemMessageA(dialog, row.control, CB_GETCURSEL, 0, 0) != 0 ? 1 : 0;
        write_init_number(row.key, *row.flag);
        break;
    case setting_control::folder_text:
        GetDlgItemTextA(dialog, row.control, row.text, MAX_PATH);
        write_init_text(row.key, row.text);
        break;
    }
}

INT_PTR on_init(HWND dialog, LPARAM)
{
    set_browse_open(dialog, false);
    for (const init_setting_row& row : init_setting_rows)
        show_row(dialog, row);
    enable_log_location(dialog, app_settings.comms_log_wanted != 0);
    return TRUE;
}

// The folder browser opens when the folder's edit gains the focus; the
// focus then goes to "Log Comms?" whatever was chosen, so that the edit
// does not open the browser again.
void browse_log_folder(HWND dialog)
{
    if (browse_open(dialog))
        return;
    set_browse_open(dialog, true);
    char start[MAX_PATH] = "";
    GetDlgItemTextA(dialog, IDC_SET_LOG_LOCATION, start, sizeof start);
    char chosen[MAX_PATH];
    const folder_choice choice = browse_for_folder(dialog, kBrowseTitle, start, chosen);
    if (choice == folder_choice::chosen)
        SetDlgItemTextA(dialog, IDC_SET_LOG_LOCATION, chosen);
    SetFocus(GetDlgItem(dialog, IDC_SET_LOG_COMMS));
    set_browse_open(dialog, false);
    if (choice == folder_choice::invalid)
        show_message_box(dialog, "Invalid Directory Selected", "Error", MB_ICONINFORMATION);
}

void on_ok(HWND dialog)
{
    if (IsDlgButtonChecked(dialog, IDC_SET_LOG_COMMS) && !app_settings.comms_log_wanted) {
        const int answer = show_message_box(dialog, kCommsQuestion, "Log Comms",
                                            MB_YESNOCANCEL | MB_ICONINFORMATION);
        if (answer == IDCANCEL)
            EndDialog(dialog, kEndedByCommsQuestion);
        if (answer != IDYES)
            return;
    }
    for (const init_setting_row& row : init_setting_rows)
        store_row(dialog, row);
    const bool wanted = app_settings.comms_log_wanted != 0;
    if (wanted != is_comms_log_enabled())
        toggle_comms_log();
    if (wanted)
        use_fresh_comms_log_file(app_settings.comms_log_folder);
    EndDialog(dialog, IDOK);
}

INT_PTR on_command(HWND dialog, int id, int code)
{
    switch (id) {
    case IDOK:
        on_ok(dialog);
        return TRUE;
    case IDC_SET_LOG_COMMS:
        enable_log_location(dialog, IsDlgButtonChecked(dialog, IDC_SET_LOG_COMMS) != 0);
        return TRUE;
    case IDC_SET_LOG_LOCATION:
        if (code == EN_SETFOCUS)
            browse_log_folder(dialog);
        return TRUE;
    }
    return FALSE;
}

} // namespace

INT_PTR CALLBACK settings_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    return command_dialog(dialog, message, wparam, lparam, on_init, on_command);
}
