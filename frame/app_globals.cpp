#include "frame/app_globals.h"

HWND main_window = nullptr;
bool settings_pane_hidden = false;
