// Control ids of the Config window's head and page buttons (config_controls).
#pragma once
#include "frame/control_id_blocks.h"

enum : int {
    IDC_CFG_CONTROL_LABEL = 13009,       // "CONTROL:"
    IDC_CFG_CONFIGURATION_LABEL = 13010, // "Configuration:"
    IDC_CFG_PAGE_ACQU = 13011,           // page buttons, first
    IDC_CFG_PAGE_COUPLING = 13012,
    IDC_CFG_PAGE_RANGE = 13013,
    IDC_CFG_PAGE_DATALOG = 13014,
    IDC_CFG_PAGE_APP = 13015,
    IDC_CFG_PAGE_MATHS = 13016,          // always disabled
    IDC_CFG_PAGE_ALARM = 13017,          // always disabled
    IDC_CFG_PAGE_REMOTE = 13018,         // always disabled
    IDC_CFG_PAGE_AUX = 13019,
    IDC_CFG_PAGE_SYS = 13020,
    IDC_CFG_PAGE_MODE = 13021,
    IDC_CFG_PAGE_PROG = 13022,           // page buttons, last; always disabled
    IDC_CFG_ADVANCED_OPTIONS = 13023,    // "Advanced Options >"

    IDC_CFG_PAGE_FIRST = IDC_CFG_PAGE_ACQU,
    IDC_CFG_PAGE_LAST = IDC_CFG_PAGE_PROG,
};

static_assert(window_ids::config_head.holds(IDC_CFG_CONTROL_LABEL) && window_ids::config_head.holds(IDC_CFG_ADVANCED_OPTIONS),
              "the ids lie in their block of the registry");
