#include "tests/support/comms_log_capture.h"

#include "link/comms_log.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

// Every log line begins "[hh:mm:ss.mmm] ".
constexpr char kPrefixEnd[] = "] ";

} // namespace

std::string read_text_file(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

comms_log_capture::comms_log_capture(const char* name_part)
{
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    char path[MAX_PATH];
    snprintf(path, sizeof path, "%skestrova_%s_%lu_%lu.log", folder, name_part,
             GetCurrentProcessId(), GetTickCount());
    path_ = path;
    set_comms_log_path(path);
    if (!is_comms_log_enabled())
        toggle_comms_log();
}

comms_log_capture::~comms_log_capture()
{
    if (is_comms_log_enabled())
        toggle_comms_log();
    set_comms_log_path("");
    DeleteFileA(path_.c_str());
}

std::string comms_log_capture::text() const
{
    return read_text_file(path_);
}

bool comms_log_capture::has_line(const std::string& line) const
{
    return text().find(kPrefixEnd + line) != std::string::npos;
}

std::vector<std::string> comms_log_capture::lines_starting(const std::string& start) const
{
    std::vector<std::string> found;
    std::istringstream in(text());
    std::string line;
    while (std::getline(in, line)) {
        const size_t body = line.find(kPrefixEnd);
        if (body != std::string::npos && line.compare(body + 2, start.size(), start) == 0)
            found.push_back(line.substr(body + 2) + "\n");
    }
    return found;
}
