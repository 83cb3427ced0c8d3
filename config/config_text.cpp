#include "config/config_text.h"

#include "config/identification.h"
#include "config/instrument_config.h"
#include "config/model_profiles.h"
#include "link/user_report.h"

#include <windows.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <ostream>

namespace {

// No line of a body comes near this: numbers and value words of at most 19
// characters (an older file's undefined items a few more).
constexpr size_t kMaxBodyLine = 64;

// The value field of an item the family does not define starts with the
// integer -99.
const char kUnsetMarker[] = "\x9D\xFF\xFF\xFF";
constexpr size_t kUnsetMarkerLength = 4;

const char kMismatchCaption[] = "Target Mismatch";
const char kMismatchText[] =
    "The selected configuration file is for a %s %s, and you are importing to a %s %s.\n\n"
    "Loading a config from the wrong instrument may cause some settings to be wrong\n"
    "Continue anyway?";

bool is_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string trimmed(const std::string& line)
{
    size_t begin = 0;
    size_t end = line.size();
    while (begin < end && is_blank(line[begin]))
        ++begin;
    while (end > begin && is_blank(line[end - 1]))
        --end;
    return line.substr(begin, end - begin);
}

// A whole decimal integer (optionally signed) that fits an int.
bool parse_int_line(const std::string& line, int& out)
{
    const std::string text = trimmed(line);
    if (text.empty())
        return false;
    size_t digits_from = text[0] == '-' || text[0] == '+' ? 1 : 0;
    if (digits_from == text.size())
        return false;
    for (size_t i = digits_from; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
    }
    errno = 0;
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (errno == ERANGE || value < INT_MIN || value > INT_MAX)
        return false;
    out = static_cast<int>(value);
    return true;
}

// A wire id: a whole number 0..255 without a sign.
bool parse_wire_id(const std::string& line, uint8_t& out)
{
    const std::string text = trimmed(line);
    if (text.empty() || text.size() > 3)
        return false;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    if (value > kMaxWireId)
        return false;
    out = static_cast<uint8_t>(value);
    return true;
}

bool read_body_line(std::istream& in, std::string& line)
{
    bool over_long = false;
    return read_bounded_line(in, line, kMaxBodyLine, kMaxBodyLine + 1, &over_long) && !over_long;
}

// The value line of a record. A line of blanks (the writer's single blank)
// is the empty text, whatever kind of item it is for.
bool parse_value_line(const std::string& line, body_record& record)
{
    const std::string text = trimmed(line);
    if (text.compare(0, kUnsetMarkerLength, kUnsetMarker) == 0) {
        // Written for an item that family does not define: the rest of the
        // line is whatever followed in its value field.
        record.has_value = false;
        return true;
    }
    if (text.size() > kItemTextMax)
        return false;
    record.has_value = true;
    std::memcpy(record.value, text.c_str(), text.size() + 1);
    return true;
}

body_status read_records(std::istream& in, config_body& body)
{
    std::string line;
    for (body_record& record : body.records) {
        record = body_record{};
        if (!read_body_line(in, line) || !parse_wire_id(line, record.wire_id))
            return body_status::damaged;
        if (record.wire_id == 0)
            continue;
        if (!read_body_line(in, line) || !parse_value_line(line, record))
            return body_status::damaged;
    }
    return body_status::whole;
}

// The value line of a text: the empty text is written as a single blank, a
// control character (a line break would shift every line after it) as a
// blank.
std::string text_value_line(const char* text)
{
    const size_t length = strnlen(text, kItemTextMax);
    return length == 0 ? std::string(" ") : text_without_controls(std::string(text, length));
}

// The value line an item is written with.
std::string value_line(const config_item& item)
{
    if (item.kind == ITEM_LIST)
        return std::to_string(item.value.integer);
    return text_value_line(item.value.text);
}

void write_header(std::ostream& out, int model_code, int option_code)
{
    out << kBodyVersion << std::endl;
    out << model_code << std::endl;
    out << option_code << std::endl;
}

void write_record(std::ostream& out, int wire_id, const std::string& value)
{
    out << wire_id << '\n';
    if (wire_id != 0)
        out << value << '\n';
}

} // namespace

bool read_bounded_line(std::istream& in, std::string& out, size_t keep, size_t limit,
                       bool* over_long)
{
    out.clear();
    bool dropped = false;
    std::streambuf* buffer = in.rdbuf();
    if (buffer == nullptr || !in.good()) {
        in.setstate(std::ios::failbit);
        if (over_long != nullptr)
            *over_long = false;
        return false;
    }
    size_t length = 0;
    const auto take = [&](char c) {
        ++length;
        if (out.size() < keep)
            out.push_back(c);
        else
            dropped = true;
    };
    bool any = false;
    bool pending_cr = false; // a CR is line end only right before the LF
    for (;;) {
        const int c = buffer->sbumpc();
        if (c == std::char_traits<char>::eof()) {
            in.setstate(any ? std::ios::eofbit : std::ios::eofbit | std::ios::failbit);
            break;
        }
        any = true;
        if (c == '\n')
            break;
        if (pending_cr)
            take('\r');
        pending_cr = c == '\r';
        if (!pending_cr)
            take(static_cast<char>(c));
        if (limit != 0 && length >= limit)
            break;
    }
    if (over_long != nullptr)
        *over_long = dropped;
    return any;
}

