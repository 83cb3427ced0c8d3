// The identity of the instrument at the far end of a link, as texts taken
// from its identification reply ("*IDN?": maker,model,serial,version) and
// its option code.
#pragma once
#include <exception>

struct link_record;

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

// Writes the field of the given kind into out (at least 128 bytes; any
// other kind gives the empty text) and returns out. Throws std::exception
// when out is missing and NoConStrException when the link has no
// identification reply.
char* get_idn_field(char* out, int kind, const link_record* link);
