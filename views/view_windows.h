// The measurement view windows: their window procedures (registered for the
// view classes and created from the frame's control tables) and the services
// the frame calls when it builds or switches views. Each procedure answers
// WM_COMMAND CMD_REDRAW by repainting.
#pragma once
#include <windows.h>

LRESULT CALLBACK measure_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK scope_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK capture_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK harmonics_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK voltmeter_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK lomx_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
// Creates the three tooltip windows of the harmonics chart.
LRESULT CALLBACK harmonic_results_wnd_proc(HWND window, UINT message, WPARAM wparam,
                                           LPARAM lparam);
// Window word 0 holds the pane's instrument index 0..3.
LRESULT CALLBACK measure_results_wnd_proc(HWND window, UINT message, WPARAM wparam,
                                          LPARAM lparam);

// Extra bytes of the Measure Results window class: the instrument index.
enum : int { MEASURE_RESULTS_WINDOW_BYTES = 4 };

// The tooltip windows of the harmonics chart, created with the Harmonic
// Results window (the window first in each record); the frame subclasses
// the second and third and gives all three their font.
struct tooltip_record {
    HWND window;
};
enum : int { HARMONIC_RESULTS_TOOLTIPS = 3 };
extern tooltip_record harmonic_results_tooltips[HARMONIC_RESULTS_TOOLTIPS];

// Resets the four colour swatches of each results panel to their defaults.
void measure_results_reset_colours();
// Fills the Scope window's selectors and its table from the connected
// instruments.
void build_scope_panel();
// Refreshes the harmonics table.
void harmonics_refresh_list();
// Refills the Harmonic Results window's selectors.
void harmonic_results_fill_combos();
// Fills the Voltmeter window's selectors.
void build_voltmeter_panel();
// Refreshes the LOMX window's texts and its multilog list.
void lomx_refresh();
