// The LOMX window's commands and the enabled state of its controls: the
// set-up of the LOMX-RS232 CAN-bus converter, reached through its own
// Connect dialog and link record.
#pragma once
#include <windows.h>

// Handles the command of a LOMX window control. "Connect to LOMX" (15503)
// opens the converter's Connect dialog (serial ports only), shows the
// converter's identification in the status text (15504) when it connected,
// else "No Connection", and has the main window refresh its controls.
void lomx_command(HWND lomx_window, int id);

// Brings the LOMX window's controls into line: "Connect to LOMX" is usable
// while the LOMX view is shown and nothing runs; its title, instructions and
// status always read; every other control works with the converter and is
// enabled only once the Connect dialog has connected it. The flag is not
// used.
void lomx_enable_controls(HWND main_window, bool any_connected);
