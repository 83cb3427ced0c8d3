#include "logging/results_file.h"

#include "link/instrument_slots.h"
#include "logging/logging_state.h"
#include "logging/results_store.h"
#include "tests/support/msgbox_recorder.h"
#include "tests/support/test_window.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr UINT kOpenCsvFile = 32791;
constexpr const char* kReloadQuestion =
    "The last Multilog results were not saved.\n\nWould you like to reload the last Multilog session";

std::string temp_path(const char* name)
{
    char folder[MAX_PATH] = "";
    GetTempPathA(sizeof folder, folder);
    return std::string(folder) + name + "_" + std::to_string(GetCurrentProcessId()) + ".dat";
}

bool exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A header of an unsaved run: instrument n logs n + 1 entries, entry e with
// code 100 n + e and phase code e % 11 + 1.
results_file_header unsaved_header()
{
    results_file_header header{};
    header.magic = kResultsFileMagic;
    for (int n = 0; n < kResultsFileInstruments; ++n) {
        header.instruments[n].count = n + 1;
        for (int e = 0; e < kMaxSelectedItems; ++e)
            header.instruments[n].entries[e] = {100 * n + e, e % 11 + 1};
    }
    return header;
}

// A record whose every byte tells its number.
std::vector<uint8_t> record_pattern(int64_t record)
{
    std::vector<uint8_t> bytes(kResultsRecordSize);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(record * 7 + i);
    return bytes;
}

void write_at(HANDLE file, int64_t offset, const void* data, DWORD size)
{
    LARGE_INTEGER position;
    position.QuadPart = offset;
    DWORD written = 0;
    ASSERT_TRUE(SetFilePointerEx(file, position, nullptr, FILE_BEGIN));
    ASSERT_TRUE(WriteFile(file, data, size, &written, nullptr));
    ASSERT_EQ(written, size);
}

int64_t record_offset(int64_t record)
{
    return kResultsHeaderSize + record * int64_t{kResultsRecordSize};
}

LRESULT CALLBACK owner_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    return DefWindowProcA(window, message, wparam, lparam);
}

class ResultsFileTest : public testing::Test {
public:
    void SetUp() override
    {
        msgbox::reset();
        path_ = temp_path("kestrova_results");
        lstrcpyA(results_file_path, path_.c_str());
        DeleteFileA(path_.c_str());
        results_present = false;
        result_record_count = -1;
        for (int n = 0; n < kInstrumentSlots; ++n)
            *get_instrument_selection(n) = multilog_setup{};
        owner_ = make_test_window("KestrovaResultsOwner", owner_proc);
        HMENU menu = CreateMenu();
        AppendMenuA(menu, MF_STRING, kOpenCsvFile, "Open CSV File ...");
        SetMenu(owner_, menu);
    }
    void TearDown() override
    {
        read_results_record(-1, -1, nullptr);
        DeleteFileA(path_.c_str());
        DestroyWindow(owner_);
    }

    // Writes the header and then the given records, each with its pattern;
    // extra bytes follow the last record.
    void write_results(const void* header, DWORD header_size, int records, DWORD extra = 0)
    {
        HANDLE file = CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        write_at(file, 0, header, header_size);
        for (int r = 0; r < records; ++r)
            write_at(file, record_offset(r), record_pattern(r).data(), kResultsRecordSize);
        if (extra) {
            std::vector<uint8_t> tail(extra, 0xEE);
            write_at(file, record_offset(records), tail.data(), extra);
        }
        CloseHandle(file);
    }

protected:
    bool open_csv_greyed() const
    {
        return (GetMenuState(GetMenu(owner_), kOpenCsvFile, MF_BYCOMMAND) & MF_GRAYED) != 0;
    }

    std::string path_;
    HWND owner_ = nullptr;
};

} // namespace

