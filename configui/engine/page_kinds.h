// What each page kind is, whatever the family: the page number its layout
// makes current, its title, its page button.
#pragma once
#include "configui/engine/page_ids.h"

#include <cstdint>

struct page_kind_facts {
    int8_t page;         // 0..7, 8 for a mode page, 9 for the torque/speed page
    int16_t title_text;  // ui_text entry of the title
    int16_t page_button; // shown bold while the page is up
};

extern const page_kind_facts kPageKindFacts[PAGE_KINDS];
