#include "config/default_configs.h"

#include "config/instrument_config.h"
#include "config/identification.h"
#include "config/model_profiles.h"
#include "link/item_exchange.h"
#include "link/link_record.h"
#include "link/transport.h"
#include "link/wire_commands.h"

#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

namespace {

// How a setting's value is found.
enum class value_rule : uint8_t {
    integer,         // value
    text,            // text
    offered_or_zero, // value when the item offers that choice, else 0
    by_model,        // value for the 45xx and 55xx families, else other
};

// When a setting applies: item 172 picks between two starts of block VIII.
enum class condition : uint8_t { always, item172_zero, item172_nonzero };

struct default_setting {
    int16_t item;
    value_rule rule;
    int32_t value;
    int32_t other;
    const char* text;
    condition when;
};

constexpr default_setting set(int item, int value, condition when = condition::always)
{
    return {static_cast<int16_t>(item), value_rule::integer, value, 0, nullptr, when};
}
constexpr default_setting set_text(int item, const char* text,
                                   condition when = condition::always)
{
    return {static_cast<int16_t>(item), value_rule::text, 0, 0, text, when};
}
constexpr default_setting offered(int item, int value)
{
    return {static_cast<int16_t>(item), value_rule::offered_or_zero, value, 0, nullptr,
            condition::always};
}
constexpr default_setting by_model(int item, int model_45_55, int other)
{
    return {static_cast<int16_t>(item), value_rule::by_model, model_45_55, other, nullptr,
            condition::always};
}

// Blocks I to VIII, each in the order its items go out.
constexpr default_setting kBlock1[] = {set(7, 2),           set(15, 1), set(31, 1),
                                       set_text(69, "0.500"), set(73, 1), offered(93, 5)};
constexpr default_setting kBlock2[] = {set(14, 1), offered(93, 1)};
constexpr default_setting kBlock3[] = {
    set(1, 0),   set(28, 2), set(29, 2),  set(26, 6),  by_model(27, 8, 7),
    set_text(106, "5.0000E-3"), set_text(107, "2.000E1"), set(110, 2), set(111, 1), set(122, 1),
    set(128, 2)};
constexpr default_setting kBlock4[] = {set(29, 1), set(38, 1), set(111, 1)};
constexpr default_setting kBlock5[] = {set(114, 1)};
constexpr default_setting kBlock6[] = {set(1, 5),  set_text(12, "5.0000E-2"), set(13, 5),
                                       set(14, 2), set_text(68, "2.0000E1"),  set(99, 7),
                                       set(100, 20), set(101, 7500)};
constexpr default_setting kBlock7[] = {set(1, 6), set(110, 2), set(113, 1), set(116, 1)};
constexpr default_setting kBlock8[] = {
    set(1, 7, condition::item172_zero), set_text(12, "2.0000E-1", condition::item172_zero),
    set(1, 8, condition::item172_nonzero), set(26, 6), set(27, 6), set(28, 2), set(29, 2),
    set(31, 1), set(82, 0)};
// The AC answer's items, then what the DC answer adds.
constexpr default_setting kAcSettings[] = {set(13, 1), set(15, 1)};
constexpr default_setting kDcSettings[] = {set(13, 1), set(15, 1), set(30, 2), set(31, 1)};

static_assert(sizeof kBlock1 / sizeof kBlock1[0] == 6, "block I");
static_assert(sizeof kBlock3 / sizeof kBlock3[0] == 11, "block III");
static_assert(sizeof kBlock6 / sizeof kBlock6[0] == 8, "block VI");
static_assert(sizeof kBlock8 / sizeof kBlock8[0] == 9, "block VIII");

struct setting_span {
    const default_setting* first;
    size_t count;
};

template <size_t N>
constexpr setting_span span_of(const default_setting (&rows)[N])
{
    return {rows, N};
}

setting_span block_settings(default_action block)
{
    switch (block) {
    case default_action::block_1: return span_of(kBlock1);
    case default_action::block_2: return span_of(kBlock2);
    case default_action::block_3: return span_of(kBlock3);
    case default_action::block_4: return span_of(kBlock4);
    case default_action::block_5: return span_of(kBlock5);
    case default_action::block_6: return span_of(kBlock6);
    case default_action::block_7: return span_of(kBlock7);
    case default_action::block_8: return span_of(kBlock8);
    default: return {nullptr, 0};
    }
}

bool has_family(uint32_t model_code, config_family family)
{
    const model_profile* profile = find_model_profile(model_code);
    return profile != nullptr && profile->family == family;
}

bool is_15xx(uint32_t model_code)
{
    return has_family(model_code, config_family::wqt15xx);
}

int current_int(instrument_config& cfg, int id)
{
    int value = 0;
    return cfg.get_value_int(id, value);
}

bool applies(instrument_config& cfg, condition when)
{
    switch (when) {
    case condition::item172_zero: return current_int(cfg, kItemDefaultSelector) == 0;
    case condition::item172_nonzero: return current_int(cfg, kItemDefaultSelector) != 0;
    default: return true;
    }
}

int setting_value(instrument_config& cfg, const default_setting& s, uint32_t model_code)
{
    switch (s.rule) {
    case value_rule::offered_or_zero: {
        std::string text;
        return cfg.value_to_display_string(text, s.item, s.value).empty() ? 0 : s.value;
    }
    case value_rule::by_model:
        return has_family(model_code, config_family::wqt45xx) ||
                       has_family(model_code, config_family::wqt55xx)
                   ? s.value
                   : s.other;
    default:
        return s.value;
    }
}

// Sets one setting in the image and sends it. A value outside the item's
// range is not sent, and the instrument never gets it: the item is left as
// it was, and `limits` says why, with the value the setting would have put.
item_write_result send_setting(instrument_config& cfg, const default_setting& s,
                               link_record* link, bool link_open, uint32_t model_code,
                               std::string& limits)
{
    config_item& item = *cfg.item_at(s.item);
    const item_value kept = item.value;
    const uint8_t kept_changed = item.changed;
    item_write_result result;
    if (s.rule == value_rule::text) {
        result = cfg.set_value_text_and_send(s.item, s.text, link, link_open);
    } else {
        const int value = setting_value(cfg, s, model_code);
        result = cfg.set_value_int_and_send(s.item, &value, link, link_open);
    }
    if (result.status != item_write_status::out_of_range)
        return result;
    limits = out_of_limits_text(cfg, s.item, item_names_for_model(model_code));
    item.value = kept;
    item.changed = kept_changed;
    return result;
}

// Sets and sends a run of settings; every one is attempted, then the first
// that failed (refused, unanswered or out of range) is shown.
void send_settings(instrument_config& cfg, setting_span settings, link_record* link,
                   bool link_open)
{
    const uint32_t model_code = link != nullptr ? link->model_code : 0;
    bool failed = false;
    item_error_code first_failure = 0;
    std::string first_limits;
    for (size_t i = 0; i < settings.count; ++i) {
        const default_setting& s = settings.first[i];
        const config_item* item = cfg.item_at(s.item);
        // An item the family does not define has no value to set or send.
        if (item == nullptr || item->kind == ITEM_UNSET || !applies(cfg, s.when))
            continue;
        std::string limits;
        const item_write_result result = send_setting(cfg, s, link, link_open, model_code, limits);
        const bool unsent = result.status == item_write_status::failed ||
                            result.status == item_write_status::out_of_range;
        if (unsent && !failed) {
            failed = true;
            first_failure = result.error_code;
            first_limits = limits;
        }
    }
    if (!failed)
        return;
    if (!first_limits.empty())
        report_item_out_of_limits(first_limits);
    else
        report_item_write_failure(first_failure, item_names_for_model(model_code));
}

} // namespace

