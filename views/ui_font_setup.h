// Building the frame's seven fonts (ui_fonts) at the main window's creation
// and giving every created control the font of its row.
#pragma once
#include <windows.h>

// Builds ui_fonts from one "Segoe UI" description: 0 regular, fitted so
// that "Phase Angle Reference" fits 115 pixels; 1 its bold form; 2 regular
// 7/5 as high, fitted to the "Elapsed Log Time:" label; 3 its bold form; 4
// regular and 5 bold, 6/5 as high again; 6 light, half as high, for the
// chart tooltips. Then sends every created row its font (no redraw), and
// font 6 to the chart tooltips. A face shipped as resource 171 is
// registered first when the program carries one; without it the system's
// font mapper supplies the face.
void create_ui_fonts(HWND main_window);
