// The Config window: its head (the page title, the page buttons and the
// context button) and the pages below it, one at a time; its commands go to
// the handler of the current instrument's family.
#pragma once
#include <windows.h>

// The window procedure: WM_COMMAND goes to the family's handler, the
// posted retire message destroys the windows rebuilt pages left, CMD_REDRAW
// repaints; everything else is the default procedure's.
LRESULT CALLBACK config_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// The command handlers of the five families: the head's buttons and the
// rows of the family's pages.
void config_command_wqt15(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
void config_command_wqt25(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
void config_command_wqt35(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
void config_command_wqt45(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
void config_command_wqt55(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
