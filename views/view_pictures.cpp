#include "views/view_pictures.h"

#include "base/window_util.h"
#include "frame/control_tables.h"
#include "frame/drawing.h"
#include "frame/ui_fonts.h"
#include "frame/capture_ids.h"
#include "frame/harmonic_results_ids.h"
#include "frame/results_panel_ids.h"
#include "frame/scope_ids.h"
#include "frame/voltmeter_ids.h"

#include <cstdio>

namespace {

constexpr int kTitleFont = 4;
constexpr int kTitleLeft = 6;

struct view_title {
    int title_id;
    const char* format; // one %d: the instrument's number
    HWND (*view)();
};

constexpr view_title kVoltmeterTitle{IDC_VM_TITLE, "WQT%d Vector Voltmeter", get_voltmeter_window};
constexpr view_title kScopeTitle{IDC_SCOPE_TITLE, "WQT%d Oscilloscope", get_scope_window};
constexpr view_title kCaptureTitle{IDC_CAPTURE_TITLE, "WQT%d Capture", get_capture_window};
constexpr view_title kHarmonicsTitle{IDC_HRES_TITLE, "WQT%d Harmonics", get_harmonic_results_window};

// The title control is widened to hold its whole text in the font it got:
// narrower, it wraps the text after the instrument's number and hides the
// rest of the title the view paints beneath it.
void fit_title_to_text(HWND title, const char* text)
{
    RECT client;
    if (!title || !GetClientRect(title, &client))
        return;
    const LONG width = text_width_in_window_font(title, text);
    if (width <= client.right)
        return;
    RECT outer;
    GetWindowRect(title, &outer);
    const int frame_w = (outer.right - outer.left) - client.right;
    SetWindowPos(title, nullptr, 0, 0, width + frame_w, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void retitle(const view_title& title, int index)
{
    char text[64];
    snprintf(text, sizeof text, title.format, index + 1);
    HWND control = get_control_by_id(title.title_id);
    SetWindowTextA(control, text);
    fit_title_to_text(control, text);
    repaint_window(title.view());
}

void client_area(HWND view, RECT& rect)
{
    if (!GetClientRect(view, &rect))
        SetRectEmpty(&rect);
}

// The view's background with its title (the text of its title control) at
// the top left, as the title control shows it.
void paint_titled_background(HWND view, HDC dc, const RECT& rect, int title_id)
{
    FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
    char title[128] = "";
    GetDlgItemTextA(view, title_id, title, sizeof title);
    const selected_object font_in(dc, ui_fonts[kTitleFont]);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    RECT text = rect;
    text.left += kTitleLeft;
    DrawTextA(dc, title, -1, &text, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

} // namespace

void set_voltmeter_title(int index)
{
    retitle(kVoltmeterTitle, index);
}

void set_scope_title(int index)
{
    retitle(kScopeTitle, index);
}

void capture_post_redraw(int index)
{
    retitle(kCaptureTitle, index);
}

void harmonic_results_setup(int index)
{
    retitle(kHarmonicsTitle, index);
}

void get_scope_plot_rect(HWND view, RECT& rect, int)
{
    client_area(view, rect);
}

void paint_scope(HWND view, HDC dc, const RECT& rect, int)
{
    paint_titled_background(view, dc, rect, IDC_SCOPE_TITLE);
}

void get_voltmeter_plot_rect(HWND view, RECT& rect, int)
{
    client_area(view, rect);
}

void paint_voltmeter_background(HWND view, HDC dc, const RECT& rect, int)
{
    paint_titled_background(view, dc, rect, IDC_VM_TITLE);
}

void capture_layout(HWND view, RECT& rect, int)
{
    client_area(view, rect);
}

void paint_screen_capture(HWND view, HDC dc, const RECT& rect, int)
{
    paint_titled_background(view, dc, rect, IDC_CAPTURE_TITLE);
}

void harmonic_results_chart_rect(HWND view, RECT& rect, int)
{
    client_area(view, rect);
}

void harmonic_results_draw_panel(HWND view, HDC dc, const RECT& rect, int)
{
    paint_titled_background(view, dc, rect, IDC_HRES_TITLE);
}

void measure_results_chart_rect(HWND view, RECT& rect, int)
{
    client_area(view, rect);
}

// A results pane is titled by its own panel, whatever the current instrument.
void measure_results_draw_cell(HWND view, HDC dc, const RECT& rect, int)
{
    const int panel = static_cast<int>(GetWindowLongA(view, 0));
    paint_titled_background(view, dc, rect, results_panel_id(panel, RP_TITLE));
}

void paint_pictured_view(HWND view, picture_rect_fn rect_fn, picture_paint_fn paint_fn, int instrument)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(view, &ps);
    RECT client;
    client_area(view, client);
    RECT area;
    rect_fn(view, area, instrument);
    paint_background_around(view, dc, client, area, nullptr);
    paint_fn(view, dc, area, instrument);
    EndPaint(view, &ps);
}
