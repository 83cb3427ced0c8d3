// The item definitions of each configuration family, kept as static tables
// that the family constructors apply in one loop, and each family's list of
// 256 item names.
#pragma once
#include <cstddef>
#include <cstdint>

enum class config_family : int { wqt15xx, wqt25xx, wqt35xx, wqt45xx, wqt55xx };

struct item_def {
    int16_t id;                  // 0..255 (table A)
    int16_t wire_id;             // equal to id but for one 35xx item
    int8_t kind;                 // ITEM_LIST or ITEM_TEXT
    double minimum;              // kNoBound (-99.0) when there is none
    double maximum;
    const char* const* options;  // option texts in index order; nullptr for none
    uint8_t option_count;
};

struct item_def_table {
    const item_def* items;
    size_t count;
};

// Every item a family defines, the core items included, in id order.
item_def_table family_item_definitions(config_family family);
// The family's 256 item names; "Unused" where an id has no name.
const char* const* config_item_names(config_family family);
