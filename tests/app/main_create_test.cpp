// The main window's creation sequence on a real main window: which windows
// exist, what is shown, the list views, text limits, the timing options and
// their balloon tips; lookup by id over every range; enabling, highlighting
// and programmatic clicks; the view switch; the view classes.
#include "app/main_create.h"

#include "frame/app_globals.h"
#include "frame/control_tables.h"
#include "frame/main_ids.h"
#include "frame/ui_fonts.h"
#include "configui/engine/config_ids.h"
#include "configui/window/config_window.h"
#include "tests/support/table_list.h"
#include "tests/support/modal_dialog.h"
#include "frame/harmonics_ids.h"
#include "frame/lomx_ids.h"
#include "frame/measure_ids.h"
#include "frame/results_panel_ids.h"
#include "frame/scope_ids.h"
#include "views/view_windows.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

LRESULT CALLBACK test_main_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_CREATE) {
        main_on_create(hwnd);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// Stands in for the start-up layout: every current rectangle is its design
// rectangle, and the views take the Measure window's.
void lay_out_at_design_size()
{
    auto copy_design = [](control_desc& row, const control_desc& from) {
        row.base_x = row.cur_x = from.design_x;
        row.base_y = row.cur_y = from.design_y;
        row.base_w = row.cur_w = from.design_w;
        row.base_h = row.cur_h = from.design_h;
    };
    for (const table_ref& t : all_control_tables())
        for (int r = 0; r < t.count; ++r)
            copy_design(t.rows[r], t.rows[r]);
    for (int r = FRAME_ROW_SCOPE; r <= FRAME_ROW_LOMX; ++r)
        copy_design(frame_controls[r], frame_controls[FRAME_ROW_MEASURE]);
    copy_design(main_window_desc, main_window_desc);
}

// The main window, built once per test process.
HWND the_main_window()
{
    static HWND main = [] {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        INITCOMMONCONTROLSEX classes = {sizeof classes, 0x11D};
        InitCommonControlsEx(&classes);
        register_view_classes(instance);
        WNDCLASSA wc = {};
        wc.lpfnWndProc = test_main_proc;
        wc.hInstance = instance;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = main_window_desc.class_name;
        RegisterClassA(&wc);
        lay_out_at_design_size();
        HWND created = create_main_window(main_window_desc);
        ShowWindow(created, SW_SHOW);
        return created;
    }();
    return main;
}

class MainCreate : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(the_main_window(), nullptr); }
};

TEST_F(MainCreate, MainWindowCarriesTheVersionTitle)
{
    char title[64] = "";
    GetWindowTextA(the_main_window(), title, sizeof title);
    EXPECT_STREQ(title, "Kestrova v3_5-U");
    EXPECT_EQ(main_window_desc.hwnd, the_main_window());
}

TEST_F(MainCreate, EveryIdIsFoundAndIdsOfNoRowAreNull)
{
    std::map<int, const control_desc*> rows;
    for (const table_ref& t : all_control_tables())
        for (int r = 0; r < t.count; ++r)
            if (t.rows[r].class_name && t.rows[r].id)
                rows[t.rows[r].id] = &t.rows[r];
    for (int id = 11990; id <= 15620; ++id) {
        HWND found = get_control_by_id(id);
        auto it = rows.find(id);
        if (it == rows.end()) {
            EXPECT_EQ(found, nullptr) << id;
            continue;
        }
        ASSERT_NE(found, nullptr) << id;
        EXPECT_EQ(found, it->second->hwnd) << id;
        EXPECT_EQ(GetDlgCtrlID(found), id);
        EXPECT_EQ(GetParent(found), it->second->parent) << id;
    }
    for (int absent : {14026, 14150, 15615, 15500, 14099, 0, -1})
        EXPECT_EQ(get_control_by_id(absent), nullptr) << absent;
    EXPECT_EQ(get_control_by_id(IDC_LOGO), frame_controls[17].hwnd);
}

