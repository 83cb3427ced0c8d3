// Handles that every part of the program may read.
#pragma once
#include <windows.h>

// The main window, set right after it is created; null until then. Dialogs
// and progress runs are owned by it.
extern HWND main_window;

// True while the settings pane (the Config window above the views) is
// hidden; toggled by the "HIDE SETTINGS" button.
extern bool settings_pane_hidden;
