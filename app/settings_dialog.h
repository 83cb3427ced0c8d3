// The Settings dialog (resource 145, "Kestrova Settings"): the CSV and
// logging options, the communications log and the auto-send option. OK
// writes them into the settings and the settings file at once.
#pragma once
#include <windows.h>

// Ends with 1 after OK, 2 after Cancel, 7 when the communications-log
// question is answered Cancel (nothing is written then).
INT_PTR CALLBACK settings_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
