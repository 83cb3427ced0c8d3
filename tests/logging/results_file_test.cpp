// The results record file: the reload question for an unsaved run, records
// read by number (also beyond 4 GiB), clearing, and saving a copy.
#include "logging/results_file.h"

#include "slots/instrument_slots.h"
#include "logging/logging_state.h"
#include "logging/results_store.h"
#include "tests/support/file_dialog_recorder.h"
#include "tests/support/msgbox_recorder.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kOpenCsvFile = 32791;

// An unsaved run: instrument n logs n + 1 entries, entry e with code
// 100 n + e and phase code e % 11 + 1.
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

// A record whose bytes tell its number.
std::vector<uint8_t> record_pattern(int64_t record)
{
    std::vector<uint8_t> bytes(kResultsRecordSize);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(record * 7 + i);
    return bytes;
}

int64_t record_offset(int64_t record)
{
    return kResultsHeaderSize + record * int64_t{kResultsRecordSize};
}

void write_at(HANDLE file, int64_t offset, const void* data, DWORD size)
{
    LARGE_INTEGER position;
    position.QuadPart = offset;
    DWORD written = 0;
    ASSERT_TRUE(SetFilePointerEx(file, position, nullptr, FILE_BEGIN));
    ASSERT_TRUE(WriteFile(file, data, size, &written, nullptr) && written == size);
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

class ResultsFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        msgbox::reset();
        lstrcpyA(results_file_path, path_.c_str());
        results_present = false;
        owner_ = make_test_window("KestrovaResultsOwner", DefWindowProcA);
        HMENU menu = CreateMenu();
        AppendMenuA(menu, MF_STRING, kOpenCsvFile, "Open CSV File ...");
        SetMenu(owner_, menu);
    }
    void TearDown() override
    {
        read_results_record(-1, -1, nullptr);
        DestroyWindow(owner_);
    }

    // The header's first header_size bytes, then records 0..records-1 and
    // extra bytes of a record cut short.
    void write_results(const results_file_header& header, int records, DWORD header_size = kResultsHeaderSize,
                       DWORD extra = 0)
    {
        HANDLE file = CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        write_at(file, 0, &header, header_size);
        for (int r = 0; r <= records; ++r) {
            const std::vector<uint8_t> bytes = record_pattern(r);
            if (r < records || extra)
                write_at(file, record_offset(r), bytes.data(), r < records ? kResultsRecordSize : extra);
        }
        CloseHandle(file);
    }

    bool open_csv_greyed() const
    {
        return (GetMenuState(GetMenu(owner_), kOpenCsvFile, MF_BYCOMMAND) & MF_GRAYED) != 0;
    }

    temp_folder folder_;
    std::string path_ = folder_.file("results.dat");
    HWND owner_ = nullptr;
};

} // namespace

TEST_F(ResultsFileTest, NoQuestionWithoutAnUnsavedRun)
{
    struct row {
        const char* name;
        DWORD header_size; // 0: no file
        uint32_t magic_change;
        uint32_t saved;
    };
    const row rows[] = {
        {"missing", 0, 0, 0},
        {"short header", kResultsHeaderSize - 1, 0, 0}, // and nothing after it
        {"bad magic", kResultsHeaderSize, 1, 0},
        {"saved", kResultsHeaderSize, 0, 1},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        msgbox::reset();
        DeleteFileA(path_.c_str());
        results_file_header header = unsaved_header();
        header.magic ^= r.magic_change;
        header.saved = r.saved;
        if (r.header_size)
            write_results(header, r.header_size == kResultsHeaderSize ? 2 : 0, r.header_size);
        offer_reload_last_multilog(owner_);
        EXPECT_TRUE(msgbox::shown().empty());
        EXPECT_EQ(path_exists(path_), r.header_size != 0);
        EXPECT_FALSE(results_present);
        EXPECT_FALSE(open_csv_greyed());
        EXPECT_EQ(get_instrument_selection(0)->selected_count, 0);
    }
}

TEST_F(ResultsFileTest, NoDeletesTheUnsavedRun)
{
    write_results(unsaved_header(), 3);
    result_record_count = 3;
    msgbox::answer_next(IDNO);
    offer_reload_last_multilog(owner_);

    const auto boxes = msgbox::shown();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "The last Multilog results were not saved.\n\nWould you like to reload the last Multilog session");
    EXPECT_EQ(boxes[0].caption, "Kestrova");
    EXPECT_EQ(boxes[0].type & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    EXPECT_FALSE(path_exists(path_));
    EXPECT_EQ(result_record_count, -1);
    EXPECT_FALSE(results_present);
    EXPECT_EQ(get_instrument_selection(2)->selected_count, 0);
    EXPECT_FALSE(open_csv_greyed());
}

TEST_F(ResultsFileTest, YesRestoresSelectionsAndCountsWholeRecords)
{
    results_file_header header = unsaved_header();
    header.instruments[3].count = 75; // more than a selection holds
    write_results(header, 3, kResultsHeaderSize, kResultsRecordSize / 2);
    msgbox::answer_next(IDYES);
    offer_reload_last_multilog(owner_);

    EXPECT_EQ(msgbox::shown().size(), 1u);
    EXPECT_TRUE(path_exists(path_));
    EXPECT_TRUE(results_present);
    EXPECT_EQ(result_record_count, 3);
    EXPECT_TRUE(open_csv_greyed());
    const int expected_counts[] = {1, 2, 3, kMaxSelectedItems};
    for (int n = 0; n < kResultsFileInstruments; ++n) {
        const multilog_setup& setup = *get_instrument_selection(n);
        EXPECT_EQ(setup.selected_count, expected_counts[n]) << n;
        EXPECT_EQ(setup.needs_programming, 1) << n;
        EXPECT_EQ(setup.selected[59].code, 100 * n + 59) << n;
        EXPECT_EQ(setup.selected[59].phase_code, 59 % 11 + 1) << n;
    }
}