TEST_F(ResultsFileTest, NoQuestionWithoutAnUnsavedRun)
{
    struct row {
        const char* name;
        std::function<void(ResultsFileTest&)> make;
    };
    const row rows[] = {
        {"missing", [](ResultsFileTest&) {}},
        {"short header",
         [](ResultsFileTest& t) {
             const results_file_header header = unsaved_header();
             t.write_results(&header, kResultsHeaderSize - 1, 0);
         }},
        {"bad magic",
         [](ResultsFileTest& t) {
             results_file_header header = unsaved_header();
             header.magic ^= 1;
             t.write_results(&header, sizeof header, 2);
         }},
        {"saved",
         [](ResultsFileTest& t) {
             results_file_header header = unsaved_header();
             header.saved = 1;
             t.write_results(&header, sizeof header, 2);
         }},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        DeleteFileA(path_.c_str());
        r.make(*this);
        const bool existed = exists(path_);
        offer_reload_last_multilog(owner_);
        EXPECT_TRUE(msgbox::shown().empty());
        EXPECT_EQ(exists(path_), existed);
        EXPECT_FALSE(results_present);
        EXPECT_FALSE(open_csv_greyed());
        EXPECT_EQ(get_instrument_selection(0)->selected_count, 0);
    }
}

TEST_F(ResultsFileTest, NoDeletesTheUnsavedRun)
{
    const results_file_header header = unsaved_header();
    write_results(&header, sizeof header, 3);
    msgbox::answer_next(IDNO);
    offer_reload_last_multilog(owner_);

    const auto boxes = msgbox::shown();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kReloadQuestion);
    EXPECT_EQ(boxes[0].caption, "Kestrova");
    EXPECT_EQ(boxes[0].type & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    EXPECT_FALSE(exists(path_));
    EXPECT_FALSE(results_present);
    EXPECT_EQ(result_record_count, -1);
    EXPECT_EQ(get_instrument_selection(2)->selected_count, 0);
    EXPECT_FALSE(open_csv_greyed());
}

TEST_F(ResultsFileTest, YesRestoresSelectionsAndCountsWholeRecords)
{
    results_file_header header = unsaved_header();
    header.instruments[3].count = 75; // more than a selection holds
    write_results(&header, sizeof header, 3, kResultsRecordSize / 2);
    msgbox::answer_next(IDYES);
    offer_reload_last_multilog(owner_);

    EXPECT_EQ(msgbox::shown().size(), 1u);
    EXPECT_TRUE(exists(path_));
    EXPECT_TRUE(results_present);
    EXPECT_EQ(result_record_count, 3);
    EXPECT_TRUE(open_csv_greyed());
    const int expected_counts[] = {1, 2, 3, kMaxSelectedItems};
    for (int n = 0; n < kResultsFileInstruments; ++n) {
        SCOPED_TRACE("instrument " + std::to_string(n + 1));
        const multilog_setup& setup = *get_instrument_selection(n);
        EXPECT_EQ(setup.selected_count, expected_counts[n]);
        EXPECT_EQ(setup.needs_programming, 1);
        for (int e = 0; e < kMaxSelectedItems; ++e) {
            EXPECT_EQ(setup.selected[e].code, 100 * n + e);
            EXPECT_EQ(setup.selected[e].phase_code, e % 11 + 1);
        }
    }
}

TEST_F(ResultsFileTest, RecordsAreReadByNumber)
{
    const results_file_header header = unsaved_header();
    write_results(&header, sizeof header, 5);
    std::vector<uint8_t> out(kResultsRecordSize);
    for (int record : {3, 0, 4, 4, 1}) {
        SCOPED_TRACE("record " + std::to_string(record));
        ASSERT_EQ(read_results_record(record, 0, out.data()), 0);
        EXPECT_EQ(out, record_pattern(record));
    }
    EXPECT_EQ(read_results_record(5, 0, out.data()), -1);
    // A high word selects records far beyond the file, never a low one.
    EXPECT_EQ(read_results_record(1, 1, out.data()), -1);
    EXPECT_EQ(read_results_record(2, 0, nullptr), -1);
}

TEST_F(ResultsFileTest, MinusOneClosesTheFile)
{
    const results_file_header header = unsaved_header();
    write_results(&header, sizeof header, 2);
    std::vector<uint8_t> out(kResultsRecordSize);
    ASSERT_EQ(read_results_record(1, 0, out.data()), 0);
    EXPECT_EQ(read_results_record(-1, -1, nullptr), 0);
    // Closed: a new file in its place is read afresh, the old record forgotten.
    DeleteFileA(path_.c_str());
    write_results(&header, sizeof header, 1);
    EXPECT_EQ(read_results_record(1, 0, out.data()), -1);
    ASSERT_EQ(read_results_record(0, 0, out.data()), 0);
    EXPECT_EQ(out, record_pattern(0));
}

