// The table-driven layout: start-up scaling, the labels fitted to their
// text, the per-row recomputation on resize, the results-pane layouts and
// the settings pane.
#include "views/layout.h"

#include "base/window_util.h"
#include "frame/app_globals.h"
#include "frame/control_table_walk.h"
#include "frame/drawing.h"
#include "frame/main_ids.h"
#include "frame/results_panel_ids.h"
#include "views/view_state.h"

int results_layout = 0;

namespace {

// The Measure window's log list: its own design rectangle in every layout.
constexpr int kMeasureRowLogList = 20;
// The Harmonic Results window and the harmonics table.
constexpr int kHarmonicsRowTable = 1;
// Row 6 of every results panel: the horizontal scroll bar.
constexpr int kPanelRowScrollBar = 6;

// The top bar's labels that take the width their text needs.
constexpr int kLabelsFittedToText[] = {IDC_SETTINGS_LABEL};

enum : unsigned { W1 = 1, W2 = 2, W3 = 4, W4 = 8 };

// Where a pane sits among the panes: its offset is column x the shared dx
// to the right and row x the shared dy down.
struct pane_cell {
    int column;
    int row;
};

// One results layout: the visible windows, the measure_controls row whose
// design rectangle each of W1..W4 takes, and each window's cell.
struct results_layout_entry {
    unsigned visible;
    int slot[RESULTS_PANELS];
    pane_cell cell[RESULTS_PANELS];
};

constexpr pane_cell o{0, 0};
constexpr pane_cell right1{1, 0};
constexpr pane_cell right2{2, 0};
constexpr pane_cell down{0, 1};
constexpr pane_cell right_down{1, 1};

constexpr results_layout_entry results_layouts[RESULTS_LAYOUT_CODES] = {
    {W1, {0, 4, 10, 16}, {o, o, o, o}},
    {W2, {0, 4, 10, 16}, {o, o, o, o}},
    {W3, {0, 4, 10, 16}, {o, o, o, o}},
    {W4, {0, 4, 10, 16}, {o, o, o, o}},
    {W1 | W2, {1, 6, 10, 16}, {o, right1, o, o}},
    {W1 | W3, {1, 4, 12, 16}, {o, o, right1, o}},
    {W1 | W4, {1, 4, 10, 17}, {o, o, o, right1}},
    {W2 | W3, {0, 5, 12, 16}, {o, o, right1, o}},
    {W2 | W4, {0, 5, 10, 17}, {o, o, o, right1}},
    {W3 | W4, {0, 4, 11, 17}, {o, o, o, right1}},
    {W1 | W2 | W3, {2, 8, 14, 16}, {o, right1, right2, o}},
    {W1 | W2 | W4, {2, 8, 10, 18}, {o, right1, o, right2}},
    {W1 | W3 | W4, {2, 4, 13, 18}, {o, o, right1, right2}},
    {W2 | W3 | W4, {0, 7, 13, 18}, {o, o, right1, right2}},
    {W1 | W2 | W3 | W4, {3, 9, 15, 19}, {o, right1, down, right_down}},
};

constexpr int visible_count(unsigned visible)
{
    int n = 0;
    for (; visible; visible >>= 1)
        n += visible & 1;
    return n;
}

// Each window's slots lie between its own row and the next window's; a
// hidden window keeps its full-width row; the cells of two or three panes
// count the visible panes from the left.
constexpr int window_rows[RESULTS_PANELS + 1] = {0, 4, 10, 16, 20};
constexpr bool layouts_consistent()
{
    for (const results_layout_entry& e : results_layouts) {
        int rank = 0;
        for (int w = 0; w < RESULTS_PANELS; ++w) {
            const bool shown = e.visible & (1u << w);
            if (e.slot[w] < window_rows[w] || e.slot[w] >= window_rows[w + 1])
                return false;
            if (!shown && (e.slot[w] != window_rows[w] || e.cell[w].column || e.cell[w].row))
                return false;
            const int panes = visible_count(e.visible);
            if (shown && panes < 4 && (e.cell[w].column != rank || e.cell[w].row))
                return false;
            rank += shown;
        }
    }
    return true;
}
static_assert(layouts_consistent(), "results layouts: slots within their windows, cells by rank");

// Outer heights of the main window below which selector pair k of the
// panels is hidden in the four-pane "GRAPH" view.
constexpr int kPairHeights[RESULTS_PANELS] = {712, 784, 856, 928};
constexpr int kPairHeightsPaneHidden[RESULTS_PANELS] = {542, 614, 686, 758};

const results_layout_entry* layout_entry(int code)
{
    return code >= 0 && code < RESULTS_LAYOUT_CODES ? &results_layouts[code] : nullptr;
}

// The number of panes that share the width (and, with four, the height).
int results_pane_count(int code)
{
    const results_layout_entry* layout = layout_entry(code);
    return layout ? visible_count(layout->visible) : 1;
}

control_desc& results_window_row(int w)
{
    return measure_controls[measure_results_rows[w]];
}

// The Measure Results window a row holds, or -1.
int results_window_of(const control_desc& row)
{
    for (int w = 0; w < RESULTS_PANELS; ++w)
        if (&row == &results_window_row(w))
            return w;
    return -1;
}

bool has_width_mode(int mode) { return mode == 1 || mode == 3 || mode == 4 || mode == 5; }
bool has_height_mode(int mode) { return mode >= 2 && mode <= 5; }

bool shown(HWND window)
{
    return window && (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE);
}

SIZE outer_size(HWND window)
{
    RECT outer = {};
    GetWindowRect(window, &outer);
    return {outer.right - outer.left, outer.bottom - outer.top};
}

// Shares the main window's growth among the panes that lie side by side
// (and, with four, one above the other).
void share_among_panes(int panes, int& dx, int& dy)
{
    switch (panes) {
    case 2:
        dx >>= 1;
        break;
    case 3:
        dx = static_cast<int>(static_cast<float>(dx) / 3.0f);
        break;
    case 4:
        dx >>= 1;
        dy >>= 1;
        break;
    }
}

void place_pane(control_desc& row, int dx, int dy)
{
    const results_layout_entry* layout = layout_entry(results_layout);
    const int w = results_window_of(row);
    if (!layout || w < 0)
        return;
    const pane_cell cell = layout->cell[w];
    if (cell.column)
        row.cur_x = row.base_x + cell.column * dx;
    if (cell.row)
        row.cur_y = row.base_y + cell.row * dy;
}

void anchor_row(control_desc& row)
{
    RECT client = {};
    GetClientRect(row.parent, &client);
    if (row.anchor == 2 || row.anchor == 4)
        row.cur_x = client.right - row.cur_w - row.base_x;
    if (row.anchor == 3 || row.anchor == 4)
        row.cur_y = client.bottom - row.cur_h - row.base_y;
}

// W1-W4 from their slots of the current layout (full width without one),
// the log list from its own design rectangle.
void copy_results_slots()
{
    const results_layout_entry* layout = layout_entry(results_layout);
    for (int w = 0; w < RESULTS_PANELS; ++w)
        copy_design_rect(measure_controls.data(), measure_results_rows[w],
                         layout ? layout->slot[w] : measure_results_rows[w]);
    copy_design_rect(measure_controls.data(), kMeasureRowLogList, kMeasureRowLogList);
}

// The view window that is shown, tested in the order LOMX, Harmonics,
// Capture, Scope, Voltmeter, Measure.
HWND shown_view()
{
    HWND (*const views[])() = {get_lomx_window,    get_harmonics_window, get_capture_window,
                               get_scope_window,   get_voltmeter_window, get_measure_window};
    for (auto view : views)
        if (shown(view()))
            return view();
    return nullptr;
}

// Scaling is the identity: base and current rectangle := design rectangle.
void scale_row(control_desc& row)
{
    copy_design_rect(&row, 0, 0);
}

void grow_by(control_desc& row, int d, bool current_too)
{
    row.base_h += d;
    if (current_too)
        row.cur_h += d;
}

// Moves the row's window to its current rectangle; a shown window's old and
// new places are drawn again, with what stands there (see repaint_moved).
void place_row_window(const control_desc& row)
{
    const RECT was = window_rect_in_parent(row.hwnd);
    MoveWindow(row.hwnd, row.cur_x, row.cur_y, row.cur_w, row.cur_h, FALSE);
    if (IsWindowVisible(row.hwnd))
        repaint_moved(row.hwnd, was);
}

// A row whose text is wider than its window grows by the difference (its
// anchor decides to which side) and its window is moved there.
void widen_to_text(control_desc& row)
{
    char text[256] = {};
    GetWindowTextA(row.hwnd, text, sizeof text);
    const int missing = text_width_in_window_font(row.hwnd, text) - row.cur_w;
    if (missing <= 0)
        return;
    row.base_w += missing;
    row.cur_w += missing;
    compute_control_rect(row);
    place_row_window(row);
}

} // namespace

