// The Export Config dialog (resource 144): exports the current instrument's
// configuration to a file. Not part of this version: without its template
// the dialog does not open.
#pragma once
#include <windows.h>

constexpr int IDD_EXPORT_CONFIG = 144;

INT_PTR CALLBACK export_config_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
