// The communications log switched on into a file of its own for one test,
// and read back as text.
#pragma once
#include <string>
#include <vector>

// The whole content of a text file ("" when it cannot be read).
std::string read_text_file(const std::string& path);

class comms_log_capture {
public:
    // name_part goes into the file name, to tell the files of tests apart.
    explicit comms_log_capture(const char* name_part);
    // Switches the log off and deletes the file.
    ~comms_log_capture();
    comms_log_capture(const comms_log_capture&) = delete;
    comms_log_capture& operator=(const comms_log_capture&) = delete;

    const std::string& path() const { return path_; }
    std::string text() const;
    // True when a line of the log, after its time prefix, is exactly line
    // (which carries its "\n").
    bool has_line(const std::string& line) const;
    // Every line whose text after the time prefix begins with start, in order,
    // each without its prefix and with its "\n".
    std::vector<std::string> lines_starting(const std::string& start) const;

private:
    std::string path_;
};
