// Window procedures that replace the standard ones of particular controls
// after creation: the logo button shows a hand cursor, the "Data Settings"
// group box repaints its background and the controls inside it, and two
// tooltip windows of the harmonics chart paint themselves as rounded,
// double-buffered boxes with a text their owner sets (MSG_SET_TOOLTIP_TEXT,
// app/commands.h). Each keeps the procedure it replaced and passes on what
// it does not handle.
#pragma once
#include <windows.h>

LRESULT CALLBACK logo_button_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK framed_control_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK rounded_tooltip_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// The subclassing step of the main window's creation: reads the frame
// colour, subclasses the "Data Settings" group box and the logo button, and
// makes the second and third chart tooltips rounded. Controls and tooltips
// that do not exist are skipped.
void subclass_frame_controls();

// Makes one tooltip window rounded: its procedure becomes
// rounded_tooltip_proc, its extended style exactly WS_EX_LAYERED |
// WS_EX_TOOLWINDOW, its layered attributes colour key black and alpha 0,
// and it is sent the replaced procedure with MSG_SET_PREV_WNDPROC.
void subclass_rounded_tooltip(HWND tooltip);

// The text a rounded tooltip shows; null for any other window.
const char* rounded_tooltip_text(HWND tooltip);
