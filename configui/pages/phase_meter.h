// The Phase Meter page (mode 1): the Mode list, speed, smoothing, its
// response and the computation; the WQT25 family shows the computation and
// an offset entry only.
#pragma once
#include <windows.h>

struct page_def;

// The page of each family, by config_family.
extern const page_def kPhaseMeterPages[5];

void show_phase_meter_page_wqt15xx(HWND config_window);
void show_phase_meter_page_wqt25xx(HWND config_window);
void show_phase_meter_page_wqt35xx(HWND config_window);
void show_phase_meter_page_wqt45xx(HWND config_window);
void show_phase_meter_page_wqt55xx(HWND config_window);

void layout_phase_meter_page_wqt15xx();
void layout_phase_meter_page_wqt25xx();
void layout_phase_meter_page_wqt35xx();
void layout_phase_meter_page_wqt45xx();
void layout_phase_meter_page_wqt55xx();
