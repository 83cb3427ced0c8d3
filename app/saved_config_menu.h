// The "Saved Config" popup of the main menu (position 1 of "&Configure"):
// its Load, Save and Delete entries for the ten saved slots, then
// "Export...", "Export as .txt..." and "Import...".
#pragma once
#include <windows.h>

// rebuild: fill the popup again from the slots (not done yet: the popup
// keeps the entries of the menu resource). enable: enables "Saved Config",
// or greys it. Redraws the menu bar.
void rebuild_saved_config_menu(HWND main_window, bool rebuild, bool enable);
