// The configuration pages as the rest of the program sees them: the page
// re-show, the page-rebuild flags, the phase of the ranging page and the
// grid of label and control windows the pages are laid out in. The pages
// themselves are not part of this version: the Config window lights its
// page buttons and the grid stays empty.
#pragma once
#include <windows.h>

#include <cstdint>

enum : int {
    CONFIG_PAGE_BUILDERS = 18,
    CONFIG_GRID_ROWS = 15,
    CONFIG_GRID_SLOTS = 2 * CONFIG_GRID_ROWS, // labels in 0..14, controls in 15..29
};

// 1: build the page again when it is next shown. While the pages are not
// built, flag b belongs to page button 13011 + b.
extern uint8_t config_page_dirty[CONFIG_PAGE_BUILDERS];
// The 1-based phase whose ranges the ranging page shows.
extern int ranging_phase;
// The page grid: the label of row r in slot r, its control in slot r + 15;
// null where nothing is placed.
extern HWND config_grid[CONFIG_GRID_SLOTS];

// Re-shows the current page: lights the page button the Config window
// remembers and clears that page's rebuild flag.
void show_config_page(HWND config_window);

// Marks every page for rebuilding and re-shows the current page of the
// Config window, so that its controls show the stored values again.
void invalidate_all_config_pages();

// Gives every window in the grid the enabled state of the first one's
// parent; nothing when the grid's first slot is empty.
void enable_config_controls_like_parent();

// Appends the grid's control windows (rows 0..14, those that exist) to
// handles from position count on and raises count by their number.
void config_collect_control_handles(HWND* handles, int* count);

// The page button the Config window has lit last, 0 before any.
int config_page_button(HWND config_window);
// Lights a page button (bold, the others of the row normal) and remembers
// it for the Config window.
void light_config_page_button(HWND config_window, int id);
// Forgets the remembered button; the Config window calls it when it goes.
void forget_config_page_button(HWND config_window);
