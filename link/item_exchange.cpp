#include "link/item_exchange.h"

#include "base/text_util.h"
#include "link/comms_log.h"
#include "link/transport.h"
#include "link/wire_commands.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int kReadTries = 3;
constexpr int kWriteAttempts = 4;
constexpr int kClearDrainMs = 100;
constexpr DWORD kStatusWaitMs = 200;  // before every status query
constexpr DWORD kResendWaitMs = 500;  // after a command is sent again
constexpr int kReplySize = 2048;
constexpr int kIntReplySize = 128;
constexpr int kStatusReplySize = 128;
constexpr int kStatusFailsFrom = 32;  // command error (32) and bit 64

bool is_digit(char c)
{
    return c >= '0' && c <= '9';
}

// The decimal value of a status reply: blanks, a sign, digits; 0 when the
// text does not begin with a number.
int32_t status_value(const char* text)
{
    while (*text == ' ' || *text == '\t')
        ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') {
        negative = *text == '-';
        ++text;
    }
    const uint32_t magnitude = leading_decimal(text);
    return static_cast<int32_t>(negative ? 0u - magnitude : magnitude);
}

// DC4, then whatever the instrument still sends is discarded.
void clear_link(link_record* link)
{
    send_command(kDC4, link);
    drain_input(link, kClearDrainMs);
}

// The status line of the communications log; a status query that got no
// reply says so rather than passing for a clean status of 0.
void log_status(int status, bool replied)
{
    if (!replied) {
        append_comms_log("ESR : no reply\n");
        return;
    }
    static const struct {
        int bit;
        const char* text;
    } kBits[] = {
        {ESR_BIT_OPC, "OPC "}, {ESR_BIT_QYE, "QYE "}, {ESR_BIT_DDE, "DDE "},
        {ESR_BIT_EXE, "EXE "}, {ESR_BIT_CME, "CME "},
    };
    std::string line = "ESR : " + std::to_string(status) + " ";
    for (const auto& b : kBits) {
        if (status & b.bit)
            line += b.text;
    }
    line += "\n";
    append_comms_log(line.c_str());
}

// Shared by both integer reads; with_range false reads without bounds.
int read_int(int id, bool with_range, int minimum, int maximum, link_record* link)
{
    char text[kIntReplySize];
    for (int attempt = 1;; ++attempt) {
        read_config_item(id, text, sizeof text, link);
        if (is_digit(text[0])) {
            const int32_t value = static_cast<int32_t>(leading_decimal(text));
            if (!with_range || (minimum <= value && value <= maximum))
                return value;
            clear_link(link);
            throw make_item_error_code(id, value);
        }
        clear_link(link);
        if (attempt == kReadTries)
            throw make_item_error_code(id, text[0] != '\0' ? -2 : -1);
    }
}

} // namespace

void read_config_item(int id, char* out, int size, link_record* link)
{
    if (out != nullptr && size > 0)
        std::memset(out, 0, static_cast<size_t>(size));
    char command[64];
    std::snprintf(command, sizeof command, kCmdConfigReadFormat, id);

    char reply[kReplySize];
    for (int attempt = 1; attempt <= kReadTries; ++attempt) {
        send_command(command, link);
        const int length = receive_reply(reply, sizeof reply, link);
        if (length > 0) {
            if (out != nullptr && size > 0) {
                const size_t n = strnlen(reply, sizeof reply);
                const size_t copied = n < static_cast<size_t>(size - 1) ? n : size - 1;
                std::memcpy(out, reply, copied);
                out[copied] = '\0';
            }
            return;
        }
        clear_link(link);
    }
    throw make_item_error_code(id, 0);
}

int read_config_int(int id, link_record* link)
{
    return read_int(id, false, 0, 0, link);
}

int read_config_int_range(int id, int minimum, int maximum, link_record* link)
{
    return read_int(id, true, minimum, maximum, link);
}

void write_config_item(int id, const char* value, link_record* link)
{
    std::string command;
    string_format(command, kCmdConfigWriteFormat, id, value != nullptr ? value : "");
    send_command(command.c_str(), link);

    int status = 0;
    for (int attempt = 1; attempt <= kWriteAttempts; ++attempt) {
        if (attempt > 1) {
            clear_link(link);
            send_command(command.c_str(), link);
            Sleep(kResendWaitMs);
        }
        Sleep(kStatusWaitMs);
        send_command(kCmdItemStatus, link);
        char reply[kStatusReplySize];
        const int length = receive_reply(reply, sizeof reply, link);
        status = status_value(reply) & 127;
        // A length of 0 or less is no reply on either kind of link (a LAN
        // link reports a time-out as -1): the instrument has not confirmed
        // the write, so the attempt failed.
        const bool replied = length > 0;
        log_status(status, replied);
        if (replied && status < kStatusFailsFrom)
            return;
    }
    throw make_item_error_code(id, status);
}

void write_config_int(int id, int value, link_record* link)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    write_config_item(id, text, link);
}
