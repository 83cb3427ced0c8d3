#include "link/binary_record.h"

#include "base/number_text.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

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

void binary_reply_to_text(char* buffer, int size, int received_length)
{
    if (buffer == nullptr || size <= 0 || !is_binary_reply(buffer))
        return;
    size_t received = received_length > 0 ? static_cast<size_t>(received_length)
                                          : strnlen(buffer, static_cast<size_t>(size));
    if (received > static_cast<size_t>(size))
        received = static_cast<size_t>(size);
    if (received < kBinaryRecordBytes) {
        buffer[0] = '\0'; // the record was cut short: no value came
        return;
    }
    // Decoded before the buffer is overwritten.
    char text[kBinaryValueTextSize];
    decode_binary_value(buffer, text);
    snprintf(buffer, static_cast<size_t>(size), "%s", text);
}
