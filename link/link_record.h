// The connection and identity of one instrument.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

// Interface codes of a link_record.
enum : uint32_t {
    LINK_USB = 1,    // the instrument's USB port, seen as a virtual COM port
    LINK_LAN = 2,    // TCP stream to port 10001
    LINK_SERIAL = 3, // RS-232 COM port
};

constexpr uint32_t kLanRingSize = 32768;
constexpr uint32_t kNoSocket = 0xFFFFFFFFu;

// The OLE headers define "interface" as a macro (for declaring COM
// interfaces), and the export to word processors and spreadsheets needs them
// in the same program. The field keeps its name: the macro is set aside
// around the record and its accessors, which code that sees the macro uses.
#pragma push_macro("interface")
#undef interface

// One instrument's link. A record is 33 KB and owns its open port or socket:
// it is never copied (the compiler refuses). The instrument's slot owns its
// record; everything else borrows it by pointer or reference, and attaching
// moves a record's port or socket into the slot.
struct link_record {
    link_record() = default;
    link_record(const link_record&) = delete;
    link_record& operator=(const link_record&) = delete;

    uint32_t interface;              // LINK_USB, LINK_LAN, LINK_SERIAL; other values: no link
    uint32_t model_code;             // set by identification
    uint32_t phase_count;            // 1..6
    char idn_reply[128];             // "*IDN?" reply: maker,model,serial,version
    char calibration_reply[256];
    uint32_t option_code;            // current-input option bits from "version?"
    char com_port[7];                // "COM1" .. "COM254"
    char ip_address[16];             // dotted IPv4 text
    uint32_t baud_rate;
    uint8_t connected;               // in use by the program
    uint8_t link_open;               // port or socket open
    uint32_t socket;                 // kNoSocket when none
    HANDLE serial_handle;            // INVALID_HANDLE_VALUE when none
    uint8_t receive_ring[kLanRingSize];
    int32_t ring_count;              // 0..32768
    uint32_t ring_write_index;       // 0..32767
    uint32_t ring_read_index;        // 0..32767
    char version_reply[128];
    char calibration_version_reply[256];
};

// The interface field, for code that sees the OLE headers' macro.
inline uint32_t link_interface(const link_record& link)
{
    return link.interface;
}
inline void set_link_interface(link_record& link, uint32_t value)
{
    link.interface = value;
}

#pragma pop_macro("interface")

// The identification reply as text: up to its first NUL, never beyond its
// field; empty before the instrument was identified.
inline std::string idn_reply_text(const link_record& link)
{
    return std::string(link.idn_reply, strnlen(link.idn_reply, sizeof link.idn_reply));
}
