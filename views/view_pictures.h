// The views' titles for the current instrument, and the pictures of the
// views that Save to Bitmap, Copy to Clipboard and Export to Word take: for
// each pictured view a rectangle routine (the area to take) and a painter
// that draws the view into a device context. Both take the view's window,
// the rectangle and the current instrument index.
#pragma once
#include <windows.h>

// Retitle a view for instrument index + 1 and ask it to repaint:
// "WQT%d Vector Voltmeter", "WQT%d Oscilloscope", "WQT%d Capture",
// "WQT%d Harmonics".
void set_voltmeter_title(int index);
void set_scope_title(int index);
void capture_post_redraw(int index);
void harmonic_results_setup(int index);

void get_scope_plot_rect(HWND view, RECT& rect, int instrument);
void paint_scope(HWND view, HDC dc, const RECT& rect, int instrument);
void get_voltmeter_plot_rect(HWND view, RECT& rect, int instrument);
void paint_voltmeter_background(HWND view, HDC dc, const RECT& rect, int instrument);
void capture_layout(HWND view, RECT& rect, int instrument);
void paint_screen_capture(HWND view, HDC dc, const RECT& rect, int instrument);
void harmonic_results_chart_rect(HWND view, RECT& rect, int instrument);
void harmonic_results_draw_panel(HWND view, HDC dc, const RECT& rect, int instrument);
void measure_results_chart_rect(HWND view, RECT& rect, int instrument);
void measure_results_draw_cell(HWND view, HDC dc, const RECT& rect, int instrument);

// One pictured view's pair.
using picture_rect_fn = void (*)(HWND view, RECT& rect, int instrument);
using picture_paint_fn = void (*)(HWND view, HDC dc, const RECT& rect, int instrument);

// WM_PAINT of a pictured view: the painter draws the view's area and the
// margins around it take the window's background.
void paint_pictured_view(HWND view, picture_rect_fn rect_fn, picture_paint_fn paint_fn, int instrument);
