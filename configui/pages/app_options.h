// The Application Options page (page 5): the instrument's application mode
// (item 70) and the settings each mode brings: motor drive, lighting
// ballast, inrush current, transformer, standby, calibration, and on the
// WQT55 family harmonics and flicker, aircraft and capture.
#pragma once
#include <windows.h>

struct page_def;

// The page of each family, by config_family.
extern const page_def kAppOptionsPages[5];

void show_application_options_page_wqt15xx(HWND config_window);
void show_application_options_page_wqt25xx(HWND config_window);
void show_application_options_page_wqt35xx(HWND config_window);
void show_application_options_page_wqt45xx(HWND config_window);
void show_application_options_page_wqt55xx(HWND config_window);

void layout_application_options_page_wqt15xx();
void layout_application_options_page_wqt25xx();
void layout_application_options_page_wqt35xx();
void layout_application_options_page_wqt45xx();
void layout_application_options_page_wqt55xx();
