// The torque/speed page (page 9), the sub-page of the Power Analyzer page
// in the WQT45 and WQT55 families: the frequency reference, the gear
// ratio, the kind of torque and speed inputs (item 84) and the scale
// factor and offset of each input.
#pragma once
#include <windows.h>

struct page_def;

// The page of each family, by config_family; the WQT15, WQT25 and WQT35
// families have none (no rows).
extern const page_def kTorqueSpeedPages[5];

void show_torque_speed_page_wqt45xx(HWND config_window);
void show_torque_speed_page_wqt55xx(HWND config_window);

void layout_torque_speed_page_wqt45xx();
void layout_torque_speed_page_wqt55xx();
