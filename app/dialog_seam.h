// Lets tests answer the program's modal dialogs without a user. A dialog
// announces itself at the end of its WM_INITDIALOG; when a hook is
// installed, the hook receives the dialog once the dialog's own message loop
// has shown it, and may read its controls and click its buttons (it must end
// the dialog). Without a hook nothing happens.
#pragma once
#include <windows.h>

#include <functional>

using dialog_hook = std::function<void(HWND dialog, int resource_id)>;

// Installs a hook (an empty one removes it) and returns the one before.
dialog_hook set_dialog_hook(dialog_hook hook);

// Called by a dialog procedure at the end of WM_INITDIALOG.
void announce_dialog(HWND dialog, int resource_id);
