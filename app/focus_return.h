// The keyboard focus of the main window across its dialogs. The main window
// is no dialog, so nothing keeps which of its controls had the focus while
// a dialog (or a file dialog opened from one) was in front; after the
// dialog the system leaves the focus on the bare main window or, under some
// window managers, on no window at all, and the keys do nothing until the
// user clicks. This gives it back to the control that had it.
#pragma once
#include <windows.h>

// Keeps the control of the main window that has the focus now (called when
// the main window is deactivated); a focus outside it keeps what was kept.
void remember_focused_control(HWND main_window);

// Gives the focus back to the kept control when it can still take it
// (shown and enabled); true when it did.
bool return_focus_to_control(HWND main_window);

// After a command of the main window: when the command left the focus on
// no window or on the bare main window (a dialog closed), the control that
// had it before the command gets it back. A command that moved the focus
// itself keeps its choice.
void keep_focus_through_command(HWND main_window, HWND focus_before);

// Drops what was kept (when the main window is destroyed).
void forget_focused_control(HWND main_window);
