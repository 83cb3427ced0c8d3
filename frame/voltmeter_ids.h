// Control ids of the Vector Voltmeter window (voltmeter_controls).
#pragma once
#include "frame/control_id_blocks.h"

enum : int {
    IDC_VM_TITLE = 15600,                  // "WQTn Vector Voltmeter"
    IDC_VM_CONTROL_LABEL = 15601,          // "Control"
    IDC_VM_SINGLE = 15602,
    IDC_VM_START = 15603,                  // "Start" / "Stop"
    IDC_VM_IMPORT = 15604,
    IDC_VM_EXPORT = 15605,
    IDC_VM_DISPLAY_LABEL = 15606,          // "Display"
    IDC_VM_FOCUSED_PHASE_LABEL = 15607,
    IDC_VM_FOCUSED_PHASE = 15608,
    IDC_VM_FOCUSED_CHANNEL_LABEL = 15609,
    IDC_VM_FOCUSED_CHANNEL = 15610,
    IDC_VM_VISIBLE_GROUP_LABEL = 15611,
    IDC_VM_VISIBLE_GROUP = 15612,
    IDC_VM_BALANCE_LABEL = 15613,
    IDC_VM_BALANCE = 15614,
};

static_assert(window_ids::voltmeter.holds(IDC_VM_TITLE) && window_ids::voltmeter.holds(IDC_VM_BALANCE),
              "the ids lie in their block of the registry");
