// Default configurations: which set of starting values an instrument gets
// for its current application mode, the sets themselves (blocks I to VIII
// and the AC and DC answers) and how they go out, each item set in the image
// and written to the instrument at once.
#pragma once
#include "config/item_numbers.h"
#include <cstdint>

class instrument_config;
struct link_record;

// What a reset to defaults does.
enum class default_action {
    block_1,
    block_2,
    block_3,
    block_4,
    block_5,
    block_6,
    block_7,
    block_8,
    ask_kind,       // ask whether the measurement is AC or DC
    recall_program, // the instrument's stored program 0
};

// The mode item whose value decides is kItemDefaultMode (item_numbers.h);
// some modes also need the model digit.

// Whether the choice for this model code and mode value needs the model
// digit of the instrument's identification.
bool default_needs_model_digit(uint32_t model_code, int mode_value);
// The action for a model code, the mode value and the model digit (-1 when
// the identification gave none).
default_action choose_default_action(uint32_t model_code, int mode_value, int model_digit);

// The last character of the link's model name read as a number; -1 when
// the link has no identification.
int model_digit_of(const link_record* link);

// Applies block 1..8 to the image, each item set and sent over the link
// (link_open: the caller holds it open). Items the family does not define
// are left out. A value outside its item's range is not sent and leaves the
// item as it was. Every item is attempted; the first that failed (refused,
// unanswered or out of range) is then reported once. Any other action does
// nothing.
void apply_default_block(instrument_config& cfg, default_action block, link_record* link,
                         bool link_open);
// The answer of the AC/DC question: 1 (AC) or more sets Speed and Smoothing
// Response, 2 (DC) or more also Coupling and Bandwidth; 0 or less nothing.
void apply_default_kind(instrument_config& cfg, int answer, link_record* link, bool link_open);

// Sends "prog,recall,0" and reads every item back with the link held open;
// a link that was closed is closed again afterwards.
void recall_program_zero_on(instrument_config& cfg, link_record* link);
