// The System Options page (page 7): the instrument-wide settings as eight
// drop-down lists, the same rows in every family but for one empty row in
// the WQT25 and WQT35 families, laid out in each family's order.
#pragma once
#include <windows.h>

struct page_def;

// The page of each family, by config_family.
extern const page_def kSystemOptionsPages[5];

void show_system_options_page_wqt15xx(HWND config_window);
void show_system_options_page_wqt25xx(HWND config_window);
void show_system_options_page_wqt35xx(HWND config_window);
void show_system_options_page_wqt45xx(HWND config_window);
void show_system_options_page_wqt55xx(HWND config_window);

// The layouts of the WQT35, WQT45 and WQT55 families (the WQT15 and WQT25
// builders lay their page out in their own order).
void layout_config_page7_v01();
void layout_config_page7_v02();
void layout_config_page7_v03();
