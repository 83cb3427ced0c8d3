// Handles and paths that every part of the program may read.
#pragma once
#include <windows.h>

// The main window, set right after it is created; null until then. Dialogs
// and progress runs are owned by it.
extern HWND main_window;
// The per-user folder that holds the settings file and the saved
// configurations; the empty text until the settings are loaded.
extern char app_data_folder[MAX_PATH];
