// The Communications dialog (resource 137): how many instruments the
// program works with and how each is reached; its Connect button connects
// them. Not part of this version: without its template the dialog does not
// open, and no instrument gets connected through it.
#pragma once
#include <windows.h>

constexpr int IDD_COMMUNICATIONS = 137;
// The dialog's result after a Connect that went through.
constexpr int IDC_COMMS_CONNECT = 1328;

INT_PTR CALLBACK communications_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
