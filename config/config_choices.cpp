#include "config/config_choices.h"
#include "config/two_group_rules.h"

#include "config/identification.h"
#include "config/instrument_config.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>

namespace {

// The ranges as ladders: a list is ten consecutive rungs.
const char* const kVoltageLadder[] = {"100mV", "300mV", "1V",   "3V",  "10V",
                                      "30V",   "100V",  "300V", "1kV", "3kV"};
const char* const kInputLadder[] = {"[1mV]",   "[3mV]",   "[10mV]", "[30mV]",
                                    "[100mV]", "[300mV]", "[1V]",   "[3V]"};
const char* const kCurrentLadder[] = {"1mA", "3mA", "10mA", "30mA", "100mA", "300mA", "1A",
                                      "3A",  "10A", "30A",  "100A", "300A",  "1kA"};
constexpr size_t kCurrentRungs = 10;
// Where each current option's list starts on the ladder.
constexpr size_t kLowCurrentFrom = 0;
constexpr size_t kStandardCurrentFrom = 2;
constexpr size_t kHighCurrentFrom = 3;
static_assert(sizeof kCurrentLadder / sizeof kCurrentLadder[0] == kHighCurrentFrom + kCurrentRungs,
              "the high-current list ends at the top of the ladder");

template <size_t N>
option_list whole(const char* const (&texts)[N])
{
    return option_list(texts, texts + N);
}

const char kDisabled[] = "Disabled";
const char* const kGroupRatios[] = {"Group 2 / Group 1", "Group 1 / Group 2"};
const char* const kNextPhaseRatios[] = {"Next Phase / Phase", "Phase / Next Phase"};
const char* const kMechanicalRatios[] = {"Mechanical / Sum", "Sum / Mechanical"};

void append(option_list& list, const char* const (&texts)[2])
{
    list.insert(list.end(), texts, texts + 2);
}

// Option texts made at run time live as long as the program, like the
// constant ones beside them in the lists.
const char* lasting_text(const std::string& text)
{
    static std::mutex mutex;
    static std::set<std::string> texts;
    std::lock_guard<std::mutex> lock(mutex);
    return texts.insert(text).first->c_str();
}

const char* formatted_option(const char* format, int a, int b = 0)
{
    char text[64];
    std::snprintf(text, sizeof text, format, a, b);
    return lasting_text(text);
}

// A value that an int holds once truncated toward zero.
bool fits_int(double value)
{
    return value > -2147483649.0 && value < 2147483648.0;
}

std::string formatted(const char* format, const char* label, const std::string& a = {},
                      const std::string& b = {})
{
    char text[512];
    std::snprintf(text, sizeof text, format, label, a.c_str(), b.c_str());
    return text;
}

// A limit as the entry check's box writes it: "%f", but a limit below
// 0.000001 in size, other than 0, which "%f" shows as 0.000000 or 0.000001,
// as the communications log's range line writes it ("%g": "1e-09").
std::string limit_text(double limit)
{
    constexpr double kSmallestFixed = 0.000001;
    const bool too_small = limit != 0.0 && std::fabs(limit) < kSmallestFixed;
    char text[512];
    std::snprintf(text, sizeof text, too_small ? "%g" : "%f", limit);
    return text;
}

std::string record_text(const config_item_value& record)
{
    if (record.is_list)
        return std::to_string(record.value.integer);
    return std::string(record.value.text, strnlen(record.value.text, kItemTextMax));
}

const char kInvalidNumber[] = "You have entered an invalid number for %s, the value has been reverted";
const char kBetween[] = "%s must be set between %s and %s, the value has been reverted";
const char kOrBelow[] = "%s must be set to %s or below, the value has been reverted";
const char kOrAbove[] = "%s must be set to %s or above, the value has been reverted";
const char kInvalid[] = "The value you entered for %s is invalid, the value has been reverted";
const char kRunTimeWanted[] = "%s must be set as hours and minutes joined by a colon (for example "
                              "12:30), each between 0 and 255, the value has been reverted";

// The message for a value outside the item's bounds.
std::string range_message(double v, double minimum, double maximum, const char* label)
{
    const bool has_min = minimum != kNoBound;
    const bool has_max = maximum != kNoBound;
    if (has_min && has_max && (v > maximum || v < minimum))
        return formatted(kBetween, label, limit_text(minimum), limit_text(maximum));
    if (has_max && v > maximum)
        return formatted(kOrBelow, label, limit_text(maximum));
    if (has_min && v < minimum)
        return formatted(kOrAbove, label, limit_text(minimum));
    return formatted(kInvalid, label);
}

const char* const kTargetNames[] = {"WQT&1", "WQT&2", "WQT&3", "WQT&4", "Control Both"};

} // namespace

range_item_pair range_items_for_selector(int selector)
{
    switch (selector) {
    case 1: return {kVoltageRangeItems[1], kCurrentRangeItems[1]};
    case 2: return {kVoltageRangeItems[2], kCurrentRangeItems[2]};
    default: return {kVoltageRangeItems[0], kCurrentRangeItems[0]};
    }
}

option_list voltage_range_choices(bool external_input)
{
    return external_input ? whole(kInputLadder) : whole(kVoltageLadder);
}

option_list current_range_choices(bool external_input, uint32_t option_code)
{
    if (external_input)
        return whole(kInputLadder);
    size_t from = kStandardCurrentFrom;
    switch (current_option_of(option_code)) {
    case current_option::low: from = kLowCurrentFrom; break;
    case current_option::high: from = kHighCurrentFrom; break;
    case current_option::standard: break;
    }
    return option_list(kCurrentLadder + from, kCurrentLadder + from + kCurrentRungs);
}

