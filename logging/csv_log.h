// The CSV results log read back into the Measure window.
#pragma once
#include <windows.h>

// The Open CSV File command in "Log real time table" mode. Reading a log back
// is not part of this version: a box says so.
void open_csv_log_file(HWND owner);
