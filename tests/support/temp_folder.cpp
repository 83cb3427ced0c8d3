#include "tests/support/temp_folder.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

void remove_tree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                remove_tree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

} // namespace

temp_folder::temp_folder()
{
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    static int n = 0;
    char folder[MAX_PATH];
    std::snprintf(folder, sizeof folder, "%skestrova_test_%lu_%d_%lu", base,
                  GetCurrentProcessId(), ++n, GetTickCount());
    path = folder;
    CreateDirectoryA(folder, nullptr);
}

temp_folder::~temp_folder()
{
    remove_tree(path);
}

std::string temp_folder::file(const std::string& name) const
{
    return path + "\\" + name;
}

std::string read_whole_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool write_whole_file(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    out.close();
    return !out.fail();
}

bool path_exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
