// The body of the "Import..." command: one configuration file, a text body
// or a record of an earlier version, stored in a free saved slot. Not part
// of this version: the file is left as it is and nothing is stored.
#pragma once

void import_legacy_config_file(const char* path);
