// The configuration text body (.cfg): a header naming the model and current
// option it was made for, then one record per item of both tables. Exported
// files, saved slots and imports all carry it; the program of the previous
// generation reads and writes the same text, so its form never changes.
//
// A body is read whole and checked before anything of it reaches an image,
// so a damaged file changes nothing. The instrument_config members
// save_to_stream and load_from_stream are built on these.
#pragma once
#include "config/config_item.h"

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>

class instrument_config;

constexpr int kBodyVersion = 1;
constexpr int kBodyRecords = 512; // table A, then table B
constexpr int kMaxWireId = 255;

// The word a mismatch question uses for an option code (the model's word
// comes from the model profiles).
const char* option_code_word(int option_code);

// Whether a body made for file_model / file_option suits the target; a file
// code of -1 passes its check.
bool body_model_suits(int file_model, int target_model);
bool body_option_suits(int file_option, int target_option);
// The "Target Mismatch" question for those codes.
std::string target_mismatch_text(int file_model, int file_option, int target_model,
                                 int target_option);
// True when the body's codes suit the target, or when the user answers OK
// to the question about them.
bool body_target_accepted(int file_model, int file_option, int target_model, int target_option);

// One record as read: its wire id and, unless that is 0, its value line.
struct body_record {
    uint8_t wire_id;
    // The value left for the item: a record written for an item its family
    // does not define carries no value.
    bool has_value;
    char value[kItemTextMax + 1];
};

// A whole body as read from a stream.
struct config_body {
    int model_code;
    int option_code;
    body_record records[kBodyRecords];
};

enum class body_status {
    whole,      // three header lines and 512 well-formed records
    not_a_body, // no first line, or a first line that is not the version 1
    damaged,    // the version line is right, but the rest ends early or is malformed
};

// Reads one body. Lines end in LF or CR LF; a line longer than any line of a
// body, a record that is cut off or malformed, a wire id that is not a
// whole number 0..255 or a value longer than an item can hold make it
// damaged. The stream is left after the body on success (a second body may
// follow) and wherever reading stopped otherwise.
body_status read_config_body(std::istream& in, config_body& body);

// The item of table position k (0..511): ids 0..255, then 500..755.
int body_record_item_id(int position);

// Writes a body as read: the version line, its model and option codes and
// every record with its wire id and value, as save_to_stream writes an
// image's items (an empty value as a single blank, a record without a value
// with the marker of an item its family does not define). Lines end as the
// stream makes them.
void write_config_body(std::ostream& out, const config_body& body);

// Puts a whole body into an image: every record with a value sets the
// item's wire id and value (a list item takes the number the text starts
// with) and marks it changed; records with wire id 0 change nothing.
void apply_config_body(instrument_config& cfg, const config_body& body);

// How loading a body into an image ended.
enum class body_load_result {
    loaded,     // the items were read
    not_a_body, // nothing changed
    declined,   // the user answered Cancel to the mismatch question
    damaged,    // the header was accepted but the body is incomplete or
                // malformed: nothing changed
};

// Reads a body and, when it is whole, asks about a mismatch (unless quiet)
// and loads it. The target codes are only compared.
body_load_result load_config_body(instrument_config& cfg, std::istream& in, int target_model,
                                  int target_option, bool quiet);

// Reads one line into out, keeping at most keep characters (a CR before the
// LF is dropped). Sets *over_long, when given, if the line had more. Stops
// reading at limit bytes of a line (0: no limit) and leaves the rest. False
// when the stream had nothing left.
bool read_bounded_line(std::istream& in, std::string& out, size_t keep, size_t limit,
                       bool* over_long);
