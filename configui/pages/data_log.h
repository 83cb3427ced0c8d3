// The Data Log page (page 4): where the instrument logs, the interval, how
// its traces are graphed and zoomed, and the family's own rows (time
// reference, location, reference group, high speed).
#pragma once
#include <windows.h>

struct page_def;

// The page of each family, by config_family.
extern const page_def kDataLogPages[5];

void show_data_log_page_wqt15xx(HWND config_window);
void show_data_log_page_wqt25xx(HWND config_window);
void show_data_log_page_wqt35xx(HWND config_window);
void show_data_log_page_wqt45xx(HWND config_window);
void show_data_log_page_wqt55xx(HWND config_window);

void layout_data_log_page_wqt15xx();
void layout_data_log_page_wqt25xx();
void layout_data_log_page_wqt35xx();
void layout_data_log_page_wqt45xx();
void layout_data_log_page_wqt55xx();
