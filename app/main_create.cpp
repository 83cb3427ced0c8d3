// The view window classes, the main window's creation sequence and the view
// switch.
#include "app/main_create.h"

#include "base/timing_mark.h"
#include "frame/app_globals.h"
#include "app/control_state.h"
#include "frame/control_tables.h"
#include "views/layout.h"
#include "frame/main_ids.h"
#include "views/subclassed_controls.h"
#include "views/ui_font_setup.h"
#include "configui/window/config_window.h"
#include "frame/harmonics_ids.h"
#include "frame/lomx_ids.h"
#include "frame/measure_ids.h"
#include "frame/scope_ids.h"
#include "views/view_windows.h"

#include <commctrl.h>

#include <cstring>

namespace {

struct view_class {
    const char* name;
    WNDPROC proc;
    int window_bytes;
};

const view_class view_classes[] = {
    {"Z7DualWQTConfigWClass", config_wnd_proc, 0},
    {"Z7DualWQTMeasureWClass", measure_wnd_proc, 0},
    {"Z7DualWQTScopeWClass", scope_wnd_proc, 0},
    {"Z7DualWQTCaptureWClass", capture_wnd_proc, 0},
    {"Z7DualWQTHarmonicsWClass", harmonics_wnd_proc, 0},
    {"Z7DualWQTVoltmeterWClass", voltmeter_wnd_proc, 0},
    {"Z7DualWQTLOMXWClass", lomx_wnd_proc, 0},
    {"Z7DualWQTHarmonicResultsWClass", harmonic_results_wnd_proc, 0},
    {"Z7DualWQTMeasureResultsWClass", measure_results_wnd_proc, MEASURE_RESULTS_WINDOW_BYTES},
};

// The list views: grid lines, whole-row selection, double buffering.
constexpr DWORD kListViewExStyle =
    LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_SINGLEROW;
const int list_view_ids[] = {IDC_MEAS_LOG_LIST, IDC_HARM_TABLE, IDC_LOMX_MULTILOG_LIST,
                             IDC_SCOPE_TABLE};

struct text_limit {
    int id;
    int characters;
};
const text_limit text_limits[] = {
    {IDC_MEAS_INTERVAL, 5},
    {IDC_MEAS_CSV_FILE, MAX_PATH - 1},
    {IDC_HARM_FILE_NAME, MAX_PATH - 1},
};

// Controls of the Measure window hidden at start; the data mode shows them.
const int hidden_at_start[] = {IDC_MEAS_LOG_LIST, IDC_HARM_TABLE, IDC_MEAS_APPEND,
                               IDC_MEAS_DIRECT_CSV_FILE, IDC_MEAS_LOG_DIRECT_CSV,
                               IDC_MEAS_NOTES_LABEL, IDC_MEAS_NOTES};

struct balloon_tip {
    int id;
    const char* text;
};
const balloon_tip timing_tips[] = {
    {IDC_MEAS_TIMING_SOFTWARE, "Uses the specified interval"},
    {IDC_MEAS_TIMING_INSTRUMENT, "Uses the instrument's window speed as the interval"},
};

// The view windows of the view menu commands, in frame_controls rows.
struct view_row {
    int menu_id;
    int frame_row;
};
const view_row view_rows[] = {
    {IDM_VIEW_MEASURE, FRAME_ROW_MEASURE}, {IDM_VIEW_SCOPE, FRAME_ROW_SCOPE},
    {IDM_VIEW_HARMONICS, FRAME_ROW_HARMONICS}, {IDM_VIEW_CAPTURE, FRAME_ROW_CAPTURE},
    {IDM_VIEW_LOMX, FRAME_ROW_LOMX}, {IDM_VIEW_VOLTMETER, FRAME_ROW_VOLTMETER},
};

// Step 1-3: every table's windows, each under the window an earlier table
// created; each Measure Results window learns its instrument index.
void create_all_tables(HWND main_window)
{
    create_controls_from_table(main_window, frame_controls.data(), FRAME_CONTROL_ROWS);
    create_controls_from_table(get_config_window(), config_controls.data(), CONFIG_CONTROL_ROWS);
    create_controls_from_table(get_measure_window(), measure_controls.data(),
                               MEASURE_CONTROL_ROWS);
    for (int i = 0; i < RESULTS_PANELS; ++i)
        SetWindowLongA(get_measure_results_window(i), 0, i);
    for (int i = 0; i < RESULTS_PANELS; ++i)
        create_controls_from_table(get_measure_results_window(i),
                                   results_panel_controls[i].data(), RESULTS_PANEL_ROWS);
    create_controls_from_table(get_scope_window(), scope_controls.data(), SCOPE_CONTROL_ROWS);
    create_controls_from_table(get_capture_window(), capture_controls.data(),
                               CAPTURE_CONTROL_ROWS);
    create_controls_from_table(get_harmonics_window(), harmonics_controls.data(),
                               HARMONICS_CONTROL_ROWS);
    create_controls_from_table(get_voltmeter_window(), voltmeter_controls.data(),
                               VOLTMETER_CONTROL_ROWS);
    create_controls_from_table(get_lomx_window(), lomx_controls.data(), LOMX_CONTROL_ROWS);
    create_controls_from_table(get_harmonic_results_window(), harmonic_results_controls.data(),
                               HARMONIC_RESULTS_CONTROL_ROWS);
}

void set_list_view_styles()
{
    for (int id : list_view_ids)
        SendMessageA(get_control_by_id(id), LVM_SETEXTENDEDLISTVIEWSTYLE, 0, kListViewExStyle);
}

// Step 7: every table shown, of the results panels only their titles (the
// pane logic shows the rest).
void show_all_tables()
{
    show_controls_from_table(frame_controls.data(), FRAME_CONTROL_ROWS);
    show_controls_from_table(config_controls.data(), CONFIG_CONTROL_ROWS);
    show_controls_from_table(measure_controls.data(), MEASURE_CONTROL_ROWS);
    show_controls_from_table(scope_controls.data(), SCOPE_CONTROL_ROWS);
    show_controls_from_table(capture_controls.data(), CAPTURE_CONTROL_ROWS);
    show_controls_from_table(harmonics_controls.data(), HARMONICS_CONTROL_ROWS);
    show_controls_from_table(harmonic_results_controls.data(), HARMONIC_RESULTS_CONTROL_ROWS);
    show_controls_from_table(voltmeter_controls.data(), VOLTMETER_CONTROL_ROWS);
    show_controls_from_table(lomx_controls.data(), LOMX_CONTROL_ROWS);
    for (const auto& panel : results_panel_controls)
        show_controls_from_table(panel.data(), 1);
}

// Step 8: only the Measure view with its first results pane stays visible.
void hide_all_but_measure_view()
{
    const HWND windows[] = {
        get_scope_window(), get_capture_window(), get_harmonics_window(),
        get_voltmeter_window(), get_lomx_window(), get_measure_results_window(1),
        get_measure_results_window(2), get_measure_results_window(3),
        get_harmonic_results_window(),
    };
    for (HWND window : windows)
        ShowWindow(window, SW_HIDE);
    for (int id : hidden_at_start)
        ShowWindow(get_control_by_id(id), SW_HIDE);
    HWND logo = get_control_by_id(IDC_LOGO);
    EnableWindow(logo, TRUE);
    ShowWindow(logo, SW_SHOW);
}

void limit_texts()
{
    for (const text_limit& limit : text_limits)
        SendMessageA(get_control_by_id(limit.id), EM_LIMITTEXT, limit.characters, 0);
    set_check_state(IDC_MEAS_TIMING_SOFTWARE, BST_CHECKED);
}

// Step 11: one balloon tooltip over the two timing options.
void add_timing_tips()
{
    HWND measure = get_measure_window();
    HWND tips = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_BALLOON, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, measure, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    for (const balloon_tip& tip : timing_tips) {
        char text[256] = {};
        strncpy(text, tip.text, sizeof text - 1);
        TOOLINFOA info = {};
        info.cbSize = sizeof info;
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS | TTF_TRANSPARENT;
        info.hwnd = measure;
        info.uId = reinterpret_cast<UINT_PTR>(get_control_by_id(tip.id));
        info.lpszText = text;
        SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    }
}

void fill_view_contents()
{
    measure_results_reset_colours();
    build_scope_panel();
    harmonics_refresh_list();
    harmonic_results_fill_combos();
    build_voltmeter_panel();
    lomx_refresh();
}

} // namespace