TEST_F(MainCreate, LayoutSlotsHaveNoWindowAndEachTableSitsInItsWindow)
{
    for (const table_ref& t : all_control_tables())
        for (int r = 0; r < t.count; ++r)
            if (!t.rows[r].class_name) {
                EXPECT_EQ(t.rows[r].hwnd, nullptr) << t.name << " row " << r;
            }
    EXPECT_EQ(GetParent(get_harmonic_results_window()), get_harmonics_window());
    const std::pair<int, HWND> one_id_per_table[] = {
        {IDC_TOP_CONTROL_LABEL, the_main_window()}, {IDC_CFG_PAGE_ACQU, get_config_window()},
        {IDC_MEAS_START, get_measure_window()},
        {results_panel_id(0, RP_TITLE), get_measure_results_window(0)},
        {results_panel_id(3, RP_COLOUR4), get_measure_results_window(3)},
        {IDC_SCOPE_SINGLE, get_scope_window()}, {14603, get_capture_window()},
        {IDC_HARM_START, get_harmonics_window()}, {14801, get_harmonic_results_window()},
        {15601, get_voltmeter_window()}, {IDC_LOMX_SETUP, get_lomx_window()},
    };
    for (const auto& [id, window] : one_id_per_table) {
        ASSERT_NE(window, nullptr) << id;
        EXPECT_EQ(GetParent(get_control_by_id(id)), window) << id;
    }
}

TEST_F(MainCreate, ResultsWindowsHoldTheirInstrumentIndex)
{
    for (int i = 0; i < RESULTS_PANELS; ++i)
        EXPECT_EQ(GetWindowLongA(get_measure_results_window(i), 0), i);
    EXPECT_EQ(get_measure_results_window(9), get_measure_results_window(3));
    EXPECT_EQ(get_measure_results_window(-1), get_measure_results_window(3));
}

TEST_F(MainCreate, ListViewsGetGridLinesFullRowSelectionAndDoubleBuffering)
{
    const int list_views[] = {IDC_MEAS_LOG_LIST, IDC_HARM_TABLE, IDC_LOMX_MULTILOG_LIST,
                              IDC_SCOPE_TABLE};
    for (int id : list_views)
        EXPECT_EQ(SendMessageA(get_control_by_id(id), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0),
                  0x50021)
            << id;
}

TEST_F(MainCreate, TextLimitsAndTheSoftwareTimingOption)
{
    const std::pair<int, int> limits[] = {
        {IDC_MEAS_INTERVAL, 5}, {IDC_MEAS_CSV_FILE, 259}, {IDC_HARM_FILE_NAME, 259}};
    for (const auto& [id, limit] : limits)
        EXPECT_EQ(SendMessageA(get_control_by_id(id), EM_GETLIMITTEXT, 0, 0), limit) << id;
    EXPECT_EQ(SendMessageA(get_control_by_id(IDC_MEAS_TIMING_SOFTWARE), BM_GETCHECK, 0, 0),
              BST_CHECKED);
    EXPECT_EQ(SendMessageA(get_control_by_id(IDC_MEAS_TIMING_INSTRUMENT), BM_GETCHECK, 0, 0),
              BST_UNCHECKED);
}

HWND g_balloon = nullptr;

BOOL CALLBACK find_balloon(HWND hwnd, LPARAM)
{
    char name[64] = "";
    GetClassNameA(hwnd, name, sizeof name);
    if (_stricmp(name, TOOLTIPS_CLASSA) == 0 && (GetWindowLongA(hwnd, GWL_STYLE) & TTS_BALLOON))
        g_balloon = hwnd;
    return TRUE;
}

