// Window text, list views filled from tab-separated text, placing dialogs on
// the screen, and the wait cursor. None of these keeps state between calls.
#pragma once
#include <windows.h>

// Copies the window's text, at most size - 1 characters, always terminated;
// returns the number of characters copied.
int get_window_text(HWND window, char* buffer, int size);

// Appends a row to a report list view. text holds the item text and the
// sub-item texts separated by tabs (at most 59 sub-items, each field at most
// 2047 characters; a longer field is cut, the columns after it stay in
// place); nullptr gives an empty row. value is stored as the row's item
// parameter. With callback set, the item text is asked from the list view's
// owner (LVN_GETDISPINFO) and no sub-items are set. Returns the row's index,
// or -1 when it could not be inserted.
int listview_add_tab_row(HWND list, const char* text, int value, bool callback);
// The same, inserting at index (-1 = at the end).
int listview_set_row(HWND list, int index, const char* text, int value, bool callback);

// The item value of row index, or of the first selected row when index is
// negative; -1 when there is no such row.
int listview_get_selected(HWND list, int index);

// Invalidates the window and every window in it, background included, so
// that all of it is painted again.
void repaint_window(HWND window);
// The same for one area of the window (in its client coordinates).
void repaint_area(HWND window, const RECT& area);

// A shown child window that stood at was (in its parent's client
// coordinates) and stands elsewhere now: its old place and its new place are
// drawn again in the parent, the windows there included, as a full repaint
// of the parent draws them. A window moved without being drawn keeps showing
// at its old place, and a window that does not paint all of its inside (a
// group box) keeps showing its old edges at its new place. Nothing is done
// for a window that stands where it stood.
void repaint_moved(HWND window, const RECT& was);

// Where a child window stands, in its parent's client coordinates.
RECT window_rect_in_parent(HWND window);
// Whether the window itself has the visible style (its parents aside).
bool has_shown_style(HWND window);

// The procedure of a dialog with OK and Cancel: init answers
// WM_INITDIALOG (with the dialog's parameter), ok handles OK and ends the
// dialog itself when it is content, Cancel ends it with IDCANCEL. Everything
// else is left to the dialog manager.
INT_PTR ok_cancel_dialog(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam,
                         INT_PTR (*init)(HWND dialog, LPARAM param), void (*ok)(HWND dialog));

// The procedure of a dialog run by two handlers: init answers WM_INITDIALOG
// (with the dialog's parameter), command answers WM_COMMAND with the
// control's id and notification code and returns TRUE when it took the
// command. A Cancel it does not take ends the dialog with IDCANCEL.
// Everything else is left to the dialog manager.
INT_PTR command_dialog(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam,
                       INT_PTR (*init)(HWND dialog, LPARAM param),
                       INT_PTR (*command)(HWND dialog, int id, int code));

// Deletes all rows, if there are any.
void listview_reset(HWND list);

// Centres the window on the parent's window rectangle, held within the
// primary screen, or without a parent on the screen (x on a multiple of 8).
// Keeps the size and does not repaint.
void centre_window(HWND window, HWND parent);

// Centres the window on the monitor nearest to the owner (or, without one,
// to the window itself), keeping its size, z-order and activation.
void fit_window_to_monitor(HWND window, HWND owner);

// Shows the wait cursor for as long as it lives, then the cursor from before.
class wait_cursor {
public:
    wait_cursor();
    ~wait_cursor();
    wait_cursor(const wait_cursor&) = delete;
    wait_cursor& operator=(const wait_cursor&) = delete;

private:
    HCURSOR previous_;
};
