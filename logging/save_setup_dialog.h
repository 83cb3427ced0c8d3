// The name entry dialog "Save" (resource 136) of the saved-configuration
// menu: the user types the name under which a configuration is saved.
#pragma once
#include <windows.h>

constexpr int kSaveNameBufferSize = 128; // the caller's name buffer
constexpr int kSaveNameMaxTyped = 100;   // characters shown and typed

// Dialog procedure; the initial parameter points to the caller's 128-byte
// name buffer, shown cut to 100 characters. OK with a name copies it back
// and ends the dialog with 1; OK with an empty box asks for a name and keeps
// the dialog open; Cancel ends it with 2.
INT_PTR CALLBACK save_setup_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
