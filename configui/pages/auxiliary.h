// The Auxiliary Control page (page 6): master and slave, the auxiliary
// device with its own settings, summed watts and the external system
// scaling (of each group, on the two-group model where one group takes
// four phases or more).
#pragma once
#include <windows.h>

struct page_def;

// The page of each family, by config_family.
extern const page_def kAuxiliaryPages[5];

void show_auxiliary_control_page_wqt15xx(HWND config_window);
void show_auxiliary_control_page_wqt25xx(HWND config_window);
void show_auxiliary_control_page_wqt35xx(HWND config_window);
void show_auxiliary_control_page_wqt45xx(HWND config_window);
void show_auxiliary_control_page_wqt55xx(HWND config_window);

void layout_auxiliary_control_page_wqt15xx();
void layout_auxiliary_control_page_wqt25xx();
void layout_auxiliary_control_page_wqt35xx();
void layout_auxiliary_control_page_wqt45xx();
void layout_auxiliary_control_page_wqt55xx();
