#include "base/file_util.h"

#include <shlobj.h>
#include <sys/stat.h>

#include <string>

bool write_whole(HANDLE file, const void* data, DWORD size)
{
    DWORD written = 0;
    return WriteFile(file, data, size, &written, nullptr) && written == size;
}

bool file_exists(const char* path)
{
    DWORD attrs = GetFileAttributesA(path);
    return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}

bool path_exists(const char* path)
{
    struct _stat st;
    return _stat(path, &st) == 0;
}

bool file_size_of(const char* path, uint64_t& size)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return false;
    size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}

bool file_pattern_exists(const char* pattern, WIN32_FIND_DATAA* find_data)
{
    WIN32_FIND_DATAA local;
    HANDLE h = FindFirstFileA(pattern, find_data ? find_data : &local);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    FindClose(h);
    return true;
}

void create_directory_path(const char* path)
{
    std::string text(path ? path : "");
    for (size_t pos = text.find('\\'); pos != std::string::npos; pos = text.find('\\', pos + 1)) {
        // Existing folders and drive names ("c:") fail here and are passed over.
        CreateDirectoryA(text.substr(0, pos).c_str(), nullptr);
    }
}

bool get_folder_path_dynamic(int csidl, char* out)
{
    using get_folder_path_fn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
    out[0] = '\0';
    HMODULE lib = LoadLibraryA("SHFOLDER.DLL");
    if (!lib)
        return false;
    auto fn = reinterpret_cast<get_folder_path_fn>(
        reinterpret_cast<void*>(GetProcAddress(lib, "SHGetFolderPathA")));
    bool ok = false;
    if (fn) {
        HRESULT hr = fn(nullptr, csidl, nullptr, SHGFP_TYPE_DEFAULT, out);
        // A failed query leaves no usable path: report it instead of an empty folder.
        ok = SUCCEEDED(hr) && out[0] != '\0';
        if (!ok)
            out[0] = '\0';
    }
    FreeLibrary(lib);
    return ok;
}
