#include "frame/app_data_folder.h"

#include "base/file_util.h"

#include <shlobj.h>

#include <cstdio>

char app_data_folder[MAX_PATH] = "";
char settings_ini[MAX_PATH] = "";

namespace {

constexpr char kMaker[] = "Trosvalden";
constexpr char kProgram[] = "DualWQT";

char g_root_override[MAX_PATH] = "";

void local_app_data_root(char (&out)[MAX_PATH])
{
    if (g_root_override[0] != '\0')
        lstrcpynA(out, g_root_override, MAX_PATH);
    else
        get_folder_path_dynamic(CSIDL_LOCAL_APPDATA, out);
}

void set_settings_ini_in_folder()
{
    snprintf(settings_ini, sizeof settings_ini, "%s\\%s.ini", app_data_folder, kProgram);
}

} // namespace

void build_app_data_paths()
{
    char root[MAX_PATH] = "";
    local_app_data_root(root);
    snprintf(app_data_folder, sizeof app_data_folder, "%s\\%s\\%s", root, kMaker, kProgram);
    set_settings_ini_in_folder();
}

void create_app_data_folder()
{
    char root[MAX_PATH] = "";
    local_app_data_root(root);
    char level[MAX_PATH];
    snprintf(level, sizeof level, "%s\\%s", root, kMaker);
    CreateDirectoryA(level, nullptr);
    snprintf(level, sizeof level, "%s\\%s\\%s", root, kMaker, kProgram);
    CreateDirectoryA(level, nullptr);
}

const char* get_app_data_folder()
{
    if (app_data_folder[0] == '\0') {
        build_app_data_paths();
        create_app_data_folder();
    }
    return app_data_folder;
}

void set_app_data_folder(const char* folder)
{
    lstrcpynA(app_data_folder, folder, sizeof app_data_folder);
    set_settings_ini_in_folder();
}

void set_local_app_data_root(const char* root)
{
    lstrcpynA(g_root_override, root ? root : "", sizeof g_root_override);
    app_data_folder[0] = '\0';
    settings_ini[0] = '\0';
}
