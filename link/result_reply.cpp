#include "link/result_reply.h"

#include "app/base/number_text.h"
#include "link/comms_log.h"
#include "link/transport.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr size_t kRecordBytes = 4;
constexpr size_t kRecordStride = 5;      // record and its separator byte
constexpr size_t kExpMantissaChars = 15; // longest mantissa text read back

bool is_binary(const char* text)
{
    return static_cast<unsigned char>(text[0]) >= 0x80;
}

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
        if (pos + kRecordBytes > length)
            return strict ? -1 : count; // record cut short by the end of the reply
        if (strict && memchr(text + pos, ',', kRecordBytes) != nullptr)
            return -1;
        out[count++] = decode_binary_value(text + pos);
        char next = byte_at(text, pos + kRecordStride, length);
        if (next == '\0' || (strict && next == '\n'))
            break;
        pos += kRecordStride;
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
    if (length > 0 && is_binary(text))
        return parse_binary(text, length, out, max, strict);
    return parse_ascii(text, length, out, max, strict);
}

bool is_serial_link(const link_record* link)
{
    return link->interface == LINK_USB || link->interface == LINK_SERIAL;
}

} // namespace

int receive_values(double* out, int max, link_record* link, bool strict)
{
    // One reply buffer per thread: the measurement thread and the harmonics,
    // scope and voltmeter threads each read their own instrument at the same
    // time, and a shared buffer would mix their replies.
    thread_local char reply[kValueReplySize];

    int length;
    int extent;
    if (is_serial_link(link)) {
        int received = 0;
        length = serial_read_line(link->serial_handle, reply, kValueReplySize, &received);
        extent = serial_reply_extent(reply, received, length);
    } else {
        length = lan_read_line(link, reply, kValueReplySize);
        extent = length;
    }
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

int parse_result_values(const char* text, double* out, int max)
{
    return parse_values(text, strlen(text), out, max, false);
}

int parse_result_values_strict(const char* text, double* out, int max)
{
    return parse_values(text, strlen(text), out, max, true);
}

double decode_binary_value(const void* record, char* text)
{
    const unsigned char* b = static_cast<const unsigned char*>(record);
    double value = 0.0;
    if (b[1] & 0x20) {
        int exponent = b[0] & 0x3F;
        if (b[0] & 0x40)
            exponent -= 64;
        uint32_t mantissa = (static_cast<uint32_t>(b[1] & 0x3F) << 14) |
                            (static_cast<uint32_t>(b[2] & 0x7F) << 7) | (b[3] & 0x7Fu);
        value = std::ldexp(static_cast<double>(mantissa), exponent - 20);
        if (b[1] & 0x40)
            value = -value;
    }
    if (text)
        format_exponent(text, kBinaryValueTextSize, value, 5);
    return value;
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

int serial_reply_extent(const char* buffer, int received, int text_length)
{
    int end = received;
    if (end > 0 && buffer[end - 1] == '\n')
        --end;
    // The "\r" of a "\r\n" ending, which the reader turned into the NUL that
    // ends its text.
    if (end > 0 && end - 1 == text_length && buffer[end - 1] == '\0')
        --end;
    return end;
}

void binary_reply_to_text(char* buffer, int size, int received_length)
{
    if (buffer == nullptr || size <= 0 || !is_binary(buffer))
        return;
    size_t received = received_length > 0 ? static_cast<size_t>(received_length)
                                          : strnlen(buffer, static_cast<size_t>(size));
    if (received > static_cast<size_t>(size))
        received = static_cast<size_t>(size);
    if (received < kRecordBytes) {
        buffer[0] = '\0'; // the record was cut short: no value came
        return;
    }
    // Decoded before the buffer is overwritten.
    char text[kBinaryValueTextSize];
    decode_binary_value(buffer, text);
    snprintf(buffer, static_cast<size_t>(size), "%s", text);
}
