// The user's settings, kept in the settings file (settings_ini, sections
// [Init], [Connect], [Scope], [Harmon], [Power]): read once at start-up and
// changed by the Settings dialog, which writes them back at once. Numbers
// are written as decimal text.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>

enum : int { TRACE_COLOURS = 4 };
using trace_colours = std::array<COLORREF, TRACE_COLOURS>;

// The trace colours every section starts with, and which a colour text that
// is not three comma-separated numbers leaves in place.
constexpr trace_colours default_trace_colours = {
    RGB(245, 73, 73), RGB(6, 125, 255), RGB(0, 255, 0), RGB(255, 207, 64),
};

struct program_settings {
    uint8_t save_csv_file_name;  // "SaveCSVFileName": restore the last CSV file names at start
    uint8_t csv_format;          // "CSVFormat": 0 "Standard", 1 "European"
    uint8_t harmonic_csv_mode;   // "HCSVFormat": 0 "Standard", 1 "Time Based"
    uint8_t log_date;            // "LogDate"
    uint8_t wqt_time;            // "WQTTime": use the instrument's time
    int instruments_minus_one;   // [Connect] "TotalPhases": instruments in use minus one
    trace_colours scope_colours;    // [Scope] "colour1".."colour4"
    trace_colours harmonic_colours; // [Harmon]
    trace_colours power_colours;    // [Power]
    // The communications log: wanted (false at every start) and its folder.
    uint8_t comms_log_wanted;
    char comms_log_folder[MAX_PATH];
};

extern program_settings app_settings;

// Builds the paths, creates the folder and the file on first start (the file
// then holds only [Init] "Created"), and reads the four slots' connection
// settings, the options and the colours. Called once at creation, before the
// controls exist.
void load_settings();

// With "Remember CSV File" set: the last CSV file names into controls 14062
// and 14712. Called once the controls exist.
void load_remembered_csv_names();

// A colour text "red,green,blue": true with the colour when it has exactly
// three fields; each component is cut to its low 8 bits.
bool parse_colour_text(const char* text, COLORREF& colour);

// The [Init] options as the Settings dialog edits them, in the order the
// dialog writes them.
enum class setting_control { check_box, choice_list, folder_text };
struct init_setting_row {
    const char* key;
    setting_control kind;
    int control;                // its control in the Settings dialog
    uint8_t* flag;              // check box or list: 0 or 1
    char* text;                 // folder text (MAX_PATH bytes)
    const char* const* choices; // the list's two texts
    bool read_at_start;         // the log settings are written, never read back
};
enum : int { INIT_SETTING_ROWS = 8 };
extern const init_setting_row init_setting_rows[INIT_SETTING_ROWS];

// Makes "<folder>\KESTROVA_COMMS.log" the communications log's file, deleting
// an old one, so that every enabling starts a fresh log.
void use_fresh_comms_log_file(const char* folder);

// Writes one [Init] text, or one [Init] number as decimal text.
void write_init_text(const char* key, const char* text);
void write_init_number(const char* key, int value);
