#include "config/saved_slots.h"

#include "config/config_text.h"
#include "config/instrument_config.h"
#include "config/model_profiles.h"
#include "link/user_report.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <limits>
#include <memory>

namespace {

const char kLoadError[] = "Unable to load config from that slot";
const char kLoadErrorCaption[] = "Load Error";
const char kSaveError[] = "Unable to save config to that slot";
const char kSaveErrorCaption[] = "Save Error";
const char kDeleteQuestion[] = "Are you sure you want to delete the config: %s ?";
const char kDeleteCaption[] = "Delete Config?";
const char kUnknownConfigName[] = "Unknown Configuration";

std::string g_base;

void copy_name(char (&dest)[kSavedConfigNameSize], const std::string& name)
{
    const size_t length = std::min(name.size(), size_t{kSavedConfigNameSize - 1});
    std::memcpy(dest, name.data(), length);
    dest[length] = '\0';
}

// The name as it is written: one line of at most 100 characters.
std::string name_line(const char* name)
{
    const size_t length = strnlen(name, kSavedNameWrite);
    std::string line(name, length);
    return line.substr(0, line.find_first_of("\r\n"));
}

// Writes what follows the name line of a slot file.
using slot_body_writer = std::function<void(std::ostream& out)>;

bool write_slot_file(const std::string& path, const char* name, const slot_body_writer& bodies)
{
    // A text stream: every line ends in CR LF, as the files always have.
    std::ofstream out(path, std::ios::out | std::ios::trunc);
    if (!out)
        return false;
    out << name_line(name) << '\n';
    bodies(out);
    out.close();
    return !out.fail();
}

// Writes slot n beside its old file and puts it in the old one's place once
// it is whole; otherwise the old file stays and the user is told.
bool replace_slot_file(int n, const char* name, const slot_body_writer& bodies)
{
    const std::string path = saved_config_slot_file(n);
    bool saved = false;
    if (!path.empty()) {
        const std::string fresh = path + ".new";
        saved = write_slot_file(fresh, name, bodies) &&
                MoveFileExA(fresh.c_str(), path.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        if (!saved)
            DeleteFileA(fresh.c_str());
    }
    if (!saved)
        report_to_user(kSaveError, kSaveErrorCaption, MB_OK | MB_ICONEXCLAMATION);
    return saved;
}

// Copies the rest of the stream to out; false when a read or write failed.
bool copy_rest(std::istream& in, std::ostream& out)
{
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        if (!out.write(buffer, in.gcount()))
            return false;
    }
    return in.eof() && !in.bad();
}

// The slot's bodies as read, before any of them reaches an image.
struct slot_contents {
    std::string name;
    config_body first;
    config_body second;
    bool has_second = false;
};

slot_load_result read_slot(std::istream& in, bool two_groups, slot_contents& slot)
{
    if (!read_bounded_line(in, slot.name, kSavedNameRead, 0, nullptr))
        return slot_load_result::empty;
    switch (read_config_body(in, slot.first)) {
    case body_status::not_a_body:
        return slot_load_result::empty;
    case body_status::damaged:
        return slot_load_result::damaged;
    case body_status::whole:
        break;
    }
    if (!two_groups)
        return slot_load_result::loaded;
    // A slot saved for a single-group instrument has no second body.
    switch (read_config_body(in, slot.second)) {
    case body_status::not_a_body:
        return slot_load_result::loaded;
    case body_status::damaged:
        return slot_load_result::damaged;
    case body_status::whole:
        slot.has_second = true;
        break;
    }
    return slot_load_result::loaded;
}

} // namespace

saved_config_entry make_probe_entry(instrument_config& scratch)
{
    saved_config_entry entry{};
    entry.model_code = -1;
    entry.option_code = -1;
    entry.primary = &scratch;
    return entry;
}

void set_saved_config_folder(const char* folder)
{
    if (folder != nullptr && folder[0] != '\0')
        g_base = std::string(folder) + "\\config3";
}

const std::string& saved_config_base()
{
    return g_base;
}

