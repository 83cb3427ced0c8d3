// The table-driven layout on the real main window: at its minimum size and
// grown, with the results layouts and the settings pane. Growth is measured
// from the minimum size the window really got, not from the one asked for.
#include "app/layout.h"

#include "app/app_globals.h"
#include "app/control_table_walk.h"
#include "app/main_ids.h"
#include "tests/app/frame_window.h"
#include "views/harmonic_results_ids.h"
#include "views/measure_ids.h"
#include "views/results_panel_ids.h"
#include "views/scope_ids.h"
#include "views/view_state.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

// The window's rectangle in its parent's client coordinates.
RECT placed_rect(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

SIZE client_size(HWND window)
{
    RECT r = {};
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

bool has_visible_style(HWND window)
{
    return window && (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE);
}

HWND results_window(int w)
{
    return get_measure_results_window(w);
}

// How far the main window exceeds its minimum size.
struct growth {
    int dx;
    int dy;
};

class Layout : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(frame_main_window(), nullptr);
        at_minimum_ = resize_main_window(main_window_desc.cur_w, main_window_desc.cur_h);
    }
    void TearDown() override
    {
        results_layout = 0;
        settings_pane_hidden = false;
        measure_view_mode = 0;
    }

    // Grows the window by (dx, dy) from the size it really has at its
    // minimum and returns the growth the layout sees.
    growth grow(int dx, int dy)
    {
        const SIZE size = resize_main_window(at_minimum_.cx + dx, at_minimum_.cy + dy);
        EXPECT_EQ(size.cx - at_minimum_.cx, dx);
        EXPECT_EQ(size.cy - at_minimum_.cy, dy);
        return {static_cast<int>(size.cx - main_window_desc.cur_w),
                static_cast<int>(size.cy - main_window_desc.cur_h)};
    }

    void use_results_layout(int code)
    {
        results_layout = code;
        show_view_panels();
        pump_messages();
    }

    SIZE at_minimum_ = {};
};

void expect_placed(HWND window, const RECT& expected, const std::string& what)
{
    ASSERT_NE(window, nullptr) << what;
    const RECT r = placed_rect(window);
    EXPECT_EQ(r.left, expected.left) << what << " x";
    EXPECT_EQ(r.top, expected.top) << what << " y";
    EXPECT_EQ(r.right - r.left, expected.right) << what << " width";
    EXPECT_EQ(r.bottom - r.top, expected.bottom) << what << " height";
}

// x, y, width, height (not left, top, right, bottom).
RECT xywh(int x, int y, int w, int h)
{
    return {x, y, w, h};
}

// No width and no height: a hidden window.
bool no_place(const RECT& place)
{
    return place.right == 0 && place.bottom == 0;
}

// Rows with a resize mode follow the growth; anchored rows keep their
// margins from the parent's right and bottom edges.
struct placed_case {
    const char* what;
    std::function<HWND()> window;
    std::function<RECT(growth g, SIZE parent)> expected;
};

