// The Phase N Ranging page (page 3): the inputs, autoranging, minimum
// ranges, scale factors, attenuator and shunt of one phase's item set at a
// time, and one row of the family's own; titled by the phase shown, whose
// context button steps to the next phase.
#pragma once
#include <windows.h>

class instrument_config;
struct page_def;

// The page of each family, by config_family.
extern const page_def kRangingPages[5];

// The item set the page shows and changes for ranging_phase: 0, 152 or 176
// to add to a first-set item. One rule for the page, its layout and its
// changes.
int ranging_set_offset(instrument_config& config);

void show_ranging_page_wqt15xx(HWND config_window);
void show_ranging_page_wqt25xx(HWND config_window);
void show_ranging_page_wqt35xx(HWND config_window);
void show_ranging_page_wqt45xx(HWND config_window);
void show_ranging_page_wqt55xx(HWND config_window);

void layout_ranging_page_wqt15xx();
void layout_ranging_page_wqt25xx();
void layout_ranging_page_wqt35xx();
void layout_config_page3_v03();
void layout_config_page3_v04();
