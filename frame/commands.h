// Private WM_COMMAND ids (wParam low word) that workers, timers and windows
// send or post to the main window and the view windows. They lie below every
// control and menu id, so a window's command handler tells them apart by
// value alone. Besides them, the private window messages of the frame.
#pragma once

enum : int {
    CMD_REFRESH_CONNECTIONS = 110,  // main window: recompute enabled and shown controls
    CMD_NEW_DATA = 111,             // a new result row is ready
    CMD_REDRAW = 112,               // a view window repaints itself
    CMD_OFFER_RESULTS_RELOAD = 115, // main window: offer the last unsaved logging run
    CMD_REFRESH_PANELS = 185,       // main window: refill the Scope and Voltmeter selectors
    CMD_REFRESH_VIEW = 197,         // main window: re-show the current configuration page
};

// Private window messages of the rounded chart tooltips.
enum : unsigned {
    MSG_SET_TOOLTIP_TEXT = 11998, // lParam: the text to show (null: no change)
    MSG_SET_PREV_WNDPROC = 11999, // lParam: heap block holding the procedure to pass messages to;
                                  // the receiver frees it
};
