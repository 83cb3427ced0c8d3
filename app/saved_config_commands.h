// The configuration file commands of the "Saved Config" menu that the main
// window's command dispatch calls, and the import and free-slot storing
// behind them.
#pragma once
#include <windows.h>

#include "config/saved_config_entry.h"

// "Export..." (120): the Export Config dialog, modal, owned by the main
// window (owner).
void export_config_command(HWND owner);
// "Import..." (121): the open-file dialog, then import_legacy_config_file with the
// chosen path and the current configuration page shown again. Nothing
// happens when the dialog is cancelled.
void import_config_command(HWND owner);
// "Export as .txt..." (193): the save-file dialog, then the current
// instrument's configuration summary (both groups of a two-group instrument,
// group 1 first) into the chosen file; a file that cannot be written is
// reported.
void export_summary_command(HWND owner);

// Stores the configuration of one file in a free slot (save_config_to_free_slot
// on the main window). A file of exactly 3,092, 3,812 or 2,058 bytes is one
// legacy record, converted once the user has named its series and shunt in
// the upgrade dialog ("Cancel" there stores nothing). Any other file is a
// text body, stored record for record as the file holds it under the codes
// -1, -1. Its name is the file's (config_name_from_path). A file that does
// not open, cannot be read or is not a whole body is reported ("Unable to
// import config from that file", caption "Import Error") and nothing is
// stored. True when a slot was written.
bool import_legacy_config_file(const char* path);

// Stores the entry in the first empty slot, or, when all ten are used, in the
// slot the user picks in the Import Config dialog owned by owner; then
// rebuilds owner's "Saved Config" menu. False when the user cancelled (nothing
// stored, the menu left alone) or the slot could not be written.
bool save_config_to_free_slot(HWND owner, const saved_config_entry& entry);
