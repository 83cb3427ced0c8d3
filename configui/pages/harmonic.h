// The harmonic pages of the MODE button: the Harmonic Analyzer page of every
// family, and the WQT55 family's Fluctuating Harmonics and Flickermeter
// pages. Each lays itself out again after every selection in its lists.
#pragma once
#include <windows.h>

struct page_def;

// The pages of each family, by config_family; only the WQT55 family has the
// Fluctuating Harmonics and Flickermeter pages.
extern const page_def kHarmonicPages[5];
extern const page_def kFluctuatingPages[5];
extern const page_def kFlickermeterPages[5];

void show_harmonic_analyzer_page_wqt15xx(HWND config_window);
void show_harmonic_analyzer_page_wqt25xx(HWND config_window);
void show_harmonic_analyzer_page_wqt35xx(HWND config_window);
void show_harmonic_analyzer_page_wqt45xx(HWND config_window);
void show_harmonic_analyzer_page_wqt55xx(HWND config_window);
void show_fluctuating_harmonics_page_wqt55xx(HWND config_window);
void show_flickermeter_page_wqt55xx(HWND config_window);

void layout_harmonic_analyzer_page_wqt15xx();
void layout_harmonic_analyzer_page_wqt25xx();
void layout_harmonic_analyzer_page_wqt35xx();
void layout_harmonic_analyzer_page_wqt45xx();
void layout_harmonic_analyzer_page_wqt55xx();
void layout_fluctuating_harmonics_page_wqt55xx();
void layout_flickermeter_page_wqt55xx();
