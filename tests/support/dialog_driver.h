// Runs a modal dialog of the program in-process and drives it like a user:
// once the dialog is open, a test routine runs on the dialog's thread with
// the dialog's handle (read controls, type text, press buttons).
#pragma once
#include <windows.h>

#include <functional>

// Opens dialog `resource` of the executable with proc and param, owned by a
// hidden test window; drive runs once the dialog is open and shown
// and must end the dialog (for example by sending WM_COMMAND IDOK). Returns
// the dialog's result.
INT_PTR run_modal_dialog(int resource, DLGPROC proc, LPARAM param, const std::function<void(HWND)>& drive);

// Sends the dialog a click of button id.
void click_dialog_button(HWND dialog, int id);
