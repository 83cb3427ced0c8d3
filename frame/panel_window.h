// The panel window class "Z7DualWQTPanelWClass": a plain child control with
// a background colour of its own on which it draws, right-aligned, the texts
// of up to 60 other windows, each at the height of that window. Its state
// lives in a block behind its one window word.
#pragma once
#include <windows.h>

// Private commands to a panel (WM_COMMAND, id in wParam).
enum : int {
    PANEL_SET_COLOUR = 30001, // lParam: the new background colour (no redraw of its own)
    PANEL_ADD_ENTRY = 30002,  // lParam: a window whose text the panel draws; the 61st is ignored
};

enum : int { PANEL_MAX_ENTRIES = 60 };

// Registers the class for the program's module.
void register_panel_class();

LRESULT CALLBACK panel_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
