// The communications log: every command and reply, with a running transfer
// counter, the instrument's serial number and a time stamp, appended to a text
// file when the user switches it on; otherwise status lines go to the debugger.
#pragma once
#include <cstdint>

struct link_record;

// Writes one line (time prefix + text; the text carries its own line end).
void append_comms_log(const char* text);
bool is_comms_log_enabled();
// Copies the log file's path (at most 259 characters).
void set_comms_log_path(const char* path);
void toggle_comms_log();

// The kinds of transfer line.
enum class transfer_kind { command, dc4, reply, values };

// Counts one transfer and, when the log is on, writes its line. text is the
// command as sent (with its "\n") or the reply as received (without one).
void log_transfer(const link_record& link, transfer_kind kind, const char* text);

// The process-wide transfer counter (number of the last transfer).
uint64_t get_transfer_counter();
void set_transfer_counter(uint64_t value);
