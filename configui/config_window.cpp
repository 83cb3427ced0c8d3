// The Config window's procedure.
#include "configui/config_window.h"

#include "app/commands.h"

LRESULT CALLBACK config_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_COMMAND && LOWORD(wparam) == CMD_REDRAW) {
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}
