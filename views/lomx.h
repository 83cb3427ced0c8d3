// The LOMX window's commands and the enabled state of its controls: the
// set-up of the LOMX-RS232 CAN-bus converter, reached as the current
// instrument slot.
#pragma once
#include <windows.h>

// Handles the command of a LOMX window control. "Connect to LOMX" (15503)
// opens the converter's Connect dialog (serial ports only), shows the
// converter's identification in the status text (15504) when it connected,
// else "No Connection", and has the main window refresh its controls.
void lomx_command(HWND lomx_window, int id);

// Enables the LOMX window's controls only while the current slot is
// connected and is the converter; the flag is not used.
void lomx_enable_controls(HWND main_window, bool any_connected);
