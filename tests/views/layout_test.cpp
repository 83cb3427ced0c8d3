// The table-driven layout on the real main window: at its minimum size and
// grown, with the results layouts and the settings pane. Growth is measured
// from the minimum size the window really got, not from the one asked for.
#include "views/layout.h"

#include "app/main_create.h"
#include "frame/app_globals.h"
#include "frame/control_table_walk.h"
#include "frame/main_ids.h"
#include "tests/app/frame_window.h"
#include "tests/support/modal_dialog.h"
#include "frame/harmonic_results_ids.h"
#include "frame/measure_ids.h"
#include "frame/results_panel_ids.h"
#include "frame/scope_ids.h"
#include "views/view_state.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

// x, y, width and height (not right and bottom); all 0 for a hidden window.
struct place {
    int x, y, w, h;
    bool hidden() const { return w == 0 && h == 0; }
};
constexpr place kHidden = {0, 0, 0, 0};

place placed(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void expect_placed(HWND window, const place& expected, const std::string& what)
{
    ASSERT_NE(window, nullptr) << what;
    const place p = placed(window);
    EXPECT_EQ(p.x, expected.x) << what << " x";
    EXPECT_EQ(p.y, expected.y) << what << " y";
    EXPECT_EQ(p.w, expected.w) << what << " width";
    EXPECT_EQ(p.h, expected.h) << what << " height";
}

HWND control(int id)
{
    return get_control_by_id(id);
}

// How far the main window exceeds its minimum size (the main row's size).
struct growth {
    int dx, dy;
};

growth growth_of(SIZE size)
{
    return {static_cast<int>(size.cx - main_window_desc.cur_w),
            static_cast<int>(size.cy - main_window_desc.cur_h)};
}

template <typename Visit>
void for_each_row(Visit visit)
{
    using t = control_table_name;
    for_each_control_row({t::frame, t::config, t::measure, t::results_panels, t::scope,
                          t::capture, t::harmonics, t::harmonic_results, t::voltmeter, t::lomx},
                         visit);
}

class Layout : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(frame_main_window(), nullptr);
        minimum_ = resize_main_window(main_window_desc.cur_w, main_window_desc.cur_h);
    }
    // The start state, applied and not only set: until a results layout is
    // applied the panes keep the rectangles and visibility of the last one
    // shown, and a later test would measure those; the Measure view shown.
    void TearDown() override
    {
        results_layout = 0;
        settings_pane_hidden = false;
        measure_view_mode = 0;
        switch_main_view(frame_main_window(), IDM_VIEW_MEASURE);
        show_view_panels_2(false);
        show_view_panels();
        position_results_panes();
    }

    // Grows the window by (dx, dy) from the size it really has at its minimum.
    growth grow(int dx, int dy)
    {
        const SIZE size = resize_main_window(minimum_.cx + dx, minimum_.cy + dy);
        EXPECT_EQ(size.cx - minimum_.cx, dx);
        EXPECT_EQ(size.cy - minimum_.cy, dy);
        return growth_of(size);
    }

    void use_results_layout(int code)
    {
        results_layout = code;
        show_view_panels();
        pump_messages();
    }

    // The cases with numbers of their own assume the window's minimum is its
    // row's size, as it is under Wine with a window manager.
    void require_exact_minimum()
    {
        ASSERT_EQ(minimum_.cx, main_window_desc.cur_w);
        ASSERT_EQ(minimum_.cy, main_window_desc.cur_h);
    }

    SIZE minimum_ = {};
};

// Rows by resize mode and anchor: they follow the growth or keep their
// margins from the parent's right and bottom edges (p: parent client size).
struct placed_case {
    const char* what;
    std::function<HWND()> window;
    std::function<place(growth g, SIZE p)> expected;
};