TEST_F(ResultsFileTest, RecordsAreReadByNumberUntilMinusOneCloses)
{
    write_results(unsaved_header(), 5);
    std::vector<uint8_t> out(kResultsRecordSize);
    for (int record : {3, 0, 4, 4, 1}) {
        ASSERT_EQ(read_results_record(record, 0, out.data()), 0) << record;
        EXPECT_EQ(out, record_pattern(record)) << record;
    }
    EXPECT_EQ(read_results_record(5, 0, out.data()), -1);
    // A high word selects records far beyond the file, never a low one.
    EXPECT_EQ(read_results_record(1, 1, out.data()), -1);
    EXPECT_EQ(read_results_record(1, 0, nullptr), -1);

    // Closed: a new file in its place is read afresh, the last record forgotten.
    ASSERT_EQ(read_results_record(1, 0, out.data()), 0);
    EXPECT_EQ(read_results_record(-1, -1, nullptr), 0);
    ASSERT_TRUE(DeleteFileA(path_.c_str()));
    write_results(unsaved_header(), 1);
    EXPECT_EQ(read_results_record(1, 0, out.data()), -1);
}

TEST_F(ResultsFileTest, RecordBeyondFourGibibytesReadsItsOwnOffset)
{
    // 3,008 + 2,200,000 x 1,964 lies past 2^32: in 32 bits it would wrap to
    // about 25.8 MB into the file. The file is sparse.
    const int32_t far_record = 2200000;
    write_results(unsaved_header(), 0);
    HANDLE file = CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    write_at(file, record_offset(far_record), record_pattern(far_record).data(), kResultsRecordSize);
    CloseHandle(file);

    std::vector<uint8_t> out(kResultsRecordSize);
    ASSERT_EQ(read_results_record(far_record, 0, out.data()), 0);
    EXPECT_EQ(out, record_pattern(far_record));
    EXPECT_EQ(read_results_record(far_record + 1, 0, out.data()), -1);
}

TEST_F(ResultsFileTest, ClearClosesAndDeletes)
{
    write_results(unsaved_header(), 2);
    std::vector<uint8_t> out(kResultsRecordSize);
    ASSERT_EQ(read_results_record(0, 0, out.data()), 0); // holds the file open
    result_record_count = 2;
    clear_stored_results();
    EXPECT_FALSE(path_exists(path_));
    EXPECT_EQ(result_record_count, -1);
}

TEST_F(ResultsFileTest, SaveOffersOnlyPresentResults)
{
    const std::string copy = folder_.file("saved_copy.dat");
    const std::string unwritable = folder_.file("no_such_folder\\results.dat");
    struct row {
        const char* name;
        bool present;
        bool ask;
        int answer; // 0: no question
        std::string picked;
        bool copied;
    };
    const row rows[] = {
        {"asked, yes", true, true, IDYES, copy, true},
        {"asked, no", true, true, IDNO, copy, false},
        {"not asked", true, false, 0, copy, true},
        {"nothing present", false, true, 0, copy, false},
        {"file dialog cancelled", true, true, IDYES, "", false},
        {"unwritable file", true, false, 0, unwritable, false},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        msgbox::reset();
        file_dialogs::reset();
        DeleteFileA(copy.c_str());
        write_results(unsaved_header(), 2);
        results_present = r.present;
        file_dialogs::answer_next(r.picked);
        if (r.answer)
            msgbox::answer_next(r.answer);

        offer_save_multilog_results(owner_, r.ask);

        std::vector<std::string> expected_boxes;
        if (r.answer)
            expected_boxes.push_back("Would you like to save your Multilog results");
        if (r.picked == unwritable)
            expected_boxes.push_back("Unable to save the Multilog results to " + unwritable);
        std::vector<std::string> boxes;
        for (const recorded_box& box : msgbox::shown()) {
            boxes.push_back(box.text);
            EXPECT_EQ(box.caption, "Kestrova");
        }
        EXPECT_EQ(boxes, expected_boxes);
        EXPECT_FALSE(results_present);
        EXPECT_EQ(path_exists(copy), r.copied);
        // Only a run really saved is no longer offered at the next start.
        EXPECT_EQ(saved_flag(path_), r.copied ? 1u : 0u);
        // One save dialog, offering no name, whenever the results are to be saved.
        const std::vector<recorded_file_dialog> dialogs = file_dialogs::shown();
        ASSERT_EQ(dialogs.size(), r.present && r.answer != IDNO ? 1u : 0u);
        for (const recorded_file_dialog& dialog : dialogs) {
            EXPECT_TRUE(dialog.save);
            EXPECT_EQ(dialog.title, "Save Multilog Results");
            EXPECT_EQ(dialog.offered, "");
        }
    }
    file_dialogs::reset();
}
