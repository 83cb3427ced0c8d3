// Configurations for tests: an image written as a body, an item's value,
// every item given a value of its own, a simulated instrument given values
// a whole read takes, and bodies damaged in every way a file can be, with
// how reading each ends.
#pragma once
#include "config/config_text.h"
#include "config/instrument_config.h"
#include "tools/wqt_sim/instrument.h"

#include <random>
#include <sstream>
#include <string>
#include <vector>

inline std::string body_of(instrument_config& cfg, int model, int option)
{
    std::ostringstream out;
    cfg.save_to_stream(out, &model, &option);
    return out.str();
}

// An item's value as an integer.
inline int value_of(instrument_config& cfg, int id)
{
    int out = 0;
    return cfg.get_value_int(id, out);
}

// Gives every item the family defines a value of its own: a list item an
// option (or an integer) other than its default, a text item a number text.
inline void change_every_item(instrument_config& cfg)
{
    for (int id = 0; id < kItemsPerTable; ++id) {
        const config_item& item = *cfg.item_at(id);
        if (item.kind == ITEM_LIST) {
            const int options = static_cast<int>(item.options.size());
            cfg.set_value_int(id, options >= 2 ? 1 + id % (options - 1) : id + 7);
        } else if (item.kind == ITEM_TEXT) {
            cfg.set_value_text(id, ("1." + std::to_string(id) + "E-3").c_str());
        }
    }
}

// Gives the instrument, for every list item the family defines, a number
// inside the item's range, so that a whole read finds nothing out of range:
// items whose range takes 0 keep the instrument's 0, the others get their
// minimum.
inline void fill_in_range(wqt_sim::instrument& inst, instrument_config& cfg)
{
    for (int id = 1; id < 256; ++id) {
        const config_item& item = *cfg.item_at(id);
        if (item.kind == ITEM_LIST && item.minimum != kNoBound && item.minimum > 0)
            inst.set_item(item.wire_id, std::to_string(static_cast<int>(item.minimum)));
    }
}

struct malformed_case {
    const char* what;
    std::string text;
    body_load_result result;
};

// n bytes of noise, the same for the same start value.
inline std::string noise_bytes(size_t n, unsigned start)
{
    std::minstd_rand noise(start);
    std::string bytes(n, '\0');
    for (char& c : bytes)
        c = static_cast<char>(noise() & 0xFF);
    return bytes;
}

inline std::vector<malformed_case> malformed_cases()
{
    wqt_cfg_55xx source;
    change_every_item(source);
    const std::string whole = body_of(source, 5, 0);
    const size_t after_header = whole.find("\n0\n") + 1; // item 0's record
    const size_t record_100 = whole.find("\n100\n") + 1;
    const size_t value_100 = record_100 + 4;
    const auto with_line = [&](size_t at, const std::string& line) {
        const size_t end = whole.find('\n', at);
        return whole.substr(0, at) + line + whole.substr(end);
    };
    return {
        {"an empty file", "", body_load_result::not_a_body},
        {"first line 2", "2" + whole.substr(1), body_load_result::not_a_body},
        {"first line not a number", "x\n" + whole.substr(2), body_load_result::not_a_body},
        {"cut in the header", whole.substr(0, 4), body_load_result::damaged},
        {"option line not a number", with_line(4, "zero"), body_load_result::damaged},
        {"cut after 100 records", whole.substr(0, record_100), body_load_result::damaged},
        {"cut in a wire id", whole.substr(0, record_100 + 2), body_load_result::damaged},
        {"cut at a value line", whole.substr(0, value_100), body_load_result::damaged},
        {"wire id x", with_line(record_100, "x"), body_load_result::damaged},
        {"wire id -1", with_line(record_100, "-1"), body_load_result::damaged},
        {"wire id 256", with_line(record_100, "256"), body_load_result::damaged},
        {"wire id 1.5", with_line(record_100, "1.5"), body_load_result::damaged},
        {"value word of 20 characters", with_line(value_100, std::string(20, '7')),
         body_load_result::damaged},
        {"a 4 MB line without line end", whole.substr(0, after_header) + std::string(4 << 20, '1'),
         body_load_result::damaged},
        {"random bytes", noise_bytes(70000, 7), body_load_result::not_a_body},
        {"random bytes after the header", whole.substr(0, after_header) + noise_bytes(70000, 8),
         body_load_result::damaged},
    };
}

