// The Communications dialog (resource 137): how many instruments (one to
// four) the program works with and how each is reached: USB (a virtual COM
// port), LAN (TCP to an IPv4 address) or Serial (an RS-232 COM port at a
// chosen baud rate). It tests one instrument, keeps the choices as the
// defaults for the next start, searches the subnet for instruments and
// connects every chosen instrument. It edits the instruments' link records
// in place: what Test and "Save as Default" read into them stays even when
// the dialog is cancelled.
#pragma once
#include "link/communications_dialog_ids.h"
#include "link/link_record.h"

#include <windows.h>

constexpr int kCommunicationsInstruments = 4;

// What the dialog works on and what it asks of the program around it; the
// dialog's parameter. It must outlive the dialog.
struct communications_setup {
    // The four instruments' link records (the instrument slots').
    link_record* links[kCommunicationsInstruments];
    // The settings file whose [Connect] section keeps the defaults.
    const char* settings_file;
    // The connection sequence on links[n]: with test_only it identifies
    // the instrument and reports the outcome; otherwise it connects it.
    // True when instrument n was connected.
    bool (*connect)(HWND owner, int n, link_record* link, bool test_only);
    // Brings instrument n (0..3) forward in the main window once a Connect
    // has run.
    void (*show_instrument)(int n);
};

// Procedure of dialog 137; its parameter is a communications_setup. It ends
// with IDC_COMMS_CONNECT (1328) after a Connect that went through
// validation, whether or not any instrument connected, and with IDCANCEL
// (2) on Cancel or closing.
INT_PTR CALLBACK communications_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// The chosen number of instruments minus one: 1, 2 or 3 for the radios of
// two, three or four instruments, else 0.
int get_instrument_count_choice(HWND dialog);

// Reports the first field instrument n (0-based) still needs ("Please enter
// an IP address", "Please select a COM Port", "Please choose a baudrate",
// caption "Test Connection") and returns false; true when nothing is
// missing (or no interface is chosen).
bool validate_connection_fields(HWND dialog, int n);

// Copies the four instruments' choices into their link records: a list
// with nothing chosen leaves its field as it was; USB always runs at 19200
// baud; a blank address field gives the empty address.
void read_communications_fields(HWND dialog);
