#include "config/instrument_config.h"

#include "base/number_text.h"

#include <cstdio>
#include <cstring>
#include <sstream>

namespace {

// The value field after it has been cleared: every byte zero, so that a text
// read of it stays inside the field and finds its terminator.
void store_integer(item_value& value, int32_t integer)
{
    std::memset(&value, 0, sizeof value);
    value.integer = integer;
}

// Stores at most kItemTextMax characters of text (a null text stores the
// empty text); a longer text is cut to fit.
void store_text(item_value& value, const char* text)
{
    std::memset(&value, 0, sizeof value);
    if (text != nullptr)
        std::memcpy(value.text, text, strnlen(text, kItemTextMax));
}

// The stored text of a value field, never beyond the field.
std::string stored_text(const item_value& value)
{
    return std::string(value.text, strnlen(value.text, kItemTextMax));
}

int wire_id_of(int id)
{
    return id < kItemsPerTable ? id : id - kTableBFirstId;
}

} // namespace

instrument_config::instrument_config()
{
    // A bare object reads as if no family had defined anything.
    reset_items();
}

instrument_config::instrument_config(const instrument_config& source) = default;

instrument_config::~instrument_config() = default;

void instrument_config::reset_items()
{
    for (config_item* table : {table_a_, table_b_}) {
        for (int i = 0; i < kItemsPerTable; ++i) {
            config_item& item = table[i];
            store_integer(item.value, kUnsetValue);
            item.kind = ITEM_UNSET;
            item.wire_id = i;
            item.minimum = kNoBound;
            item.maximum = kNoBound;
            item.changed = 0;
            item.options.clear();
        }
    }
}

config_item* instrument_config::item_at(int id)
{
    if (id >= 0 && id < kItemsPerTable)
        return &table_a_[id];
    if (id >= kTableBFirstId && id < kTableBFirstId + kItemsPerTable)
        return &table_b_[id - kTableBFirstId];
    return nullptr;
}

const config_item* instrument_config::item_at(int id) const
{
    return const_cast<instrument_config*>(this)->item_at(id);
}

void instrument_config::define_text_item(config_item& item, int id, double minimum, double maximum,
                                         const char* default_text)
{
    item.kind = ITEM_TEXT;
    item.wire_id = wire_id_of(id);
    item.minimum = minimum;
    item.maximum = maximum;
    item.options.clear();
    store_text(item.value, default_text);
}

void instrument_config::define_list_item(config_item& item, int id, int minimum, int maximum,
                                         int default_value, const option_list& options)
{
    item.kind = ITEM_LIST;
    item.wire_id = wire_id_of(id);
    item.minimum = minimum;
    item.maximum = maximum;
    store_integer(item.value, default_value);
    item.options = options;
}

void instrument_config::define_family_items(config_family family)
{
    const item_def_table table = family_item_definitions(family);
    for (size_t i = 0; i < table.count; ++i) {
        const item_def& row = table.items[i];
        config_item* item = item_at(row.id);
        if (item == nullptr)
            continue;
        // The item of the row's id receives the row's wire id, which differs
        // from the id for one item of the two-group family.
        if (row.kind == ITEM_LIST) {
            option_list options;
            if (row.options != nullptr)
                options.assign(row.options, row.options + row.option_count);
            define_list_item(*item, row.wire_id, static_cast<int>(row.minimum),
                             static_cast<int>(row.maximum), 0, options);
        } else if (row.kind == ITEM_TEXT) {
            define_text_item(*item, row.wire_id, row.minimum, row.maximum, "");
        }
    }
}

// ---- Reading values -------------------------------------------------------

std::string& instrument_config::get_value_string(int id, std::string& out)
{
    const config_item* item = item_at(id);
    if (item == nullptr)
        out.clear();
    else if (item->kind == ITEM_LIST)
        out = std::to_string(item->value.integer);
    else
        out = stored_text(item->value);
    return out;
}

const char* instrument_config::get_value_text(int id, char* buffer)
{
    config_item* item = item_at(id);
    if (buffer == nullptr)
        return item != nullptr ? item->value.text : "";
    if (item == nullptr)
        buffer[0] = '\0';
    else if (item->kind == ITEM_LIST)
        std::sprintf(buffer, "%d", static_cast<int>(item->value.integer));
    else
        std::strcpy(buffer, stored_text(item->value).c_str());
    return buffer;
}

double instrument_config::get_value_double(int id, double& out)
{
    const config_item* item = item_at(id);
    if (item == nullptr)
        out = 0.0;
    else if (item->kind == ITEM_LIST)
        out = item->value.integer;
    else
        out = item_text_number(item->value.text, sizeof item->value.text);
    return out;
}

int instrument_config::get_value_int(int id, int& out)
{
    const config_item* item = item_at(id);
    out = item != nullptr ? config_item_int_value(*item) : 0;
    return out;
}

config_item_value& instrument_config::get_value_record(config_item_value& out, int id)
{
    std::memset(&out, 0, sizeof out);
    const config_item* item = item_at(id);
    if (item == nullptr) {
        out.value.integer = kUnsetValue;
        out.minimum = kNoBound;
        out.maximum = kNoBound;
        return out;
    }
    out.is_list = item->kind == ITEM_LIST ? 1 : 0;
    if (item->kind == ITEM_TEXT)
        std::memcpy(out.value.text, item->value.text, strnlen(item->value.text, kItemTextMax));
    else
        out.value.integer = item->value.integer;
    out.minimum = item->minimum;
    out.maximum = item->maximum;
    return out;
}

