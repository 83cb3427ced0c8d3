// The Config window: the head of the configuration editor with its page
// buttons.
#pragma once
#include <windows.h>

// Window procedure of the Config window class; handles the commands of its
// head and page buttons and repaints on WM_COMMAND CMD_REDRAW.
LRESULT CALLBACK config_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
