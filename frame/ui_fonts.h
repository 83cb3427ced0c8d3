// The seven fonts of the frame, by index 0..6 (0 the default of every row,
// 1 its bold form). Null until the fonts are built at creation.
#pragma once
#include <windows.h>

enum : int { UI_FONT_COUNT = 7 };

extern HFONT ui_fonts[UI_FONT_COUNT];
