// Reading and writing one numbered configuration item of an instrument:
// "config,<id>?" reads it, "config,<id>,<value>" followed by "*esr?" writes
// it. The caller holds the link open around a run of exchanges.
//
// Every failure is thrown as one item_error_code: the low 16 bits hold the
// item id, the high 16 bits what went wrong:
//   0       no reply (three unanswered reads; a write whose last status
//           query got no reply)
//   0xFFFF  integer read: three empty replies
//   0xFFFE  integer read: three replies that are not decimal numbers
//   v       range read: the instrument's value v lies outside the range
//   s       write: status byte s (1..127) of the last of four attempts
// The link stays open after a throw.
#pragma once
#include <cstdint>

struct link_record;

using item_error_code = int32_t;

// The code for an item id and a high half, in 32-bit arithmetic with
// wrap-around (ids are below 65536).
inline item_error_code make_item_error_code(int id, int32_t high)
{
    return static_cast<item_error_code>(static_cast<uint32_t>(id) +
                                        (static_cast<uint32_t>(high) << 16));
}
// The item id of a code (low 16 bits).
inline int item_error_id(item_error_code code)
{
    return static_cast<int>(static_cast<uint32_t>(code) & 0xFFFFu);
}
// What went wrong, as an unsigned number: 65535 empty, 65534 not a number,
// 0 no reply, else the offending value or the status byte.
inline unsigned item_error_result(item_error_code code)
{
    return static_cast<uint32_t>(code) >> 16;
}

// Status bits of "*esr?" that the write names in the communications log.
enum : int {
    ESR_BIT_OPC = 1,
    ESR_BIT_QYE = 4,
    ESR_BIT_DDE = 8,
    ESR_BIT_EXE = 16,
    ESR_BIT_CME = 32,
};

// The reply text into out (size bytes, at most size-1 characters and the
// terminator). Throws the id when three tries get no reply.
void read_config_item(int id, char* out, int size, link_record* link);
// The decimal number at the start of the reply.
int read_config_int(int id, link_record* link);
// The same, required to lie in minimum..maximum; a value outside throws
// id + (value << 16) at once, without a retry.
int read_config_int_range(int id, int minimum, int maximum, link_record* link);
// Writes the value text and checks the status; returns when the instrument
// took it, throws id + (status << 16) after four failed attempts.
void write_config_item(int id, const char* value, link_record* link);
// write_config_item with the "%d" text of value.
void write_config_int(int id, int value, link_record* link);
