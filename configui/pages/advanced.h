// The Advanced Acquisition Control page (page 1): DFT selectivity, overload,
// frequency lock with its frequency, high-speed mode, probe compensation,
// watts, reference normalisation, phase offset, minimum frequency and the
// two-group model's synchronisation window.
#pragma once
#include <windows.h>

struct page_def;

// The page of each family, by config_family.
extern const page_def kAdvancedPages[5];

void show_advanced_acquisition_control_page_wqt15xx(HWND config_window);
void show_advanced_acquisition_control_page_wqt25xx(HWND config_window);
void show_advanced_acquisition_control_page_wqt35xx(HWND config_window);
void show_advanced_acquisition_control_page_wqt45xx(HWND config_window);
void show_advanced_acquisition_control_page_wqt55xx(HWND config_window);

// The layouts (the WQT25 family's filler lays its page out itself).
void layout_advanced_acquisition_control_page_wqt15xx();
void layout_advanced_acquisition_control_page_wqt35xx();
void layout_advanced_acquisition_control_page_wqt45xx();
void layout_advanced_acquisition_control_page_wqt55xx();
