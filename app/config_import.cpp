#include "app/config_import.h"

void import_legacy_config_file(const char*) {}