void add_frame_metrics(control_desc& main_row)
{
    const int x_extra = 2 * (GetSystemMetrics(SM_CXSIZEFRAME) - 4);
    const int y_extra = 2 * (GetSystemMetrics(SM_CYSIZEFRAME) - 4);
    if (x_extra > 0)
        main_row.design_w += x_extra;
    if (y_extra > 0)
        main_row.design_h += y_extra;
}

void layout_control_tables()
{
    for (int r = FRAME_ROW_SCOPE; r <= FRAME_ROW_LOMX; ++r) {
        control_desc& view = frame_controls[r];
        const control_desc& measure = frame_controls[FRAME_ROW_MEASURE];
        view.design_x = measure.design_x;
        view.design_y = measure.design_y;
        view.design_w = measure.design_w;
        view.design_h = measure.design_h;
    }
    // CW_USEDEFAULT in the design position carries over: the system places
    // the main window.
    scale_control_table(&main_window_desc, 1);
    for (auto& panel : results_panel_controls)
        panel[kPanelRowScrollBar].design_h = GetSystemMetrics(SM_CYHSCROLL);
    using t = control_table_name;
    for_each_control_row({t::frame, t::config, t::measure, t::results_panels, t::voltmeter,
                          t::scope, t::capture, t::harmonics, t::lomx, t::harmonic_results},
                         scale_row);
}

