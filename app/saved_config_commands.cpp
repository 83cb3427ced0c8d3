#include "app/saved_config_commands.h"

#include "configui/pages/dispatch.h"
#include "frame/app_globals.h"
#include "base/file_dialog.h"
#include "base/file_util.h"
#include "base/message_box.h"
#include "frame/control_tables.h"
#include "app/saved_config_menu.h"
#include "app/slot_list_dialogs.h"
#include "app/summary_export.h"
#include "config/config_text.h"
#include "config/legacy_config.h"
#include "config/saved_slots.h"
#include "configui/engine/config_pages.h"
#include "slots/instrument_slots.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

namespace {

const char kImportError[] = "Unable to import config from that file";
const char kImportErrorCaption[] = "Import Error";

const file_dialog_form kImportFile = {
    "Config Files *.cfg\0*.cfg\0All Files *.*\0*.*\0",
    "cfg",
    nullptr,
    OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY,
};

const file_dialog_form kSummaryFile = {
    "Text File *.txt\0*.txt\0",
    "txt",
    nullptr,
    OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY,
};

void report_import_failure()
{
    show_message_box(main_window, kImportError, kImportErrorCaption, MB_OK | MB_ICONEXCLAMATION);
}

// Writes the chosen slot; true once it is written.
using slot_writer = std::function<bool(int slot)>;

bool store_in_free_slot(HWND owner, const slot_writer& write)
{
    int target = -1;
    for (int n = 0; n < kSavedSlots && target < 0; ++n) {
        if (saved_config_name(n).empty())
            target = n;
    }
    if (target < 0)
        target = ask_slot_to_replace(owner);
    if (target < 0 || target >= kSavedSlots)
        return false;
    const bool stored = write(target);
    rebuild_saved_config_menu(owner, true, true);
    return stored;
}

// The one record of a file of size bytes, when that is the size of a record.
bool is_single_record_size(uint64_t size)
{
    return size == kLegacyRecordSize || size == kLegacyRecordSize3812 ||
           size == kLegacyRecordSize2058;
}

bool import_legacy_record(const char* path, size_t size, saved_config_entry& entry)
{
    auto record = std::make_unique<legacy_config_record>();
    if (!read_legacy_record(path, size, 0, *record)) {
        report_import_failure();
        return false;
    }
    if (!convert_legacy_config_dialog(entry, *record, true))
        return false;
    return save_config_to_free_slot(main_window, entry);
}

bool import_text_body(const char* path, const char* name)
{
    std::ifstream in(path, std::ios::in | std::ios::binary);
    auto body = std::make_unique<config_body>();
    if (!in.is_open() || read_config_body(in, *body) != body_status::whole) {
        report_import_failure();
        return false;
    }
    // The file names no instrument the slot can be checked against.
    body->model_code = -1;
    body->option_code = -1;
    return store_in_free_slot(main_window,
                              [&](int n) { return save_config_body_slot(name, *body, n); });
}

} // namespace

bool save_config_to_free_slot(HWND owner, const saved_config_entry& entry)
{
    return store_in_free_slot(owner, [&entry](int n) { return save_config_slot(entry, n); });
}

bool import_legacy_config_file(const char* path)
{
    saved_config_entry entry{};
    std::snprintf(entry.name, sizeof entry.name, "%s", config_name_from_path(path).c_str());
    uint64_t size = 0;
    if (!file_size_of(path, size)) {
        report_import_failure();
        return false;
    }
    if (is_single_record_size(size))
        return import_legacy_record(path, static_cast<size_t>(size), entry);
    return import_text_body(path, entry.name);
}

void export_config_command(HWND owner)
{
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_EXPORT_CONFIG), owner,
                    export_config_dlg_proc, 0);
}

void import_config_command(HWND owner)
{
    char path[MAX_PATH] = "";
    if (!ask_file_name(owner, kImportFile, path, sizeof path, false))
        return;
    import_legacy_config_file(path);
    show_config_page(get_config_window());
}

void export_summary_command(HWND owner)
{
    char path[MAX_PATH] = "";
    if (!ask_file_name(owner, kSummaryFile, path, sizeof path, true))
        return;
    if (!write_instrument_summary_file(path, get_current_instrument_index()))
        report_export_failure(owner);
}
