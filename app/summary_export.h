// The configuration summary of an instrument written into a text file, the
// body of the main window's "Export as .txt..." command.
#pragma once

// Writes the summary of instrument n (slot 0..3) into the file at path,
// replacing it, as a text stream (lines end in CR LF): for a two-group
// instrument the summary of group 1, then that of group 2 under an empty
// identification reply; for any other instrument that of its current
// configuration. False when the file cannot be created or written, or the
// instrument has no configuration (nothing is then written).
bool write_instrument_summary_file(const char* path, int n);
