// Reading and writing the [Connect] keys of the settings file.
#include "link/connect_defaults.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char kSection[] = "Connect";
const char kTotalPhases[] = "TotalPhases";
constexpr int kTotalPhasesSize = 128;

std::string key(const char* what, int n)
{
    return "WQT" + std::to_string(n) + what;
}

void write_number(const char* file, const std::string& name, long value)
{
    WritePrivateProfileStringA(kSection, name.c_str(), std::to_string(value).c_str(), file);
}

// A text field of the record: as many characters as it holds, NUL or not.
std::string field_text(const char* field, size_t size)
{
    return std::string(field, strnlen(field, size));
}

} // namespace

void write_connect_defaults(const char* settings_file, int n, const link_record& link)
{
    write_number(settings_file, key("Interface", n), static_cast<long>(link.interface));
    WritePrivateProfileStringA(kSection, key("ComPort", n).c_str(),
                               field_text(link.com_port, sizeof link.com_port).c_str(),
                               settings_file);
    write_number(settings_file, key("BaudRate", n), static_cast<long>(link.baud_rate));
    WritePrivateProfileStringA(kSection, key("IPAddr", n).c_str(),
                               field_text(link.ip_address, sizeof link.ip_address).c_str(),
                               settings_file);
}

void read_connect_defaults(const char* settings_file, int n, link_record& link)
{
    link.interface = GetPrivateProfileIntA(kSection, key("Interface", n).c_str(), 0, settings_file);
    GetPrivateProfileStringA(kSection, key("ComPort", n).c_str(), "", link.com_port,
                             sizeof link.com_port, settings_file);
    link.baud_rate = GetPrivateProfileIntA(kSection, key("BaudRate", n).c_str(), 0, settings_file);
    GetPrivateProfileStringA(kSection, key("IPAddr", n).c_str(), "", link.ip_address,
                             sizeof link.ip_address, settings_file);
}

void write_total_phases(const char* settings_file, int instruments_minus_one)
{
    write_number(settings_file, kTotalPhases, instruments_minus_one);
}

int read_total_phases(const char* settings_file)
{
    char text[kTotalPhasesSize] = {};
    GetPrivateProfileStringA(kSection, kTotalPhases, "", text, sizeof text, settings_file);
    return std::atoi(text);
}
