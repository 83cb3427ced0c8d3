// Small checks on files and paths, folder creation, and the per-user folders.
#pragma once
#include <windows.h>

#include <cstdint>

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
