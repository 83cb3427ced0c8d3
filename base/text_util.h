// Splitting, formatting and parsing of text: no windows, no state.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// Reads the field that starts at pos into out (at most out_size - 1
// characters, always terminated) and returns the position where the copy
// stopped: the next delimiter, the end of the text, or the character after
// the last one that fitted. One delimiter at pos is skipped first, so calling
// it again with the returned position reads the next field; an empty field
// between two delimiters gives an empty token, but a delimiter at the very
// start of the text is skipped like any other. end is set only by the call
// that starts at the end of the text (the token is then empty); when end is
// already set on entry, the call clears out, skips the delimiter and returns.
const char* next_token(const char* pos, char delimiter, char* out, size_t out_size, bool& end);

// Appends one element per field of text, read as std::getline reads lines
// with that delimiter ("a," gives one field, "" none). Empty fields are left
// out when skip_empty is set. Returns out.
std::vector<std::string>& split_string(const std::string& text, char delimiter,
                                       std::vector<std::string>& out, bool skip_empty);
std::vector<std::wstring>& split_wstring(const std::wstring& text, wchar_t delimiter,
                                         std::vector<std::wstring>& out, bool skip_empty);

// Replaces out with the printf-style formatted text and returns it. Throws
// std::runtime_error("string_vsprintf encoding error") when formatting fails.
std::string& string_format(std::string& out, const char* format, ...)
    __attribute__((format(__MINGW_PRINTF_FORMAT, 2, 3)));

// True when a ends with b, compared without regard to (ASCII) case.
bool ends_with_nocase(std::string_view a, std::string_view b);

// Every CR becomes a blank and an LF right after a CR is removed, so that a
// reply of several lines reads as one.
void replace_crlf_with_blank(char* text);

// Reads one line of at most size - 1 characters and cuts it at the first CR
// and at the first LF. False at end of file, on a read error, or when the
// buffer has no room for a character.
bool read_line_no_eol(char* buffer, int size, FILE* file);

// The byte written as two hexadecimal digits (0-9, A-F, a-f): first x 16 +
// second. An invalid digit counts as -1 in that sum, taken modulo 256.
uint8_t parse_hex_byte(char first, char second);

// The decimal digits at the start of text as a number, in unsigned 32-bit
// arithmetic (a longer run of digits wraps around); 0 when text is null or
// does not begin with a digit. Instruments answer queries this way.
uint32_t leading_decimal(const char* text);

// Reads a number written with SI multiplier letters, e.g. "1.5k" (1500),
// "4M7" (4000007), "2m" (0.002), "1E3" (1000). Parts, each a decimal number
// with '.' or ',' as separator and an optional multiplier letter, are added
// up. Malformed text is reported only through ok (when given); a value is
// always returned. Without ok, an unknown character ends the current part as
// if it had no multiplier; with ok, it drops the part and sets ok false.
double parse_si_number(const char* text, bool* ok);