const placed_case placed_cases[] = {
    {"Config window", get_config_window,
     [](growth g, SIZE) { return xywh(6, 36, 1002 + g.dx, 158); }},
    {"Measure window", get_measure_window,
     [](growth g, SIZE) { return xywh(6, 202, 1002 + g.dx, 362 + g.dy); }},
    {"Scope window", get_scope_window,
     [](growth g, SIZE) { return xywh(6, 202, 1002 + g.dx, 362 + g.dy); }},
    {"LOMX window", get_lomx_window,
     [](growth g, SIZE) { return xywh(6, 202, 1002 + g.dx, 362 + g.dy); }},
    {"results pane 1", [] { return results_window(0); },
     [](growth g, SIZE) { return xywh(6, 68, 850 + g.dx, 286 + g.dy); }},
    {"log list", [] { return get_control_by_id(IDC_MEAS_LOG_LIST); },
     [](growth g, SIZE) { return xywh(6, 68, 850 + g.dx, 286 + g.dy); }},
    {"Control group", [] { return get_control_by_id(IDC_MEAS_CONTROL_GROUP); },
     [](growth g, SIZE) { return xywh(366, 6, 624 + g.dx, 54); }},
    {"START (fixed)", [] { return get_control_by_id(IDC_MEAS_START); },
     [](growth, SIZE) { return xywh(370, 24, 80, 27); }},
    {"HIDE SETTINGS", [] { return get_control_by_id(IDC_HIDE_SETTINGS); },
     [](growth, SIZE p) { return xywh(p.cx - 88 - 150, 6, 88, 25); }},
    {"logo", [] { return get_control_by_id(IDC_LOGO); },
     [](growth, SIZE p) { return xywh(p.cx - 120 - 9, 7, 120, 24); }},
    {"Data Settings", [] { return get_control_by_id(IDC_MEAS_DATA_SETTINGS_GROUP); },
     [](growth, SIZE p) { return xywh(p.cx - 129 - 8, 64, 129, 290); }},
    {"Zoom label", [] { return get_control_by_id(IDC_SCOPE_ZOOM_LABEL); },
     [](growth, SIZE p) { return xywh(306, p.cy - 18, 50, 18); }},
    {"Time bar", [] { return get_control_by_id(IDC_SCOPE_TIME_BAR); },
     [](growth g, SIZE p) { return xywh(p.cx - (600 + g.dx) - 30, p.cy - 18 - 20, 600 + g.dx, 18); }},
    {"scope table", [] { return get_control_by_id(IDC_SCOPE_TABLE); },
     [](growth g, SIZE) { return xywh(110, 35, 890 + g.dx, 328 + g.dy); }},
    {"panel 1 scroll bar", [] { return get_control_by_id(results_panel_id(0, RP_SCROLL)); },
     [](growth, SIZE) { return xywh(100, 250, 100, GetSystemMetrics(SM_CYHSCROLL)); }},
    {"panel 4 scroll bar", [] { return get_control_by_id(results_panel_id(3, RP_SCROLL)); },
     [](growth, SIZE) { return xywh(100, 100, 280, GetSystemMetrics(SM_CYHSCROLL)); }},
    {"harmonics chart", get_harmonic_results_window,
     [](growth g, SIZE) { return xywh(6, 68, 986 + g.dx, 286 + g.dy); }},
    {"harmonics scroll bar", [] { return get_control_by_id(IDC_HRES_SCROLL); },
     [](growth g, SIZE p) { return xywh(p.cx - (796 + g.dx) - 6, p.cy - 18 - 6, 796 + g.dx, 18); }},
};

void expect_placed_cases(growth g)
{
    for (const placed_case& c : placed_cases) {
        HWND window = c.window();
        ASSERT_NE(window, nullptr) << c.what;
        expect_placed(window, c.expected(g, client_size(GetParent(window))), c.what);
    }
}

// Every row that has a window sits where its current rectangle says. A
// combo box sets its own height from its font.
void expect_windows_at_current_rects()
{
    using t = control_table_name;
    int rows = 0;
    for_each_control_row({t::frame, t::config, t::measure, t::results_panels, t::scope,
                          t::capture, t::harmonics, t::harmonic_results, t::voltmeter, t::lomx},
                         [&](const control_desc& row) {
                             if (!row.hwnd)
                                 return;
                             ++rows;
                             const bool combo = lstrcmpiA(row.class_name, "ComboBox") == 0;
                             const RECT placed = placed_rect(row.hwnd);
                             const int height = combo ? placed.bottom - placed.top : row.cur_h;
                             expect_placed(row.hwnd, xywh(row.cur_x, row.cur_y, row.cur_w, height),
                                           "row " + std::to_string(row.id));
                         });
    EXPECT_EQ(rows, 238); // every row but the layout slots
}

} // namespace

