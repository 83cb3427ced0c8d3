// Moving a whole configuration between the program and the current
// instrument: "READ WQT" and "SET UP WQT" (each group of a two-group
// instrument in turn, behind the progress dialog) and the group buttons.
// Loading and saving the "Saved Config" slots is app/saved_config_menu.h.
#pragma once
#include <windows.h>

// Reads the current instrument's configuration (both groups of a two-group
// instrument, group 1 first) and leaves the instrument on the group it was
// on; then the Config page, the views and the controls are refreshed.
void read_settings_command(HWND main_window);

// Sends the current instrument's configuration (both groups of a two-group
// instrument, group 1 first) and leaves the instrument on group 1.
void send_settings_command(HWND main_window);

// Two-group instrument only (anything else: nothing): makes group (0 or 1)
// the current group, bold on its button, and switches a connected
// instrument to it, polling its status ("*ESR?") until the switch has
// settled, three times at most. link_open: the caller holds the link open.
// refresh: every Config page is built again.
void select_group_and_sync(int group, bool refresh, bool link_open);
