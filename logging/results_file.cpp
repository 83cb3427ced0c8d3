#include "logging/results_file.h"

#include "base/file_dialog.h"
#include "base/file_util.h"
#include "base/message_box.h"
#include "base/window_util.h"
#include "frame/main_ids.h"
#include "frame/version.h"
#include "slots/instrument_slots.h"
#include "logging/logging_state.h"
#include "logging/results_store.h"

#include <algorithm>
#include <cstring>
#include <limits>

char results_file_path[MAX_PATH] = "";

namespace {

constexpr const char* kReloadQuestion =
    "The last Multilog results were not saved.\n\nWould you like to reload the last Multilog session";
constexpr const char* kSaveQuestion = "Would you like to save your Multilog results";

constexpr file_dialog_form kSaveResultsForm = {
    "Multilog Results (*.dat)\0*.dat\0All Files (*.*)\0*.*\0", "dat", "Save Multilog Results",
    OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST};

// The logging run appends to the file while the GUI reads it, and the file
// is deleted while a reader may hold it: share everything.
HANDLE open_results_file(DWORD access)
{
    return CreateFileA(results_file_path, access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool read_at(HANDLE file, int64_t offset, void* out, DWORD size)
{
    LARGE_INTEGER position;
    position.QuadPart = offset;
    DWORD got = 0;
    return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) && ReadFile(file, out, size, &got, nullptr) &&
           got == size;
}

// The open file and the one record last read, for read_results_record.
struct record_reader {
    HANDLE file = INVALID_HANDLE_VALUE;
    int64_t cached_record = -1;
    uint8_t cache[kResultsRecordSize];

    void close()
    {
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        file = INVALID_HANDLE_VALUE;
        cached_record = -1;
    }

    bool load(int64_t record)
    {
        constexpr int64_t kLastRecord =
            (std::numeric_limits<int64_t>::max() - kResultsHeaderSize) / kResultsRecordSize;
        if (record > kLastRecord)
            return false;
        if (file == INVALID_HANDLE_VALUE)
            file = open_results_file(GENERIC_READ);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        cached_record = -1;
        if (!read_at(file, kResultsHeaderSize + record * int64_t{kResultsRecordSize}, cache, kResultsRecordSize))
            return false;
        cached_record = record;
        return true;
    }
};

record_reader g_reader;

// The whole header of an unsaved run, or false for a missing file, a short
// header, a wrong magic or a saved run.
bool read_unsaved_header(results_file_header& header)
{
    file_handle file(open_results_file(GENERIC_READ));
    return file.valid() && read_at(file.get(), 0, &header, sizeof header) && header.magic == kResultsFileMagic &&
           header.saved == 0;
}

void restore_selection(const results_file_selection& saved, multilog_setup& setup)
{
    setup.selected_count = std::clamp<int32_t>(saved.count, 0, kMaxSelectedItems);
    std::memcpy(setup.selected, saved.entries, sizeof setup.selected);
    // The instruments still hold the list of whatever ran last.
    setup.needs_programming = 1;
}

int64_t count_records()
{
    file_handle file(open_results_file(GENERIC_READ));
    LARGE_INTEGER size{};
    if (!file.valid() || !GetFileSizeEx(file.get(), &size) || size.QuadPart < kResultsHeaderSize)
        return 0;
    return (size.QuadPart - kResultsHeaderSize) / kResultsRecordSize;
}

void reload_run(HWND owner, const results_file_header& header)
{
    for (int n = 0; n < kResultsFileInstruments; ++n)
        restore_selection(header.instruments[n], *get_instrument_selection(n));
    result_record_count = count_records();
    results_present = true;
    EnableMenuItem(GetMenu(owner), IDM_OPEN_CSV_FILE, MF_BYCOMMAND | MF_GRAYED);
}

bool mark_run_saved()
{
    file_handle file(open_results_file(GENERIC_READ | GENERIC_WRITE));
    const uint32_t saved = 1;
    LARGE_INTEGER position;
    position.QuadPart = offsetof(results_file_header, saved);
    return file.valid() && SetFilePointerEx(file.get(), position, nullptr, FILE_BEGIN) &&
           write_whole(file.get(), &saved, sizeof saved);
}

void save_results_copy(HWND owner)
{
    char path[MAX_PATH] = "";
    if (!ask_file_name(owner, kSaveResultsForm, path, sizeof path, true))
        return;
    if (!CopyFileA(results_file_path, path, FALSE) || !mark_run_saved()) {
        char text[MAX_PATH + 64];
        wsprintfA(text, "Unable to save the Multilog results to %s", path);
        show_message_box(owner, text, kProductName, MB_OK | MB_ICONWARNING);
    }
}

} // namespace

int read_results_record(int32_t record, int32_t record_high, void* out)
{
    const int64_t number = static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(record_high)) << 32) |
                                                static_cast<uint32_t>(record));
    if (number < 0) {
        g_reader.close();
        return 0;
    }
    if (!out)
        return -1;
    if (number != g_reader.cached_record && !g_reader.load(number))
        return -1;
    std::memcpy(out, g_reader.cache, kResultsRecordSize);
    return 0;
}

void offer_reload_last_multilog(HWND owner)
{
    results_file_header header;
    if (!read_unsaved_header(header))
        return;
    if (show_message_box(owner, kReloadQuestion, kProductName, MB_YESNO | MB_ICONQUESTION) == IDYES)
        reload_run(owner, header);
    else
        clear_stored_results();
}

void clear_stored_results()
{
    const wait_cursor busy;
    read_results_record(-1, -1, nullptr);
    DeleteFileA(results_file_path);
    free_result_pointer_list();
}

void offer_save_multilog_results(HWND owner, bool ask)
{
    bool save = results_present;
    if (save && ask)
        save = show_message_box(owner, kSaveQuestion, kProductName, MB_YESNO | MB_ICONQUESTION) == IDYES;
    results_present = false;
    if (save)
        save_results_copy(owner);
}
