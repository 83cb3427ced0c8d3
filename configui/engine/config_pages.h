// The page state as the rest of the program sees it: the first-display
// flags, the ranging page's phase, the page shown last and the grid the
// rows are laid out in (parts of the engine's page state,
// configui/engine/engine.h), with the grid's enabling and its controls.
#pragma once
#include "configui/engine/rows.h"

#include <windows.h>

#include <cstdint>

enum : int { CONFIG_PAGE_BUILDERS = 18 };

// 1: the page kind's labels and controls are created anew at its next
// display (index: the page kind of configui/engine/page_ids.h).
extern uint8_t (&config_page_dirty)[CONFIG_PAGE_BUILDERS];
// The phase whose ranges the ranging page shows.
extern int& ranging_phase;
// The page laid out last, 0..9.
extern int& config_current_page;
// The grid: the label of grid row r in slot r, its control in slot r + 15.
extern grid_slot (&config_grid)[CONFIG_GRID_SLOTS];

// Gives every window placed on the grid the enabled state of the Config
// window; nothing when the grid's first slot is empty.
void enable_config_controls_like_parent();

// Appends the grid's control windows (grid rows 0..14, those placed) to
// handles from position count on and raises count by their number.
void config_collect_control_handles(HWND* handles, int* count);

// Every page made anew and the current one shown again, as the page
// dispatch does it (invalidate_all_config_pages); the Config window gives
// it to the engine when it is created. The entry check calls it after a
// text that is no number, so that the edit shows the stored value again.
void set_rebuild_all_pages(void (*rebuild)());
void rebuild_all_pages();
