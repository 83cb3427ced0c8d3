// The ten saved configuration slots. Each slot n is one text file,
// "config3_<n>.cfg" in the program's data folder: a name line, then the
// configuration text body of the first (or only) configuration and, for the
// two-group model, a second body for group 2.
#pragma once
#include "config/saved_config_entry.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

class instrument_config;
struct config_body;

constexpr int kSavedSlots = 10;
// A name line gives at most this many characters; the rest of it is skipped.
constexpr size_t kSavedNameRead = 126;
// Names are written with at most this many characters, as the name dialog
// lets them be typed.
constexpr size_t kSavedNameWrite = 100;

// An entry that learns a slot's name without touching any instrument's
// configuration: codes -1, empty name, the scratch object as primary.
saved_config_entry make_probe_entry(instrument_config& scratch);

// The slot files lie in folder under the base name "config3". An empty
// folder leaves the base as it was; until one is set no slot file exists.
void set_saved_config_folder(const char* folder);
const std::string& saved_config_base();
// "<base>_<n>.cfg", or the empty text before a folder is set or for an n
// outside 0..9.
std::string saved_config_slot_file(int n);

enum class slot_load_result {
    no_file,  // the slot file does not open: nothing changed
    empty,    // the file holds no configuration body: nothing changed
    declined, // the user cancelled the mismatch question: nothing changed
    damaged,  // the body is cut off or malformed: nothing changed, the name
              // is set (the slot keeps its place) and, unless quiet, the user
              // is told
    loaded,   // the bodies are in the entry's objects, the name is set
};

// Loads slot n into the entry's primary object (and, for model code 16, its
// secondary object) and sets the entry's name. check_model: ask "Target
// Mismatch" when the slot was saved for another model or option, and tell
// the user about a damaged slot; without it the load is quiet. Every body is
// read and checked before any item changes.
slot_load_result load_config_slot(saved_config_entry& entry, int n, bool check_model);

// Writes slot n from the entry: the name (at most 100 characters), then the
// bodies with the entry's codes. The file is written beside the old one and
// replaces it only once complete; otherwise the old file stays and the user
// is told ("Unable to save config to that slot"). True when the slot was
// written.
bool save_config_slot(const saved_config_entry& entry, int n);

// Writes slot n from a body as it was read: the name (at most 100
// characters), then the body with its own codes, record for record. Written
// and reported as save_config_slot.
bool save_config_body_slot(const char* name, const config_body& body, int n);

// Writes what slot n holds after its name line (one body, or both of a
// two-group slot) into the file at path, byte for byte, replacing it. False
// when the slot does not open or the file cannot be written.
bool export_saved_config(int n, const char* path);

// The name a configuration imported from the file at path is stored under:
// the file name after the path's last "\" up to its last ".", at most 100
// characters; "Unknown Configuration" for a path without "\" or a name that
// comes out empty.
std::string config_name_from_path(const std::string& path);

// The name of slot n, or the empty text for an empty slot.
std::string saved_config_name(int n);

// Asks "Are you sure you want to delete the config: <name> ?" and deletes
// slot n's file on Yes. An empty slot is left alone without a question. The
// question goes through the program's reporter, which owns its box.
void delete_saved_config(int n, HWND owner);
