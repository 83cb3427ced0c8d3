// Moving one configuration item between the image and the instrument. The
// image holds list positions (the index of the chosen option); several
// instruments number some options differently, so each family converts
// between the two on the way out (write remapping) and on the way in (read
// remapping). Items and values that a family does not convert pass as they
// are.
#include "config/instrument_config.h"
#include "config/two_group_rules.h"
#include "config/item_numbers.h"

#include "config/identification.h"
#include "config/model_profiles.h"
#include "link/comms_log.h"
#include "link/item_exchange.h"
#include "link/link_record.h"
#include "link/transport.h"

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

namespace {

// The value field read by read_config_item holds at most 18 characters.
constexpr int kTextReadSize = 19;

// When "Frequency Lock" (item 7) is followed by "Frequency" (item 48).
enum class frequency_follow_up { none, when_nonzero, when_one };

using remap_fn = int32_t (*)(instrument_config& cfg, const link_record& link, int id, int32_t v);

// What sets one class's transfer apart from another's.
struct transfer_rules {
    bool base_class = false; // comms-log lines and the item-name list test
    frequency_follow_up follow_up = frequency_follow_up::none;
    bool unbounded_int_read = false;      // bounds -99..-99 read without a range
    bool keep_value_on_failed_int = false; // a failed integer read is not passed on
    bool t_short_item = false;            // item 126 held as text is sent as 6n + 32
    // Items the instrument numbers as their values shifted: a read takes the
    // item's bounds as the instrument numbers them, so that every value the
    // item allows comes back.
    bool (*shifted_bounds)(int id) = nullptr;
    remap_fn read_remap = nullptr;
    remap_fn write_remap = nullptr;
};

// Opens the link unless the caller holds it open, and closes it again on
// every way out, a thrown code included.
class link_bracket {
public:
    link_bracket(link_record* link, bool already_open) : link_(link), owns_(!already_open)
    {
        if (owns_)
            opened_ = open_close_link(LINK_OPEN, link_) == 0;
    }
    ~link_bracket()
    {
        if (owns_)
            open_close_link(LINK_CLOSE, link_);
    }
    link_bracket(const link_bracket&) = delete;
    link_bracket& operator=(const link_bracket&) = delete;

