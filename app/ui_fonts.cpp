// The frame's font table.
#include "app/ui_fonts.h"

HFONT ui_fonts[UI_FONT_COUNT] = {};
