// What each page kind is, whatever the family: the page number its layout
// makes current, its title, its page button; and the registry of the pages
// by kind and family.
#pragma once
#include "config/item_tables.h"
#include "configui/page_ids.h"

#include <windows.h>

#include <cstdint>

struct page_def;

struct page_kind_facts {
    int8_t page;         // 0..7, 8 for a mode page, 9 for the torque/speed page
    int16_t title_text;  // ui_text entry of the title
    int16_t page_button; // shown bold while the page is up
};

extern const page_kind_facts kPageKindFacts[PAGE_KINDS];

// The definition of a kind's page for a family; null where it has none
// (not a page of that family).
const page_def* find_page_def(int kind, config_family family);

// Shows a kind's page of the family: its definition, or where it has none,
// a bare page with its title and page button that makes its number current.
void show_page_kind(page_kind kind, config_family family, HWND config_window);

// The measurement-mode dispatch (modes.cpp): item 1 written to the
// instrument when it differs from the mode the family showed last, then the
// page of that mode (the Power Analyzer's for a mode without a page of its
// own).
void show_mode_page(config_family family, HWND config_window);
