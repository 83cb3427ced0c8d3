// Small checks on files and paths, folder creation, the per-user folders, and
// a file handle closed at the end.
#pragma once
#include <windows.h>

#include <cstdint>

// A file handle (as CreateFileA gives it; INVALID_HANDLE_VALUE for none)
// closed when it goes.
class file_handle {
public:
    explicit file_handle(HANDLE handle) : handle_(handle) {}
    ~file_handle()
    {
        if (valid())
            CloseHandle(handle_);
    }
    file_handle(const file_handle&) = delete;
    file_handle& operator=(const file_handle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// Writes size bytes at the file's position; false unless all of them went.
bool write_whole(HANDLE file, const void* data, DWORD size);

// True when the path exists and is not a directory.
bool file_exists(const char* path);
// True when the path exists, as a file or a directory.
bool path_exists(const char* path);
// The size in bytes of the file or folder at path; false when it cannot be
// learnt.
bool file_size_of(const char* path, uint64_t& size);
// True when a find-first on the wildcard pattern finds something.
bool file_pattern_exists(const char* pattern, WIN32_FIND_DATAA* find_data);
// Creates every folder named by the path up to its last '\'; the text after
// the last '\' (a file name) is not created.
void create_directory_path(const char* path);
// Asks shfolder.dll for the default location of a shell folder (CSIDL) and
// copies it into out (MAX_PATH bytes). False when the library, its entry or
// the query itself fails; out is then the empty text.
bool get_folder_path_dynamic(int csidl, char* out);
