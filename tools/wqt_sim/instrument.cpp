#include "tools/wqt_sim/instrument.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <iterator>

namespace wqt_sim {

namespace {

std::string to_upper(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string trim(const std::string& s)
{
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return "";
    size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

bool starts_with(const std::string& s, const std::string& prefix)
{
    return s.compare(0, prefix.size(), prefix) == 0;
}

constexpr size_t kMaxLine = 4096;

} // namespace

instrument::instrument()
{
    set_identity("TROSVALDEN", "WQT5530", "A00001", "V2.15");
    version_reply_ = "V2.15,0";
}

void instrument::set_identity(const std::string& maker, const std::string& model,
                              const std::string& serial, const std::string& version)
{
    std::lock_guard<std::mutex> lock(mutex_);
    idn_ = maker + "," + model + "," + serial + "," + version;
}

void instrument::set_idn_reply(const std::string& text)
{
    std::lock_guard<std::mutex> lock(mutex_);
    idn_ = text;
}

std::string instrument::idn_reply() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return idn_;
}

void instrument::set_version_reply(const std::string& text)
{
    std::lock_guard<std::mutex> lock(mutex_);
    version_reply_ = text;
}

void instrument::set_line_end(const std::string& eol)
{
    std::lock_guard<std::mutex> lock(mutex_);
    eol_ = eol;
}

void instrument::set_converter(const std::string& serial, const std::string& version)
{
    set_identity("TROSVALDEN", "LOMX-RS232", serial, version);
    set_calibration_replies("CAL 2023-04-17 OFFSET 0.0012 GAIN 1.0003", "CALVER 3");
    set_version_reply(version);
}

void instrument::set_calibration_replies(const std::string& calstr, const std::string& calver)
{
    std::lock_guard<std::mutex> lock(mutex_);
    calstr_reply_ = calstr;
    calver_reply_ = calver;
}

void instrument::set_item(int id, const std::string& value, int group)
{
    std::lock_guard<std::mutex> lock(mutex_);
    items_[group ? 1 : 0][id] = value;
}

std::string instrument::item(int id, int group) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto& items = items_[group ? 1 : 0];
    auto it = items.find(id);
    return it == items.end() ? "0" : it->second;
}

bool instrument::has_item(int id, int group) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return items_[group ? 1 : 0].count(id) != 0;
}

int instrument::group() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return group_;
}

bool instrument::suspended() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return suspended_;
}

void instrument::add_rule(const rule& r)
{
    std::lock_guard<std::mutex> lock(mutex_);
    rule copy = r;
    copy.prefix = to_upper(r.prefix);
    rules_.push_back(copy);
}

void instrument::clear_rules()
{
    std::lock_guard<std::mutex> lock(mutex_);
    rules_.clear();
}

std::string instrument::received() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return received_;
}

std::vector<std::string> instrument::commands() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return commands_;
}

void instrument::clear_received()
{
    std::lock_guard<std::mutex> lock(mutex_);
    received_.clear();
    commands_.clear();
}

std::vector<instrument::output> instrument::feed(const char* data, size_t length)
{
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<output> out;
    received_.append(data, length);
    for (size_t i = 0; i < length; ++i) {
        char c = data[i];
        if (c == '\x14') {
            // Device clear: whatever was half received is forgotten.
            pending_.clear();
        } else if (c == '\0' || c == '\r') {
            // LAN commands end with a NUL after the line end.
        } else if (c == '\n') {
            std::string line = trim(pending_);
            pending_.clear();
            if (!line.empty()) {
                for (auto& o : handle_line(line))
                    out.push_back(o);
            }
        } else if (pending_.size() < kMaxLine) {
            pending_ += c;
            // The converter's "^[" has no line end: it is a command of its
            // own, and what follows it starts the next one.
            if (pending_ == "^[") {
                pending_.clear();
                for (auto& o : handle_line("^["))
                    out.push_back(o);
            }
        }
    }
    return out;
}

