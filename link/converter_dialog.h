// The Connect dialog of the CAN-bus converter (the "LOMX-RS232"): the user
// picks its COM port and baud rate, tests it and connects. The dialog works
// on a link record of its own, identifies the converter by its "*IDN?" reply,
// recognises one in its boot loader, and reads its calibration and version
// texts into the record.
#pragma once
#include "link/link_record.h"

#include <windows.h>

// The converter's link, beside the four instrument slots; zero at start.
// Its fields hold until the program ends and are not saved.
extern link_record converter_link;

// The dialog parameter of the LOMX window: serial ports only.
constexpr LPARAM kConverterSerialOnly = 2;

// Procedure of dialog 196. It ends with IDC_CONVERTER_CONNECT (112) when
// Connect identified the converter (its connected flag is then set), with
// IDCANCEL (2) on Cancel or closing.
INT_PTR CALLBACK connect_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// Copies the dialog's choices into converter_link.
void read_connection_dialog_fields(HWND dialog);
// Reports the first field converter_link still needs; false then.
bool validate_connection_settings(HWND dialog);
// Opens the link, identifies the converter, reads its calibration and
// version texts and closes the link again; with show_result the outcome is
// shown in a "Test Connection" box (a port that does not open is reported
// always). True when the converter (or its boot loader) answered.
bool connect_and_identify_instrument(HWND dialog, link_record* link, bool show_result);