TEST_F(ResultsFileTest, RecordBeyondFourGibibytesReadsItsOwnOffset)
{
    // 3,008 + 2,200,000 x 1,964 lies past 2^32: in 32 bits it would wrap to
    // about 25.8 MB into the file. The file is sparse; only the header and
    // the one record take space.
    const int32_t far_record = 2200000;
    ASSERT_GT(record_offset(far_record), int64_t{1} << 32);
    const results_file_header header = unsaved_header();
    write_results(&header, sizeof header, 0);
    HANDLE file = CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    write_at(file, record_offset(far_record), record_pattern(far_record).data(), kResultsRecordSize);
    CloseHandle(file);

    std::vector<uint8_t> out(kResultsRecordSize);
    ASSERT_EQ(read_results_record(far_record, 0, out.data()), 0);
    EXPECT_EQ(out, record_pattern(far_record));
    EXPECT_EQ(read_results_record(far_record + 1, 0, out.data()), -1);
}

TEST_F(ResultsFileTest, ClearClosesAndDeletes)
{
    const results_file_header header = unsaved_header();
    write_results(&header, sizeof header, 2);
    std::vector<uint8_t> out(kResultsRecordSize);
    ASSERT_EQ(read_results_record(0, 0, out.data()), 0);
    result_record_count = 2;
    clear_stored_results();
    EXPECT_FALSE(exists(path_));
    EXPECT_EQ(result_record_count, -1);
    EXPECT_EQ(read_results_record(0, 0, out.data()), -1);
}

namespace {

std::string g_chosen_path;
int g_chooser_calls = 0;

bool choose_test_path(HWND, char* path, int size)
{
    ++g_chooser_calls;
    if (g_chosen_path.empty())
        return false;
    lstrcpynA(path, g_chosen_path.c_str(), size);
    return true;
}

uint32_t saved_flag(const std::string& path)
{
    results_file_header header{};
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD got = 0;
    ReadFile(file, &header, sizeof header, &got, nullptr);
    CloseHandle(file);
    return header.saved;
}

} // namespace

TEST_F(ResultsFileTest, SaveOffersOnlyPresentResults)
{
    struct row {
        const char* name;
        bool present;
        bool ask;
        int answer; // 0: no question expected
        bool pick_file;
        bool copied;
    };
    const row rows[] = {
        {"asked, yes", true, true, IDYES, true, true},
        {"asked, no", true, true, IDNO, true, false},
        {"not asked", true, false, 0, true, true},
        {"nothing present", false, true, 0, true, false},
        {"file dialog cancelled", true, true, IDYES, false, false},
    };
    const std::string copy = temp_path("kestrova_saved_copy");
    set_results_path_chooser(choose_test_path);
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        msgbox::reset();
        DeleteFileA(copy.c_str());
        const results_file_header header = unsaved_header();
        write_results(&header, sizeof header, 2);
        results_present = r.present;
        g_chosen_path = r.pick_file ? copy : "";
        g_chooser_calls = 0;
        if (r.answer)
            msgbox::answer_next(r.answer);

        offer_save_multilog_results(owner_, r.ask);

        const auto boxes = msgbox::shown();
        if (r.answer) {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].text, "Would you like to save your Multilog results");
            EXPECT_EQ(boxes[0].caption, "Kestrova");
            EXPECT_EQ(boxes[0].type & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
        } else {
            EXPECT_TRUE(boxes.empty());
        }
        EXPECT_FALSE(results_present);
        EXPECT_EQ(exists(copy), r.copied);
        EXPECT_EQ(saved_flag(path_), r.copied ? 1u : 0u);
        EXPECT_EQ(g_chooser_calls > 0, r.present && r.answer != IDNO);
    }
    set_results_path_chooser(nullptr);
    DeleteFileA(copy.c_str());
}

TEST_F(ResultsFileTest, SaveToAnUnwritableFileSaysSo)
{
    const results_file_header header = unsaved_header();
    write_results(&header, sizeof header, 1);
    results_present = true;
    g_chosen_path = temp_path("no_such_folder\\results");
    set_results_path_chooser(choose_test_path);
    offer_save_multilog_results(owner_, false);
    set_results_path_chooser(nullptr);

    const auto boxes = msgbox::shown();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Unable to save the Multilog results to " + g_chosen_path);
    // Not saved: the next start still offers the run.
    EXPECT_EQ(saved_flag(path_), 0u);
}
