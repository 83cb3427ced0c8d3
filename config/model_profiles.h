// What each instrument model code is: the digits that name it in the
// identification reply, its configuration family with the item names and
// configuration objects that go with it, and the rules that set it apart
// from the other models. One row per model code; identification, the slots,
// item and whole transfers and the identity fields all read this table.
#pragma once
#include "config/item_tables.h"

#include <cstddef>
#include <cstdint>
#include <memory>

class instrument_config;

// The model that measures in two groups ("GROUP,1" and "GROUP,2").
constexpr uint32_t kTwoGroupModel = 16;

// A span of phase numbers, first to last; -1..-1 for none.
struct phase_span {
    int first;
    int last;
};

constexpr phase_span kNoPhases{-1, -1};

using config_factory = std::shared_ptr<instrument_config> (*)();

struct model_profile {
    uint32_t model_code;
    // The characters after "TROSVALDEN,WQT" that name the model; a single
    // character takes any second one ("5": every "5x" not named before).
    const char* idn_digits;
    config_family family;
    config_factory make_primary; // the configuration of group 1
    config_factory make_group2;  // the second group's; null for one group
    // Identity fields (get_idn_field) that the model gives.
    bool phase_digit_field;      // the phase digit of the model name
    bool last_char_field;        // the last character of the model name
    bool last_char_before_f2;    // ... taken before a "-F2" suffix
    // What wiring 7 measures on a three-phase one-group instrument.
    phase_span wiring7_three_phase;
    // The model's word in the question about a configuration file made for
    // another model ("WQT15"); the two-group model's is empty.
    const char* model_word;
    bool has_oscilloscope;   // its summary ends with the Oscilloscope block
    bool colour_download;    // the frame offers the colour download

    bool two_group() const { return make_group2 != nullptr; }
    // The family's 256 item names; "Unused" where an id has no name.
    const char* const* item_names() const { return config_item_names(family); }
};

// Every row, in the order identification tries them.
struct model_profile_list {
    const model_profile* rows;
    size_t count;
    const model_profile* begin() const { return rows; }
    const model_profile* end() const { return rows + count; }
};
model_profile_list model_profile_rows();

// The row of a model code; nullptr for a code that names no model (0, the
// CAN-bus converter, models whose configuration the program does not hold).
const model_profile* find_model_profile(uint32_t model_code);

// The model named by the characters after "TROSVALDEN,WQT" in an
// identification reply, the rows tried in their order; nullptr: unknown.
const model_profile* identify_model(const char* digits);

// The item-name list of a model code; nullptr when the code has none.
const char* const* item_names_for_model(uint32_t model_code);

// Whether the model code is that of the two-group model.
bool is_two_group_model(uint32_t model_code);

// Whether the two model codes have one configuration family: the same code,
// or two codes whose rows name the same family.
bool same_config_family(uint32_t a, uint32_t b);

// The word of a model code in the question about a configuration file made
// for another model: the row's word; for a code without a row, the empty
// text for codes 17..19 and "Unknown" for every other.
const char* model_word(int model_code);
