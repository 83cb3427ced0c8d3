// How a page change becomes an item change: the set rule (stored, and sent
// at once while "AutoConfigs" is on), a typed number with its SI prefix,
// and the run-time edit's two numbers.
#pragma once
#include <string>

struct link_record;

// The set rule on the current configuration: an integer (b) or a text (c)
// is stored and, while auto-send is on, written to the instrument through
// the link (keep_open: the caller holds the link open). A failed write is
// absorbed by the configuration, which keeps the item marked changed.
void config_dispatch_b(int item, int value, link_record* link, bool keep_open);
void config_dispatch_c(int item, const char* text, link_record* link, bool keep_open);
// The same for one group of the current instrument (0 first, 1 second).
void config_dispatch_a(int item, int value, link_record* link, int group, bool keep_open);

// A typed number: the text read with an optional SI prefix letter, and the
// decimals its text form is written with. ok is false (and value 0) when
// the text is not a number.
struct numeric_text_value {
    double value;
    int precision;
    bool ok;
    std::string text;

    numeric_text_value(const std::string& text, int precision);
    // The number in mantissa-and-exponent form with `precision` decimals
    // (0.05 with 4 gives "5.0000E-2"; 0 gives "0.0000").
    std::string to_text() const;
};

// The run-time edit's "hours:minutes": an empty text gives 0 and 0; each
// number missing or outside 0..255 gives 0.
struct run_time {
    int hours;
    int minutes;
};
run_time parse_run_time(const char* text);
