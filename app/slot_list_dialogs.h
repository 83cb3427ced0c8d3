// The two dialogs that list the used saved-configuration slots: "Export
// Config" (144) writes a slot's configuration to a file of the user's
// choice; "Import Config" (143) lets the user pick the slot an import
// replaces when all ten are used.
#pragma once
#include <windows.h>

#include "app/slot_list_dialog_ids.h"

// Procedure of dialog 144. "Export" asks for a file (the slot's name
// offered) and writes what the chosen slot holds after its name line into
// it; the dialog stays open when the file dialog is cancelled, and ends with
// IDC_EXPORT_BUTTON otherwise (also when nothing was selected or the file
// could not be written, which the user is told). Cancel ends it with 2.
INT_PTR CALLBACK export_config_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// Procedure of dialog 143: "Save" ends it with the selected slot 0..9, or -1
// when nothing is selected; Cancel ends it with -1.
INT_PTR CALLBACK import_config_slot_dlg_proc(HWND dialog, UINT message, WPARAM wparam,
                                             LPARAM lparam);

// Opens dialog 143 owned by owner: the slot 0..9 to replace, or -1.
int ask_slot_to_replace(HWND owner);

// "Unable to export config to that file", caption "Error", owned by owner.
void report_export_failure(HWND owner);