const char* option_code_word(int option_code)
{
    switch (current_option_of(static_cast<uint32_t>(option_code))) {
    case current_option::low: return "Low Current";
    case current_option::high: return "High Current";
    default: return "Standard Current";
    }
}

bool body_model_suits(int file_model, int target_model)
{
    if (file_model == -1)
        return true;
    return same_config_family(static_cast<uint32_t>(file_model), static_cast<uint32_t>(target_model));
}

bool body_option_suits(int file_option, int target_option)
{
    return file_option == -1 || file_option == target_option;
}

std::string target_mismatch_text(int file_model, int file_option, int target_model,
                                 int target_option)
{
    char text[512];
    std::snprintf(text, sizeof text, kMismatchText, model_word(file_model),
                  option_code_word(file_option), model_word(target_model),
                  option_code_word(target_option));
    return text;
}

bool body_target_accepted(int file_model, int file_option, int target_model, int target_option)
{
    if (body_model_suits(file_model, target_model) && body_option_suits(file_option, target_option))
        return true;
    const std::string text =
        target_mismatch_text(file_model, file_option, target_model, target_option);
    return report_to_user(text.c_str(), kMismatchCaption, MB_OKCANCEL | MB_ICONEXCLAMATION) ==
           IDOK;
}

body_status read_config_body(std::istream& in, config_body& body)
{
    std::string line;
    int version = 0;
    if (!read_body_line(in, line) || !parse_int_line(line, version) || version != kBodyVersion)
        return body_status::not_a_body;
    if (!read_body_line(in, line) || !parse_int_line(line, body.model_code))
        return body_status::damaged;
    if (!read_body_line(in, line) || !parse_int_line(line, body.option_code))
        return body_status::damaged;
    return read_records(in, body);
}

void write_config_body(std::ostream& out, const config_body& body)
{
    write_header(out, body.model_code, body.option_code);
    for (int k = 0; k < kBodyRecords && out; ++k) {
        const body_record& record = body.records[k];
        write_record(out, record.wire_id,
                     record.has_value ? text_value_line(record.value) : std::string(kUnsetMarker));
    }
    out.flush();
}

int body_record_item_id(int position)
{
    return position < kItemsPerTable ? position : kTableBFirstId + position - kItemsPerTable;
}

void apply_config_body(instrument_config& cfg, const config_body& body)
{
    for (int k = 0; k < kBodyRecords; ++k) {
        const body_record& record = body.records[k];
        if (record.wire_id == 0 || !record.has_value)
            continue;
        const int id = body_record_item_id(k);
        cfg.set_value_text(id, record.value);
        cfg.item_at(id)->wire_id = record.wire_id;
    }
}

body_load_result load_config_body(instrument_config& cfg, std::istream& in, int target_model,
                                  int target_option, bool quiet)
{
    auto body = std::make_unique<config_body>();
    switch (read_config_body(in, *body)) {
    case body_status::not_a_body:
        return body_load_result::not_a_body;
    case body_status::damaged:
        return body_load_result::damaged;
    case body_status::whole:
        break;
    }
    if (!quiet &&
        !body_target_accepted(body->model_code, body->option_code, target_model, target_option))
        return body_load_result::declined;
    apply_config_body(cfg, *body);
    return body_load_result::loaded;
}

// ---- The members of the configuration class ---------------------------------

void instrument_config::save_to_stream(std::ostream& out, const int* model_code,
                                       const int* option_code)
{
    write_header(out, model_code != nullptr ? *model_code : -1,
                 option_code != nullptr ? *option_code : -1);
    for (int k = 0; k < kBodyRecords && out; ++k) {
        const config_item& item = *item_at(body_record_item_id(k));
        write_record(out, item.wire_id, item.wire_id != 0 ? value_line(item) : std::string());
    }
    out.flush();
}

bool instrument_config::load_from_stream(std::istream& in, HWND /*owner*/, const int* target_model,
                                         const int* target_option, bool quiet)
{
    // The question goes through the installed reporter, which gives it the
    // program's main window as owner.
    const body_load_result result =
        load_config_body(*this, in, target_model != nullptr ? *target_model : -1,
                         target_option != nullptr ? *target_option : -1, quiet);
    return result == body_load_result::loaded || result == body_load_result::damaged;
}
