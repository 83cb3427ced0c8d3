// The Oscilloscope page of the MODE button: timebase, trigger, pretrigger,
// cursors, trace and, on the capture variant, the capture mode.
#pragma once
#include <windows.h>

struct page_def;

// The page of each family, by config_family.
extern const page_def kOscilloscopePages[5];

void show_oscilloscope_page_wqt15xx(HWND config_window);
void show_oscilloscope_page_wqt25xx(HWND config_window);
void show_oscilloscope_page_wqt35xx(HWND config_window);
void show_oscilloscope_page_wqt45xx(HWND config_window);
void show_oscilloscope_page_wqt55xx(HWND config_window);

void layout_oscilloscope_page_wqt15xx();
void layout_oscilloscope_page_wqt25xx();
void layout_oscilloscope_page_wqt35xx();
void layout_oscilloscope_page_wqt45xx();
void layout_oscilloscope_page_wqt55xx();
