// The in-memory image of one instrument's configuration: two tables of 256
// items (ids 0..255 and 500..755), with one class per model family whose
// constructor defines that family's items.
#pragma once
#include "config/config_item.h"
#include "config/item_tables.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <iosfwd>
#include <memory>
#include <string>

struct link_record;
class transfer_progress;

constexpr int kItemsPerTable = 256;
constexpr int kTableBFirstId = 500;
// Items above this id never travel to or from the instrument.
constexpr int kLastTransferId = 256;

// What write_item did with an item.
enum class item_write_status : int {
    sent,         // the instrument took the item; its changed flag is cleared
    not_sent,     // nothing to send: an id above 256, an item the family does
                  // not define, or (base class) a model code without an
                  // item-name list
    out_of_range, // the value lies outside the item's bounds; nothing was sent
    failed,       // the exchange failed; error_code tells how (item_error_code)
};

// The result of write_item and the set-and-send operations. Anything but
// `sent` leaves the item's changed flag set.
struct item_write_result {
    item_write_status status;
    int32_t error_code; // the item_error_code of a failed exchange, else 0

    bool sent() const { return status == item_write_status::sent; }
};

class instrument_config {
public:
    instrument_config();
    // A base-class copy of any family object: both tables item by item,
    // changed flags and option lists included (instrument_config_copy).
    instrument_config(const instrument_config& source);
    instrument_config& operator=(const instrument_config&) = delete;

    virtual void define_text_item(config_item& item, int id, double minimum, double maximum,
                                  const char* default_text = "");
    virtual void define_list_item(config_item& item, int id, int minimum, int maximum,
                                  int default_value, const option_list& options);
    virtual ~instrument_config();

    // Reading values.
    virtual std::string& get_value_string(int id, std::string& out);
    // Writes the value into buffer (at least 20 bytes); with a null buffer
    // writes nothing and returns the address of the stored value.
    virtual const char* get_value_text(int id, char* buffer);
    virtual double get_value_double(int id, double& out);
    virtual int get_value_int(int id, int& out);
    virtual config_item_value& get_value_record(config_item_value& out, int id);
    virtual std::string& value_to_display_string(std::string& out, int id, int32_t value);
    // buffer holds 19 characters with the terminator.
    virtual void value_to_display_text(int id, int32_t value, char* buffer);
    virtual std::string& get_display_string(std::string& out, int id);
    virtual void get_display_text(int id, char* buffer);

    // Setting values (each sets the changed flag).
    virtual void set_value_text(int id, const char* text);
    virtual void set_value_double(int id, double value);
    virtual void set_value_int(int id, int value);
    virtual void set_value_record(int id, const config_item_value& record);

    // The set operation, then write_item(id, link, link_open). A null value
    // pointer sets and sends nothing.
    virtual item_write_result set_value_text_and_send(int id, const char* text, link_record* link,
                                                      bool link_open);
    virtual item_write_result set_value_double_and_send(int id, const double* value,
                                                        link_record* link, bool link_open);
    virtual item_write_result set_value_int_and_send(int id, const int* value, link_record* link,
                                                     bool link_open);
    virtual item_write_result set_value_record_and_send(int id, const config_item_value* record,
                                                        link_record* link, bool link_open);

    // Bounds and choices, changed for the instrument at hand.
    virtual void set_minimum(int id, const double& value);
    virtual void set_maximum(int id, const double& value);
    virtual void set_option_list(int id, const option_list& options);

    // Single-item transfer. link_open: the caller already holds the link
    // open; false opens it before the exchange and closes it afterwards.
    // Sends the item's value (a list position, turned into the instrument's
    // number by the family's remapping) unless it lies outside the item's
    // bounds; clears the changed flag once the instrument has taken it.
    // Never throws: a failed exchange comes back as `failed`.
    virtual item_write_result write_item(int id, link_record* link, bool link_open);
    // Reads the instrument's value into target, or into the image's own item
    // when target is null, remapped to a list position. Throws the
    // item_error_code of a failed exchange (the two-group family keeps the
    // item's value when an integer read fails). Leaves the changed flag.
    virtual void read_item(int id, link_record* link, bool link_open, config_item* target);