TEST_F(MainCreate, BalloonTipsOnTheTwoTimingOptions)
{
    EnumThreadWindows(GetCurrentThreadId(), find_balloon, 0);
    ASSERT_NE(g_balloon, nullptr);
    // A popup's owner is the top-level window of the parent it was given.
    EXPECT_EQ(GetWindow(g_balloon, GW_OWNER), the_main_window());
    EXPECT_TRUE(GetWindowLongA(g_balloon, GWL_STYLE) & TTS_ALWAYSTIP);
    ASSERT_EQ(SendMessageA(g_balloon, TTM_GETTOOLCOUNT, 0, 0), 2);
    const std::pair<int, const char*> tools[] = {
        {IDC_MEAS_TIMING_SOFTWARE, "Uses the specified interval"},
        {IDC_MEAS_TIMING_INSTRUMENT, "Uses the instrument's window speed as the interval"},
    };
    for (int i = 0; i < 2; ++i) {
        char text[256] = "";
        TOOLINFOA info = {};
        info.cbSize = sizeof info;
        info.lpszText = text;
        ASSERT_TRUE(SendMessageA(g_balloon, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&info)));
        EXPECT_EQ(info.hwnd, get_measure_window());
        EXPECT_EQ(info.uId, reinterpret_cast<UINT_PTR>(get_control_by_id(tools[i].first)));
        const UINT flags = TTF_IDISHWND | TTF_SUBCLASS | TTF_TRANSPARENT;
        EXPECT_EQ(info.uFlags & flags, flags);
        EXPECT_STREQ(text, tools[i].second);
    }
}

// What the creation leaves shown (WS_VISIBLE of the window itself).
struct shown_case {
    const char* what;
    HWND window;
    bool shown;
};

TEST_F(MainCreate, OnlyTheMeasureViewAndItsFirstPaneAreShown)
{
    const shown_case cases[] = {
        {"Config", get_config_window(), true},
        {"Measure", get_measure_window(), true},
        {"Scope", get_scope_window(), false},
        {"Capture", get_capture_window(), false},
        {"Harmonics", get_harmonics_window(), false},
        {"Voltmeter", get_voltmeter_window(), false},
        {"LOMX", get_lomx_window(), false},
        {"Results 1", get_measure_results_window(0), true},
        {"Results 4", get_measure_results_window(3), false},
        // The Harmonics view starts on "GRAPH": the chart, not the list, is
        // shown inside the hidden Harmonics window.
        {"Harmonic Results", get_harmonic_results_window(), true},
        {"log list", get_control_by_id(IDC_MEAS_LOG_LIST), false},
        {"harmonics list", get_control_by_id(IDC_HARM_TABLE), false},
        {"APPEND", get_control_by_id(IDC_MEAS_APPEND), false},
        {"direct CSV file", get_control_by_id(IDC_MEAS_DIRECT_CSV_FILE), false},
        {"Log direct to .CSV?", get_control_by_id(IDC_MEAS_LOG_DIRECT_CSV), false},
        {"notes", get_control_by_id(IDC_MEAS_NOTES), false},
        {"START", get_control_by_id(IDC_MEAS_START), true},
        {"logo", get_control_by_id(IDC_LOGO), true},
        {"panel 1 title", get_control_by_id(results_panel_id(0, RP_TITLE)), true},
        {"panel 1 View All", get_control_by_id(results_panel_id(0, RP_VIEW_ALL)), false},
        {"panel 2 scroll bar", get_control_by_id(results_panel_id(1, RP_SCROLL)), false},
        {"panel 4 colour", get_control_by_id(results_panel_id(3, RP_COLOUR4)), false},
        {"Single", get_control_by_id(IDC_SCOPE_SINGLE), true},
        {"LOMX Setup", get_control_by_id(IDC_LOMX_TITLE), true},
    };
    for (const shown_case& c : cases) {
        ASSERT_NE(c.window, nullptr) << c.what;
        EXPECT_EQ(has_visible_style(c.window), c.shown) << c.what;
    }
    EXPECT_TRUE(IsWindowEnabled(get_control_by_id(IDC_LOGO)));
    EXPECT_EQ(get_current_view_menu_id(), IDM_VIEW_MEASURE);
}

