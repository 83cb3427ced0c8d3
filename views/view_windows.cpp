// The view windows' procedures and the services the frame calls on them.
#include "views/view_windows.h"

#include "app/commands.h"

namespace {

// What every view does with a message it has no handler for: a redraw
// request repaints the whole window, the rest goes to the default procedure.
LRESULT view_default(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_COMMAND && LOWORD(wparam) == CMD_REDRAW) {
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

} // namespace

LRESULT CALLBACK measure_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    return view_default(window, message, wparam, lparam);
}

LRESULT CALLBACK scope_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    return view_default(window, message, wparam, lparam);
}

LRESULT CALLBACK capture_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    return view_default(window, message, wparam, lparam);
}

LRESULT CALLBACK harmonics_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    return view_default(window, message, wparam, lparam);
}

LRESULT CALLBACK voltmeter_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    return view_default(window, message, wparam, lparam);
}

LRESULT CALLBACK lomx_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    return view_default(window, message, wparam, lparam);
}

LRESULT CALLBACK harmonic_results_wnd_proc(HWND window, UINT message, WPARAM wparam,
                                           LPARAM lparam)
{
    return view_default(window, message, wparam, lparam);
}

LRESULT CALLBACK measure_results_wnd_proc(HWND window, UINT message, WPARAM wparam,
                                          LPARAM lparam)
{
    return view_default(window, message, wparam, lparam);
}

void measure_results_reset_colours() {}
void build_scope_panel() {}
void harmonics_refresh_list() {}
void harmonic_results_fill_combos() {}
void build_voltmeter_panel() {}
void lomx_refresh() {}
