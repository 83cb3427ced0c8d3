// The view windows' procedures and the services the frame calls on them.
#include "views/view_windows.h"

#include "frame/app_globals.h"
#include "base/window_util.h"
#include "frame/commands.h"
#include "views/layout.h"
#include "frame/ui_text.h"
#include "slots/instrument_slots.h"
#include "logging/logging_state.h"
#include "logging/run_control.h"
#include "frame/harmonics_ids.h"
#include "views/lomx.h"
#include "frame/measure_ids.h"
#include "frame/scope_ids.h"
#include "views/view_pictures.h"
#include "views/view_state.h"

#include <commctrl.h>

tooltip_record harmonic_results_tooltips[HARMONIC_RESULTS_TOOLTIPS] = {};

namespace {

constexpr int kEnterHighspeedText = 1231; // ui_text: "Enter Highspeed\r\nMode"
constexpr const char* kExitHighspeedText = "Exit Highspeed\r\nMode";

// A row of buttons that sets a view or logging mode to the button's place
// in the row.
struct mode_buttons {
    int first;
    int last;
    void (*set)(int mode);
};

const mode_buttons measure_mode_buttons[] = {
    {IDC_MEAS_MODE_MANUAL, IDC_MEAS_MODE_OVERWRITE_CSV,
     [](int mode) { log_data_mode = static_cast<uint32_t>(mode); }},
    {IDC_MEAS_REAL_TIME, IDC_MEAS_LOG, [](int mode) { measure_view_mode = mode; }},
};
const mode_buttons harmonics_mode_buttons[] = {
    {IDC_HARM_VIEW_TABLE, IDC_HARM_VIEW_GRAPH, [](int mode) { harmonics_view_mode = mode; }},
};

// What a view button changed decides which controls the main window enables
// and shows.
void refresh_main_controls()
{
    SendMessageA(main_window, WM_COMMAND, CMD_REFRESH_CONNECTIONS, 0);
}

template <size_t N>
bool set_mode_from_button(const mode_buttons (&rows)[N], int id)
{
    for (const mode_buttons& row : rows) {
        if (id >= row.first && id <= row.last) {
            row.set(id - row.first);
            return true;
        }
    }
    return false;
}

void toggle_highspeed(HWND measure)
{
    highspeed_click_handled();
    highspeed_mode = highspeed_mode == 1 ? 0 : 1;
    SetDlgItemTextA(measure, IDC_MEAS_HIGHSPEED,
                    highspeed_mode ? kExitHighspeedText : ui_text[kEnterHighspeedText]);
}

bool measure_command(HWND window, int id)
{
    if (id == IDC_MEAS_HIGHSPEED)
        toggle_highspeed(window);
    else if (!set_mode_from_button(measure_mode_buttons, id))
        return false;
    refresh_main_controls();
    return true;
}

bool scope_command(HWND, int id)
{
    if (id != IDC_SCOPE_TABLE_VIEW)
        return false;
    scope_view_mode = scope_view_mode == 2 ? 1 : 2;
    refresh_main_controls();
    return true;
}

bool harmonics_command(HWND, int id)
{
    if (!set_mode_from_button(harmonics_mode_buttons, id))
        return false;
    refresh_main_controls();
    return true;
}

bool lomx_view_command(HWND window, int id)
{
    lomx_command(window, id);
    return true;
}

using command_handler = bool (*)(HWND window, int id);

// A view's WM_COMMAND: CMD_REDRAW repaints, the view's handler takes the
// commands of its controls.
LRESULT view_command(HWND window, WPARAM wparam, LPARAM lparam, command_handler handler)
{
    const int id = LOWORD(wparam);
    if (id == CMD_REDRAW)
        repaint_window(window);
    else if (!handler || !handler(window, id))
        return DefWindowProcA(window, WM_COMMAND, wparam, lparam);
    return 0;
}

LRESULT view_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, command_handler handler)
{
    if (message == WM_COMMAND)
        return view_command(window, wparam, lparam, handler);
    return DefWindowProcA(window, message, wparam, lparam);
}

// A view with a drawing area paints it and its margins itself, so the area
// is never erased first.
struct view_picture {
    picture_rect_fn rect;
    picture_paint_fn paint;
};

LRESULT pictured_view_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, command_handler handler,
                           const view_picture& picture, int instrument)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        paint_pictured_view(window, picture.rect, picture.paint, instrument);
        return 0;
    }
    return view_proc(window, message, wparam, lparam, handler);
}

constexpr view_picture kScopePicture{get_scope_plot_rect, paint_scope};
constexpr view_picture kCapturePicture{capture_layout, paint_screen_capture};
constexpr view_picture kVoltmeterPicture{get_voltmeter_plot_rect, paint_voltmeter_background};
constexpr view_picture kHarmonicResultsPicture{harmonic_results_chart_rect, harmonic_results_draw_panel};
constexpr view_picture kMeasureResultsPicture{measure_results_chart_rect, measure_results_draw_cell};

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
    return view_proc(window, message, wparam, lparam, measure_command);
}

LRESULT CALLBACK scope_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    return pictured_view_proc(window, message, wparam, lparam, scope_command, kScopePicture,
                              get_current_instrument_index());
}

LRESULT CALLBACK capture_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    return pictured_view_proc(window, message, wparam, lparam, nullptr, kCapturePicture,
                              get_current_instrument_index());
}

LRESULT CALLBACK harmonics_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    return view_proc(window, message, wparam, lparam, harmonics_command);
}

LRESULT CALLBACK voltmeter_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    return pictured_view_proc(window, message, wparam, lparam, nullptr, kVoltmeterPicture,
                              get_current_instrument_index());
}

LRESULT CALLBACK lomx_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    return view_proc(window, message, wparam, lparam, lomx_view_command);
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
    return pictured_view_proc(window, message, wparam, lparam, nullptr, kHarmonicResultsPicture,
                              get_current_instrument_index());
}

LRESULT CALLBACK measure_results_wnd_proc(HWND window, UINT message, WPARAM wparam,
                                          LPARAM lparam)
{
    // A pane that changes size shows as many of its selectors as fit.
    if (message == WM_SIZE)
        position_results_panes();
    return pictured_view_proc(window, message, wparam, lparam, nullptr, kMeasureResultsPicture,
                              static_cast<int>(GetWindowLongA(window, 0)));
}

void build_scope_panel() {}
void harmonics_refresh_list() {}
void harmonic_results_fill_combos() {}
void build_voltmeter_panel() {}
void lomx_refresh() {}
