// The page dispatch, as the Config window and the rest of the program use
// it: the registry of the pages by kind and family, a kind's page shown,
// the measurement-mode dispatch, and the current page shown again.
#pragma once
#include "config/item_tables.h"
#include "configui/engine/page_ids.h"

#include <windows.h>

struct page_def;

// The definition of a kind's page for a family; null where it has none
// (not a page of that family).
const page_def* find_page_def(int kind, config_family family);

// Shows a kind's page of the family: its definition, or where it has none,
// a bare page with its title and page button that makes its number current.
void show_page_kind(page_kind kind, config_family family, HWND config_window);

// The measurement-mode dispatch of a family: item 1 written to the
// instrument when it differs from the mode the family showed last, then the
// page of that mode (the Power Analyzer's for a mode without a page of its
// own; modes.h says which).
void show_mode_page(config_family family, HWND config_window);
void show_mode_page_wqt15xx(HWND config_window);
void show_mode_page_wqt25xx(HWND config_window);
void show_mode_page_wqt35xx(HWND config_window);
void show_mode_page_wqt45xx(HWND config_window);
void show_mode_page_wqt55xx(HWND config_window);

// Shows the current page again for the current instrument, with its values
// reloaded; a page number outside 0..9 shows nothing.
void show_config_page(HWND config_window);

// Marks every page for rebuilding and shows the Config window's current
// page again.
void invalidate_all_config_pages();
