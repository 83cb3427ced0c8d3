// The Impedance Analyzer page (mode 3): the Mode list, the parameter, the
// equivalent circuit and a phase offset.
#pragma once
#include <windows.h>

struct page_def;

// The page of each family, by config_family.
extern const page_def kImpedancePages[5];

void show_impedance_analyzer_page_wqt15xx(HWND config_window);
void show_impedance_analyzer_page_wqt25xx(HWND config_window);
void show_impedance_analyzer_page_wqt35xx(HWND config_window);
void show_impedance_analyzer_page_wqt45xx(HWND config_window);
void show_impedance_analyzer_page_wqt55xx(HWND config_window);

void layout_impedance_analyzer_page_wqt15xx();
void layout_impedance_analyzer_page_wqt25xx();
void layout_impedance_analyzer_page_wqt35xx();
void layout_impedance_analyzer_page_wqt45xx();
void layout_impedance_analyzer_page_wqt55xx();
