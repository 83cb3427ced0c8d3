// The identity of the instrument at the far end of a link, as texts taken
// from its identification reply ("*IDN?": maker,model,serial,version) and
// its option code, the phases an instrument measures, and the option bits of
// its "version?" reply.
#pragma once
#include "config/model_profiles.h"
#include "link/link_record.h"

#include <cstdint>
#include <exception>

// Thrown when a link has no identification reply to take a field from.
class NoConStrException : public std::exception {
public:
    const char* what() const noexcept override;
};

// Kinds of field that get_idn_field gives.
enum : int {
    IDN_FIELD_ADDRESS = 0,       // IP address (LAN) or COM port name
    IDN_FIELD_MODEL = 1,         // second field of the reply
    IDN_FIELD_SERIAL = 2,        // third field
    IDN_FIELD_VERSION = 3,       // everything after the third ","
    IDN_FIELD_INPUTS = 4,        // "Low Current", "High Current" or "Standard"
    IDN_FIELD_PHASES = 5,        // the phase digit of the model name
    IDN_FIELD_MODEL_LAST = 6,    // the last character of the model name
    IDN_FIELD_INPUTS_SHORT = 7,  // "LC", "HC" or "STD"
};

// The current inputs an option code names: bit 1 low current, else bit 2
// high current, else the standard inputs.
enum class current_option { standard, low, high };
current_option current_option_of(uint32_t option_code);

// Writes the field of the given kind into out (at least 128 bytes; any
// other kind gives the empty text) and returns out. Throws std::exception
// when out is missing and NoConStrException when the link has no
// identification reply.
char* get_idn_field(char* out, int kind, const link_record* link);

// A bit of an option word picked by a selector, with bit 7 of the word beside
// it. Selectors: 0 bit 0; 1 and 2 bit 7; 3 bit 5; 4 bit 4; 5 bit 3;
// 6 the current-input option code (bit 1 + 2 x bit 2) x 2, that is 0, 2, 4
// or 6; any other selector -1.
struct option_bits {
    int value;
    int bit7;
};
option_bits decode_option_bits(uint32_t word, int selector);

// The first and last phase that an instrument measures with wiring w
// (item 82), active group g and grouping q (item 23), from the link's model
// code and phase count; -1 and -1 when the combination measures none. Both
// outputs are always set.
void get_phase_range(const link_record& link, int wiring, int group, int grouping, int* first,
                     int* last);
