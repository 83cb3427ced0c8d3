#include "config/saved_config_slots.h"

void load_config_slot(saved_config_entry&, int, bool) {}

void save_config_slot(const saved_config_entry&, int) {}

void delete_saved_config(int, HWND) {}

void import_legacy_config_file(const char*) {}
