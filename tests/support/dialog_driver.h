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

// For a dialog that the code under test opens itself: drive runs with the
// next dialog owned by owner once that dialog is shown (the dialog's modal
// loop runs it), and must end it. One such drive is armed at a time.
void drive_next_dialog(HWND owner, std::function<void(HWND)> drive);

// Sends the dialog a click of button id.
void click_dialog_button(HWND dialog, int id);