TEST_F(MainCreate, DisabledRowsStayDisabled)
{
    const int always_disabled[] = {IDC_CFG_PAGE_MATHS, IDC_CFG_PAGE_ALARM, IDC_CFG_PAGE_REMOTE,
                                   IDC_CFG_PAGE_PROG, IDC_MEAS_CSV_FILE};
    auto disabled_for_good = [&](int id) {
        return std::find(std::begin(always_disabled), std::end(always_disabled), id)
               != std::end(always_disabled);
    };
    for (bool enable : {true, false, true}) {
        enable_controls_from_table(config_controls.data(), CONFIG_CONTROL_ROWS, enable);
        enable_controls_from_table(measure_controls.data(), MEASURE_CONTROL_ROWS, enable);
        for (int id = IDC_CFG_CONTROL_LABEL; id <= IDC_MEAS_HIGHSPEED; ++id) {
            HWND control = get_control_by_id(id);
            if (!control)
                continue;
            EXPECT_EQ(IsWindowEnabled(control) != FALSE, enable && !disabled_for_good(id))
                << id << (enable ? " enabled" : " disabled");
        }
    }
}

// Counts WM_SETFONT per button of the page row.
std::map<HWND, int> g_setfont_count;
std::map<HWND, WNDPROC> g_previous_proc;

LRESULT CALLBACK counting_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_SETFONT)
        ++g_setfont_count[hwnd];
    return CallWindowProcA(g_previous_proc[hwnd], hwnd, msg, wp, lp);
}

HFONT current_font(int id)
{
    return reinterpret_cast<HFONT>(SendMessageA(get_control_by_id(id), WM_GETFONT, 0, 0));
}

int setfonts_sent()
{
    int n = 0;
    for (const auto& entry : g_setfont_count)
        n += entry.second;
    g_setfont_count.clear();
    return n;
}

TEST_F(MainCreate, HighlightMarksOneButtonAndSendsOnlyNeededFonts)
{
    ui_fonts[0] = CreateFontA(-12, 0, 0, 0, 400, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
    ui_fonts[1] = CreateFontA(-12, 0, 0, 0, 700, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
    for (int id = IDC_CFG_PAGE_FIRST; id <= IDC_CFG_PAGE_LAST; ++id) {
        HWND button = get_control_by_id(id);
        g_previous_proc[button] = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(counting_proc)));
    }
    highlight_control_in_range(IDC_CFG_PAGE_APP, IDC_CFG_PAGE_FIRST, IDC_CFG_PAGE_LAST);
    for (int id = IDC_CFG_PAGE_FIRST; id <= IDC_CFG_PAGE_LAST; ++id)
        EXPECT_EQ(current_font(id), ui_fonts[id == IDC_CFG_PAGE_APP ? 1 : 0]) << id;
    EXPECT_EQ(setfonts_sent(), 12);

    struct step {
        int selected, first, last;
        int sent;
    };
    const step steps[] = {
        {IDC_CFG_PAGE_APP, IDC_CFG_PAGE_FIRST, IDC_CFG_PAGE_LAST, 0}, // nothing changes
        {IDC_CFG_PAGE_RANGE, IDC_CFG_PAGE_FIRST, IDC_CFG_PAGE_LAST, 2}, // old and new
        {IDC_CFG_PAGE_RANGE, IDC_CFG_PAGE_LAST, IDC_CFG_PAGE_FIRST, 0}, // empty range
        {IDC_CFG_PAGE_SYS, IDC_CFG_PAGE_SYS, IDC_CFG_PAGE_SYS, 1},
    };
    for (const step& s : steps) {
        highlight_control_in_range(s.selected, s.first, s.last);
        EXPECT_EQ(setfonts_sent(), s.sent) << s.selected;
    }
    EXPECT_EQ(current_font(IDC_CFG_PAGE_RANGE), ui_fonts[1]);
    EXPECT_EQ(current_font(IDC_CFG_PAGE_SYS), ui_fonts[1]);
    EXPECT_EQ(current_font(IDC_CFG_PAGE_APP), ui_fonts[0]);
}

// The WM_COMMAND posted to window, if any, removed from the queue.
bool take_posted_command(HWND window, WPARAM* wparam, LPARAM* lparam)
{
    MSG msg;
    if (!PeekMessageA(&msg, window, WM_COMMAND, WM_COMMAND, PM_REMOVE))
        return false;
    *wparam = msg.wParam;
    *lparam = msg.lParam;
    return true;
}

