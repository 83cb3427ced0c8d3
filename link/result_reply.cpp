#include "link/result_reply.h"

#include "link/comms_log.h"
#include "link/transport.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr size_t kExpMantissaChars = 15; // longest mantissa text read back

// End of the ASCII field that starts at pos: the next "," or the end.
size_t field_end(const char* text, size_t pos, size_t end)
{
    const void* comma = memchr(text + pos, ',', end - pos);
    return comma ? static_cast<size_t>(static_cast<const char*>(comma) - text) : end;
}

double field_value(const char* text, size_t pos, size_t stop)
{
    return atof(std::string(text + pos, stop - pos).c_str());
}

// A strict field: 8 to 11 characters holding exactly one ".".
bool valid_strict_field(const char* field, size_t length)
{
    bool point = false;
    for (size_t i = 0; i < length; ++i) {
        if (field[i] == '.') {
            if (point)
                return false;
            point = true;
        }
    }
    return point && length >= 8 && length <= 11;
}

// The byte at pos, or NUL at and beyond the end of the reply.
char byte_at(const char* text, size_t pos, size_t length)
{
    return pos < length ? text[pos] : '\0';
}

int parse_binary(const char* text, size_t length, double* out, int max, bool strict)
{
    int count = 0;
    size_t pos = 0;
    while (count < max) {
        if (pos + kBinaryRecordBytes > length)
            return strict ? -1 : count; // record cut short by the end of the reply
        if (strict && memchr(text + pos, ',', kBinaryRecordBytes) != nullptr)
            return -1;
        out[count++] = decode_binary_value(text + pos);
        char next = byte_at(text, pos + kBinaryRecordStride, length);
        if (next == '\0' || (strict && next == '\n'))
            break;
        pos += kBinaryRecordStride;
    }
    return count;
}

int parse_ascii(const char* text, size_t length, double* out, int max, bool strict)
{
    size_t end = strnlen(text, length);
    int count = 0;
    size_t pos = 0;
    for (;;) {
        size_t stop = field_end(text, pos, end);
        if (strict && !valid_strict_field(text + pos, stop - pos)) {
            OutputDebugStringA("*** INVALID DOUBLE FOUND ***\n");
            return -1;
        }
        out[count++] = field_value(text, pos, stop);
        if (stop == end || count >= max)
            break;
        pos = stop + 1;
    }
    return count;
}

// Parses the reply of length bytes (binary records may hold NUL bytes; ASCII
// text ends at the first NUL).
int parse_values(const char* text, size_t length, double* out, int max, bool strict)
{
    if (max < 1)
        return 0;
    if (length > 0 && is_binary_reply(text))
        return parse_binary(text, length, out, max, strict);
    return parse_ascii(text, length, out, max, strict);
}

} // namespace

int receive_values(double* out, int max, link_record* link, bool strict)
{
    // One reply buffer per thread: the measurement thread and the harmonics,
    // scope and voltmeter threads each read their own instrument at the same
    // time, and a shared buffer would mix their replies.
    thread_local char reply[kValueReplySize];

    int extent = 0;
    const int length = read_reply_line(link, reply, kValueReplySize, &extent);
    log_transfer(*link, transfer_kind::values, reply);
    if (length <= 0)
        return length;
    if (max < 1)
        return 0;

    // Tagged reply: "TAGNAME:12345:values". The values start after the
    // second ":" (index 14 for a 7-character tag and a 5-digit number).
    char tag[8];
    int tag_value = 0;
    int tag_end = 0;
    if (sscanf(reply, "%7s:%d%n", tag, &tag_value, &tag_end) == 2) {
        if (reply[tag_end] == ':')
            ++tag_end;
        out[0] = tag_value;
        size_t start = static_cast<size_t>(tag_end);
        size_t end = static_cast<size_t>(extent > tag_end ? extent : tag_end);
        return parse_values(reply + start, end - start, out + 1, max - 1, strict) + 1;
    }
    return parse_values(reply, static_cast<size_t>(extent), out, max, strict);
}

int parse_result_values(const char* text, double* out, int max, size_t length)
{
    return parse_values(text, length, out, max, false);
}

int parse_result_values_strict(const char* text, double* out, int max, size_t length)
{
    return parse_values(text, length, out, max, true);
}

int parse_result_values_exp(const char* text, double* out, int max)
{
    if (max < 1)
        return 0;
    size_t end = strlen(text);
    int count = 0;
    size_t pos = 0;
    for (;;) {
        size_t stop = field_end(text, pos, end);
        const void* e = memchr(text + pos, 'E', stop - pos);
        size_t mantissa_end = e ? static_cast<size_t>(static_cast<const char*>(e) - text) : stop;
        if (mantissa_end - pos > kExpMantissaChars)
            mantissa_end = pos + kExpMantissaChars;
        // Rounded half away from zero to 5 decimals; std::round keeps large
        // mantissas intact where a 32-bit integer would overflow.
        double mantissa = std::round(field_value(text, pos, mantissa_end) * 100000.0) / 100000.0;
        long exponent = e ? strtol(static_cast<const char*>(e) + 1, nullptr, 10) : 0;
        double value = 0.0;
        if (mantissa != 0.0) // 0 stays 0 whatever the exponent (never 0 x inf)
            value = exponent == 2 ? mantissa * 100.0 : mantissa * std::pow(10.0, exponent);
        out[count++] = value;
        if (stop == end || count >= max)
            break;
        pos = stop + 1;
    }
    return count;
}

