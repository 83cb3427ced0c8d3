// The instrument's 4-byte binary value records and the rule that gives the
// text of a binary reply to code that expects text. The transport applies the
// rule to every reply it reads; the result-reply parser decodes whole lines
// of records.
//
// Record: byte 0 has bit 7 set and holds the exponent e in bits 0-6 (7-bit
// two's complement); byte 1 bit 6 is the sign, bit 5 the present bit (clear:
// the value is 0), bits 0-5 mantissa bits 19..14; bytes 2 and 3 bits 0-6
// mantissa bits 13..7 and 6..0. The value is m x 2^(e-20). On the wire each
// record is followed by one separator byte, so records repeat every 5 bytes.
#pragma once
#include <cstddef>

constexpr size_t kBinaryRecordBytes = 4;
constexpr size_t kBinaryRecordStride = 5; // record and its separator byte
// Room needed for the text of one binary value ("-9.99999E-20" and NUL).
constexpr int kBinaryValueTextSize = 16;

// Whether a reply is binary: its first byte is 0x80 or above.
inline bool is_binary_reply(const char* text)
{
    return static_cast<unsigned char>(text[0]) >= 0x80;
}

// Decodes the 4-byte record at record. When text is given (at least
// kBinaryValueTextSize bytes) it receives the value as format_exponent writes
// it with 5 decimals: 4.0 -> "4.00000E0".
double decode_binary_value(const void* record, char* text = nullptr);

// When the reply in buffer (received_length bytes, NUL bytes included, or up
// to its first NUL when the length is 0 or less) is binary, replaces it by
// the text of its first value, or by the empty text when that record was cut
// short. Any other reply is left as it is.
void binary_reply_to_text(char* buffer, int size, int received_length);
