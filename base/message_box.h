// Every message box of the program goes through show_message_box, so that a
// test can record the text and answer it instead of a user.
#pragma once
#include <windows.h>

using message_box_fn = int (*)(HWND owner, const char* text, const char* caption, UINT type);

// Shows a modal message box (MessageBoxA unless a handler is installed) and
// returns the button the user pressed (IDOK, IDYES, ...).
int show_message_box(HWND owner, const char* text, const char* caption, UINT type);

// How many of the program's boxes are up (shown through show_message_box
// and not answered yet, on any thread), and whether one is: a box takes the
// keyboard focus from the window that had it, and delivers the messages
// posted to its thread.
int message_boxes_up();
bool message_box_shown();

// Installs a handler in place of MessageBoxA; nullptr restores MessageBoxA.
// Returns the handler that was installed before.
message_box_fn set_message_box_handler(message_box_fn handler);
