#include "app/app_globals.h"

HWND main_window = nullptr;