ratio_rule choose_ratio_rule(const ratio_inputs& in)
{
    if (in.wiring == 0 ||
        is_wqt35xx_combination_valid_a(in.wiring, in.phases, in.grouping, in.group) ||
        is_wqt35xx_combination_valid_b(in.wiring, in.phases, in.grouping, in.group))
        return ratio_rule::groups;
    if (in.model3)
        return ratio_rule::next_phase;
    if (check_wiring_rule_group1(in.wiring, in.phases, in.grouping, in.group) ||
        check_wiring_rule_group2(in.wiring, in.phases, in.grouping, in.group))
        return ratio_rule::phase_pairs;
    if (in.model6)
        return ratio_rule::phase_and_sum;
    return ratio_rule::disabled_only;
}

option_list ratio_choices(const ratio_inputs& in)
{
    const ratio_rule rule = choose_ratio_rule(in);
    option_list list{kDisabled};
    switch (rule) {
    case ratio_rule::groups:
        append(list, kGroupRatios);
        break;
    case ratio_rule::next_phase:
        append(list, kNextPhaseRatios);
        append(list, kGroupRatios);
        append(list, kMechanicalRatios);
        break;
    case ratio_rule::phase_pairs:
    case ratio_rule::phase_and_sum: {
        // The second group pairs phases 4 and 5 (and 6 with the sum); the
        // first starts at the wiring's first phase.
        const bool second_group = in.group == 1;
        const int a = second_group ? 4 : in.first_phase;
        const int b = second_group ? 5 : in.first_phase + 1;
        list.push_back(formatted_option("Phase %d / Phase %d", a, b));
        list.push_back(formatted_option("Phase %d / Phase %d", b, a));
        append(list, kGroupRatios);
        append(list, kMechanicalRatios);
        if (rule == ratio_rule::phase_and_sum) {
            const int c = second_group ? 6 : in.first_phase + 2;
            list.push_back(formatted_option("Phase %d / Sum", c));
            list.push_back(formatted_option("Sum / Phase %d", c));
        }
        break;
    }
    case ratio_rule::disabled_only:
        break;
    }
    return list;
}


bool exceeds_limit_for_phase_count(int value, int phases)
{
    switch (phases) {
    case 2: return value > 16;
    case 3: return value > 12;
    case 4: return value > 8;
    case 5: return value > 4;
    default: return value > 20;
    }
}

std::string format_scientific_text(double value, int decimals)
{
    if (decimals < 0)
        decimals = 0;
    if (decimals > 20)
        decimals = 20;
    char text[96];
    if (value == 0.0 || !std::isfinite(value)) {
        std::snprintf(text, sizeof text, "%.*f", decimals, value == 0.0 ? 0.0 : value);
        return text;
    }
    // The power of ten of |v|, in extended precision so that neither tiny
    // nor huge values under- or overflow on the way.
    const long double v = value;
    int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    long double mantissa = v / std::pow(10.0L, exponent);
    if (std::fabs(mantissa) >= 10.0L) {
        ++exponent;
        mantissa /= 10.0L;
    } else if (std::fabs(mantissa) < 1.0L) {
        --exponent;
        mantissa *= 10.0L;
    }
    std::snprintf(text, sizeof text, "%.*Lf", decimals, mantissa);
    // Rounding may carry into a second digit: 9.99999 is 1.0000E1.
    if (std::fabs(std::strtold(text, nullptr)) >= 10.0L) {
        ++exponent;
        std::snprintf(text, sizeof text, "%.*Lf", decimals, mantissa / 10.0L);
    }
    const size_t length = strnlen(text, sizeof text);
    std::snprintf(text + length, sizeof text - length, "E%d", exponent);
    return text;
}

entry_check check_config_entry(double value, bool ok, const config_item_value& record,
                               const char* label)
{
    if (label == nullptr)
        label = "";
    // Neither formatted nor turned into an int: a value no item can hold.
    if (!ok || !std::isfinite(value) || (record.is_list && !fits_int(value)))
        return {entry_verdict::invalid_number, formatted(kInvalidNumber, label), std::string()};
    const double minimum = record.minimum;
    const double maximum = record.maximum;
    const bool above_min = minimum == kNoBound || minimum <= value;
    const bool below_max = maximum == kNoBound || value <= maximum;
    if (!(above_min && below_max))
        return {entry_verdict::out_of_range, range_message(value, minimum, maximum, label),
                record_text(record)};
    if (record.is_list)
        return {entry_verdict::store, std::to_string(static_cast<int>(value)), std::string()};
    return {entry_verdict::store, format_scientific_text(value, 4), std::string()};
}

const char kIncorrectValueTitle[] = "Incorrect Value";

std::string run_time_entry_message(const char* label)
{
    return formatted(kRunTimeWanted, label != nullptr ? label : "");
}

bool ranging_pair_skip(int phases, int wiring, int item22)
{
    return phases >= 3 && wiring == 6 && item22 == 0;
}

int next_ranging_phase(int phase, int first, int last, bool pair_skip)
{
    if (first == last)
        return first;
    int next = phase + 1;
    if (pair_skip && (phase == 1 || phase == 2))
        next = 3;
    else if (pair_skip && (phase == 4 || phase == 5))
        next = 6;
    return next > last || next < first ? first : next;
}

int next_ranging_phase_wqt25xx(int phase, int first, int last, bool pair_skip)
{
    if (first == last || phase == last)
        return 1;
    if (pair_skip)
        return phase == 1 || phase == 2 ? 3 : 1;
    return phase == 1 ? 2 : 3;
}

std::string control_target_caption(int target)
{
    if (target < 0 || target >= static_cast<int>(sizeof kTargetNames / sizeof kTargetNames[0]))
        return std::string();
    return std::string("CONTROL: ") + kTargetNames[target];
}
