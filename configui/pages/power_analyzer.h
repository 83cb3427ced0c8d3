// The Power Analyzer page (a mode page, page 8): sign conventions, the
// harmonic, current and VA/VAr sums, THD difference, conversion, the
// efficiency ratio and input compensation; the display lines of the WQT15
// and WQT35 families, and the WQT35 family's torque and speed inputs.
#pragma once
#include <windows.h>

struct page_def;

// The page of each family, by config_family.
extern const page_def kPowerAnalyzerPages[5];

void show_power_analyzer_page_wqt15xx(HWND config_window);
void show_power_analyzer_page_wqt25xx(HWND config_window);
void show_power_analyzer_page_wqt35xx(HWND config_window);
void show_power_analyzer_page_wqt45xx(HWND config_window);
void show_power_analyzer_page_wqt55xx(HWND config_window);

void layout_power_analyzer_page_wqt15xx();
void layout_power_analyzer_page_wqt25xx();
void layout_power_analyzer_page_wqt35xx();
void layout_power_analyzer_page_wqt45xx();
void layout_power_analyzer_page_wqt55xx();
