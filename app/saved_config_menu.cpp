#include "app/saved_config_menu.h"

#include "configui/pages/dispatch.h"
#include "frame/app_data_folder.h"
#include "base/file_util.h"
#include "frame/control_tables.h"
#include "config/instrument_config.h"
#include "config/legacy_config.h"
#include "config/model_profiles.h"
#include "config/saved_slots.h"
#include "configui/engine/config_pages.h"
#include "slots/instrument_slots.h"
#include "logging/logging_resource.h"
#include "logging/save_setup_dialog.h"

#include <cstdio>
#include <memory>
#include <set>
#include <string>

namespace {

constexpr INT_PTR kNameDialogOk = 1;

// The three slot popups, each one item per slot.
struct slot_popup {
    const char* title;
    const char* item_format;
    UINT first_id;
};
const slot_popup kSlotPopups[] = {
    {"Load", "Load (%s)", CMD_LOAD_SAVED_CONFIG},
    {"Save", "Save (%s)", CMD_SAVE_SAVED_CONFIG},
    {"Delete", "Delete (%s)", CMD_DELETE_SAVED_CONFIG},
};

// The plain items after the popups, at positions 3, 4 and 5.
struct plain_item {
    const char* text;
    UINT id;
};
const plain_item kPlainItems[] = {
    {"Export...", CMD_EXPORT_CONFIG},
    {"Export as .txt...", CMD_EXPORT_CONFIG_TEXT},
    {"Import...", CMD_IMPORT_CONFIG},
};

// The files of earlier versions, in the order they are converted.
struct legacy_file {
    const char* name;
    bool on_rebuild_only;
};
const legacy_file kLegacyFiles[] = {
    {"config.dat", true},
    {"config2.dat", false},
};

const char kSavedConfigTitle[] = "Saved Config";
const char kEmptySlot[] = "empty";

// The name dialog on the caller's 128-byte name buffer: 1 OK, 2 Cancel.
INT_PTR ask_config_name(HWND owner, char* name)
{
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SAVE_SETUP), owner,
                           save_setup_dlg_proc, reinterpret_cast<LPARAM>(name));
}

HMENU configure_popup_of(HWND window)
{
    HMENU bar = window != nullptr ? GetMenu(window) : nullptr;
    return bar != nullptr ? GetSubMenu(bar, 0) : nullptr;
}

// The current instrument's configuration, entered for its slot operations:
// its codes, its group-1 configuration and, for the two-group model, its
// group-2 configuration.
saved_config_entry current_instrument_entry()
{
    const instrument_slot& slot = get_current_instrument();
    saved_config_entry entry{};
    entry.model_code = static_cast<int32_t>(slot.model_code);
    entry.option_code = static_cast<int32_t>(slot.option_code);
    entry.primary = get_current_config_ptr(0);
    if (is_two_group_model(slot.model_code))
        entry.secondary = get_current_config_ptr(1);
    return entry;
}

// A file as it stands: its path, size and last write. A file of an earlier
// version that is left in place (its questions closed without an answer,
// or a slot that could not be written) is asked about once in a run of the
// program, not again at every change of state; it is offered again at the
// next start, or when it changes.
std::string legacy_file_identity(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return path;
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "|%lu|%lu|%lu|%lu", data.nFileSizeHigh, data.nFileSizeLow,
                  data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
    return path + stamp;
}

bool first_offer_in_this_run(const std::string& path)
{
    static std::set<std::string> offered;
    return offered.insert(legacy_file_identity(path)).second;
}

// Converts the saved-configuration files of earlier versions in the folder
// into slots: "config.dat" (only on a rebuild), then "config2.dat", so that
// where both hold a slot, the second file's record ends in it. Each record
// is written to its slot as the user accepts it.
void convert_legacy_config_files(const char* folder, bool rebuild)
{
    const legacy_slot_store store = [](int slot, const saved_config_entry& entry) {
        return save_config_slot(entry, slot);
    };
    for (const legacy_file& file : kLegacyFiles) {
        if (file.on_rebuild_only && !rebuild)
            continue;
        const std::string path = std::string(folder) + "\\" + file.name;
        if (path_exists(path.c_str()) && first_offer_in_this_run(path))
            convert_legacy_config_file(path.c_str(), store);
    }
}

} // namespace

void fill_saved_config_popup(HMENU popup)
{
    std::string names[kSavedSlots];
    for (int n = 0; n < kSavedSlots; ++n) {
        names[n] = saved_config_name(n);
        if (names[n].empty())
            names[n] = kEmptySlot;
    }
    for (const slot_popup& row : kSlotPopups) {
        HMENU items = CreatePopupMenu();
        for (int n = 0; n < kSavedSlots; ++n) {
            char text[kSavedConfigNameSize + 16];
            std::snprintf(text, sizeof text, row.item_format, names[n].c_str());
            AppendMenuA(items, MF_STRING, row.first_id + n, text);
        }
        AppendMenuA(popup, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(items), row.title);
    }
    UINT position = sizeof kSlotPopups / sizeof kSlotPopups[0];
    for (const plain_item& row : kPlainItems)
        InsertMenuA(popup, position++, MF_BYPOSITION | MF_STRING, row.id, row.text);
}

void rebuild_saved_config_menu(HWND window, bool rebuild, bool enable)
{
    const char* folder = get_app_data_folder();
    set_saved_config_folder(folder);
    if (folder[0] != '\0')
        convert_legacy_config_files(folder, rebuild);
    HMENU configure = configure_popup_of(window);
    if (configure != nullptr && GetSubMenu(configure, kSavedConfigMenuPosition) != nullptr) {
        if (rebuild) {
            // Deleting the popup destroys it with its sub-popups.
            DeleteMenu(configure, kSavedConfigMenuPosition, MF_BYPOSITION);
            HMENU saved = CreatePopupMenu();
            fill_saved_config_popup(saved);
            InsertMenuA(configure, kSavedConfigMenuPosition, MF_BYPOSITION | MF_POPUP | MF_STRING,
                        reinterpret_cast<UINT_PTR>(saved), kSavedConfigTitle);
        }
        EnableMenuItem(configure, kSavedConfigMenuPosition,
                       MF_BYPOSITION | (enable ? MF_ENABLED : MF_GRAYED));
    }
    if (window != nullptr)
        DrawMenuBar(window);
}

void load_saved_config_command(int n)
{
    saved_config_entry entry = current_instrument_entry();
    load_config_slot(entry, n, true);
    show_config_page(get_config_window());
    // The instrument gets the configuration whatever the load did, as the
    // image may differ from the instrument either way.
    if (const std::shared_ptr<instrument_config> cfg = get_current_config())
        cfg->write_all_items(&get_current_instrument(), true);
}

void save_config_to_slot_command(HWND owner, int n)
{
    // The slot's present name is offered in the dialog.
    char name[kSaveNameBufferSize] = "";
    const std::string present = saved_config_name(n);
    std::snprintf(name, sizeof name, "%s", present.c_str());
    if (ask_config_name(owner, name) != kNameDialogOk)
        return;
    name[sizeof name - 1] = '\0';
    saved_config_entry entry = current_instrument_entry();
    std::snprintf(entry.name, sizeof entry.name, "%s", name);
    save_config_slot(entry, n);
    rebuild_saved_config_menu(owner, true, true);
}

void delete_saved_config_command(HWND owner, int n)
{
    delete_saved_config(n, owner);
    rebuild_saved_config_menu(owner, true, true);
}
