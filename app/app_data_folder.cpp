#include "app/app_data_folder.h"

#include "app/base/file_util.h"

#include <shlobj.h>

#include <cstdio>

char app_data_folder[MAX_PATH] = "";

const char* get_app_data_folder()
{
    if (app_data_folder[0] == '\0') {
        char local[MAX_PATH] = "";
        get_folder_path_dynamic(CSIDL_LOCAL_APPDATA, local);
        snprintf(app_data_folder, sizeof app_data_folder, "%s\\%s\\%s", local, "Trosvalden", "DualWQT");
        // create_directory_path creates the folders before the last '\'.
        char with_slash[MAX_PATH + 1];
        snprintf(with_slash, sizeof with_slash, "%s\\", app_data_folder);
        create_directory_path(with_slash);
    }
    return app_data_folder;
}

void set_app_data_folder(const char* folder)
{
    lstrcpynA(app_data_folder, folder, sizeof app_data_folder);
}