    // Whole-configuration transfer: every named item from id 255 down to 1,
    // inside the instrument's suspend frame ("SUSPEN,ON" ... "SUSPEN,OFF").
    // manage: open the link before the frame and close it after. Item
    // failures are counted and shown in message boxes; the third ends the
    // transfer (a write without progress ends at the first). Items the
    // family does not define are never transferred.
    //
    // Brings the instrument in line with the image: a changed item is sent;
    // an unchanged one is read back first and sent only when the instrument
    // holds something else.
    virtual void write_all_items(link_record* link, bool manage);
    // Refreshes every named item from the instrument. True when fewer than
    // three items failed; false when the model code has no item-name list.
    virtual bool read_all_items(link_record* link, bool manage);
    // The same on a progress worker, reporting to progress, which is told
    // the end in every case. The transfer stops before the next item once
    // the user asks it to (the instrument still leaves its suspended state).
    // True when it ran to its end with fewer than three failed items; false
    // when it stopped early, when the link is missing or when the model
    // code has no item-name list.
    virtual bool write_all_items_with_progress(link_record* link, bool manage,
                                               transfer_progress& progress);
    virtual bool read_all_items_with_progress(link_record* link, bool manage,
                                              transfer_progress& progress);

    // The configuration summary (config_summary.h) of the instrument of the
    // record, written whole to a stream or to an open file. Empty in the
    // base class; each family writes its own.
    virtual void write_summary_to_ostream_for_instrument(std::ostream& out,
                                                         const link_record& instrument);
    virtual void write_summary_to_stream_for_instrument(std::iostream& out,
                                                        const link_record& instrument);
    virtual void write_summary_to_buffer_for_instrument(FILE* file, const link_record& instrument);

    // The configuration text body: a header with the version 1, the model
    // code and the option code (-1 for a null pointer), then a record for
    // every item of table A and table B. Stops at the first stream failure.
    virtual void save_to_stream(std::ostream& out, const int* model_code, const int* option_code);
    // Reads a body into the image. Unless quiet, a body made for another
    // model or option asks "Target Mismatch" first (its box is owned by the
    // program's main window, so owner is not needed here). True when the
    // header was accepted: the items were loaded, or the body turned out to
    // be damaged and nothing changed (load_config_body tells the two apart).
    // False when the first line is not the version or the user declined.
    virtual bool load_from_stream(std::istream& in, HWND owner, const int* target_model,
                                  const int* target_option, bool quiet);

    virtual config_item_value get_value_record_copy(int id);

    // Every item back to the undefined state.
    void reset_items();

    // The failure of the last read_item that kept the item's value instead
    // of throwing (the two-group family's list items), 0 when it did not:
    // for callers that tell the user of a failed read themselves.
    int32_t kept_value_failure() const { return kept_value_failure_; }
    void note_kept_value(int32_t failure) { kept_value_failure_ = failure; }

    // The item of an id: 0..255 table A, 500..755 table B; nullptr for any
    // other id, which every operation treats as an undefined item.
    config_item* item_at(int id);
    const config_item* item_at(int id) const;

protected:
    // Applies a family's definitions after the reset.
    void define_family_items(config_family family);

    config_item table_a_[kItemsPerTable];
    config_item table_b_[kItemsPerTable];
    int32_t kept_value_failure_ = 0;
};

class wqt_cfg_15xx : public instrument_config {
public:
    wqt_cfg_15xx();
    item_write_result set_value_text_and_send(int id, const char* text, link_record* link,
                                              bool link_open) override;
    item_write_result set_value_double_and_send(int id, const double* value, link_record* link,
                                                bool link_open) override;
    item_write_result set_value_int_and_send(int id, const int* value, link_record* link,
                                             bool link_open) override;
    item_write_result set_value_record_and_send(int id, const config_item_value* record,
                                                link_record* link, bool link_open) override;
    item_write_result write_item(int id, link_record* link, bool link_open) override;
    void read_item(int id, link_record* link, bool link_open, config_item* target) override;
    void write_summary_to_ostream_for_instrument(std::ostream& out,
                                                 const link_record& instrument) override;
    void write_summary_to_stream_for_instrument(std::iostream& out,
                                                const link_record& instrument) override;
    void write_summary_to_buffer_for_instrument(FILE* file, const link_record& instrument) override;
};

