// The minimum-range lists of the one-group families: the voltage ranges by
// the voltage input, the current ranges by the current input and the
// instrument's current option. The ranging and application pages store
// them on the minimum-range items of all three sets.
#pragma once
#include "config/config_item.h"
#include "config/item_tables.h"

#include <cstdint>

const option_list& voltage_range_list(config_family family, int voltage_input);
const option_list& current_range_list(config_family family, int current_input, uint32_t option_code);

class instrument_config;

// Both lists by items 24 and 25, stored on items 26/178/202 and 27/179/203.
void store_range_lists(config_family family, instrument_config& config, uint32_t option_code);
