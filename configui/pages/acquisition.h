// The Acquisition Control page (page 0): wiring, speed and window,
// smoothing, the frequency reference and its phase, the phase references,
// frequency filters, low and minimum frequency, the gear ratio, the phase
// angle reference and the two-group instrument's grouping.
#pragma once
#include <windows.h>

struct page_def;

// The page of each family, by config_family.
extern const page_def kAcquisitionPages[5];

void show_acquisition_control_page_wqt15xx(HWND config_window);
void show_acquisition_control_page_wqt25xx(HWND config_window);
void show_acquisition_control_page_wqt35xx(HWND config_window);
void show_acquisition_control_page_wqt45xx(HWND config_window);
void show_acquisition_control_page_wqt55xx(HWND config_window);

void layout_acquisition_control_page_wqt15xx();
void layout_acquisition_control_page_wqt25xx();
void layout_acquisition_control_page_wqt35xx();
void layout_acquisition_control_page_wqt45xx();
void layout_acquisition_control_page_wqt55xx();