    // A link that could not be opened gets no reply: fail at once as the
    // exchange would after its tries, without waiting for them.
    void require_open(int wire_id) const
    {
        if (owns_ && !opened_)
            throw make_item_error_code(wire_id, 0);
    }

private:
    link_record* link_;
    bool owns_;
    bool opened_ = false;
};

void store_integer(config_item& item, int32_t value)
{
    std::memset(&item.value, 0, sizeof item.value);
    item.value.integer = value;
}

std::string stored_text(const config_item& item)
{
    return std::string(item.value.text, strnlen(item.value.text, kItemTextMax));
}

int32_t image_int(instrument_config& cfg, int id)
{
    const config_item* item = cfg.item_at(id);
    return item != nullptr ? config_item_int_value(*item) : 0;
}

int32_t pass(instrument_config&, const link_record&, int, int32_t v)
{
    return v;
}

// "T Short" held as a text item, as the instrument takes it: 6n + 32, n the
// value truncated to an integer (60n / 10 in single precision, floored). The
// family defines the item as an integer, which is sent as it is and read
// back as it is.
int32_t t_short_wire_value(int32_t n)
{
    return static_cast<int32_t>(std::floor(60.0f * static_cast<float>(n) / 10.0f)) + 32;
}

// The text of a value for the transfer lines: a text item's text, or a list
// item's option at the stored position (empty when there is none).
std::string value_line_text(const config_item& item, bool list_item)
{
    if (!list_item)
        return stored_text(item);
    char text[256] = "";
    copy_option_text_at(item.options, static_cast<unsigned>(item.value.integer), text,
                        sizeof text);
    return text;
}

std::string value_line_end(const std::string& text)
{
    return text.empty() ? std::string("--\n") : text + "\n";
}

// The base class names the item in the communications log; the families only
// give the value to the debugger.
void log_value(const transfer_rules& rules, const char* const* names, int id,
               const config_item& item, bool list_item)
{
    const std::string text = value_line_text(item, list_item);
    if (rules.base_class) {
        const std::string line = std::string(names[id]) + ": " + value_line_end(text);
        append_comms_log(line.c_str());
    } else {
        OutputDebugStringA(value_line_end(text).c_str());
    }
}

// Returns true when a value came from the instrument into the item; wire,
// when given, then holds the number the instrument sent for a list item.
bool read_item_with(instrument_config& cfg, const transfer_rules& rules, int id,
                    link_record* link, bool link_open, config_item* target, int32_t* wire_sent = nullptr)
{
    if (id > kLastTransferId)
        return false;
    config_item* own = cfg.item_at(id);
    if (own == nullptr)
        return false;
    cfg.note_kept_value(0);
    const char* const* names = nullptr;
    if (rules.base_class) {
        names = item_names_for_model(link->model_code);
        if (names == nullptr)
            return false;
    }

    link_bracket bracket(link, link_open);
    config_item& item = target != nullptr ? *target : *own;
    const bool list_item = own->kind == ITEM_LIST;
    bool got = false;
    if (!list_item) {
        bracket.require_open(item.wire_id);
        std::memset(&item.value, 0, sizeof item.value);
        read_config_item(item.wire_id, item.value.text, kTextReadSize, link);
        got = true;
    } else {
        const int minimum = item_number_to_int(item.minimum);
        const int maximum = item_number_to_int(item.maximum);
        try {
            bracket.require_open(item.wire_id);
            const bool unbounded = rules.unbounded_int_read && minimum == kUnsetValue &&
                                   maximum == kUnsetValue;
            const bool shifted = rules.shifted_bounds != nullptr && rules.shifted_bounds(id);
            const int32_t low = shifted ? rules.write_remap(cfg, *link, id, minimum) : minimum;
            const int32_t high = shifted ? rules.write_remap(cfg, *link, id, maximum) : maximum;
            const int32_t wire = unbounded ? read_config_int(item.wire_id, link)
                                           : read_config_int_range(item.wire_id, low, high, link);
            store_integer(item, rules.read_remap(cfg, *link, id, wire));
            if (wire_sent != nullptr)
                *wire_sent = wire;
            got = true;
        } catch (item_error_code code) {
            // The kept value is a list position already: it is not remapped.
            if (!rules.keep_value_on_failed_int)
                throw;
            cfg.note_kept_value(code);
        }
    }
    log_value(rules, names, id, item, list_item);
    return got;
}

bool frequency_follows(frequency_follow_up rule, int32_t wire)
{
    switch (rule) {
    case frequency_follow_up::when_nonzero:
        return wire != 0;
    case frequency_follow_up::when_one:
        return wire == 1;
    case frequency_follow_up::none:
        break;
    }
    return false;
}

bool outside(double value, const config_item& item)
{
    return (item.maximum != kNoBound && value > item.maximum) ||
           (item.minimum != kNoBound && value < item.minimum);
}

item_write_result result_of(item_write_status status, int32_t code = 0)
{
    return item_write_result{status, code};
}

item_write_result write_item_with(instrument_config& cfg, const transfer_rules& rules, int id,
                                  link_record* link, bool link_open)
{
    if (id > kLastTransferId)
        return result_of(item_write_status::not_sent);
    config_item* item = cfg.item_at(id);
    // An item the family does not define holds no value of either kind.
    if (item == nullptr || item->kind == ITEM_UNSET)
        return result_of(item_write_status::not_sent);
    const char* const* names = nullptr;
    if (rules.base_class) {
        names = item_names_for_model(link->model_code);
        if (names == nullptr)
            return result_of(item_write_status::not_sent);
    }

    link_bracket bracket(link, link_open);
    const bool list_item = item->kind == ITEM_LIST;
    try {
        if (list_item) {
            const int32_t position = item->value.integer;
            const int32_t wire = rules.write_remap(cfg, *link, id, position);
            // The bounds are those of the position, not of the wire value.
            if (outside(position, *item))
                return result_of(item_write_status::out_of_range);
            bracket.require_open(item->wire_id);
            write_config_int(item->wire_id, wire, link);
            // "Frequency" follows at once. Its write catches its own failure
            // (the item stays marked for the next write); the lock itself
            // went through, and that is what this write reports.
            if (id == kItemFrequencyLock && frequency_follows(rules.follow_up, wire))
                cfg.write_item(kItemFrequency, link, true);
        } else {
            const double number = item_text_number(item->value.text, sizeof item->value.text);
            if (outside(number, *item))
                return result_of(item_write_status::out_of_range);
            bracket.require_open(item->wire_id);
            if (rules.t_short_item && id == kItemTShort) {
                char text[16];
                std::snprintf(text, sizeof text, "%d",
                              static_cast<int>(t_short_wire_value(item_number_to_int(number))));
                write_config_item(item->wire_id, text, link);
            } else {
                write_config_item(item->wire_id, stored_text(*item).c_str(), link);
            }
        }
    } catch (item_error_code code) {
        return result_of(item_write_status::failed, code);
    }
    item->changed = 0;
    if (rules.base_class)
        log_value(rules, names, id, *item, list_item);
    return result_of(item_write_status::sent);
}

// ---- Remapping shared by several families --------------------------------

bool is_voltage_input(int id)
{
    return id == 24 || id == 176 || id == 200;
}

bool is_current_input(int id)
{
    return id == 25 || id == 177 || id == 201;
}

// Mode (item 1): the instrument skips number 6.
int32_t read_mode(int32_t r)
{
    return r >= 7 ? r - 1 : r;
}

int32_t write_mode(int32_t v)
{
    return v >= 6 ? v + 1 : v;
}

// Voltage input: the instrument's 1 is the first option; numbers 0 and 2 are
// not options of the program.
int32_t read_voltage_input(int32_t r)
{
    return r == 1 ? 0 : r - 2;
}

int32_t write_voltage_input(int32_t v)
{
    if (v == 0)
        return 1;
    return v >= 1 ? v + 2 : v;
}

// Wiring (item 82) on a two-phase or single-phase instrument.
int32_t read_wiring(int32_t r, uint32_t pc, bool seven_is_four)
{
    if (pc == 2) {
        if (r == 4)
            return 3;
        if (r == 7 && seven_is_four)
            return 4;
    } else if (pc == 1 && r != 0) {
        return 0;
    }
    return r;
}

int32_t write_wiring(int32_t v, uint32_t pc, bool four_is_seven)
{
    if (pc == 2) {
        if (v == 3)
            return 4;
        if (v == 4 && four_is_seven)
            return 7;
    }
    return v;
}

// Device (item 122): the instrument's 6 is the first device, and the next
// ones start at `gap` + 2.
int32_t read_device(int32_t r, int32_t gap)
{
    if (r == 6)
        return 1;
    return r >= gap + 2 ? r - gap : r;
}

int32_t write_device(int32_t v, int32_t gap)
{
    if (v == 1)
        return 6;
    return v >= 2 ? v + gap : v;
}

// Probe compensation: the instrument's 0 is off, the others start at 4.
int32_t read_offset_three(int32_t r)
{
    return r == 0 ? 0 : r - 3;
}

int32_t write_offset_three(int32_t v)
{
    return v == 0 ? 0 : v + 3;
}

// ---- wqt_cfg_15xx -----------------------------------------------------------

int32_t read_15xx(instrument_config&, const link_record& link, int id, int32_t r)
{
    if (id == kItemMode)
        return read_mode(r);
    if (is_voltage_input(id))
        return read_voltage_input(r);
    if (is_current_input(id)) {
        if (r == 0)
            return 0;
        return r - 1 == 3 ? 2 : r - 1;
    }
    switch (id) {
    case 58:
        return r == 3 ? 2 : r;
    case 70:
        if (r >= 1 && r <= 4)
            return r - 1;
        return r >= 5 ? r - 2 : r;
    case kItemWiring:
        return read_wiring(r, link.phase_count, true);
    case kItemRatio:
        return r >= 3 ? r - 4 : r;
    case 122:
        return read_device(r, 6);
    default:
        return r;
    }
}

int32_t write_15xx(instrument_config&, const link_record& link, int id, int32_t v)
{
    if (id == kItemMode)
        return write_mode(v);
    if (is_voltage_input(id))
        return write_voltage_input(v);
    if (is_current_input(id))
        return v == 2 ? 4 : v + 1;
    switch (id) {
    case 58:
        return v == 2 ? 3 : v;
    case 70:
        if (v == 1 || v == 2)
            return v + 1;
        return v >= 3 ? v + 2 : v;
    case kItemWiring:
        return write_wiring(v, link.phase_count, true);
    case kItemRatio:
        return v >= 3 ? v + 4 : v;
    case 122:
        return write_device(v, 6);
    default:
        return v;
    }
}

// ---- wqt_cfg_25xx -----------------------------------------------------------

int32_t read_25xx(instrument_config&, const link_record& link, int id, int32_t r)
{
    if (id == kItemMode)
        return read_mode(r);
    if (is_voltage_input(id))
        return read_voltage_input(r);
    if (is_current_input(id))
        return r == 0 ? 0 : r - 1;
    switch (id) {
    case 58:
        return r == 4 ? 3 : r;
    case kItemWiring:
        return read_wiring(r, link.phase_count, false);
    case kItemHarmonic:
    case kItemHarmonicSeries:
        return r - 2;
    case 122:
        return read_device(r, 8);
    default:
        return r;
    }
}

int32_t write_25xx(instrument_config&, const link_record& link, int id, int32_t v)
{
    if (id == kItemMode)
        return write_mode(v);
    if (is_voltage_input(id))
        return write_voltage_input(v);
    if (is_current_input(id))
        return v == 0 ? 0 : v + 1;
    switch (id) {
    case 58:
        return v == 3 ? 4 : v;
    case kItemWiring:
        return write_wiring(v, link.phase_count, false);
    case kItemHarmonic:
    case kItemHarmonicSeries:
        return v + 2;
    case 122:
        return write_device(v, 8);
    default:
        return v;
    }
}

// The harmonic numbers go to the instrument two higher.
bool harmonic_number(int id)
{
    return id == kItemHarmonic || id == kItemHarmonicSeries;
}

// ---- wqt_cfg_45xx -----------------------------------------------------------

bool is_45xx_offset_one(int id)
{
    switch (id) {
    case 25: case 26: case 27:
    case 177: case 178: case 179:
    case 201: case 202: case 203:
        return true;
    default:
        return false;
    }
}

int32_t read_45xx(instrument_config&, const link_record& link, int id, int32_t r)
{
    if (id == kItemMode)
        return read_mode(r);
    if (is_voltage_input(id))
        return read_voltage_input(r);
    if (is_45xx_offset_one(id))
        return r - 1;
    switch (id) {
    case kItemWiring:
        return read_wiring(r, link.phase_count, true);
    case 122:
        return read_device(r, 8);
    case 143:
        return read_offset_three(r);
    default:
        return r;
    }
}

int32_t write_45xx(instrument_config&, const link_record& link, int id, int32_t v)
{
    if (id == kItemMode)
        return write_mode(v);
    if (is_voltage_input(id))
        return write_voltage_input(v);
    if (is_45xx_offset_one(id))
        return v + 1;
    switch (id) {
    case kItemWiring:
        return write_wiring(v, link.phase_count, true);
    case 122:
        return write_device(v, 8);
    case 143:
        return write_offset_three(v);
    default:
        return v;
    }
}

// ---- wqt_cfg_55xx -----------------------------------------------------------

// Instruments whose model name ends in 2 number their mode (item 70) options
// from 8 on one higher. Without an identification reply nothing is changed.
bool mode_70_shifted(const link_record& link)
{
    char field[128];
    try {
        get_idn_field(field, IDN_FIELD_MODEL_LAST, &link);
    } catch (const std::exception&) {
        return false;
    }
    return std::atoi(field) == 2;
}

int32_t read_55xx(instrument_config&, const link_record& link, int id, int32_t r)
{
    if (id == kItemMode)
        return read_mode(r);
    if (is_voltage_input(id))
        return read_voltage_input(r);
    if (is_current_input(id))
        return r - 1;
    switch (id) {
    case 70:
        return r >= 8 && mode_70_shifted(link) ? r - 1 : r;
    case kItemWiring:
        return read_wiring(r, link.phase_count, true);
    case 122:
        return read_device(r, 8);
    case 125:
        return r == 2 ? 1 : r;
    case 143:
        return read_offset_three(r);
    default:
        return r;
    }
}

int32_t write_55xx(instrument_config&, const link_record& link, int id, int32_t v)
{
    if (id == kItemMode)
        return write_mode(v);
    if (is_voltage_input(id))
        return write_voltage_input(v);
    if (is_current_input(id))
        return v + 1;
    switch (id) {
    case 70:
        return v >= 7 && mode_70_shifted(link) ? v + 1 : v;
    case kItemWiring:
        return write_wiring(v, link.phase_count, true);
    case 122:
        return write_device(v, 8);
    case 125:
        return v == 0 ? 0 : v + 1;
    case 143:
        return write_offset_three(v);
    default:
        return v;
    }
}

// ---- wqt_cfg_35xx -----------------------------------------------------------

uint8_t group2_of(instrument_config& cfg)
{
    return static_cast<wqt_cfg_35xx&>(cfg).group2_flag();
}

// The input item whose value decides the range numbering of a range item.
int range_input_of(int id)
{
    switch (id) {
    case 26: return 24;
    case 27: return 25;
    case 178: return 176;
    case 179: return 177;
    case 202: return 200;
    case 203: return 201;
    default: return -1;
    }
}

bool efficiency_numbered(instrument_config& cfg, const link_record& link)
{
    const int32_t wiring = image_int(cfg, kItemWiring);
    if (wiring == 0)
        return true;
    const int pc = static_cast<int>(link.phase_count);
    const int32_t grouping = image_int(cfg, kItemGrouping);
    const int group2 = group2_of(cfg);
    return is_wqt35xx_combination_valid_a(wiring, pc, grouping, group2) ||
           is_wqt35xx_combination_valid_b(wiring, pc, grouping, group2);
}

// A 3-phase instrument's wiring number as the list position it names, the
// inverse of write_35xx: in the group the grouping gives two phases the
// instrument numbers wirings from 3 on one higher, and the second group's
// first wiring is its 3.
int32_t read_wiring_35xx(int32_t r, uint8_t group2, int32_t grouping)
{
    if (!wiring_shifted(group2, grouping))
        return r;
    if (group2 == 1 && r == 3)
        return 0;
    return r >= 4 ? r - 1 : r;
}

int32_t read_35xx(instrument_config& cfg, const link_record& link, int id, int32_t r)
{
    const uint32_t pc = link.phase_count;
    if (id == kItemMode || id == kItemHarmonicComputation)
        return read_mode(r);
    if (is_voltage_input(id))
        return read_voltage_input(r);
    if (is_current_input(id)) {
        if (r == 0)
            return 0;
        return r - 1 == 3 ? 2 : r - 1;
    }
    const int input = range_input_of(id);
    if (input >= 0)
        return image_int(cfg, input) == 1 ? r - 2 : r;
    switch (id) {
    case kItemGrouping:
        switch (pc) {
        case 6: return r - 2;
        case 5: return r == 6 ? 4 : r - 1;
        case 4: return r >= 4 ? r - 2 : r;
        case 3: return r == 6 ? 2 : r;
        default: return r;
        }
    case kItemWiring:
        return pc == 3 ? read_wiring_35xx(r, group2_of(cfg), image_int(cfg, kItemGrouping)) : r;
    case kItemRatio:
        return r >= 3 && efficiency_numbered(cfg, link) ? r - 2 : r;
    case 122:
        if (r == 0)
            return 0;
        return r - 5 >= 2 ? r - 8 : r - 5;
    case 216:
        return read_offset_three(r);
    default:
        return r;
    }
}

int32_t write_35xx(instrument_config& cfg, const link_record& link, int id, int32_t v)
{
    const uint32_t pc = link.phase_count;
    if (id == kItemMode)
        return write_mode(v);
    if (id == kItemHarmonicComputation)
        return v >= 7 ? v + 1 : v;
    if (is_voltage_input(id))
        return write_voltage_input(v);
    if (is_current_input(id))
        return v == 2 ? 4 : v + 1;
    const int input = range_input_of(id);
    if (input >= 0)
        return image_int(cfg, input) == 1 ? v + 2 : v;
    switch (id) {
    case kItemGrouping:
        switch (pc) {
        case 6: return v + 2;
        case 5: return v == 4 ? 6 : v + 1;
        case 4: return v >= 4 ? v + 2 : v;
        case 3: return v == 2 ? 6 : v;
        default: return v;
        }
    case kItemWiring:
        if (pc == 3) {
            const uint8_t group2 = group2_of(cfg);
            const int32_t grouping = image_int(cfg, kItemGrouping);
            if (group2 == 0 && grouping == 1)
                return v == 3 ? 4 : v;
            if (group2 == 1 && grouping == 0) {
                if (v == 0)
                    return 3;
                return v == 3 ? 4 : v;
            }
        }
        return v;
    case kItemRatio:
        if (!efficiency_numbered(cfg, link))
            return v;
        if (v == 1 || v == 2)
            return v + 2;
        return v >= 3 ? 4 : v;
    case 122: {
        if (v == 0)
            return 0;
        const int32_t w = v + 5;
        return w >= 7 ? w + 3 : w;
    }
    case 216:
        return write_offset_three(v);
    default:
        return v;
    }
}

// ---- The rules of each class --------------------------------------------------

const transfer_rules& base_rules()
{
    static const transfer_rules rules = [] {
        transfer_rules r;
        r.base_class = true;
        r.read_remap = pass;
        r.write_remap = pass;
        return r;
    }();
    return rules;
}

transfer_rules family_rules(remap_fn read, remap_fn write)
{
    transfer_rules r;
    r.follow_up = frequency_follow_up::when_nonzero;
    r.read_remap = read;
    r.write_remap = write;
    return r;
}

const transfer_rules& rules_15xx()
{
    static const transfer_rules rules = [] {
        transfer_rules r = family_rules(read_15xx, write_15xx);
        r.follow_up = frequency_follow_up::when_one;
        return r;
    }();
    return rules;
}

const transfer_rules& rules_25xx()
{
    static const transfer_rules rules = [] {
        transfer_rules r = family_rules(read_25xx, write_25xx);
        r.shifted_bounds = harmonic_number;
        return r;
    }();
    return rules;
}

const transfer_rules& rules_35xx()
{
    static const transfer_rules rules = [] {
        transfer_rules r = family_rules(read_35xx, write_35xx);
        r.keep_value_on_failed_int = true;
        return r;
    }();
    return rules;
}

const transfer_rules& rules_45xx()
{
    static const transfer_rules rules = family_rules(read_45xx, write_45xx);
    return rules;
}

const transfer_rules& rules_55xx()
{
    static const transfer_rules rules = [] {
        transfer_rules r = family_rules(read_55xx, write_55xx);
        r.unbounded_int_read = true;
        r.t_short_item = true;
        return r;
    }();
    return rules;
}

} // namespace