void fit_labels_to_text()
{
    for_each_control_row({control_table_name::frame}, [](control_desc& row) {
        for (int id : kLabelsFittedToText)
            if (row.hwnd && row.id == id)
                widen_to_text(row);
    });
}

void scale_control_table(control_desc* table, int count)
{
    for (int r = 0; r < count; ++r)
        scale_row(table[r]);
}

void copy_design_rect(control_desc* table, int destination, int source)
{
    control_desc& to = table[destination];
    const control_desc& from = table[source];
    to.base_x = to.cur_x = from.design_x;
    to.base_y = to.cur_y = from.design_y;
    to.base_w = to.cur_w = from.design_w;
    to.base_h = to.cur_h = from.design_h;
}

bool compute_control_rect(control_desc& row)
{
    int dx = 0;
    int dy = 0;
    if (row.resize_mode != 0) {
        const SIZE outer = outer_size(main_window_desc.hwnd);
        dx = outer.cx - main_window_desc.cur_w;
        dy = outer.cy - main_window_desc.cur_h;
    }
    if (has_width_mode(row.resize_mode)) {
        if (row.resize_mode == 5)
            share_among_panes(results_pane_count(results_layout), dx, dy);
        row.cur_w = row.base_w + dx;
        place_pane(row, dx, dy);
    }
    if (has_height_mode(row.resize_mode))
        row.cur_h = row.base_h + dy;
    if (row.anchor != 0)
        anchor_row(row);
    return row.anchor != 0 || row.resize_mode != 0;
}

