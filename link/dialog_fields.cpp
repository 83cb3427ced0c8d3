#include "link/dialog_fields.h"

#include "base/message_box.h"
#include "link/lan_discovery.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

const char kTestConnectionCaption[] = "Test Connection";
const char* const kBaudRateTexts[6] = {"1200", "2400", "4800", "9600", "19200", "38400"};

namespace {

constexpr int kHighestComPort = 254;
constexpr uint32_t kUsbBaudRate = 19200;
constexpr int kAddressTextSize = 128;
const char kBlankAddress[] = "0.0.0.0";

// A port that exists but is held by another program still counts.
bool is_busy_port_error(DWORD error)
{
    return error == ERROR_ACCESS_DENIED || error == ERROR_GEN_FAILURE ||
           error == ERROR_SHARING_VIOLATION;
}

bool port_exists(const char* device)
{
    HANDLE port = CreateFileA(device, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (port != INVALID_HANDLE_VALUE) {
        CloseHandle(port);
        return true;
    }
    return is_busy_port_error(GetLastError());
}

bool is_com_link(const link_record* link)
{
    return link->interface == LINK_USB || link->interface == LINK_SERIAL;
}

} // namespace

void fill_list(HWND list, const char* const* texts, size_t count)
{
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (size_t i = 0; i < count; ++i)
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texts[i]));
}

bool select_list_text(HWND list, const char* text)
{
    const LRESULT index = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(text));
    SendMessageA(list, CB_SETCURSEL, index == CB_ERR ? static_cast<WPARAM>(-1) : index, 0);
    return index != CB_ERR;
}

bool selected_list_text(HWND list, char* out, int size)
{
    const LRESULT index = SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR || size <= 0)
        return false;
    char text[256] = {};
    if (SendMessageA(list, CB_GETLBTEXTLEN, index, 0) >= static_cast<LRESULT>(sizeof text))
        return false;
    SendMessageA(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    copy_field(out, static_cast<size_t>(size), text);
    return true;
}

void probe_com_port(HWND list)
{
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (int n = 1; n <= kHighestComPort; ++n) {
        char device[16];
        std::snprintf(device, sizeof device, "\\\\.\\COM%d", n);
        if (port_exists(device))
            SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(device + 4));
    }
}

void read_address_field(HWND control, link_record* link)
{
    char text[kAddressTextSize] = {};
    GetWindowTextA(control, text, sizeof text);
    if (lstrcmpiA(text, kBlankAddress) == 0)
        text[0] = '\0';
    // Each field is a decimal number: "127.0.0.010" is 127.0.0.10, kept so.
    copy_field(link->ip_address, sizeof link->ip_address, normalised_ipv4_text(text).c_str());
}

void read_link_fields(HWND com_list, HWND baud_list, HWND address, link_record* link)
{
    char text[32];
    if (selected_list_text(com_list, text, sizeof text))
        copy_field(link->com_port, sizeof link->com_port, text);
    if (selected_list_text(baud_list, text, sizeof text))
        link->baud_rate = static_cast<uint32_t>(std::strtoul(text, nullptr, 10));
    if (link->interface == LINK_USB)
        link->baud_rate = kUsbBaudRate;
    read_address_field(address, link);
}

void show_link_fields(HWND com_list, HWND baud_list, HWND address, const link_record* link)
{
    const std::string port = field_text(link->com_port, sizeof link->com_port);
    if (!port.empty())
        select_list_text(com_list, port.c_str());
    if (link->baud_rate != 0)
        select_list_text(baud_list, std::to_string(link->baud_rate).c_str());
    show_address_field(address, field_text(link->ip_address, sizeof link->ip_address).c_str());
}

// The control's fields, not its window text: setting the text does not fill
// the fields everywhere.
void show_address_field(HWND control, const char* text)
{
    uint32_t address = 0;
    if (!parse_ipv4_text(text, &address)) {
        SendMessageA(control, IPM_CLEARADDRESS, 0, 0);
        return;
    }
    const auto* part = reinterpret_cast<const uint8_t*>(&address);
    SendMessageA(control, IPM_SETADDRESS, 0, MAKEIPADDRESS(part[0], part[1], part[2], part[3]));
}

bool validate_link_fields(HWND owner, const link_record* link)
{
    const char* missing = nullptr;
    if (link->interface == LINK_LAN && link->ip_address[0] == '\0')
        missing = "Please enter an IP address";
    else if (is_com_link(link) && link->com_port[0] == '\0')
        missing = "Please select a COM Port";
    else if (is_com_link(link) && link->baud_rate == 0)
        missing = "Please choose a baudrate";
    if (missing == nullptr)
        return true;
    show_message_box(owner, missing, kTestConnectionCaption, MB_OK | MB_ICONINFORMATION);
    return false;
}

void copy_field(char* field, size_t size, const char* text)
{
    if (size == 0)
        return;
    std::memset(field, 0, size);
    std::memcpy(field, text, strnlen(text, size - 1));
}

std::string field_text(const char* field, size_t size)
{
    return std::string(field, strnlen(field, size));
}