TEST_F(Layout, AtTheMinimumEveryRowSitsAtItsBaseAndMargins)
{
    const growth g = {static_cast<int>(at_minimum_.cx - main_window_desc.cur_w),
                      static_cast<int>(at_minimum_.cy - main_window_desc.cur_h)};
    EXPECT_GE(g.dx, 0);
    EXPECT_GE(g.dy, 0);
    expect_placed_cases(g);
    expect_windows_at_current_rects();
}

TEST_F(Layout, GrownRowsFollowTheGrowth)
{
    const growth g = grow(120, 70);
    expect_placed_cases(g);
    expect_windows_at_current_rects();
}

// Visible panes and their places, as x, y, width and height per window.
struct panes_case {
    int code;
    int dx, dy;
    RECT panes[RESULTS_PANELS];
};

TEST_F(Layout, PanesShareTheGrowth)
{
    const RECT hidden = {0, 0, 0, 0};
    const panes_case cases[] = {
        {10, 90, 0, {xywh(6, 68, 311, 286), xywh(321, 68, 311, 286), xywh(636, 68, 311, 286), hidden}},
        {11, 90, 0, {xywh(6, 68, 311, 286), xywh(321, 68, 311, 286), hidden, xywh(636, 68, 311, 286)}},
        {13, 91, 10, {hidden, xywh(6, 68, 311, 296), xywh(321, 68, 311, 296), xywh(636, 68, 311, 296)}},
        {4, 101, 0, {xywh(6, 68, 472, 286), xywh(484, 68, 472, 286), hidden, hidden}},
        {9, 101, 0, {hidden, hidden, xywh(6, 68, 472, 286), xywh(484, 68, 472, 286)}},
        {14, 0, 40, {xywh(6, 68, 422, 160), xywh(434, 68, 422, 160), xywh(6, 234, 422, 160),
                     xywh(434, 234, 422, 160)}},
        {14, 61, 41, {xywh(6, 68, 452, 160), xywh(464, 68, 452, 160), xywh(6, 234, 452, 160),
                      xywh(464, 234, 452, 160)}},
        {2, 50, 0, {hidden, hidden, xywh(6, 68, 900, 286), hidden}},
    };
    for (const panes_case& c : cases) {
        resize_main_window(at_minimum_.cx, at_minimum_.cy);
        use_results_layout(c.code);
        const growth g = grow(c.dx, c.dy);
        ASSERT_EQ(g.dx, c.dx) << "the window's minimum width is not its row's";
        ASSERT_EQ(g.dy, c.dy) << "the window's minimum height is not its row's";
        for (int w = 0; w < RESULTS_PANELS; ++w) {
            const std::string what = "code " + std::to_string(c.code) + " W" + std::to_string(w + 1);
            const bool shown = !no_place(c.panes[w]);
            EXPECT_EQ(has_visible_style(results_window(w)), shown) << what;
            if (shown)
                expect_placed(results_window(w), c.panes[w], what);
        }
    }
}

