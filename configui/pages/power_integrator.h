// The Power Integrator page (a mode page, page 8): the integration kind,
// what the display shows, the run time as hours and minutes, and on the
// WQT45 and WQT55 families the time reference.
#pragma once
#include <windows.h>

struct page_def;

// The page of each family, by config_family.
extern const page_def kPowerIntegratorPages[5];

void show_power_integrator_page_wqt15xx(HWND config_window);
void show_power_integrator_page_wqt25xx(HWND config_window);
void show_power_integrator_page_wqt35xx(HWND config_window);
void show_power_integrator_page_wqt45xx(HWND config_window);
void show_power_integrator_page_wqt55xx(HWND config_window);

// The WQT15, WQT25 and WQT35 builders lay their page out themselves.
void layout_power_integrator_page_wqt45xx();
void layout_power_integrator_page_wqt55xx();