bool default_needs_model_digit(uint32_t model_code, int mode_value)
{
    return !is_15xx(model_code) && (mode_value < 1 || mode_value > 6);
}

default_action choose_default_action(uint32_t model_code, int mode_value, int model_digit)
{
    if (is_15xx(model_code)) {
        switch (mode_value) {
        case 1: return default_action::block_2;
        case 2: return default_action::block_3;
        case 3: return default_action::block_4;
        case 4: return default_action::ask_kind;
        default: return default_action::recall_program;
        }
    }
    switch (mode_value) {
    case 1: return default_action::block_1;
    case 2: return default_action::block_2;
    case 3: return default_action::block_3;
    case 4: return default_action::block_5;
    case 5: return default_action::block_4;
    case 6: return default_action::ask_kind;
    default: break;
    }
    if (model_digit < 0)
        return default_action::recall_program;
    const bool digit2 = model_digit == 2;
    if ((mode_value == 7 && digit2) || (mode_value == 8 && !digit2))
        return default_action::block_6;
    if (mode_value == 8)
        return default_action::block_7;
    if (mode_value == 7)
        return default_action::block_8;
    return default_action::recall_program;
}

int model_digit_of(const link_record* link)
{
    char field[128] = "";
    try {
        get_idn_field(field, IDN_FIELD_MODEL_LAST, link);
    } catch (const std::exception&) {
        return -1;
    }
    return std::atoi(field);
}

void apply_default_block(instrument_config& cfg, default_action block, link_record* link,
                         bool link_open)
{
    send_settings(cfg, block_settings(block), link, link_open);
}

void apply_default_kind(instrument_config& cfg, int answer, link_record* link, bool link_open)
{
    if (answer >= 2)
        send_settings(cfg, span_of(kDcSettings), link, link_open);
    else if (answer >= 1)
        send_settings(cfg, span_of(kAcSettings), link, link_open);
}

void recall_program_zero_on(instrument_config& cfg, link_record* link)
{
    if (link == nullptr)
        return;
    const bool was_open = link->link_open != 0;
    open_close_link(LINK_OPEN, link);
    send_command(kCmdRecallProgramZero, link);
    cfg.read_all_items(link, false);
    if (!was_open)
        open_close_link(LINK_CLOSE, link);
}
