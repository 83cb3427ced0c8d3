// A fresh folder under the temp path for one test, removed with everything
// in it when the object goes.
#pragma once
#include <string>

struct temp_folder {
    std::string path;
    temp_folder();
    ~temp_folder();
    temp_folder(const temp_folder&) = delete;
    temp_folder& operator=(const temp_folder&) = delete;

    // path + "\" + name
    std::string file(const std::string& name) const;
};

// The whole content of a file, byte for byte (empty when it does not open).
std::string read_whole_file(const std::string& path);
// Writes the bytes as the whole file; false when it does not open.
bool write_whole_file(const std::string& path, const std::string& bytes);
// True when a file or folder is there.
bool path_exists(const std::string& path);
