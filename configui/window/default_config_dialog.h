// Resetting the current instrument to default settings for its application
// mode: the "Select Default" dialog (AC or DC), the blocks of starting values
// and the recall of the instrument's stored program 0.
#pragma once
#include <windows.h>

#include "configui/window/default_config_dialog_ids.h"

class instrument_config;

// Dialog results.
enum : INT_PTR {
    DEFAULT_KIND_CANCELLED = 0,
    DEFAULT_KIND_AC = 1,
    DEFAULT_KIND_DC = 2,
};

// Procedure of dialog 198: "AC" ends it with 1, "DC" with 2, Cancel and
// close with 0. It centres itself on the monitor of the main window.
INT_PTR CALLBACK select_default_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// Puts the current instrument's settings for the mode in item 70 of cfg back
// to their defaults, each item set in cfg and sent at once; asks AC or DC for
// one mode and recalls program 0 where there are no defaults. The link is
// held open throughout (opened and closed here unless link_already_open).
void apply_default_config(HWND owner, instrument_config* cfg, bool link_already_open);
// The AC/DC question and its settings.
void ask_default_kind(HWND owner, instrument_config* cfg);
// "prog,recall,0" to the current instrument, then every item read back.
void recall_program_zero(instrument_config* cfg);
