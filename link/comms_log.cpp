#include "link/comms_log.h"

#include "base/file_util.h"
#include "link/link_record.h"
#include "link/user_report.h"

#include <windows.h>

#include <atomic>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>

namespace {

std::atomic<bool> g_enabled{false};
char g_path[MAX_PATH] = "";
uint64_t g_counter = 0;
// Guards the path, the counter and the file, so that lines written from
// several threads never interleave and numbers appear in file order.
std::mutex g_mutex;

std::string time_prefix()
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    char buf[32];
    snprintf(buf, sizeof buf, "[%02d:%02d:%02d.%03d] ", st.wHour, st.wMinute, st.wSecond,
             st.wMilliseconds);
    return buf;
}

// Third comma-separated field of the identification reply, if there is one.
bool serial_number_of(const link_record& link, std::string& serial)
{
    const std::string idn = idn_reply_text(link);
    size_t first = idn.find(',');
    if (first == std::string::npos)
        return false;
    size_t second = idn.find(',', first + 1);
    if (second == std::string::npos)
        return false;
    size_t third = idn.find(',', second + 1);
    serial = idn.substr(second + 1, third == std::string::npos ? std::string::npos
                                                              : third - second - 1);
    return true;
}

// Writes a line to the file; the caller holds g_mutex. Returns false when the
// file could not be created (logging is then switched off by the caller).
bool write_line_locked(const std::string& prefix, const std::string& line)
{
    if (!file_exists(g_path)) {
        create_directory_path(g_path);
        char header[512];
        snprintf(header, sizeof header,
                 "%s %s CommsLog\nSoftware Version %s_%s (build %s)\n%s***\tLOG FILE OPENED\t***\n",
                 "TVXCOMPANYNAME", "Kestrova", "3", "5", "33", prefix.c_str());
        if (FILE* f = fopen(g_path, "a")) {
            fputs(header, f);
            fclose(f);
        }
        if (!file_exists(g_path))
            return false;
    }
    if (FILE* f = fopen(g_path, "a")) {
        fputs(line.c_str(), f);
        fclose(f);
    }
    return true;
}

void append_locked(std::unique_lock<std::mutex>& lock, const char* text)
{
    std::string prefix = time_prefix();
    std::string line = prefix + (text ? text : "");
    if (!g_enabled || g_path[0] == '\0') {
        OutputDebugStringA(line.c_str());
        return;
    }
    if (!write_line_locked(prefix, line)) {
        g_enabled = false;
        // The box is modal: let other threads log (to the debugger) meanwhile.
        lock.unlock();
        report_to_user("Error opening comms log for writing\nComms Logging disabled",
                       "Error", MB_OK);
        lock.lock();
    }
}

} // namespace

void append_comms_log(const char* text)
{
    std::unique_lock<std::mutex> lock(g_mutex);
    append_locked(lock, text);
}

bool is_comms_log_enabled()
{
    return g_enabled;
}

void set_comms_log_path(const char* path)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    snprintf(g_path, sizeof g_path, "%s", path ? path : "");
}

void toggle_comms_log()
{
    g_enabled = !g_enabled;
}

void log_transfer(const link_record& link, transfer_kind kind, const char* text)
{
    std::unique_lock<std::mutex> lock(g_mutex);
    uint64_t n = ++g_counter;
    if (!g_enabled)
        return;

    std::string serial;
    bool known = serial_number_of(link, serial);
    char number[32];
    snprintf(number, sizeof number, "(%05llu) ", static_cast<unsigned long long>(n));
    // The forms without a serial number differ in their spacing: commands and
    // replies put a blank before the arrows, value replies do not.
    std::string who = known ? "[serial:" + serial + "]" : std::string("[serial:unknown]");
    std::string line = number + who;
    switch (kind) {
    case transfer_kind::command:
        line += std::string(known ? "" : " ") + ">>\t" + text;
        break;
    case transfer_kind::dc4:
        line += std::string(known ? "" : " ") + ">>\t\\024\n";
        break;
    case transfer_kind::reply:
        line += std::string(known ? "" : " ") + "<<\t" + text + "\n";
        break;
    case transfer_kind::values:
        line += std::string("<<\t") + text + "\n";
        break;
    }
    append_locked(lock, line.c_str());
}

uint64_t get_transfer_counter()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_counter;
}

void set_transfer_counter(uint64_t value)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_counter = value;
}
