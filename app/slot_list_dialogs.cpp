// Both dialogs are one engine over a row each: the list of used slots, the
// default button it enables, and what that button does with the chosen slot.
#include "app/slot_list_dialogs.h"

#include "base/file_dialog.h"
#include "base/message_box.h"
#include "config/saved_slots.h"

#include <cstdio>
#include <string>

namespace {

constexpr INT_PTR kNoSlot = -1;
// What a default button's handler answers to keep the dialog open.
constexpr INT_PTR kStayOpen = -2;

const char kExportError[] = "Unable to export config to that file";
const char kExportErrorCaption[] = "Error";
const char kImportPrompt[] =
    "Either select a slot to overwrite and press Save, or press Cancel to skip saving";

const file_dialog_form kExportFile = {
    "Config Files *.cfg\0*.cfg\0All Files *.*\0*.*\0",
    "cfg",
    "Config Export Filename",
    OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST,
};

// The longest slot name offered as the file name.
constexpr int kOfferedNameMax = 255;

INT_PTR export_slot(HWND dialog, int slot);
INT_PTR choose_slot(HWND dialog, int slot);

struct slot_list_dialog {
    int list_id;
    int button_id;
    int prompt_id; // 0: no prompt
    const char* prompt;
    // The end code for the selected slot (-1: none selected), or kStayOpen.
    INT_PTR (*on_button)(HWND dialog, int slot);
    INT_PTR cancel_result;
};

const slot_list_dialog kExportDialog = {
    IDC_EXPORT_LIST, IDC_EXPORT_BUTTON, 0, nullptr, export_slot, IDCANCEL,
};
const slot_list_dialog kImportDialog = {
    IDC_IMPORT_LIST, IDC_IMPORT_SAVE, IDC_IMPORT_PROMPT, kImportPrompt, choose_slot, kNoSlot,
};

INT_PTR export_slot(HWND dialog, int slot)
{
    if (slot < 0 || slot >= kSavedSlots)
        return IDC_EXPORT_BUTTON;
    char path[MAX_PATH];
    std::snprintf(path, sizeof path, "%.*s", kOfferedNameMax, saved_config_name(slot).c_str());
    if (!ask_file_name(dialog, kExportFile, path, sizeof path, true))
        return kStayOpen;
    if (!export_saved_config(slot, path))
        report_export_failure(dialog);
    return IDC_EXPORT_BUTTON;
}

INT_PTR choose_slot(HWND, int slot)
{
    return slot >= 0 && slot < kSavedSlots ? slot : kNoSlot;
}

void fill_slot_list(HWND dialog, const slot_list_dialog& row)
{
    HWND list = GetDlgItem(dialog, row.list_id);
    for (int n = 0; n < kSavedSlots; ++n) {
        const std::string name = saved_config_name(n);
        if (name.empty())
            continue;
        const LRESULT index =
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        if (index >= 0)
            SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(index), n);
    }
}

void on_init(HWND dialog, const slot_list_dialog& row)
{
    fill_slot_list(dialog, row);
    if (row.prompt_id != 0)
        SetDlgItemTextA(dialog, row.prompt_id, row.prompt);
}

// The slot of the list's selection, or -1.
int selected_slot(HWND dialog, const slot_list_dialog& row)
{
    HWND list = GetDlgItem(dialog, row.list_id);
    const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR)
        return -1;
    return static_cast<int>(SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

INT_PTR on_command(HWND dialog, const slot_list_dialog& row, int id, int code)
{
    if (id == row.list_id) {
        HWND button = GetDlgItem(dialog, row.button_id);
        if (code == LBN_SELCHANGE && !IsWindowEnabled(button))
            EnableWindow(button, TRUE);
        return TRUE;
    }
    if (id == row.button_id) {
        const INT_PTR result = row.on_button(dialog, selected_slot(dialog, row));
        if (result != kStayOpen)
            EndDialog(dialog, result);
        return TRUE;
    }
    if (id == IDCANCEL) {
        EndDialog(dialog, row.cancel_result);
        return TRUE;
    }
    return FALSE;
}

INT_PTR slot_list_dlg_proc(const slot_list_dialog& row, HWND dialog, UINT message, WPARAM wparam)
{
    switch (message) {
    case WM_INITDIALOG:
        on_init(dialog, row);
        return TRUE;
    case WM_COMMAND:
        return on_command(dialog, row, LOWORD(wparam), HIWORD(wparam));
    }
    return FALSE;
}

} // namespace

INT_PTR CALLBACK export_config_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM)
{
    return slot_list_dlg_proc(kExportDialog, dialog, message, wparam);
}

INT_PTR CALLBACK import_config_slot_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM)
{
    return slot_list_dlg_proc(kImportDialog, dialog, message, wparam);
}

int ask_slot_to_replace(HWND owner)
{
    return static_cast<int>(DialogBoxParamA(GetModuleHandleA(nullptr),
                                            MAKEINTRESOURCEA(IDD_IMPORT_CONFIG), owner,
                                            import_config_slot_dlg_proc, 0));
}

void report_export_failure(HWND owner)
{
    show_message_box(owner, kExportError, kExportErrorCaption, MB_OK | MB_ICONEXCLAMATION);
}
