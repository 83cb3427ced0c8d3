// Reading the settings file at start-up, and the rows of the options that the
// Settings dialog edits.
#include "app/settings.h"

#include "frame/app_data_folder.h"
#include "frame/auto_configs.h"
#include "base/file_util.h"
#include "base/text_util.h"
#include "frame/control_tables.h"
#include "app/resource.h"
#include "link/comms_log.h"
#include "link/connect_defaults.h"
#include "slots/instrument_slots.h"
#include "frame/harmonics_ids.h"
#include "frame/measure_ids.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

program_settings app_settings = {
    0, 0, 0, 0, 0, 0,
    default_trace_colours, default_trace_colours, default_trace_colours,
    0,
    "c:\\tmp\\dualwqt.dbg",
};

namespace {

constexpr char kInit[] = "Init";
constexpr char kCommsLogFile[] = "KESTROVA_COMMS.log";

const char* const csv_format_choices[] = {"Standard", "European"};
const char* const harmonic_csv_choices[] = {"Standard", "Time Based"};

// The colour sections, in the order they are read.
struct colour_section {
    const char* section;
    trace_colours& colours;
};
const colour_section colour_sections[] = {
    {"Scope", app_settings.scope_colours},
    {"Harmon", app_settings.harmonic_colours},
    {"Power", app_settings.power_colours},
};

// The remembered CSV file names and the controls that show them.
struct remembered_name {
    const char* key;
    int control;
};
const remembered_name remembered_names[] = {
    {"CSVFileName", IDC_MEAS_CSV_FILE},
    {"HarmonicsCSVFileName", IDC_HARM_FILE_NAME},
};

void write_created_stamp()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    char stamp[64];
    snprintf(stamp, sizeof stamp, "%02d:%02d:%02d %d/%d/%d", now.wHour, now.wMinute, now.wSecond,
             now.wDay, now.wMonth, now.wYear);
    write_init_text("Created", stamp);
}

std::string read_text(const char* section, const char* key, DWORD size)
{
    std::vector<char> text(size, '\0');
    GetPrivateProfileStringA(section, key, "", text.data(), size, settings_ini);
    return text.data();
}

void read_slot_connections()
{
    for (int n = 1; n <= kInstrumentSlots; ++n)
        read_connect_defaults(settings_ini, n, get_instrument(n - 1));
}

void read_init_flags()
{
    for (const init_setting_row& row : init_setting_rows)
        if (row.read_at_start && row.flag)
            *row.flag = GetPrivateProfileIntA(kInit, row.key, 0, settings_ini) != 0 ? 1 : 0;
}

void read_colours()
{
    for (const colour_section& section : colour_sections) {
        for (int c = 0; c < TRACE_COLOURS; ++c) {
            char key[16];
            snprintf(key, sizeof key, "colour%d", c + 1);
            parse_colour_text(read_text(section.section, key, 128).c_str(), section.colours[c]);
        }
    }
}

} // namespace

const init_setting_row init_setting_rows[INIT_SETTING_ROWS] = {
    {"SaveCSVFileName", setting_control::check_box, IDC_SET_REMEMBER_CSV,
     &app_settings.save_csv_file_name, nullptr, nullptr, true},
    {"CSVFormat", setting_control::choice_list, IDC_SET_CSV_FORMAT, &app_settings.csv_format,
     nullptr, csv_format_choices, true},
    {"HCSVFormat", setting_control::choice_list, IDC_SET_HARMONIC_CSV_MODE,
     &app_settings.harmonic_csv_mode, nullptr, harmonic_csv_choices, true},
    {"DebugLogEnabled", setting_control::check_box, IDC_SET_LOG_COMMS,
     &app_settings.comms_log_wanted, nullptr, nullptr, false},
    {"DebugLogLocation", setting_control::folder_text, IDC_SET_LOG_LOCATION, nullptr,
     app_settings.comms_log_folder, nullptr, false},
    {"LogDate", setting_control::check_box, IDC_SET_LOG_DATE, &app_settings.log_date, nullptr,
     nullptr, true},
    {"WQTTime", setting_control::check_box, IDC_SET_WQT_TIME, &app_settings.wqt_time, nullptr,
     nullptr, true},
    {"AutoConfigs", setting_control::check_box, IDC_SET_AUTO_SEND, &AutoConfigs, nullptr, nullptr,
     true},
};

bool parse_colour_text(const char* text, COLORREF& colour)
{
    std::vector<std::string> fields;
    split_string(text ? text : "", ',', fields, false);
    if (fields.size() != 3)
        return false;
    const auto component = [&](int i) { return static_cast<BYTE>(atoi(fields[i].c_str()) & 0xFF); };
    colour = RGB(component(0), component(1), component(2));
    return true;
}

void use_fresh_comms_log_file(const char* folder)
{
    char path[MAX_PATH];
    snprintf(path, sizeof path, "%s\\%s", folder, kCommsLogFile);
    DeleteFileA(path);
    set_comms_log_path(path);
}

void write_init_text(const char* key, const char* text)
{
    WritePrivateProfileStringA(kInit, key, text, settings_ini);
}

void write_init_number(const char* key, int value)
{
    char text[16];
    snprintf(text, sizeof text, "%d", value);
    write_init_text(key, text);
}

void load_settings()
{
    build_app_data_paths();
    if (!path_exists(settings_ini)) {
        create_app_data_folder();
        write_created_stamp();
    }
    read_slot_connections();
    app_settings.instruments_minus_one = read_total_phases(settings_ini);
    read_init_flags();
    read_colours();
    if (app_settings.comms_log_wanted && !is_comms_log_enabled()) {
        toggle_comms_log();
        use_fresh_comms_log_file(app_settings.comms_log_folder);
    }
}

void load_remembered_csv_names()
{
    if (!app_settings.save_csv_file_name)
        return;
    for (const remembered_name& name : remembered_names) {
        const std::string file = read_text(kInit, name.key, 259);
        if (!file.empty())
            SetWindowTextA(get_control_by_id(name.control), file.c_str());
    }
}
