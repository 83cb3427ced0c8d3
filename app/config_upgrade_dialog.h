// The Configuration Upgrade dialog (resource 192): asks which instrument
// series and current shunt a configuration saved by an earlier version was
// made for, so that it can be converted.
#pragma once
#include <windows.h>

#include "app/config_upgrade_ids.h"
#include "config/legacy_config.h"

#include <cstdint>

// The dialog's parameter block, kept for the dialog's life.
struct config_upgrade_params {
    saved_config_entry* entry; // receives the model and option codes on "Upgrade"
    uint8_t cancel_text;       // non-zero: button 2 reads "Cancel", zero: "Delete"
};

// Dialog procedure; lParam of WM_INITDIALOG is a config_upgrade_params.
// Ends with 1 after "Upgrade" (codes written into the entry), 2 after a
// click of the second button, 0 after Esc or the close box.
INT_PTR CALLBACK config_upgrade_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// Opens the dialog, owned by the main window, for the entry: `upgrade` when
// the user chose "Upgrade", `declined` after a click of the second button,
// `unanswered` after Esc or the close box (an old configuration is kept, not
// deleted) or when the dialog could not be opened. The legacy conversion's prompt: the
// frame installs it with set_legacy_upgrade_prompt.
legacy_upgrade_answer ask_config_upgrade(saved_config_entry& entry, bool from_import);
