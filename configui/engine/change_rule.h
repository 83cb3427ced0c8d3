// How a page change becomes an item change: the set rule (stored, and sent
// at once while "AutoConfigs" is on) and the report of what one user action
// did not bring to the instrument.
#pragma once
#include <cstdint>

class instrument_config;
struct item_write_result;
struct link_record;

// The set rule, the one place where a page change is stored, or stored and
// written while auto-send is on: an integer or a text into the
// configuration, written over the link (keep_open: the caller holds the
// link open). A write that does not reach the instrument (no reply, a
// closed link, a refusal, a value outside the item's bounds) leaves the
// item stored and marked changed, and is noted for the user action's
// report. Nothing happens without a configuration.
void store_item(instrument_config* config, int item, int value, link_record* link, bool keep_open);
void store_item_text(instrument_config* config, int item, const char* text, link_record* link, bool keep_open);

// The set rule on the current configuration: an integer (b) or a text (c);
// (a) on one group of the current instrument (0 first, 1 second).
void config_dispatch_b(int item, int value, link_record* link, bool keep_open);
void config_dispatch_c(int item, const char* text, link_record* link, bool keep_open);
void config_dispatch_a(int item, int value, link_record* link, int group, bool keep_open);

// What one user action on the Config window did not bring to the
// instrument while auto-send is on: the writes of its changes that failed
// and the read-backs its rules could not make. A report keeps the first
// failure of its action and tells it once, with the transfer's own message
// and caption, when it closes; one noted while no report is open is told
// at once. A report opened inside another belongs to it (the focus losses
// and list notifications the program's own changes raise are part of the
// action under way), unless a box went up since the other opened: a
// command run while a box is up (a modal box delivers posted messages and
// focus changes) is an action of its own.
class action_report {
public:
    action_report();
    ~action_report();
    action_report(const action_report&) = delete;
    action_report& operator=(const action_report&) = delete;

private:
    bool own_; // false: the report belongs to the one open around it
};
// A write made to the instrument for the page (the set rule's, or the
// measurement mode's, which is made whatever auto-send says), and a
// read-back that failed with its item_error_code.
void note_item_write(instrument_config& config, int item, const item_write_result& result);
void note_failed_read(int32_t error_code);
// The action under way has told its failure itself (a group switch the
// instrument did not confirm): nothing noted for it, before or after, is
// told; a command run inside its box tells its own.
void note_failure_told();
