#include "app/app_globals.h"

HWND main_window = nullptr;
char app_data_folder[MAX_PATH] = "";
