// The ten saved configuration slots: files beside the settings file that
// hold a name and a configuration (two for the two-group model). Until the
// slot files are written and read, these leave every configuration as it
// is: a load loads nothing (the entry's name stays empty), a save writes
// nothing, a delete and an import do nothing.
#pragma once
#include "config/saved_config_entry.h"

#include <windows.h>

constexpr int kSavedConfigSlots = 10;

// Loads slot n into entry.primary (and entry.secondary for model code 16)
// and sets entry.name; check_model asks before loading a configuration of
// another model.
void load_config_slot(saved_config_entry& entry, int n, bool check_model);

// Writes slot n from the entry.
void save_config_slot(const saved_config_entry& entry, int n);

// Asks, then deletes slot n.
void delete_saved_config(int n, HWND owner);

// The body of the "Import..." command: reads one configuration file and
// stores it in a free slot.
void import_legacy_config_file(const char* path);
