// The frame's font table.
#include "frame/ui_fonts.h"

HFONT ui_fonts[UI_FONT_COUNT] = {};
