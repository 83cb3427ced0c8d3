// Control ids of the Capture window (capture_controls).
#pragma once
#include "frame/control_id_blocks.h"

enum : int {
    IDC_CAPTURE_TITLE = 14600,            // "WQTn Capture"
    IDC_CAPTURE_BW_DOWNLOAD = 14601,      // "Black and White Download"
    IDC_CAPTURE_COLOUR_DOWNLOAD = 14602,  // "Colour Download"
    IDC_CAPTURE_SAVE_BITMAP = 14603,
    IDC_CAPTURE_SAVE_CLIPBOARD = 14604,
    IDC_CAPTURE_EXPORT_WORD = 14605,
};

static_assert(window_ids::capture.holds(IDC_CAPTURE_TITLE) && window_ids::capture.holds(IDC_CAPTURE_EXPORT_WORD),
              "the ids lie in their block of the registry");
