// The RMS Voltmeter page (mode 0): the Mode list, rectified mean, peak and,
// by family, last line, crest factor or (WQT25) low blanking.
#pragma once
#include <windows.h>

struct page_def;

// The page of each family, by config_family.
extern const page_def kRmsVoltmeterPages[5];

void show_rms_voltmeter_page_wqt15xx(HWND config_window);
void show_rms_voltmeter_page_wqt25xx(HWND config_window);
void show_rms_voltmeter_page_wqt35xx(HWND config_window);
void show_rms_voltmeter_page_wqt45xx(HWND config_window);
void show_rms_voltmeter_page_wqt55xx(HWND config_window);

// The WQT15 family's layout; the other builders lay their page out in
// their own order.
void layout_rms_voltmeter_page_wqt15xx();
