#include "config/identification.h"
#include "config/two_group_rules.h"

#include "config/model_profiles.h"
#include "link/link_record.h"

#include <cstring>
#include <string>

namespace {

constexpr size_t kFieldOutMax = 127;
// Suffixes of the model name that come after the phase digit.
const char kF2Suffix[] = "-F2";
const char kTolmaviSuffix[] = " Tolmavi";

// Field n (0-based) of a comma-separated text, up to the next "," or the
// end; empty when the text has fewer fields.
std::string field(const std::string& text, int n)
{
    size_t start = 0;
    for (int i = 0; i < n; ++i) {
        const size_t comma = text.find(',', start);
        if (comma == std::string::npos)
            return std::string();
        start = comma + 1;
    }
    const size_t end = text.find(',', start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// Everything after the nth ",", or the empty text.
std::string after_comma(const std::string& text, int n)
{
    size_t pos = 0;
    for (int i = 0; i < n; ++i) {
        const size_t comma = text.find(',', pos);
        if (comma == std::string::npos)
            return std::string();
        pos = comma + 1;
    }
    return text.substr(pos);
}

std::string drop_end(const std::string& text, size_t n)
{
    return text.size() >= n ? text.substr(0, text.size() - n) : std::string();
}

// The text of each current option: standard, low, high.
const char* option_text(uint32_t option_code, const char* standard, const char* low,
                        const char* high)
{
    switch (current_option_of(option_code)) {
    case current_option::low: return low;
    case current_option::high: return high;
    default: return standard;
    }
}

void put(char* out, const std::string& text)
{
    const size_t n = text.size() < kFieldOutMax ? text.size() : kFieldOutMax;
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

} // namespace

const char* NoConStrException::what() const noexcept
{
    return "No Connection String\n";
}

current_option current_option_of(uint32_t option_code)
{
    if (option_code & 2)
        return current_option::low;
    if ((option_code & 6) == 4)
        return current_option::high;
    return current_option::standard;
}

char* get_idn_field(char* out, int kind, const link_record* link)
{
    if (out == nullptr || link == nullptr)
        throw std::exception();
    std::memset(out, 0, 4);
    const std::string reply = idn_reply_text(*link);
    if (reply.empty())
        throw NoConStrException();

    const model_profile* profile = find_model_profile(link->model_code);
    const bool has_f2 = reply.find(kF2Suffix) != std::string::npos;
    switch (kind) {
    case IDN_FIELD_ADDRESS:
        if (link->interface == LINK_LAN)
            put(out, std::string(link->ip_address,
                                 strnlen(link->ip_address, sizeof link->ip_address)));
        else
            put(out, std::string(link->com_port, strnlen(link->com_port, sizeof link->com_port)));
        break;
    case IDN_FIELD_MODEL:
        put(out, field(reply, 1));
        break;
    case IDN_FIELD_SERIAL:
        put(out, field(reply, 2));
        break;
    case IDN_FIELD_VERSION:
        put(out, after_comma(reply, 3));
        break;
    case IDN_FIELD_INPUTS:
        put(out, option_text(link->option_code, "Standard", "Low Current", "High Current"));
        break;
    case IDN_FIELD_INPUTS_SHORT:
        put(out, option_text(link->option_code, "STD", "LC", "HC"));
        break;
    case IDN_FIELD_PHASES: {
        if (profile == nullptr || !profile->phase_digit_field)
            break;
        std::string model = field(reply, 1);
        if (has_f2)
            model = drop_end(model, sizeof kF2Suffix - 1);
        else if (reply.find(kTolmaviSuffix) != std::string::npos)
            model = drop_end(model, sizeof kTolmaviSuffix - 1);
        if (model.size() >= 2)
            put(out, model.substr(model.size() - 2, 1));
        break;
    }
    case IDN_FIELD_MODEL_LAST: {
        if (profile == nullptr || !profile->last_char_field)
            break;
        std::string model = field(reply, 1);
        if (profile->last_char_before_f2 && has_f2)
            model = drop_end(model, sizeof kF2Suffix - 1);
        if (!model.empty())
            put(out, model.substr(model.size() - 1));
        break;
    }
    default:
        break;
    }
    return out;
}

option_bits decode_option_bits(uint32_t word, int selector)
{
    const auto bit = [word](int n) { return static_cast<int>((word >> n) & 1u); };
    option_bits out{-1, bit(7)};
    switch (selector) {
    case 0:
        out.value = bit(0);
        break;
    case 1:
    case 2:
        out.value = bit(7);
        break;
    case 3:
        out.value = bit(5);
        break;
    case 4:
        out.value = bit(4);
        break;
    case 5:
        out.value = bit(3);
        break;
    case 6:
        out.value = (bit(1) + 2 * bit(2)) * 2;
        break;
    default:
        break;
    }
    return out;
}


void get_phase_range(const link_record& link, int wiring, int group, int grouping, int* first,
                     int* last)
{
    // A combination that names no phases reads as none rather than leaving
    // the caller's variables as they were.
    const model_profile* profile = find_model_profile(link.model_code);
    phase_span span = kNoPhases;
    if (profile != nullptr && profile->two_group()) {
        span = two_group_span(link.phase_count, wiring, group, grouping);
    } else if (link.phase_count == 3) {
        if (wiring == 7)
            span = profile != nullptr ? profile->wiring7_three_phase : phase_span{1, 3};
        else
            span = group_of_three_span(wiring);
    } else if (link.phase_count == 2) {
        switch (wiring) {
        case 0: span = {1, 1}; break;
        case 1:
        case 2:
        case 7: span = {1, 2}; break;
        case 3: span = {2, 2}; break;
        default: break;
        }
    } else {
        span = {1, 1};
    }
    *first = span.first;
    *last = span.last;
}