class wqt_cfg_25xx : public instrument_config {
public:
    wqt_cfg_25xx();
    item_write_result write_item(int id, link_record* link, bool link_open) override;
    void read_item(int id, link_record* link, bool link_open, config_item* target) override;
    void write_summary_to_ostream_for_instrument(std::ostream& out,
                                                 const link_record& instrument) override;
    void write_summary_to_stream_for_instrument(std::iostream& out,
                                                const link_record& instrument) override;
    void write_summary_to_buffer_for_instrument(FILE* file, const link_record& instrument) override;
};

class wqt_cfg_35xx : public instrument_config {
public:
    // group2_flag: 0 for the object holding group 1, 1 for group 2.
    explicit wqt_cfg_35xx(uint8_t group2_flag = 0);
    uint8_t group2_flag() const { return group2_flag_; }
    item_write_result write_item(int id, link_record* link, bool link_open) override;
    void read_item(int id, link_record* link, bool link_open, config_item* target) override;
    void write_summary_to_ostream_for_instrument(std::ostream& out,
                                                 const link_record& instrument) override;
    void write_summary_to_stream_for_instrument(std::iostream& out,
                                                const link_record& instrument) override;
    void write_summary_to_buffer_for_instrument(FILE* file, const link_record& instrument) override;

private:
    static constexpr int32_t kNoWiringSent = -1;
    uint8_t group2_flag_;
    // The wiring number the instrument sent in the read of the wiring, kept
    // for the grouping read that follows it in a whole read.
    int32_t wiring_sent_ = kNoWiringSent;
};

class wqt_cfg_45xx : public instrument_config {
public:
    wqt_cfg_45xx();
    item_write_result write_item(int id, link_record* link, bool link_open) override;
    void read_item(int id, link_record* link, bool link_open, config_item* target) override;
    void write_summary_to_ostream_for_instrument(std::ostream& out,
                                                 const link_record& instrument) override;
    void write_summary_to_stream_for_instrument(std::iostream& out,
                                                const link_record& instrument) override;
    void write_summary_to_buffer_for_instrument(FILE* file, const link_record& instrument) override;
};

class wqt_cfg_55xx : public instrument_config {
public:
    wqt_cfg_55xx();
    item_write_result write_item(int id, link_record* link, bool link_open) override;
    void read_item(int id, link_record* link, bool link_open, config_item* target) override;
    void write_summary_to_ostream_for_instrument(std::ostream& out,
                                                 const link_record& instrument) override;
    void write_summary_to_stream_for_instrument(std::iostream& out,
                                                const link_record& instrument) override;
    void write_summary_to_buffer_for_instrument(FILE* file, const link_record& instrument) override;
};

// Tells the user of an item the instrument did not take while a
// configuration was written ("An error occurred writing the config to the
// instrument", under "Write Instrument Setup"): the item's id, its name among
// names (none when names is null) and the result of its item_error_code.
void report_item_write_failure(int32_t error_code, const char* const* names);
// The same for an item a single read did not bring back ("An error occurred
// reading the config from the instrument", under "Read Instrument Setup").
void report_item_read_failure(int32_t error_code, const char* const* names);

// Why a write did not send an item whose value lies outside its limits, as
// the communications log says it: the item's name among names, its id and
// value, and the limits it has ("... can only be set between 0 and 3").
std::string out_of_limits_text(instrument_config& cfg, int id, const char* const* names);
// Tells the user so, in the write's box ("Write Instrument Setup").
void report_item_out_of_limits(const std::string& text);

// A new base-class object holding a copy of the source's tables.
std::shared_ptr<instrument_config> instrument_config_copy(const instrument_config& source);


// The number the harmonics download sends for a phase: 1..3 keep theirs,
// 4..6 (a two-group instrument's second group) become 7..9, others 1.
int map_range_selector_to_index(int phase);
