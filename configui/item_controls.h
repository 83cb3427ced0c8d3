// What the configuration model uses of the configuration window: filling a
// drop-down list from an item and reading a typed number. (The wiring rules
// of the two-group instrument's ratio lists are with the choice lists, in
// config/config_choices.h.)
#pragma once
#include <windows.h>

#include <string>

class instrument_config;

// Empties the drop-down list, adds the item's option texts in order and
// selects the item's value; a text item (or an item the family does not
// define) leaves nothing selected.
void fill_item_combobox(instrument_config& config, HWND combo, int item);

// A typed number: the text read with an optional SI prefix letter, with the
// digit count it is to be shown with. valid is false (and value 0) when the
// text is not a number.
struct numeric_text_value {
    double value;
    int digit_count;
    std::string text;
    bool valid;

    numeric_text_value(const std::string& text, int digit_count);
};