void register_view_classes(HINSTANCE instance)
{
    for (const view_class& v : view_classes) {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = v.proc;
        wc.cbWndExtra = v.window_bytes;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = v.name;
        RegisterClassExA(&wc);
    }
}

void main_on_create(HWND main_window)
{
    // The layout reads the main window's size through its row, also while
    // the window is still being created.
    main_window_desc.hwnd = main_window;
    create_all_tables(main_window);
    timing_mark("control windows created");
    subclass_frame_controls();
    set_list_view_styles();
    create_ui_fonts(main_window);
    fit_labels_to_text();
    show_all_tables();
    hide_all_but_measure_view();
    update_controls_for(main_window, idle_connection_state(-1));
    limit_texts();
    add_timing_tips();
    fill_view_contents();
    show_view_panels_2(settings_pane_hidden);
}

void switch_main_view(HWND, int menu_id)
{
    const view_row* chosen = nullptr;
    for (const view_row& v : view_rows)
        if (v.menu_id == menu_id)
            chosen = &v;
    if (!chosen)
        return;
    for (const view_row& v : view_rows)
        ShowWindow(frame_controls[v.frame_row].hwnd, &v == chosen ? SW_SHOW : SW_HIDE);
    switch (menu_id) {
    case IDM_VIEW_SCOPE:
        build_scope_panel();
        break;
    case IDM_VIEW_HARMONICS:
        harmonic_results_fill_combos();
        break;
    case IDM_VIEW_VOLTMETER:
        build_voltmeter_panel();
        break;
    case IDM_VIEW_LOMX:
        if (!settings_pane_hidden)
            post_command_for_control(IDC_HIDE_SETTINGS);
        break;
    }
}
