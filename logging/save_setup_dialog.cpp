#include "logging/save_setup_dialog.h"

#include "base/message_box.h"
#include "base/window_util.h"
#include "frame/version.h"
#include "logging/logging_resource.h"

namespace {

constexpr const char* kPrompt = "Please enter the new name for the configuration";
constexpr const char* kNameMissing = "Please enter a name for the configuration";

char* name_buffer(HWND dialog)
{
    return reinterpret_cast<char*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

INT_PTR on_init(HWND dialog, LPARAM param)
{
    char* name = reinterpret_cast<char*>(param);
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(name));
    SetDlgItemTextA(dialog, IDC_SAVE_SETUP_PROMPT, kPrompt);
    name[kSaveNameMaxTyped] = '\0';
    SetDlgItemTextA(dialog, IDC_SAVE_SETUP_NAME, name);
    SendDlgItemMessageA(dialog, IDC_SAVE_SETUP_NAME, EM_LIMITTEXT, kSaveNameMaxTyped, 0);
    return TRUE;
}

void on_ok(HWND dialog)
{
    HWND edit = GetDlgItem(dialog, IDC_SAVE_SETUP_NAME);
    if (GetWindowTextLengthA(edit) == 0) {
        show_message_box(dialog, kNameMissing, kProductName, MB_OK | MB_ICONINFORMATION);
        return;
    }
    GetWindowTextA(edit, name_buffer(dialog), kSaveNameBufferSize);
    EndDialog(dialog, IDOK);
}

} // namespace

INT_PTR CALLBACK save_setup_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    return ok_cancel_dialog(dialog, message, wparam, lparam, on_init, on_ok);
}