void instrument::push_unsolicited(const std::string& bytes)
{
    std::lock_guard<std::mutex> lock(mutex_);
    unsolicited_ += bytes;
}

std::string instrument::take_unsolicited()
{
    std::lock_guard<std::mutex> lock(mutex_);
    std::string out;
    out.swap(unsolicited_);
    return out;
}

bool instrument::has_unsolicited() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return !unsolicited_.empty();
}

bool instrument::take_rule(const std::string& upper, rule& out)
{
    for (auto it = rules_.begin(); it != rules_.end(); ++it) {
        if (!starts_with(upper, it->prefix))
            continue;
        out = *it;
        if (it->times > 0 && --it->times == 0)
            rules_.erase(it);
        return true;
    }
    return false;
}

std::vector<instrument::output> instrument::handle_line(const std::string& line)
{
    commands_.push_back(line);
    std::string upper = to_upper(line);
    rule r;
    output o;
    if (take_rule(upper, r)) {
        switch (r.what) {
        case action::silence:
            respond(upper, line);
            return {};
        case action::late:
            o.bytes = respond(upper, line);
            if (o.bytes.empty())
                return {};
            o.bytes += eol_;
            o.delay_ms = r.delay_ms;
            return {o};
        case action::reply:
            o.bytes = r.text + eol_;
            o.delay_ms = r.delay_ms;
            return {o};
        case action::raw:
            o.bytes = r.text;
            o.delay_ms = r.delay_ms;
            return {o};
        case action::refuse:
            esr_ |= ESR_CME;
            return {};
        case action::drop:
            o.drop = true;
            o.delay_ms = r.delay_ms;
            return {o};
        }
    }
    o.bytes = respond(upper, line);
    if (o.bytes.empty())
        return {};
    o.bytes += eol_;
    return {o};
}

// Carries out one command and returns its reply ("" when it has none).
std::string instrument::respond(const std::string& upper, const std::string& line)
{
    auto& items = items_[group_ == 2 ? 1 : 0];
    if (upper == "*IDN?")
        return idn_;
    if (upper == "VERSION?")
        return version_reply_;
    if (upper == "CALSTR?" && !calstr_reply_.empty())
        return calstr_reply_;
    if (upper == "CALVER?" && !calver_reply_.empty())
        return calver_reply_;
    if (upper == "^[")
        return "";
    if (upper == "*ESR?") {
        int status = esr_;
        esr_ = 0;
        return std::to_string(status);
    }
    if (upper == "GROUP?")
        return std::to_string(group_);
    if (upper == "GROUP,1" || upper == "GROUP,2") {
        group_ = upper.back() - '0';
        return "";
    }
    if (upper == "SUSPEN,ON" || upper == "SUSPEN,OFF") {
        suspended_ = upper == "SUSPEN,ON";
        return "";
    }
    if (upper == "STOP" || upper == "TAGREP,OFF" || upper == "USBLOCK,ON" ||
        upper == "USBLOCK,OFF" || upper == "KEYBOA,ENABLE" || upper == "PROGRA,RECALL,0" ||
        upper == "PROG,RECALL,0")
        return "";
    if (starts_with(upper, "CONFIG,")) {
        // "config,<id>?" reads an item; "config,<id>,<value>" writes one.
        std::string rest = line.substr(7);
        char* end = nullptr;
        long id = strtol(rest.c_str(), &end, 10);
        if (end != rest.c_str() && id >= 0 && id <= 255) {
            std::string after(end);
            if (after == "?") {
                auto it = items.find(static_cast<int>(id));
                return it == items.end() ? "0" : it->second;
            }
            if (!after.empty() && after[0] == ',') {
                items[static_cast<int>(id)] = after.substr(1);
                return "";
            }
        }
        esr_ |= ESR_EXE;
        return "";
    }
    esr_ |= ESR_CME;
    return "";
}