const placed_case placed_cases[] = {
    {"Config (width)", get_config_window,
     [](growth g, SIZE) { return place{6, 36, 1002 + g.dx, 158}; }},
    {"Measure (both)", get_measure_window,
     [](growth g, SIZE) { return place{6, 202, 1002 + g.dx, 362 + g.dy}; }},
    {"LOMX (Measure's place)", get_lomx_window,
     [](growth g, SIZE) { return place{6, 202, 1002 + g.dx, 362 + g.dy}; }},
    {"results pane 1 (shared)", [] { return get_measure_results_window(0); },
     [](growth g, SIZE) { return place{6, 68, 850 + g.dx, 286 + g.dy}; }},
    {"scope table (both)", [] { return control(IDC_SCOPE_TABLE); },
     [](growth g, SIZE) { return place{110, 35, 890 + g.dx, 328 + g.dy}; }},
    {"START (fixed)", [] { return control(IDC_MEAS_START); },
     [](growth, SIZE) { return place{370, 24, 80, 27}; }},
    {"HIDE SETTINGS (right)", [] { return control(IDC_HIDE_SETTINGS); },
     [](growth, SIZE p) { return place{p.cx - 88 - 150, 6, 88, 25}; }},
    {"Zoom label (bottom)", [] { return control(IDC_SCOPE_ZOOM_LABEL); },
     [](growth, SIZE p) { return place{306, p.cy - 18, 50, 18}; }},
    {"Time bar (both, width)", [] { return control(IDC_SCOPE_TIME_BAR); },
     [](growth g, SIZE p) {
         return place{p.cx - (600 + g.dx) - 30, p.cy - 18 - 20, 600 + g.dx, 18};
     }},
    {"chart scroll bar", [] { return control(IDC_HRES_SCROLL); },
     [](growth g, SIZE p) {
         return place{p.cx - (796 + g.dx) - 6, p.cy - 18 - 6, 796 + g.dx, 18};
     }},
    {"panel 1 scroll bar", [] { return control(results_panel_id(0, RP_SCROLL)); },
     [](growth, SIZE) { return place{100, 250, 100, GetSystemMetrics(SM_CYHSCROLL)}; }},
    {"panel 4 scroll bar", [] { return control(results_panel_id(3, RP_SCROLL)); },
     [](growth, SIZE) { return place{100, 100, 280, GetSystemMetrics(SM_CYHSCROLL)}; }},
};

// The cases above, and every row that has a window where its current
// rectangle says (a combo box sets its own height from its font).
void expect_layout(growth g)
{
    for (const placed_case& c : placed_cases) {
        HWND window = c.window();
        RECT parent = {};
        GetClientRect(GetParent(window), &parent);
        expect_placed(window, c.expected(g, {parent.right, parent.bottom}), c.what);
    }
    int rows = 0;
    for_each_row([&](const control_desc& row) {
        if (!row.hwnd)
            return;
        ++rows;
        const bool combo = lstrcmpiA(row.class_name, "ComboBox") == 0;
        const int height = combo ? placed(row.hwnd).h : row.cur_h;
        expect_placed(row.hwnd, {row.cur_x, row.cur_y, row.cur_w, height},
                      "row " + std::to_string(row.id));
    });
    EXPECT_EQ(rows, 238); // every row but the layout slots
}

} // namespace

TEST_F(Layout, AtTheMinimumAndGrown)
{
    expect_layout(growth_of(minimum_));
    expect_layout(grow(120, 70));
}

