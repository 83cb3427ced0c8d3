// The per-user folder that holds the settings file and the files kept beside
// it (saved configurations, equations): the local application-data folder
// followed by "\Trosvalden\DualWQT".
#pragma once
#include <windows.h>

extern char app_data_folder[MAX_PATH];

// The folder, built and created on first use unless it has been set.
const char* get_app_data_folder();

// Sets the folder (cut to MAX_PATH - 1 characters): the settings load at
// start-up, and tests that keep their files in a folder of their own.
void set_app_data_folder(const char* folder);