namespace {

// The configuration families of the analysers, a bit each.
enum : unsigned { kWqt15 = 1, kWqt25 = 2, kWqt35 = 4, kWqt45 = 8, kWqt55 = 16, kEveryFamily = 31 };

// The family of a model by the digits after "WQT" in its name: the first
// row whose digits begin them ("55" before "5").
struct model_family {
    const char* digits;
    unsigned family;
};
constexpr model_family kModelFamilies[] = {
    {"15", kWqt15}, {"25", kWqt25}, {"26", kWqt25}, {"35", kWqt35},
    {"45", kWqt45}, {"55", kWqt55}, {"5", kWqt15},
};
static_assert(std::size(kModelFamilies) == 7, "seven analyser models");

// Settings the analyser holds from the factory, in its own numbering: the
// value of the items listed (a 0 ends the list), in the families given and
// with the phase count given (0: any).
struct factory_setting {
    const char* value;
    unsigned families;
    int phases;
    int ids[6];
};
constexpr unsigned kNot25 = kEveryFamily & ~kWqt25;
constexpr factory_setting kFactorySettings[] = {
    // "Internal" voltage and current inputs (the WQT25 family numbers its
    // internal current input 0) and the lowest minimum ranges (numbered from
    // 1 by the WQT45 family).
    {"1", kEveryFamily, 0, {24, 176, 200}},
    {"1", kNot25, 0, {25, 177, 201}},
    {"1", kWqt45, 0, {26, 27, 178, 179, 202, 203}},
    // Window, interval and minimum frequency; scale factors, attenuators and
    // shunts of each phase; bandwidths; frequency; scale factor rpm/V.
    {"1", kEveryFamily, 0, {12, 59, 69}},
    {"1", kEveryFamily, 0, {32, 33, 34, 35}},
    {"1", kEveryFamily, 0, {184, 185, 186, 187}},
    {"1", kEveryFamily, 0, {208, 209, 210, 211}},
    {"1000", kEveryFamily, 0, {37, 189, 213}},
    {"50", kEveryFamily, 0, {48}},
    {"1000", kEveryFamily, 0, {87}},
    // The AC line frequency.
    {"50", kWqt15, 0, {130}},
    // The 2nd harmonic and the series up to the 50th, numbered two higher by
    // the WQT25 family.
    {"2", kNot25, 0, {100}},
    {"50", kNot25, 0, {101}},
    {"4", kWqt25, 0, {100}},
    {"52", kWqt25, 0, {101}},
    // The two-group model's first grouping, numbered by its phase count, and
    // its first logging location.
    {"1", kWqt35, 5, {23}},
    {"2", kWqt35, 6, {23}},
    {"1", kWqt35, 0, {234}},
};

// The model name of an identification reply (its second field) after "WQT";
// empty for any other.
std::string model_digits(const std::string& idn)
{
    const size_t first = idn.find(',');
    if (first == std::string::npos)
        return "";
    const std::string model = idn.substr(first + 1, idn.find(',', first + 1) - first - 1);
    return starts_with(model, "WQT") ? model.substr(3) : "";
}

unsigned family_of(const std::string& digits)
{
    for (const model_family& row : kModelFamilies)
        if (!digits.empty() && starts_with(digits, row.digits))
            return row.family;
    return 0;
}

// The phase digit of the model name: the third after "WQT".
int phases_of(const std::string& digits)
{
    return digits.size() > 2 && isdigit(static_cast<unsigned char>(digits[2])) ? digits[2] - '0'
                                                                               : 0;
}

} // namespace

void load_factory_settings(instrument& inst)
{
    const std::string digits = model_digits(inst.idn_reply());
    const unsigned family = family_of(digits);
    const int phases = phases_of(digits);
    for (const factory_setting& setting : kFactorySettings) {
        if ((setting.families & family) == 0 || (setting.phases != 0 && setting.phases != phases))
            continue;
        for (int id : setting.ids) {
            if (id == 0)
                break;
            for (int group = 0; group < 2; ++group)
                inst.set_item(id, setting.value, group);
        }
    }
}

} // namespace wqt_sim