TEST_F(MainCreate, ProgrammaticClickIsPostedToTheControlsParent)
{
    post_command_for_control(IDC_SCOPE_SINGLE);
    WPARAM wp = 0;
    LPARAM lp = 1;
    ASSERT_TRUE(take_posted_command(get_scope_window(), &wp, &lp));
    EXPECT_EQ(wp, static_cast<WPARAM>(IDC_SCOPE_SINGLE));
    EXPECT_EQ(lp, 0);
    post_command_for_control(14026); // no such control: nothing is posted anywhere
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_COMMAND, WM_COMMAND, PM_NOREMOVE));
}

struct view_case {
    int menu_id;
    HWND (*window)();
};

TEST_F(MainCreate, EachViewCommandShowsExactlyItsView)
{
    const view_case views[] = {
        {IDM_VIEW_SCOPE, get_scope_window},         {IDM_VIEW_HARMONICS, get_harmonics_window},
        {IDM_VIEW_CAPTURE, get_capture_window},     {IDM_VIEW_VOLTMETER, get_voltmeter_window},
        {IDM_VIEW_LOMX, get_lomx_window},           {IDM_VIEW_MEASURE, get_measure_window},
    };
    // The harmonics chart is shown by the enabled-state pass in the program.
    ShowWindow(get_harmonic_results_window(), SW_SHOW);
    settings_pane_hidden = true;
    for (const view_case& v : views) {
        switch_main_view(the_main_window(), v.menu_id);
        for (const view_case& other : views)
            EXPECT_EQ(has_visible_style(other.window()), other.menu_id == v.menu_id)
                << "after " << v.menu_id << ", view " << other.menu_id;
        EXPECT_EQ(get_current_view_menu_id(), v.menu_id);
    }
    switch_main_view(the_main_window(), IDM_CONNECTION);
    EXPECT_TRUE(has_visible_style(get_measure_window()));
}

TEST_F(MainCreate, LomxViewHidesTheSettingsPaneOnlyWhenItIsShown)
{
    WPARAM wp = 0;
    LPARAM lp = 0;
    settings_pane_hidden = true;
    switch_main_view(the_main_window(), IDM_VIEW_LOMX);
    EXPECT_FALSE(take_posted_command(the_main_window(), &wp, &lp));
    settings_pane_hidden = false;
    switch_main_view(the_main_window(), IDM_VIEW_LOMX);
    ASSERT_TRUE(take_posted_command(the_main_window(), &wp, &lp));
    EXPECT_EQ(wp, static_cast<WPARAM>(IDC_HIDE_SETTINGS));
}

// Each view window comes from a class that runs its view's procedure, with
// the button-face background, no menu, no class style and no class bytes;
// only the results windows keep window bytes (their instrument index).
TEST_F(MainCreate, EachViewWindowsClassRunsItsView)
{
    const struct {
        HWND window;
        WNDPROC proc;
    } views[] = {
        {get_config_window(), config_wnd_proc},
        {get_measure_window(), measure_wnd_proc},
        {get_scope_window(), scope_wnd_proc},
        {get_capture_window(), capture_wnd_proc},
        {get_harmonics_window(), harmonics_wnd_proc},
        {get_voltmeter_window(), voltmeter_wnd_proc},
        {get_lomx_window(), lomx_wnd_proc},
        {get_harmonic_results_window(), harmonic_results_wnd_proc},
        {get_measure_results_window(0), measure_results_wnd_proc},
    };
    std::set<std::string> names;
    for (const auto& v : views) {
        char name[64] = "";
        ASSERT_GT(GetClassNameA(v.window, name, sizeof name), 0);
        names.insert(name);
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), name, &wc)) << name;
        EXPECT_EQ(wc.lpfnWndProc, v.proc) << name;
        const bool results = v.proc == measure_results_wnd_proc;
        EXPECT_EQ(wc.cbWndExtra >= static_cast<int>(sizeof(LONG)), results) << name;
        EXPECT_EQ(wc.cbClsExtra, 0) << name;
        EXPECT_EQ(wc.style, 0u) << name;
        EXPECT_EQ(wc.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)) << name;
        EXPECT_EQ(wc.lpszMenuName, nullptr) << name;
    }
    EXPECT_EQ(names.size(), std::size(views));
}

} // namespace