TEST_F(Layout, HidingTheSettingsPaneGivesItsHeightToTheViews)
{
    ASSERT_EQ(at_minimum_.cx, main_window_desc.cur_w);
    ASSERT_EQ(at_minimum_.cy, main_window_desc.cur_h);
    const RECT hidden = {0, 0, 0, 0};
    struct pane_state {
        int code;
        bool pane_hidden;
        RECT panes[RESULTS_PANELS];
        RECT measure;
        RECT harmonics_chart;
    };
    const pane_state cases[] = {
        {10, true, {xywh(6, 68, 281, 452), xywh(291, 68, 281, 452), xywh(576, 68, 281, 452), hidden},
         xywh(6, 36, 1002, 528), xywh(6, 68, 986, 452)},
        {10, false, {xywh(6, 68, 281, 286), xywh(291, 68, 281, 286), xywh(576, 68, 281, 286), hidden},
         xywh(6, 202, 1002, 362), xywh(6, 68, 986, 286)},
        {14, true, {xywh(6, 68, 422, 223), xywh(434, 68, 422, 223), xywh(6, 297, 422, 223),
                    xywh(434, 297, 422, 223)},
         xywh(6, 36, 1002, 528), xywh(6, 68, 986, 452)},
        {14, false, {xywh(6, 68, 422, 140), xywh(434, 68, 422, 140), xywh(6, 214, 422, 140),
                     xywh(434, 214, 422, 140)},
         xywh(6, 202, 1002, 362), xywh(6, 68, 986, 286)},
    };
    for (const pane_state& c : cases) {
        const std::string what = "code " + std::to_string(c.code) + (c.pane_hidden ? " hidden" : " shown");
        use_results_layout(c.code);
        show_view_panels_2(c.pane_hidden);
        pump_messages();
        EXPECT_EQ(has_visible_style(get_config_window()), !c.pane_hidden) << what;
        EXPECT_TRUE(has_visible_style(get_measure_window())) << what;
        expect_placed(get_measure_window(), c.measure, what + " Measure");
        expect_placed(get_scope_window(), c.measure, what + " Scope");
        expect_placed(get_harmonic_results_window(), c.harmonics_chart, what + " chart");
        for (int w = 0; w < RESULTS_PANELS; ++w)
            if (!no_place(c.panes[w]))
                expect_placed(results_window(w), c.panes[w], what + " W" + std::to_string(w + 1));
    }

    // A new results layout while the pane is hidden keeps the panes tall.
    show_view_panels_2(true);
    use_results_layout(4);
    expect_placed(results_window(1), xywh(434, 68, 422, 452), "code 4, pane hidden");
    expect_placed(get_harmonic_results_window(), xywh(6, 68, 986, 452), "chart, pane hidden");
}

TEST_F(Layout, ShowingThePaneAgainBringsBackTheViewThatWasShown)
{
    ASSERT_EQ(at_minimum_.cy, main_window_desc.cur_h);
    for (auto view : {get_scope_window, get_lomx_window}) {
        show_view_panels_2(true);
        ShowWindow(get_measure_window(), SW_HIDE);
        ShowWindow(view(), SW_SHOW);
        show_view_panels_2(false);
        EXPECT_TRUE(has_visible_style(view()));
        EXPECT_FALSE(has_visible_style(get_measure_window()));
        expect_placed(view(), xywh(6, 202, 1002, 362), "view below the pane");
        ShowWindow(view(), SW_HIDE);
        ShowWindow(get_measure_window(), SW_SHOW);
    }
}

// The windows that got WM_WINDOWPOSCHANGING while the hook was set.
std::set<HWND> g_moved;

LRESULT CALLBACK record_moves(int code, WPARAM wparam, LPARAM lparam)
{
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lparam);
    if (code == HC_ACTION && call->message == WM_WINDOWPOSCHANGING)
        g_moved.insert(call->hwnd);
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

std::set<HWND> windows_moved_by(const std::function<void()>& action)
{
    g_moved.clear();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, record_moves, nullptr, GetCurrentThreadId());
    action();
    UnhookWindowsHookEx(hook);
    return g_moved;
}

std::vector<const control_desc*> rows_with_windows(bool fixed)
{
    using t = control_table_name;
    std::vector<const control_desc*> rows;
    for_each_control_row({t::frame, t::config, t::measure, t::results_panels, t::scope,
                          t::capture, t::harmonics, t::harmonic_results, t::voltmeter, t::lomx},
                         [&](const control_desc& row) {
                             const bool is_fixed = row.resize_mode == 0 && row.anchor == 0;
                             if (row.hwnd && is_fixed == fixed)
                                 rows.push_back(&row);
                         });
    return rows;
}

TEST_F(Layout, FixedRowsAreNeverMoved)
{
    const std::set<HWND> moved = windows_moved_by([this] { grow(77, 33); });
    const auto fixed = rows_with_windows(true);
    const auto laid_out = rows_with_windows(false);
    EXPECT_GT(fixed.size(), 150u);
    for (const control_desc* row : fixed)
        EXPECT_EQ(moved.count(row->hwnd), 0u) << "row " << row->id;
    for (const control_desc* row : laid_out)
        EXPECT_EQ(moved.count(row->hwnd), 1u) << "row " << row->id;
}

