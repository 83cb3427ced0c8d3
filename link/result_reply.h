// Measurement results from the instrument: one reply line of many values,
// either ASCII numbers separated by "," or 4-byte binary records (see
// link/binary_record.h), each record followed by one separator byte.
//
// A tagged reply starts with a 7-character tag, ":", an integer and ":"
// ("VOLTAGE:00012:..."); the integer comes back as the first value.
#pragma once
#include "link/binary_record.h"
#include "link/link_record.h"

#include <cstddef>

// Size of the reply buffer of receive_values (each thread has its own).
constexpr int kValueReplySize = 41920;

// Reads one reply line and stores its values in out[0..max-1]. Returns the
// number stored; the reader's result (0 or less) when no reply came, with out
// untouched; in strict mode -1 for a malformed reply (0 for a malformed tagged
// one, whose tag value is stored). Safe to call from several threads at once,
// each on its own link.
int receive_values(double* out, int max, link_record* link, bool strict);

// Lenient parse of a reply of length bytes: fields that are not numbers give
// 0.0. ASCII fields are read up to the next "," (the text ends at its first
// NUL); binary records up to the end of the reply, NUL bytes inside a record
// being data, and a record cut short by the end not being stored. Returns the
// count.
int parse_result_values(const char* text, double* out, int max, size_t length);

// Strict parse: every ASCII field must be 8 to 11 characters with exactly one
// "."; no binary record may hold a "," byte or be cut short by the end of the
// reply. Returns the count, or -1 for a malformed reply.
int parse_result_values_strict(const char* text, double* out, int max, size_t length);

// Reads the program's own "%.*E" texts back ("1.23450E3,2.00000E-5"): each
// mantissa rounded to 5 decimals, times 10 to its exponent. A field without
// an "E" has exponent 0. Returns the count.
int parse_result_values_exp(const char* text, double* out, int max);