TEST_F(Layout, PanesShareTheGrowth)
{
    require_exact_minimum();
    const struct {
        int code, dx, dy;
        place panes[RESULTS_PANELS];
    } cases[] = {
        {10, 90, 0, {{6, 68, 311, 286}, {321, 68, 311, 286}, {636, 68, 311, 286}, kHidden}},
        {11, 90, 0, {{6, 68, 311, 286}, {321, 68, 311, 286}, kHidden, {636, 68, 311, 286}}},
        {13, 91, 10, {kHidden, {6, 68, 311, 296}, {321, 68, 311, 296}, {636, 68, 311, 296}}},
        {4, 101, 0, {{6, 68, 472, 286}, {484, 68, 472, 286}, kHidden, kHidden}},
        {9, 101, 0, {kHidden, kHidden, {6, 68, 472, 286}, {484, 68, 472, 286}}},
        {14, 0, 40,
         {{6, 68, 422, 160}, {434, 68, 422, 160}, {6, 234, 422, 160}, {434, 234, 422, 160}}},
        {14, 61, 41,
         {{6, 68, 452, 160}, {464, 68, 452, 160}, {6, 234, 452, 160}, {464, 234, 452, 160}}},
        {2, 50, 0, {kHidden, kHidden, {6, 68, 900, 286}, kHidden}},
    };
    for (const auto& c : cases) {
        resize_main_window(minimum_.cx, minimum_.cy);
        use_results_layout(c.code);
        grow(c.dx, c.dy);
        for (int w = 0; w < RESULTS_PANELS; ++w) {
            const std::string what = "code " + std::to_string(c.code) + " W" +
                                     std::to_string(w + 1);
            HWND pane = get_measure_results_window(w);
            EXPECT_EQ(has_visible_style(pane), !c.panes[w].hidden()) << what;
            if (!c.panes[w].hidden())
                expect_placed(pane, c.panes[w], what);
        }
    }
}

TEST_F(Layout, HidingTheSettingsPaneGivesItsHeightToTheViews)
{
    require_exact_minimum();
    const struct {
        int code;
        bool pane_hidden;
        place panes[RESULTS_PANELS];
        place measure;
        place chart;
    } cases[] = {
        {10, true, {{6, 68, 281, 452}, {291, 68, 281, 452}, {576, 68, 281, 452}, kHidden},
         {6, 36, 1002, 528}, {6, 68, 986, 452}},
        {10, false, {{6, 68, 281, 286}, {291, 68, 281, 286}, {576, 68, 281, 286}, kHidden},
         {6, 202, 1002, 362}, {6, 68, 986, 286}},
        {14, true,
         {{6, 68, 422, 223}, {434, 68, 422, 223}, {6, 297, 422, 223}, {434, 297, 422, 223}},
         {6, 36, 1002, 528}, {6, 68, 986, 452}},
        {14, false,
         {{6, 68, 422, 140}, {434, 68, 422, 140}, {6, 214, 422, 140}, {434, 214, 422, 140}},
         {6, 202, 1002, 362}, {6, 68, 986, 286}},
    };
    for (const auto& c : cases) {
        const std::string what =
            "code " + std::to_string(c.code) + (c.pane_hidden ? " hidden" : " shown");
        use_results_layout(c.code);
        show_view_panels_2(c.pane_hidden);
        pump_messages();
        EXPECT_EQ(has_visible_style(get_config_window()), !c.pane_hidden) << what;
        EXPECT_TRUE(has_visible_style(get_measure_window())) << what;
        expect_placed(get_measure_window(), c.measure, what + " Measure");
        expect_placed(get_scope_window(), c.measure, what + " Scope");
        expect_placed(get_harmonic_results_window(), c.chart, what + " chart");
        for (int w = 0; w < RESULTS_PANELS; ++w)
            if (!c.panes[w].hidden())
                expect_placed(get_measure_results_window(w), c.panes[w],
                              what + " W" + std::to_string(w + 1));
    }
    // A new results layout while the pane is hidden keeps the panes tall.
    show_view_panels_2(true);
    use_results_layout(4);
    expect_placed(get_measure_results_window(1), {434, 68, 422, 452}, "code 4, pane hidden");
    expect_placed(get_harmonic_results_window(), {6, 68, 986, 452}, "chart, pane hidden");

    // Showing the pane again keeps the view that was shown.
    ShowWindow(get_measure_window(), SW_HIDE);
    ShowWindow(get_scope_window(), SW_SHOW);
    show_view_panels_2(false);
    EXPECT_TRUE(has_visible_style(get_scope_window()));
    EXPECT_FALSE(has_visible_style(get_measure_window()));
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

// Runs action and checks which rows' windows it moved: the rows with a mode
// or an anchor when laid_out_move, never the fixed ones.
void expect_moves(const std::function<void()>& action, bool laid_out_move)
{
    g_moved.clear();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, record_moves, nullptr, GetCurrentThreadId());
    action();
    UnhookWindowsHookEx(hook);
    int fixed = 0;
    for_each_row([&](const control_desc& row) {
        if (!row.hwnd)
            return;
        const bool is_fixed = row.resize_mode == 0 && row.anchor == 0;
        fixed += is_fixed;
        EXPECT_EQ(g_moved.count(row.hwnd) != 0, !is_fixed && laid_out_move) << "row " << row.id;
    });
    EXPECT_GT(fixed, 150);
}

