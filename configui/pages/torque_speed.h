// The torque/speed page (page 9), the sub-page of the Power Analyzer page
// in the WQT45 and WQT55 families: the frequency reference, the gear
// ratio, the kind of torque and speed inputs (item 84) and the scale
// factor and offset of each input. Also the rules by which item 84 names
// the two scale factors and picks the speed scale factor's item, which
// every page showing those rows shares.
#pragma once
#include <windows.h>

class instrument_config;
struct page_def;

// The page of each family, by config_family; the WQT15, WQT25 and WQT35
// families have none (no rows).
extern const page_def kTorqueSpeedPages[5];

// The labels of the torque and of the speed scale factor for a value of
// item 84.
const char* torque_scale_label(int torque_speed);
const char* speed_scale_label(int torque_speed);
// The item the speed scale factor row shows and sets: 87 (pulses per
// revolution) while item 84 makes the speed input pulsed, else 86.
int speed_scale_item(instrument_config& config);

void show_torque_speed_page_wqt45xx(HWND config_window);
void show_torque_speed_page_wqt55xx(HWND config_window);

void layout_torque_speed_page_wqt45xx();
void layout_torque_speed_page_wqt55xx();
