// Private WM_COMMAND ids (wParam low word) that workers, timers and windows
// send or post to the main window and the view windows. They lie below every
// control and menu id, so a window's command handler tells them apart by
// value alone.
#pragma once

enum : int {
    CMD_REFRESH_CONNECTIONS = 110,  // main window: recompute enabled and shown controls
    CMD_NEW_DATA = 111,             // a new result row is ready
    CMD_REDRAW = 112,               // a view window repaints itself
    CMD_OFFER_RESULTS_RELOAD = 115, // main window: offer the last unsaved logging run
    CMD_REFRESH_PANELS = 185,       // main window: refill the Scope and Voltmeter selectors
    CMD_REFRESH_VIEW = 197,         // main window: re-show the current configuration page
};
