// The connection defaults of the four instruments in section [Connect] of
// the settings file: interface code, COM port, baud rate and IP address of
// instrument n (1..4), and "TotalPhases", the number of instruments in use
// minus one. The Communications dialog writes them; the settings loader
// reads them into the instrument slots at start-up.
#pragma once
#include "link/link_record.h"

// Writes "WQT<n>Interface", "WQT<n>ComPort", "WQT<n>BaudRate" and
// "WQT<n>IPAddr" from the record (numbers as decimal text, an empty address
// as an empty value).
void write_connect_defaults(const char* settings_file, int n, const link_record& link);
// Reads the same keys into the record; a missing key gives 0 or the empty
// text. Texts are cut to their fields.
void read_connect_defaults(const char* settings_file, int n, link_record& link);

// "TotalPhases" as decimal text.
void write_total_phases(const char* settings_file, int instruments_minus_one);
// "TotalPhases" read as a number: a missing key, an empty text or one that
// is no number reads as 0.
int read_total_phases(const char* settings_file);
