// Control ids of the Configuration Upgrade dialog (resource 192). Kept free
// of C++ so that the resource compiler can read it.
#pragma once

#define IDD_CONFIG_UPGRADE 192
#define IDC_UPGRADE_HEADING 1496
#define IDC_UPGRADE_NAME_INTRO 1497
#define IDC_UPGRADE_NAME 1498
#define IDC_UPGRADE_NAME_OUTRO 1499
#define IDC_UPGRADE_SERIES_QUESTION 1500
#define IDC_UPGRADE_WQT55 1501
#define IDC_UPGRADE_WQT45 1502
#define IDC_UPGRADE_WQT25 1503
#define IDC_UPGRADE_WQT15 1504
#define IDC_UPGRADE_SHUNT_QUESTION 1505
#define IDC_UPGRADE_SHUNT_LOW 1506
#define IDC_UPGRADE_SHUNT_STANDARD 1507
#define IDC_UPGRADE_SHUNT_HIGH 1508
// The second button ("Delete" or "Cancel"). It is not IDCANCEL, which Esc
// and the close box send: only a click of it declines.
#define IDC_UPGRADE_DECLINE 1509
