// The main window as the program starts it, for tests and the layout
// benchmark: the view and panel classes registered, the frame metrics added,
// the tables laid out, the main window created from its row (its creation
// builds every control) and shown. Its window procedure stands in for the
// program's: creation, re-layout on WM_SIZE unless minimised, and the main
// row's size as the minimum tracking size.
#pragma once
#include <windows.h>

// Built on the first call; the same window after that.
HWND frame_main_window();

// Delivers the messages waiting for this thread, for at least ms
// milliseconds, so that the window manager's answers arrive too.
void pump_messages(DWORD ms = 0);

// Sets the main window's outer size and lets the resize run its course.
// Returns the size the window really has then.
SIZE resize_main_window(int width, int height);

// The main window's outer size.
SIZE main_window_size();