config_item_value instrument_config::get_value_record_copy(int id)
{
    config_item_value record;
    get_value_record(record, id);
    return record;
}

std::string& instrument_config::value_to_display_string(std::string& out, int id, int32_t value)
{
    const config_item* item = item_at(id);
    std::ostringstream text;
    if (item == nullptr) {
        // An id outside both tables has nothing to show.
    } else if (item->kind != ITEM_LIST) {
        text << stored_text(item->value);
    } else if (!item->options.empty()) {
        if (value >= 0)
            text << option_text_at(item->options, static_cast<unsigned>(value));
    } else {
        text << value;
    }
    out = text.str();
    return out;
}

void instrument_config::value_to_display_text(int id, int32_t value, char* buffer)
{
    if (buffer == nullptr)
        return;
    buffer[0] = '\0';
    const config_item* item = item_at(id);
    if (item == nullptr)
        return;
    std::string text;
    if (item->kind != ITEM_LIST)
        text = stored_text(item->value);
    else if (value >= 0)
        text = option_text_at(item->options, static_cast<unsigned>(value));
    // The buffer holds 18 characters and the terminator; a longer text is
    // not shown at all rather than cut.
    if (text.size() <= 18)
        std::memcpy(buffer, text.c_str(), text.size() + 1);
}

std::string& instrument_config::get_display_string(std::string& out, int id)
{
    const config_item* item = item_at(id);
    // The current value: a list item's integer, any other item's text read
    // as a number.
    const int32_t value = item != nullptr ? config_item_int_value(*item) : 0;
    return value_to_display_string(out, id, value);
}

void instrument_config::get_display_text(int id, char* buffer)
{
    const config_item* item = item_at(id);
    // The current value: a list item's integer, any other item's text read
    // as a number.
    const int32_t value = item != nullptr ? config_item_int_value(*item) : 0;
    value_to_display_text(id, value, buffer);
}

// ---- Setting values -------------------------------------------------------

void instrument_config::set_value_text(int id, const char* text)
{
    config_item* item = item_at(id);
    if (item == nullptr)
        return;
    if (item->kind == ITEM_LIST) {
        const double number = text != nullptr ? item_text_number(text, std::strlen(text)) : 0.0;
        store_integer(item->value, item_number_to_int(number));
    } else {
        store_text(item->value, text);
    }
    item->changed = 1;
}

void instrument_config::set_value_double(int id, double value)
{
    config_item* item = item_at(id);
    if (item == nullptr)
        return;
    if (item->kind == ITEM_LIST) {
        store_integer(item->value, item_number_to_int(value));
    } else {
        char text[kItemTextMax + 1];
        format_exponent(text, sizeof text, value, 4);
        store_text(item->value, text);
    }
    item->changed = 1;
}

void instrument_config::set_value_int(int id, int value)
{
    config_item* item = item_at(id);
    if (item == nullptr)
        return;
    if (item->kind == ITEM_LIST) {
        store_integer(item->value, value);
    } else {
        char text[kItemTextMax + 1];
        std::snprintf(text, sizeof text, "%d", value);
        store_text(item->value, text);
    }
    item->changed = 1;
}

void instrument_config::set_value_record(int id, const config_item_value& record)
{
    config_item* item = item_at(id);
    if (item == nullptr)
        return;
    if (item->kind == ITEM_LIST) {
        store_integer(item->value, record.value.integer);
    } else if (item->kind == ITEM_TEXT) {
        // The record's field need not be terminated: take at most 19 bytes.
        char text[kItemTextMax + 1] = {};
        std::memcpy(text, record.value.text, kItemTextMax);
        store_text(item->value, text);
    }
    item->changed = 1;
}

void instrument_config::set_minimum(int id, const double& value)
{
    if (config_item* item = item_at(id))
        item->minimum = value;
}

void instrument_config::set_maximum(int id, const double& value)
{
    if (config_item* item = item_at(id))
        item->maximum = value;
}

void instrument_config::set_option_list(int id, const option_list& options)
{
    if (config_item* item = item_at(id)) {
        item->options.clear();
        item->options.assign(options.begin(), options.end());
    }
}

// ---- Families ---------------------------------------------------------------

wqt_cfg_15xx::wqt_cfg_15xx()
{
    reset_items();
    define_family_items(config_family::wqt15xx);
}

wqt_cfg_25xx::wqt_cfg_25xx()
{
    reset_items();
    define_family_items(config_family::wqt25xx);
}

wqt_cfg_35xx::wqt_cfg_35xx(uint8_t group2_flag) : group2_flag_(group2_flag)
{
    // The flag is in place before the definitions run.
    reset_items();
    define_family_items(config_family::wqt35xx);
}

wqt_cfg_45xx::wqt_cfg_45xx()
{
    reset_items();
    define_family_items(config_family::wqt45xx);
}

wqt_cfg_55xx::wqt_cfg_55xx()
{
    reset_items();
    define_family_items(config_family::wqt55xx);
}

std::shared_ptr<instrument_config> instrument_config_copy(const instrument_config& source)
{
    return std::make_shared<instrument_config>(source);
}

int map_range_selector_to_index(int phase)
{
    switch (phase) {
    case 2:
        return 2;
    case 3:
        return 3;
    case 4:
        return 7;
    case 5:
        return 8;
    case 6:
        return 9;
    default:
        return 1;
    }
}
