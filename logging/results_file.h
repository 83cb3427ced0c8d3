// The results record file: the temporary store of a logging run's rows
// ("wqtdl.DAT" in the temporary folder), read back one record at a time, and
// the questions at start-up (reload an unsaved run) and at the end (save
// it).
//
// File layout (little-endian):
//
//   offset      size   content
//   0           4      magic 0x09D2E351
//   4           4      saved flag: 0 while the run has not been saved
//   8           1,936  four instrument blocks of 484 bytes, instrument 1 first:
//                        int32 count of selected entries (0..60), then
//                        60 entries of (int32 code, int32 phase code), the
//                        instrument's logging selection during the run
//   1,944       1,064  zero
//   3,008       ...    the records, 1,964 bytes each, record 0 first: one
//                      logged row of all four instruments
//
// Record numbers are 64-bit values and offsets are computed in 64 bits: from
// record 2,186,846 on, a record starts beyond the first 4 GiB of the file.
#pragma once
#include "slots/multilog_setup.h"

#include <windows.h>

#include <cstdint>

constexpr uint32_t kResultsFileMagic = 0x09D2E351;
constexpr uint32_t kResultsHeaderSize = 3008;
constexpr uint32_t kResultsRecordSize = 1964;
constexpr int kResultsFileInstruments = 4;

// The logging selection of one instrument as the header keeps it.
struct results_file_selection {
    int32_t count;
    selected_item entries[kMaxSelectedItems];
};

struct results_file_header {
    uint32_t magic;
    uint32_t saved;
    results_file_selection instruments[kResultsFileInstruments];
    uint8_t reserved[kResultsHeaderSize - 8 - kResultsFileInstruments * sizeof(results_file_selection)];
};
static_assert(sizeof(results_file_selection) == 484, "an instrument block is 484 bytes");
static_assert(sizeof(results_file_header) == kResultsHeaderSize, "the header is 3,008 bytes");

// Path of the results record file, built by the main window at creation.
extern char results_file_path[MAX_PATH];

// Copies record (record_high:record) into out (kResultsRecordSize bytes) and
// returns 0, or -1 when the file or the record cannot be read. A negative
// record number (record -1 with high word -1) closes the file instead and
// returns 0. The file stays open between reads and the last record read is
// kept, so reading it again costs nothing.
int read_results_record(int32_t record, int32_t record_high, void* out);

// At start-up: when the results file holds an unsaved run (whole header,
// right magic, saved flag 0), asks whether to reload it. No deletes it
// (clear_stored_results); Yes puts the four instruments' selections back,
// counts the records, marks results present and greys "Open CSV File"
// (menu item 32791) of the owner's menu. Nothing is asked otherwise.
void offer_reload_last_multilog(HWND owner);

// Closes and deletes the results file and frees the stored results, under
// the wait cursor.
void clear_stored_results();

// With ask set and results present, asks whether to save them; on Yes (or
// without ask, when results are present) copies the results file to a file
// the user picks in a save dialog and marks the run saved. Results are no
// longer present afterwards in every case.
void offer_save_multilog_results(HWND owner, bool ask);
