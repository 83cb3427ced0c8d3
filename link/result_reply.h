// Measurement results from the instrument: one reply line of many values,
// either ASCII numbers separated by "," or 4-byte binary records, each record
// followed by one separator byte (records every 5 bytes).
//
// Binary record: byte 0 has bit 7 set and holds the exponent e in bits 0-6
// (7-bit two's complement); byte 1 bit 6 is the sign, bit 5 the present bit
// (clear: the value is 0), bits 0-5 mantissa bits 19..14; bytes 2 and 3 bits
// 0-6 mantissa bits 13..7 and 6..0. The value is m x 2^(e-20).
//
// A tagged reply starts with a 7-character tag, ":", an integer and ":"
// ("VOLTAGE:00012:..."); the integer comes back as the first value.
#pragma once
#include "link/link_record.h"

// Size of the reply buffer of receive_values (each thread has its own).
constexpr int kValueReplySize = 41920;
// Room needed for the text of one binary value ("-9.99999E-20" and NUL).
constexpr int kBinaryValueTextSize = 16;

// Reads one reply line and stores its values in out[0..max-1]. Returns the
// number stored; the reader's result (0 or less) when no reply came, with out
// untouched; in strict mode -1 for a malformed reply (0 for a malformed tagged
// one, whose tag value is stored). Safe to call from several threads at once,
// each on its own link.
int receive_values(double* out, int max, link_record* link, bool strict);

// Lenient parse of a NUL-terminated reply: fields that are not numbers give
// 0.0. ASCII fields are read up to the next ","; binary records up to the end
// of the text, a record cut short by it not being stored. Returns the count.
int parse_result_values(const char* text, double* out, int max);

// Strict parse: every ASCII field must be 8 to 11 characters with exactly one
// "."; no binary record may hold a "," byte or be cut short by the end of the
// text. Returns the count, or -1 for a malformed reply.
int parse_result_values_strict(const char* text, double* out, int max);

// Decodes the 4-byte record at record. When text is given (at least
// kBinaryValueTextSize bytes) it receives the value as format_exponent writes
// it with 5 decimals: 4.0 -> "4.00000E0".
double decode_binary_value(const void* record, char* text = nullptr);

// Reads the program's own "%.*E" texts back ("1.23450E3,2.00000E-5"): each
// mantissa rounded to 5 decimals, times 10 to its exponent. A field without
// an "E" has exponent 0. Returns the count.
int parse_result_values_exp(const char* text, double* out, int max);

// The bytes of a reply read by the serial line reader, without its line end.
// That reader's text length stops at the first NUL byte, which a binary
// record may hold (a value of 0); received is the count of bytes it read,
// text_length the length it returned.
int serial_reply_extent(const char* buffer, int received, int text_length);

// For receive_reply: when the reply in buffer (received_length bytes, or up to
// its NUL when the length is 0 or less) is binary, replaces it by the text of
// its first value, or by the empty text when that record was cut short.
void binary_reply_to_text(char* buffer, int size, int received_length);