TEST_F(Layout, FixedRowsNeverMoveAndNothingMovesWhileMinimised)
{
    expect_moves([this] { grow(77, 33); }, true);
    HWND main = frame_main_window();
    expect_moves([main] {
        ShowWindow(main, SW_MINIMIZE);
        pump_messages(200);
    }, false);
    ASSERT_TRUE(IsIconic(main));
    ShowWindow(main, SW_RESTORE);
    pump_messages(200);
    EXPECT_EQ(main_window_size().cx, minimum_.cx + 77);
    expect_layout(growth_of(main_window_size()));
}

// Selector pairs (combo box and colour button k of every panel) and scroll
// bars, by view, results layout, pane state and the window's outer height.
TEST_F(Layout, PanelSelectorsShowInTheGraphViewAsTheHeightAllows)
{
    const struct {
        int view_mode, code;
        bool pane_hidden;
        int height;
        unsigned pairs; // bit k: pair k shown
        bool scroll_bars;
    } cases[] = {
        {0, 0, false, 900, 0x0, false}, {2, 14, false, 1000, 0x0, false},
        {1, 10, false, 625, 0xF, true}, {1, 15, false, 625, 0xF, true},
        {1, 14, false, 625, 0x0, true}, {1, 14, false, 711, 0x0, true},
        {1, 14, false, 712, 0x1, true}, {1, 14, false, 860, 0x7, true},
        {1, 14, false, 928, 0xF, true}, {1, 14, true, 625, 0x3, true},
        {1, 14, true, 686, 0x7, true},  {1, 14, true, 758, 0xF, true},
    };
    for (const auto& c : cases) {
        const std::string what = "view " + std::to_string(c.view_mode) + " code " +
                                 std::to_string(c.code) + " height " + std::to_string(c.height) +
                                 (c.pane_hidden ? " pane hidden" : "");
        measure_view_mode = c.view_mode;
        results_layout = c.code;
        settings_pane_hidden = c.pane_hidden;
        ASSERT_EQ(resize_main_window(minimum_.cx, c.height).cy, c.height) << what;
        position_results_panes();
        for (int panel = 0; panel < RESULTS_PANELS; ++panel) {
            const auto shown = [panel](int offset) {
                return has_visible_style(control(results_panel_id(panel, offset)));
            };
            for (int k = 0; k < 4; ++k) {
                EXPECT_EQ(shown(RP_SELECT1 + k), (c.pairs & (1u << k)) != 0) << what;
                EXPECT_EQ(shown(RP_COLOUR1 + k), (c.pairs & (1u << k)) != 0) << what;
            }
            EXPECT_EQ(shown(RP_SCROLL), c.scroll_bars) << what;
        }
    }
}

// The Measure Results window applies them itself when it is sized.
TEST_F(Layout, ResizingAPaneUpdatesItsSelectors)
{
    measure_view_mode = 1;
    use_results_layout(14);
    EXPECT_FALSE(has_visible_style(control(results_panel_id(0, RP_SELECT1))));
    grow(0, 800 - minimum_.cy);
    EXPECT_TRUE(has_visible_style(control(results_panel_id(0, RP_SELECT2))));
    EXPECT_FALSE(has_visible_style(control(results_panel_id(0, RP_SELECT3))));
}
