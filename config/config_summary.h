// Configuration summaries: a plain text listing of one configuration for
// people to read. A first line from the instrument record, then each of the
// family's sections with one line per item: a tab, the item's label in a
// field of 30 characters, a tab and the text a user sees for its value.
#pragma once
#include "config/instrument_config.h"

#include <cstdio>
#include <ostream>
#include <sstream>
#include <string>

struct link_record;

// One item line: a tab, the label left-aligned in a field of 30 characters
// (a longer label whole), a tab, the display text and the line end.
void write_summary_item_line(std::ostream& out, const char* label, const std::string& display);

// The summary of each family, for the instrument of the record (its
// identification reply is the first line; the 15xx summary leaves out the
// oscilloscope items for model code 6). The 35xx summary's first line is the
// reply followed by "Group 1", or "Group 2" alone when the reply is empty.
std::stringstream wqt_cfg_15xx_build_summary(instrument_config& config,
                                             const link_record& instrument);
std::stringstream wqt_cfg_25xx_build_summary(instrument_config& config,
                                             const link_record& instrument);
std::stringstream wqt_cfg_35xx_build_summary(instrument_config& config,
                                             const link_record& instrument);
std::stringstream wqt_cfg_45xx_build_summary(instrument_config& config,
                                             const link_record& instrument);
std::stringstream wqt_cfg_55xx_build_summary(instrument_config& config,
                                             const link_record& instrument);
