// The chooser of the LAN search: every device the search found is asked who
// it is, and the user picks one of the analysers from a list.
#pragma once
#include <windows.h>

// Procedure of dialog 139. Its parameter is the discovery table the search
// filled (discovery_entry[kDiscoveryTableSize]); each analyser's
// identification goes into its entry's text. Result: the index of the
// chosen entry, or -1 (Cancel, or OK with nothing selected).
INT_PTR CALLBACK choose_instrument_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
