#include "link/identification.h"

#include "link/link_record.h"

#include <cstring>
#include <string>

namespace {

constexpr size_t kFieldOutMax = 127;
constexpr uint32_t kTwoGroupModelCode = 16;
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

bool low_current(uint32_t option_code)
{
    return (option_code & 2) != 0;
}

bool high_current(uint32_t option_code)
{
    return (option_code & 6) == 4;
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

char* get_idn_field(char* out, int kind, const link_record* link)
{
    if (out == nullptr || link == nullptr)
        throw std::exception();
    std::memset(out, 0, 4);
    const std::string reply(link->idn_reply, strnlen(link->idn_reply, sizeof link->idn_reply));
    if (reply.empty())
        throw NoConStrException();

    const uint32_t model_code = link->model_code;
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
        put(out, low_current(link->option_code)    ? "Low Current"
                 : high_current(link->option_code) ? "High Current"
                                                    : "Standard");
        break;
    case IDN_FIELD_INPUTS_SHORT:
        put(out, low_current(link->option_code)    ? "LC"
                 : high_current(link->option_code) ? "HC"
                                                    : "STD");
        break;
    case IDN_FIELD_PHASES: {
        if (!((model_code >= 1 && model_code <= 6) || model_code == kTwoGroupModelCode))
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
        if (!(model_code >= 1 && model_code <= 6))
            break;
        std::string model = field(reply, 1);
        if (model_code == 5 && has_f2)
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
