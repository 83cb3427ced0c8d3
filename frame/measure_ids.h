// Control ids of the Measure window (measure_controls).
#pragma once
#include "frame/control_id_blocks.h"

enum : int {
    IDC_MEAS_LOG_LIST = 14023,            // list view of the "LOG" view
    IDC_MEAS_SETTINGS_GROUP = 14024,      // "Settings"
    IDC_MEAS_MULTILOG = 14025,            // "MULTILOG": choose the logged items
    IDC_MEAS_VIEW_GROUP = 14029,          // "View"
    IDC_MEAS_REAL_TIME = 14030,           // view buttons "REAL TIME", "GRAPH", "LOG"
    IDC_MEAS_GRAPH = 14031,
    IDC_MEAS_LOG = 14032,
    IDC_MEAS_CONTROL_GROUP = 14033,       // "Control"
    IDC_MEAS_START = 14034,
    IDC_MEAS_CLEAR_LOG = 14035,
    IDC_MEAS_ZERO = 14036,
    IDC_MEAS_INTERVAL_LABEL = 14037,      // "Interval"
    IDC_MEAS_TIMING_INSTRUMENT = 14038,   // option "Instrument"
    IDC_MEAS_TIMING_SOFTWARE = 14039,     // option "Software"
    IDC_MEAS_INTERVAL = 14040,            // interval in seconds
    IDC_MEAS_INTERVAL_UNIT = 14041,       // "(s)"
    IDC_MEAS_FREEZE = 14042,              // "Freeze Display"
    IDC_MEAS_ELAPSED_LABEL = 14043,       // "Elapsed Log Time:"
    IDC_MEAS_ELAPSED_TIME = 14044,        // "00:00:00"
    IDC_MEAS_APPEND = 14045,
    IDC_MEAS_AUTO_APPEND = 14046,         // "Auto Append?"
    IDC_MEAS_APPEND_SECONDS = 14047,      // "30"
    IDC_MEAS_TIME_TIL_APPEND_LABEL = 14048,
    IDC_MEAS_TIME_TIL_APPEND = 14049,     // "0 Seconds"
    IDC_MEAS_APPEND_SECONDS_UNIT = 14050, // "Sec(s)"
    IDC_MEAS_LOG_DIRECT_CSV = 14051,      // "Log direct to .CSV?"
    IDC_MEAS_DIRECT_CSV_FILE = 14052,
    IDC_MEAS_DATA_SETTINGS_GROUP = 14053, // "Data Settings"
    IDC_MEAS_MODE_MANUAL = 14054,         // data mode options 0..4
    IDC_MEAS_MODE_REAL_TIME_TABLE = 14055,
    IDC_MEAS_MODE_SCHEDULED = 14056,
    IDC_MEAS_MODE_DIRECT_CSV = 14057,
    IDC_MEAS_MODE_OVERWRITE_CSV = 14058,
    IDC_MEAS_NOTES_LABEL = 14059,         // "Notes:"
    IDC_MEAS_NOTES = 14060,
    IDC_MEAS_CSV_FILE_LABEL = 14061,      // "CSV File:"
    IDC_MEAS_CSV_FILE = 14062,            // "Select File..."; always disabled
    IDC_MEAS_EXPORT_GROUP = 14063,
    IDC_MEAS_EXPORT = 14064,
    IDC_MEAS_HIGHSPEED_GROUP = 14065,     // "High Speed Mode"
    IDC_MEAS_HIGHSPEED = 14066,           // "Enter Highspeed\r\nMode" / "Exit ..."
};

static_assert(window_ids::measure.holds(IDC_MEAS_LOG_LIST) && window_ids::measure.holds(IDC_MEAS_HIGHSPEED),
              "the ids lie in their block of the registry");