// ---- instrument_config --------------------------------------------------------

item_write_result instrument_config::set_value_text_and_send(int id, const char* text,
                                                             link_record* link, bool link_open)
{
    if (text == nullptr)
        return result_of(item_write_status::not_sent);
    set_value_text(id, text);
    return write_item(id, link, link_open);
}

item_write_result instrument_config::set_value_double_and_send(int id, const double* value,
                                                               link_record* link, bool link_open)
{
    if (value == nullptr)
        return result_of(item_write_status::not_sent);
    set_value_double(id, *value);
    return write_item(id, link, link_open);
}

item_write_result instrument_config::set_value_int_and_send(int id, const int* value,
                                                            link_record* link, bool link_open)
{
    if (value == nullptr)
        return result_of(item_write_status::not_sent);
    set_value_int(id, *value);
    return write_item(id, link, link_open);
}

item_write_result instrument_config::set_value_record_and_send(int id,
                                                               const config_item_value* record,
                                                               link_record* link, bool link_open)
{
    if (record == nullptr)
        return result_of(item_write_status::not_sent);
    set_value_record(id, *record);
    return write_item(id, link, link_open);
}

item_write_result instrument_config::write_item(int id, link_record* link, bool link_open)
{
    return write_item_with(*this, base_rules(), id, link, link_open);
}

