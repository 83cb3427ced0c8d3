// Resource ids of the program's resource script (kestrova.rc). Kept free of
// C++ so that the resource compiler can read it.
#pragma once

#include "frame/progress_dialog_ids.h"

// About dialog.
#define IDD_ABOUT 103
#define IDC_ABOUT_VERSION 1000
#define IDC_ABOUT_PRODUCT 1002

// Main menu, accelerators, icons and the logo.
#define IDR_ACCELERATORS 109
#define IDR_MAIN_MENU 142
#define IDI_MAIN 157
#define IDI_SMALL_LIST_1 158
#define IDI_SMALL_LIST_2 159
#define IDI_SMALL_LIST_3 160
#define IDI_MAIN_SMALL 162
#define IDB_LOGO 164

// Settings dialog "Kestrova Settings".
#define IDD_SETTINGS 145
#define IDC_SET_REMEMBER_CSV 1404
#define IDC_SET_CSV_FORMAT 1405
#define IDC_SET_LOG_COMMS 1471
#define IDC_SET_LOG_LOCATION_LABEL 1472
#define IDC_SET_LOG_LOCATION 1473
#define IDC_SET_HARMONIC_CSV_MODE 1474
#define IDC_SET_LOG_DATE 1495
#define IDC_SET_WQT_TIME 1509
#define IDC_SET_AUTO_SEND 3101
#define IDC_SET_CSV_FORMAT_LABEL 1406
#define IDC_SET_HARMONIC_CSV_MODE_LABEL 1475
