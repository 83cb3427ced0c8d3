// Ids of the Config window's pages: the eighteen page kinds (each with its
// first-display flag and its window table), their blocks of 100 control ids
// from 25000 (row r's control is the block's base + r), and the private
// message on which the window destroys the windows a page rebuild retired.
// The head's ids (13009-13023) are in config_ids.h.
#pragma once
#include "configui/engine/config_ids.h"
#include "frame/control_id_blocks.h"

#include <windows.h>

// The page kinds in the order of their first-display flags.
enum page_kind : int {
    PAGE_ACQUISITION,
    PAGE_ADVANCED,
    PAGE_COUPLING,
    PAGE_RANGING,
    PAGE_DATA_LOG,
    PAGE_APP_OPTIONS,
    PAGE_AUXILIARY,
    PAGE_SYSTEM_OPTIONS,
    PAGE_RMS_VOLTMETER,
    PAGE_PHASE_METER,
    PAGE_POWER_ANALYZER,
    PAGE_TORQUE_SPEED,
    PAGE_IMPEDANCE,
    PAGE_INTEGRATOR,
    PAGE_HARMONIC,
    PAGE_OSCILLOSCOPE,
    PAGE_FLUCTUATING,
    PAGE_FLICKERMETER,
    PAGE_KINDS
};
static_assert(PAGE_KINDS == 18, "eighteen page kinds, one first-display flag each");

constexpr int kPageIdBlockSize = 100;

// The id base of each kind's rows, in kind order.
constexpr int kPageIdBase[PAGE_KINDS] = {
    25000, 25100, 25200, 25300, 25400, 25500, 25600, 25700, 25800,
    25900, 26000, 26700, 26100, 26200, 26300, 26400, 26500, 26600,
};

// The kind whose block holds a control id; -1 for an id of no block.
constexpr int page_kind_of_id(int id)
{
    for (int kind = 0; kind < PAGE_KINDS; ++kind)
        if (id >= kPageIdBase[kind] && id < kPageIdBase[kind] + kPageIdBlockSize)
            return kind;
    return -1;
}

namespace page_id_detail {
constexpr bool blocks_apart_and_registered()
{
    for (int a = 0; a < PAGE_KINDS; ++a) {
        const id_block block{kPageIdBase[a], kPageIdBase[a] + kPageIdBlockSize - 1};
        if (block.first < window_ids::config_pages.first || block.last > window_ids::config_pages.last)
            return false;
        for (int b = a + 1; b < PAGE_KINDS; ++b)
            if (block.meets({kPageIdBase[b], kPageIdBase[b] + kPageIdBlockSize - 1}))
                return false;
    }
    return true;
}
} // namespace page_id_detail

static_assert(page_id_detail::blocks_apart_and_registered(),
              "every page's block lies in the registry's page block and meets no other");
static_assert(page_kind_of_id(25799) == PAGE_SYSTEM_OPTIONS && page_kind_of_id(26700) == PAGE_TORQUE_SPEED &&
                  page_kind_of_id(24999) == -1 && page_kind_of_id(26800) == -1,
              "ids find their page's kind");

// Posted to the Config window after a page rebuild retired windows; it then
// destroys them, outside the notification that rebuilt the page.
constexpr UINT MSG_DESTROY_RETIRED_PAGES = WM_APP + 1;