void instrument_config::read_item(int id, link_record* link, bool link_open, config_item* target)
{
    read_item_with(*this, base_rules(), id, link, link_open, target);
}

// ---- Families -------------------------------------------------------------------

item_write_result wqt_cfg_15xx::set_value_text_and_send(int id, const char* text,
                                                        link_record* link, bool link_open)
{
    return instrument_config::set_value_text_and_send(id, text, link, link_open);
}

item_write_result wqt_cfg_15xx::set_value_double_and_send(int id, const double* value,
                                                          link_record* link, bool link_open)
{
    return instrument_config::set_value_double_and_send(id, value, link, link_open);
}

item_write_result wqt_cfg_15xx::set_value_int_and_send(int id, const int* value,
                                                       link_record* link, bool link_open)
{
    return instrument_config::set_value_int_and_send(id, value, link, link_open);
}

item_write_result wqt_cfg_15xx::set_value_record_and_send(int id, const config_item_value* record,
                                                          link_record* link, bool link_open)
{
    return instrument_config::set_value_record_and_send(id, record, link, link_open);
}

item_write_result wqt_cfg_15xx::write_item(int id, link_record* link, bool link_open)
{
    return write_item_with(*this, rules_15xx(), id, link, link_open);
}

void wqt_cfg_15xx::read_item(int id, link_record* link, bool link_open, config_item* target)
{
    read_item_with(*this, rules_15xx(), id, link, link_open, target);
}

