// The view windows' procedures and the services the frame calls on them.
#include "views/view_windows.h"

#include "app/commands.h"
#include "app/layout.h"

#include <commctrl.h>

tooltip_record harmonic_results_tooltips[HARMONIC_RESULTS_TOOLTIPS] = {};

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

void create_chart_tooltips(HWND window)
{
    for (tooltip_record& tip : harmonic_results_tooltips) {
        tip.window = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window,
                                     nullptr, GetModuleHandleA(nullptr), nullptr);
    }
}

void destroy_chart_tooltips()
{
    for (tooltip_record& tip : harmonic_results_tooltips) {
        if (tip.window)
            DestroyWindow(tip.window);
        tip.window = nullptr;
    }
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
    switch (message) {
    case WM_CREATE:
        create_chart_tooltips(window);
        return 0;
    case WM_DESTROY:
        destroy_chart_tooltips();
        return 0;
    }
    return view_default(window, message, wparam, lparam);
}

LRESULT CALLBACK measure_results_wnd_proc(HWND window, UINT message, WPARAM wparam,
                                          LPARAM lparam)
{
    // A pane that changes size shows as many of its selectors as fit.
    if (message == WM_SIZE)
        position_results_panes();
    return view_default(window, message, wparam, lparam);
}

void build_scope_panel() {}
void harmonics_refresh_list() {}
void harmonic_results_fill_combos() {}
void build_voltmeter_panel() {}
void lomx_refresh() {}