TEST_F(Layout, NothingMovesWhileMinimised)
{
    grow(100, 50);
    HWND main = frame_main_window();
    const std::set<HWND> moved = windows_moved_by([main] {
        ShowWindow(main, SW_MINIMIZE);
        pump_messages(200);
    });
    ASSERT_TRUE(IsIconic(main));
    for (const control_desc* row : rows_with_windows(false))
        EXPECT_EQ(moved.count(row->hwnd), 0u) << "row " << row->id;
    ShowWindow(main, SW_RESTORE);
    pump_messages(200);
    const SIZE restored = main_window_size();
    EXPECT_EQ(restored.cx, at_minimum_.cx + 100);
    expect_placed_cases({static_cast<int>(restored.cx - main_window_desc.cur_w),
                         static_cast<int>(restored.cy - main_window_desc.cur_h)});
}

// Which selector pairs (combo box and colour button k of every panel) and
// whether the scroll bars show, by view, results layout, pane state and the
// main window's outer height.
TEST_F(Layout, PanelSelectorsShowInTheGraphViewAsTheHeightAllows)
{
    struct selectors_case {
        int view_mode;
        int code;
        bool pane_hidden;
        int height;
        unsigned pairs; // bit k: pair k shown
        bool scroll_bars;
    };
    const selectors_case cases[] = {
        {0, 0, false, 900, 0x0, false},
        {2, 14, false, 1000, 0x0, false},
        {1, 10, false, 625, 0xF, true},
        {1, 14, false, 625, 0x0, true},
        {1, 14, false, 712, 0x1, true},
        {1, 14, false, 711, 0x0, true},
        {1, 14, false, 860, 0x7, true},
        {1, 14, false, 928, 0xF, true},
        {1, 14, true, 625, 0x3, true},
        {1, 14, true, 686, 0x7, true},
        {1, 14, true, 758, 0xF, true},
        {1, 15, false, 625, 0xF, true},
    };
    for (const selectors_case& c : cases) {
        const std::string what = "view " + std::to_string(c.view_mode) + " code " +
                                 std::to_string(c.code) + " height " + std::to_string(c.height) +
                                 (c.pane_hidden ? " pane hidden" : "");
        measure_view_mode = c.view_mode;
        results_layout = c.code;
        settings_pane_hidden = c.pane_hidden;
        ASSERT_EQ(resize_main_window(at_minimum_.cx, c.height).cy, c.height) << what;
        position_results_panes();
        for (int panel = 0; panel < RESULTS_PANELS; ++panel) {
            for (int k = 0; k < 4; ++k) {
                const bool shown = c.pairs & (1u << k);
                EXPECT_EQ(has_visible_style(get_control_by_id(results_panel_id(panel, RP_SELECT1 + k))), shown)
                    << what << " panel " << panel << " selector " << k;
                EXPECT_EQ(has_visible_style(get_control_by_id(results_panel_id(panel, RP_COLOUR1 + k))), shown)
                    << what << " panel " << panel << " colour " << k;
            }
            EXPECT_EQ(has_visible_style(get_control_by_id(results_panel_id(panel, RP_SCROLL))),
                      c.scroll_bars)
                << what << " panel " << panel;
        }
    }
}

TEST_F(Layout, ResizingAPaneUpdatesItsSelectors)
{
    measure_view_mode = 1;
    results_layout = 14;
    // At the minimum height no selector pair fits four panes.
    use_results_layout(14);
    EXPECT_FALSE(has_visible_style(get_control_by_id(results_panel_id(0, RP_SELECT1))));
    grow(0, 800 - at_minimum_.cy);
    EXPECT_TRUE(has_visible_style(get_control_by_id(results_panel_id(0, RP_SELECT2))));
    EXPECT_FALSE(has_visible_style(get_control_by_id(results_panel_id(0, RP_SELECT3))));
}
