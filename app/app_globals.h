// Handles that every part of the program may read.
#pragma once
#include <windows.h>

// The main window, set right after it is created; null until then. Dialogs
// and progress runs are owned by it.
extern HWND main_window;
