// One configuration item of an instrument, and the record form in which
// readers take its value.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Item kinds.
enum : int32_t {
    ITEM_LIST = 0,    // option index, or a plain integer when there are no options
    ITEM_TEXT = 1,    // a number or text, stored as text
    ITEM_UNSET = -99, // the family does not define the item
};

// The "no value" and "no bound" markers of the configuration model.
constexpr int32_t kUnsetValue = -99;
constexpr double kNoBound = -99.0;

// Characters a text value holds at most (its field is 20 bytes).
constexpr size_t kItemTextMax = 19;

// The option display texts of a list item, in index order. The texts are
// constants of the program; an item holds only the pointers.
using option_list = std::vector<const char*>;

// The 20-byte value field: an integer in the first 4 bytes, or a text.
union item_value {
    int32_t integer;
    char text[kItemTextMax + 1];
};

struct config_item {
    item_value value;
    int32_t kind;
    int32_t wire_id;    // the number the instrument and the .cfg text know the item by
    double minimum;     // kNoBound: no bound
    double maximum;
    uint8_t changed;    // set by every set operation, cleared once sent
    option_list options;
};

// The read form of one item.
struct config_item_value {
    uint8_t is_list; // 1 for kind 0
    item_value value;
    double minimum;
    double maximum;
};

// Text read as a decimal number: blanks, sign, digits with a fraction and an
// exponent, up to the first character that does not fit and at most size
// bytes; 0.0 when the text does not begin with a number.
double item_text_number(const char* text, size_t size);
// A number truncated toward zero; -2147483648 when it does not fit an int.
int item_number_to_int(double value);

// The item's value as an int, by the rule of instrument_config::get_value_int.
int config_item_int_value(const config_item& item);
// The text with every line break, tab and other control character as a
// blank: a text value is one line of a configuration body.
std::string text_without_controls(std::string text);

// Option `index` of the list, or the empty text when there is no such option.
std::string option_text_at(const option_list& options, unsigned index);
// Copies option `index` with its terminator into dest (size bytes, cut to
// fit); writes nothing when there is no such option.
void copy_option_text_at(const option_list& options, unsigned index, char* dest, size_t size);
