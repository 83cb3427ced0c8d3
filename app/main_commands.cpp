// The command table of the main window: each id, or range of ids, and the
// handler it runs. Handlers that need more than a few lines live in files of
// their own (the connection, pictures, configuration files, settings runs).
#include "app/main_commands.h"

#include "configui/pages/dispatch.h"
#include "frame/app_globals.h"
#include "base/message_box.h"
#include "frame/commands.h"
#include "app/control_state.h"
#include "frame/control_tables.h"
#include "app/saved_config_commands.h"
#include "views/layout.h"
#include "app/main_create.h"
#include "frame/main_ids.h"
#include "app/main_window.h"
#include "app/resource.h"
#include "app/saved_config_menu.h"
#include "app/settings_commands.h"
#include "app/settings_dialog.h"
#include "app/shell_services.h"
#include "frame/ui_text.h"
#include "frame/version.h"
#include "config/saved_slots.h"
#include "configui/engine/config_pages.h"
#include "configui/window/config_refresh.h"
#include "slots/instrument_slots.h"
#include "logging/csv_log.h"
#include "logging/equations.h"
#include "logging/logging_resource.h"
#include "logging/logging_state.h"
#include "logging/results_file.h"
#include "frame/measure_ids.h"
#include "views/view_pictures.h"
#include "views/view_windows.h"

#include <cstdio>

const char kHomePageAddress[] = "https://www.kestrova.example/";
const char kSupportPageAddress[] = "https://www.kestrova.example/support/";