void reposition_controls()
{
    using t = control_table_name;
    for_each_control_row({t::frame, t::config, t::measure, t::results_panels, t::scope,
                          t::voltmeter, t::capture, t::harmonics, t::harmonic_results, t::lomx},
                         [](control_desc& row) {
                             if (compute_control_rect(row) && row.hwnd)
                                 place_row_window(row);
                         });
}

void show_view_panels()
{
    if (const results_layout_entry* layout = layout_entry(results_layout))
        for (int w = 0; w < RESULTS_PANELS; ++w)
            ShowWindow(results_window_row(w).hwnd,
                       (layout->visible & (1u << w)) ? SW_SHOW : SW_HIDE);
    copy_results_slots();
    if (!shown(get_config_window()))
        grow_panes_by_settings_pane(true);
    reposition_controls();
}

void show_view_panels_2(bool hidden)
{
    ShowWindow(get_config_window(), hidden ? SW_HIDE : SW_SHOW);
    // The view is kept out of sight while it moves below the pane.
    HWND parked = hidden ? nullptr : shown_view();
    if (parked)
        ShowWindow(parked, SW_HIDE);

    const int from = hidden ? FRAME_ROW_FULL_HEIGHT_SLOT : FRAME_ROW_MEASURE;
    for (int r : {FRAME_ROW_MEASURE, FRAME_ROW_SCOPE, FRAME_ROW_CAPTURE, FRAME_ROW_HARMONICS,
                  FRAME_ROW_VOLTMETER, FRAME_ROW_LOMX})
        copy_design_rect(frame_controls.data(), r, from);
    copy_results_slots();
    copy_design_rect(harmonics_controls.data(), HARMONICS_ROW_RESULTS_WINDOW,
                     HARMONICS_ROW_RESULTS_WINDOW);
    copy_design_rect(harmonics_controls.data(), kHarmonicsRowTable, kHarmonicsRowTable);
    if (hidden)
        grow_panes_by_settings_pane(false);

    reposition_controls();
    if (parked)
        ShowWindow(parked, SW_SHOW);
}

void grow_panes_by_settings_pane(bool skip_harmonics)
{
    const int d = frame_controls[FRAME_ROW_MEASURE].design_y -
                  frame_controls[FRAME_ROW_FULL_HEIGHT_SLOT].design_y;
    if (results_layout == RESULTS_LAYOUT_ALL_FOUR) {
        for (int w = 0; w < RESULTS_PANELS; ++w)
            grow_by(results_window_row(w), d / 2, true);
        results_window_row(2).base_y += d / 2;
        results_window_row(3).base_y += d / 2;
    } else {
        for (int w = 0; w < RESULTS_PANELS; ++w)
            grow_by(results_window_row(w), d, true);
    }
    grow_by(measure_controls[kMeasureRowLogList], d, false);
    if (!skip_harmonics) {
        grow_by(harmonics_controls[HARMONICS_ROW_RESULTS_WINDOW], d, true);
        grow_by(harmonics_controls[kHarmonicsRowTable], d, false);
    }
}

void position_results_panes()
{
    const bool graph = measure_view_mode == 1;
    const int* heights = settings_pane_hidden ? kPairHeightsPaneHidden : kPairHeights;
    const LONG outer_height = outer_size(main_window_desc.hwnd).cy;
    for (int k = 0; k < RESULTS_PANELS; ++k) {
        const bool fits = results_layout != RESULTS_LAYOUT_ALL_FOUR || outer_height >= heights[k];
        const int show = graph && fits ? SW_SHOW : SW_HIDE;
        for (int panel = 0; panel < RESULTS_PANELS; ++panel) {
            ShowWindow(get_control_by_id(results_panel_id(panel, RP_SELECT1 + k)), show);
            ShowWindow(get_control_by_id(results_panel_id(panel, RP_COLOUR1 + k)), show);
        }
    }
    for (int panel = 0; panel < RESULTS_PANELS; ++panel)
        ShowWindow(get_control_by_id(results_panel_id(panel, RP_SCROLL)),
                   graph ? SW_SHOW : SW_HIDE);
}