item_write_result wqt_cfg_25xx::write_item(int id, link_record* link, bool link_open)
{
    return write_item_with(*this, rules_25xx(), id, link, link_open);
}

void wqt_cfg_25xx::read_item(int id, link_record* link, bool link_open, config_item* target)
{
    read_item_with(*this, rules_25xx(), id, link, link_open, target);
}

item_write_result wqt_cfg_35xx::write_item(int id, link_record* link, bool link_open)
{
    return write_item_with(*this, rules_35xx(), id, link, link_open);
}

void wqt_cfg_35xx::read_item(int id, link_record* link, bool link_open, config_item* target)
{
    // On a 3-phase instrument the wiring's numbering depends on the grouping.
    // A whole read takes the wiring (82) before the grouping (23), so under
    // the grouping held before; the number the instrument sent is kept, and
    // once the grouping is read the wiring is taken from it again under the
    // grouping read. Under the shifted numbering two numbers share one
    // position, so the position alone cannot say which wire it was.
    const bool into_image = target == nullptr && link->phase_count == 3;
    int32_t wire = kNoWiringSent;
    const bool got = read_item_with(*this, rules_35xx(), id, link, link_open, target, &wire);
    if (into_image && id == kItemWiring)
        wiring_sent_ = wire; // none when the read failed
    if (!got || !into_image || id != kItemGrouping || wiring_sent_ == kNoWiringSent)
        return;
    config_item* wiring = item_at(kItemWiring);
    if (wiring != nullptr && wiring->kind == ITEM_LIST)
        store_integer(*wiring, read_wiring_35xx(wiring_sent_, group2_flag(), image_int(*this, kItemGrouping)));
    wiring_sent_ = kNoWiringSent;
}

item_write_result wqt_cfg_45xx::write_item(int id, link_record* link, bool link_open)
{
    return write_item_with(*this, rules_45xx(), id, link, link_open);
}

void wqt_cfg_45xx::read_item(int id, link_record* link, bool link_open, config_item* target)
{
    read_item_with(*this, rules_45xx(), id, link, link_open, target);
}

item_write_result wqt_cfg_55xx::write_item(int id, link_record* link, bool link_open)
{
    return write_item_with(*this, rules_55xx(), id, link, link_open);
}

void wqt_cfg_55xx::read_item(int id, link_record* link, bool link_open, config_item* target)
{
    read_item_with(*this, rules_55xx(), id, link, link_open, target);
}