namespace {

// The "Saved Config" commands: one id per slot from each first id.
constexpr int kLoadFirst = CMD_LOAD_SAVED_CONFIG;
constexpr int kSaveFirst = CMD_SAVE_SAVED_CONFIG;
constexpr int kDeleteFirst = CMD_DELETE_SAVED_CONFIG;
constexpr int kSlotLast = kSavedSlots - 1;
constexpr int kShowSettingsText = 49; // ui_text "SHOW SETTINGS"
constexpr int kHideSettingsText = 71; // ui_text "HIDE SETTINGS"

// Instrument modes (item 1) that go with the views.
constexpr int kMeasureMode = 2;
constexpr int kHarmonicsMode = 5;
constexpr int kScopeMode = 6;

using command_handler = void (*)(HWND main_window, int id);

struct command_row {
    int first;
    int last;
    command_handler handler;
};

INT_PTR open_dialog(HWND owner, int resource, DLGPROC proc, LPARAM param = 0)
{
    return DialogBoxParamA(app_instance, MAKEINTRESOURCEA(resource), owner, proc, param);
}

int current_instrument_mode()
{
    std::shared_ptr<instrument_config> config = get_current_config();
    return config ? config->get_value_record_copy(1).value.integer : 0;
}

void retitle_views(int index)
{
    set_voltmeter_title(index);
    set_scope_title(index);
    capture_post_redraw(index);
    harmonic_results_setup(index);
}

// The instrument keeps the group it was on: a two-group instrument on its
// second group stays there.
void select_instrument(HWND main_window, int id)
{
    const int n = id - IDC_WQT1;
    set_current_instrument_index(n);
    select_group_and_sync(get_instrument_active_group(n), true, false);
    set_control_target_caption(n);
    highlight_control_in_range(id, IDC_WQT1, IDC_WQT4);
    invalidate_all_config_pages();
    retitle_views(n);
    PostMessageA(main_window, WM_COMMAND, CMD_REFRESH_CONNECTIONS, 0);
}

void select_group(HWND main_window, int id)
{
    select_group_and_sync(id - IDC_GROUP1, true, false);
    send_view_for_instrument_mode(main_window);
    build_scope_panel();
    build_voltmeter_panel();
    harmonic_results_setup(get_current_instrument_index());
}

void toggle_settings_pane(HWND, int)
{
    settings_pane_hidden = !settings_pane_hidden;
    SetWindowTextA(get_control_by_id(IDC_HIDE_SETTINGS),
                   ui_text[settings_pane_hidden ? kShowSettingsText : kHideSettingsText]);
    show_view_panels_2(settings_pane_hidden);
}

// The mode a view needs on the instrument; Capture and LOMX need none.
int mode_for_view(int id, int mode)
{
    switch (id) {
    case IDM_VIEW_SCOPE:
        return kScopeMode;
    case IDM_VIEW_HARMONICS:
        return kHarmonicsMode;
    case IDM_VIEW_MEASURE:
    case IDM_VIEW_VOLTMETER:
        return kMeasureMode;
    }
    return mode;
}

// Views change only while nothing runs; a connected instrument is put into
// the view's mode first.
void switch_view(HWND main_window, int id)
{
    const int mode = mode_for_view(id, current_instrument_mode());
    if (activity_state != ACTIVITY_IDLE)
        return;
    instrument_slot& current = get_current_instrument();
    if (current.connected && id != IDM_VIEW_CAPTURE && id != IDM_VIEW_LOMX) {
        verify_current_group(false);
        if (std::shared_ptr<instrument_config> config = get_current_config()) {
            config->set_value_int(1, mode);
            config->write_item(1, &current, false);
        }
        show_config_page(get_config_window());
    }
    switch_main_view(main_window, id);
    SendMessageA(main_window, WM_COMMAND, CMD_REFRESH_CONNECTIONS, 0);
}

void open_csv_file(HWND main_window, int)
{
    if (log_data_mode == LOG_MODE_REAL_TIME) {
        open_csv_log_file(main_window);
        return;
    }
    char text[128];
    snprintf(text, sizeof text, "Please select '%s' mode to read in a CSV file", "Log real time table");
    show_message_box(main_window, text, kProductName, MB_ICONINFORMATION);
}

void edit_equations(HWND main_window, int)
{
    open_dialog(main_window, IDD_EQUATION_EDITOR, equation_editor_dlg_proc);
    compile_equations(main_window);
}

// Whatever the dialog ended with, the views are redrawn and every
// instrument is programmed again before its next logging run. After OK the
// controls follow the new settings at once: "SET UP WQT" shows as soon as
// auto-send is off, not at the next refresh.
void settings(HWND main_window, int)
{
    const INT_PTR result = open_dialog(main_window, IDD_SETTINGS, settings_dlg_proc);
    SendMessageA(get_measure_window(), WM_COMMAND, CMD_REDRAW, 0);
    for (int n = 0; n < kInstrumentSlots; ++n)
        get_instrument_selection(n)->needs_programming = 1;
    if (result == IDOK)
        SendMessageA(main_window, WM_COMMAND, CMD_REFRESH_CONNECTIONS, 0);
}

void log_step(HWND, int)
{
    if (activity_state != ACTIVITY_MEASURING || log_data_mode != LOG_MODE_MANUAL)
        return;
    if (SendMessageA(get_control_by_id(IDC_MEAS_AUTO_APPEND), BM_GETCHECK, 0, 0) == BST_UNCHECKED)
        post_command_for_control(IDC_MEAS_APPEND);
}

// Commands that only call their operation are written out in the table.
const command_row command_table[] = {
    {IDM_ABOUT, IDM_ABOUT, [](HWND w, int) { open_dialog(w, IDD_ABOUT, about_dlg_proc); }},
    {CMD_REFRESH_CONNECTIONS, CMD_REFRESH_CONNECTIONS,
     [](HWND w, int) { update_controls_for(w, current_connection_state()); }},
    {CMD_OFFER_RESULTS_RELOAD, CMD_OFFER_RESULTS_RELOAD, [](HWND w, int) { offer_reload_last_multilog(w); }},
    {IDM_EXPORT_TO_WORD, IDM_EXPORT_TO_WORD, copy_window_image},
    {CMD_EXPORT_CONFIG, CMD_EXPORT_CONFIG, [](HWND w, int) { export_config_command(w); }},
    {CMD_IMPORT_CONFIG, CMD_IMPORT_CONFIG, [](HWND w, int) { import_config_command(w); }},
    {CMD_REFRESH_PANELS, CMD_REFRESH_PANELS, [](HWND, int) { build_scope_panel(); build_voltmeter_panel(); }},
    {CMD_EXPORT_CONFIG_TEXT, CMD_EXPORT_CONFIG_TEXT, [](HWND w, int) { export_summary_command(w); }},
    {CMD_REFRESH_VIEW, CMD_REFRESH_VIEW, [](HWND, int) { show_config_page(get_config_window()); }},
    {IDC_WQT1, IDC_WQT4, select_instrument},
    {IDC_HIDE_SETTINGS, IDC_HIDE_SETTINGS, toggle_settings_pane},
    {IDC_LOGO, IDC_LOGO, [](HWND, int) { open_web_page(kHomePageAddress); }},
    {IDC_READ_WQT, IDC_READ_WQT, [](HWND w, int) { read_settings_command(w); }},
    {IDC_SET_UP_WQT, IDC_SET_UP_WQT, [](HWND w, int) { send_settings_command(w); }},
    {IDC_GROUP1, IDC_GROUP2, select_group},
    {IDM_CONNECTION, IDM_CONNECTION, [](HWND w, int) { connection_command(w); }},
    {IDM_SAVE_TO_BITMAP, IDM_COPY_TO_CLIPBOARD, copy_window_image},
    {IDM_FOCUS_NEXT, IDM_FOCUS_PREVIOUS, [](HWND, int id) { focus_next_control(id == IDM_FOCUS_NEXT); }},
    {IDM_VIEW_MEASURE, IDM_VIEW_CAPTURE, switch_view},
    {IDM_VIEW_LOMX, IDM_VIEW_VOLTMETER, switch_view},
    {IDM_OPEN_CSV_FILE, IDM_OPEN_CSV_FILE, open_csv_file},
    {IDM_EDIT_EQUATIONS, IDM_EDIT_EQUATIONS, edit_equations},
    {IDM_SETTINGS, IDM_SETTINGS, settings},
    {IDM_SUPPORT, IDM_SUPPORT, [](HWND, int) { open_web_page(kSupportPageAddress); }},
    {IDM_LOG_STEP, IDM_LOG_STEP, log_step},
    {kLoadFirst, kLoadFirst + kSlotLast, [](HWND, int id) { load_saved_config_command(id - kLoadFirst); }},
    {kSaveFirst, kSaveFirst + kSlotLast,
     [](HWND w, int id) { save_config_to_slot_command(w, id - kSaveFirst); }},
    {kDeleteFirst, kDeleteFirst + kSlotLast,
     [](HWND w, int id) { delete_saved_config_command(w, id - kDeleteFirst); }},
};

} // namespace

void send_view_for_instrument_mode(HWND main_window)
{
    const int view = get_current_view_menu_id();
    if (view == IDM_VIEW_CAPTURE || view == IDM_VIEW_LOMX)
        return;
    const int mode = current_instrument_mode();
    int id = IDM_VIEW_MEASURE;
    if (mode == kHarmonicsMode)
        id = IDM_VIEW_HARMONICS;
    else if (mode == kScopeMode)
        id = IDM_VIEW_SCOPE;
    else if (view == IDM_VIEW_VOLTMETER)
        return;
    SendMessageA(main_window, WM_COMMAND, id, 0);
}

LRESULT main_wnd_command(HWND main_window, UINT message, WPARAM wparam, LPARAM lparam)
{
    const int id = LOWORD(wparam);
    for (const command_row& row : command_table) {
        if (id >= row.first && id <= row.last) {
            row.handler(main_window, id);
            return 0;
        }
    }
    return DefWindowProcA(main_window, message, wparam, lparam);
}
