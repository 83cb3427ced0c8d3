// Saved configurations of earlier versions: binary files of ten fixed-size
// records ("config.dat", "config2.dat"), and single-record files brought in
// by the import. Each record becomes a configuration of one of the four
// single-group families once the user has named the instrument series and
// current shunt.
#pragma once
#include "config/saved_config_entry.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>

// The three record forms, told apart by the file size.
constexpr size_t kLegacyRecordSize = 3092;     // the form every conversion works from
constexpr size_t kLegacyRecordSize3812 = 3812; // older forms
constexpr size_t kLegacyRecordSize2058 = 2058;
constexpr int kLegacyRecordsPerFile = 10;      // one per saved slot

using legacy_config_record = std::array<uint8_t, kLegacyRecordSize>;

// The record size of a file of that size: 3,092 when it is a multiple of
// 3,092 (an empty file included), else 3,812, else 2,058 by the same test;
// 0 when no form fits.
size_t legacy_record_size_for_file(uint64_t file_size);

// Reads record n of the file into dest (size bytes). Bytes beyond the end of
// the file read as zero. False when the file does not open or a read fails;
// dest is then left as it was.
bool read_legacy_config_record(const char* path, size_t size, int n, uint8_t* dest);
bool read_legacy_config_record_3812(const char* path, uint8_t* dest, int n);
bool read_legacy_config_record_2058(const char* path, uint8_t* dest, int n);

// Record n of a file of `size`-byte records (3,092, 3,812 or 2,058) in the
// 3,092-byte form: zeros, then the record as read or converted. False when
// the file does not open or a read fails.
bool read_legacy_record(const char* path, size_t size, int n, legacy_config_record& record);

// The older forms turned into a 3,092-byte record: the name, the blocks of
// bytes that hold the same fields, and "0.000E0" in the text fields the older
// forms did not have. Every other byte of dest is zero.
void convert_legacy_record_3812(const uint8_t* source, legacy_config_record& dest);
void convert_legacy_record_2058(const uint8_t* source, legacy_config_record& dest);

// The configuration name at the start of a record, at most 127 characters
// of its 128-byte field, whether or not the field holds a NUL.
void copy_legacy_record_name(const legacy_config_record& record,
                             char (&name)[kSavedConfigNameSize]);

// What the user answered to the upgrade question.
enum class legacy_upgrade_answer {
    upgrade,    // model_code and option_code written into the entry
    declined,   // "Delete" or "Cancel": the entry is unchanged
    unanswered, // the question was closed unanswered or could not be shown
};

// Asks the user which series and shunt a record was made for; on `upgrade`
// the entry's model_code (1, 2, 4 or 5) and option_code (0, 2 or 4) are set.
// from_import: the decline button reads "Cancel" (import) or "Delete".
using legacy_upgrade_prompt = legacy_upgrade_answer (*)(saved_config_entry& entry,
                                                        bool from_import);

// Installs the prompt (the frame installs its Configuration Upgrade dialog)
// and returns the one installed before. Without a prompt no record is
// converted.
legacy_upgrade_prompt set_legacy_upgrade_prompt(legacy_upgrade_prompt prompt);

// Converts one record into the entry: asks the user, then points the
// entry's primary at the chosen family's object (one per family, built on
// first use and kept for the program's life) and sets that object's items
// from the record's fields. Items the record does not supply keep the values
// the object already holds. False when the user declines or no prompt is
// installed.
bool convert_legacy_config_dialog(saved_config_entry& entry, const legacy_config_record& record,
                                  bool from_import);

// Stores one converted record in saved slot `slot` (0..9), replacing what the
// slot held; true once it is stored.
using legacy_slot_store = std::function<bool(int slot, const saved_config_entry& entry)>;

// Converts the ten records of a legacy file into slots 0..9 and deletes the
// file. A file whose size fits no record form is left alone. When a record
// cannot be read nothing is converted, and when a record the user accepted
// is not stored or a question could not be shown, the file stays for the
// next time. True when the file was converted and deleted.
bool convert_legacy_config_file(const char* path, const legacy_slot_store& store);
