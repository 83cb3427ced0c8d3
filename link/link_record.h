// The connection and identity of one instrument.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <cstdint>

// Interface codes of a link_record.
enum : uint32_t {
    LINK_USB = 1,    // the instrument's USB port, seen as a virtual COM port
    LINK_LAN = 2,    // TCP stream to port 10001
    LINK_SERIAL = 3, // RS-232 COM port
};

constexpr uint32_t kLanRingSize = 32768;
constexpr uint32_t kNoSocket = 0xFFFFFFFFu;

// A plain value: copying it copies every field, the open port or socket
// included, so a copy talks over the same link and keeps its own ring state.
struct link_record {
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
