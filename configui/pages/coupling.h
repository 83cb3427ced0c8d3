// The Coupling page (page 2): the coupling, bandwidth and noise filter of
// each of the instrument's three input blocks, a column each.
#pragma once
#include <windows.h>

struct page_def;

// The page of each family, by config_family.
extern const page_def kCouplingPages[5];

void show_coupling_page_wqt15xx(HWND config_window);
void show_coupling_page_wqt25xx(HWND config_window);
void show_coupling_page_wqt35xx(HWND config_window);
void show_coupling_page_wqt45xx(HWND config_window);
void show_coupling_page_wqt55xx(HWND config_window);

void layout_coupling_page_wqt15xx();
void layout_coupling_page_wqt25xx();
void layout_coupling_page_wqt35xx();
void layout_coupling_page_wqt45xx();
void layout_coupling_page_wqt55xx();