std::string saved_config_slot_file(int n)
{
    if (g_base.empty() || n < 0 || n >= kSavedSlots)
        return std::string();
    char path[MAX_PATH + 16];
    std::snprintf(path, sizeof path, "%s_%d.cfg", g_base.c_str(), n);
    return path;
}

slot_load_result load_config_slot(saved_config_entry& entry, int n, bool check_model)
{
    const std::string path = saved_config_slot_file(n);
    std::ifstream in;
    if (!path.empty())
        in.open(path, std::ios::in | std::ios::binary);
    if (!in.is_open())
        return slot_load_result::no_file;

    const bool two_groups = is_two_group_model(static_cast<uint32_t>(entry.model_code));
    auto slot = std::make_unique<slot_contents>();
    const slot_load_result result = read_slot(in, two_groups, *slot);
    if (result == slot_load_result::empty)
        return result;
    if (result == slot_load_result::damaged) {
        // The slot keeps its name, so it is never taken for a free one.
        copy_name(entry.name, slot->name);
        if (check_model)
            report_to_user(kLoadError, kLoadErrorCaption, MB_OK | MB_ICONEXCLAMATION);
        return result;
    }
    // One question for the slot, whether it holds one body or two.
    if (check_model && !body_target_accepted(slot->first.model_code, slot->first.option_code,
                                             entry.model_code, entry.option_code))
        return slot_load_result::declined;
    if (entry.primary != nullptr)
        apply_config_body(*entry.primary, slot->first);
    if (slot->has_second && entry.secondary != nullptr)
        apply_config_body(*entry.secondary, slot->second);
    copy_name(entry.name, slot->name);
    return slot_load_result::loaded;
}

bool save_config_slot(const saved_config_entry& entry, int n)
{
    if (entry.primary == nullptr) {
        report_to_user(kSaveError, kSaveErrorCaption, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return replace_slot_file(n, entry.name, [&entry](std::ostream& out) {
        int model = entry.model_code;
        int option = entry.option_code;
        entry.primary->save_to_stream(out, &model, &option);
        if (is_two_group_model(static_cast<uint32_t>(entry.model_code)) &&
            entry.secondary != nullptr)
            entry.secondary->save_to_stream(out, &model, &option);
    });
}

bool save_config_body_slot(const char* name, const config_body& body, int n)
{
    return replace_slot_file(n, name,
                             [&body](std::ostream& out) { write_config_body(out, body); });
}

bool export_saved_config(int n, const char* path)
{
    const std::string slot_path = saved_config_slot_file(n);
    std::ifstream in;
    if (!slot_path.empty())
        in.open(slot_path, std::ios::in | std::ios::binary);
    if (!in.is_open())
        return false;
    // The name line goes no further than the slot.
    in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    if (!in || in.eof())
        return false;
    std::ofstream out(path, std::ios::out | std::ios::binary | std::ios::trunc);
    if (!out.is_open() || !copy_rest(in, out))
        return false;
    out.close();
    return !out.fail();
}

std::string config_name_from_path(const std::string& path)
{
    const size_t slash = path.rfind('\\');
    if (slash == std::string::npos)
        return kUnknownConfigName;
    std::string name = path.substr(slash + 1);
    name = name.substr(0, name.rfind('.'));
    if (name.size() > kSavedNameWrite)
        name.resize(kSavedNameWrite);
    // A name line that is empty would make the slot count as free.
    return name.empty() ? std::string(kUnknownConfigName) : name;
}

std::string saved_config_name(int n)
{
    // One scratch object serves every probe; what it receives is never used.
    static wqt_cfg_55xx scratch;
    saved_config_entry probe = make_probe_entry(scratch);
    load_config_slot(probe, n, false);
    return probe.name;
}

void delete_saved_config(int n, HWND /*owner*/)
{
    const std::string name = saved_config_name(n);
    if (name.empty())
        return;
    char text[kSavedConfigNameSize + sizeof kDeleteQuestion];
    std::snprintf(text, sizeof text, kDeleteQuestion, name.c_str());
    if (report_to_user(text, kDeleteCaption, MB_YESNO | MB_ICONQUESTION) == IDYES)
        DeleteFileA(saved_config_slot_file(n).c_str());
}
