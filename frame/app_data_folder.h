// The per-user folder that holds the settings file and the files kept beside
// it (saved configurations, equations): the local application-data folder
// followed by "\Trosvalden\DualWQT", and the settings file "DualWQT.ini" in
// it. Every part of the program reaches the folder through these.
#pragma once
#include <windows.h>

extern char app_data_folder[MAX_PATH];
extern char settings_ini[MAX_PATH];

// Builds both paths from the local application-data folder (or the root a
// test has set). Without a local application-data folder both are built
// from the empty text. Creates nothing.
void build_app_data_paths();

// Creates the two folder levels under the root ("\Trosvalden", then
// "\Trosvalden\DualWQT"); folders that exist already are no error.
void create_app_data_folder();

// The folder, built and created on first use unless it has been set.
const char* get_app_data_folder();

// Sets the folder (cut to MAX_PATH - 1 characters) and the settings file in
// it.
void set_app_data_folder(const char* folder);

// Test seam: the folder that stands for the local application-data folder;
// nullptr or "" goes back to the user's own. Clears both paths, which the
// next build or use makes again.
void set_local_app_data_root(const char* root);
