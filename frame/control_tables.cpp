// Operations on the control tables: creating, enabling and showing their
// windows, finding a control by id, programmatic clicks, the bold mark of a
// button row, the view window accessors and the background painter of the
// views.
#include "frame/control_tables.h"

#include "frame/control_id_blocks.h"
#include "frame/control_table_walk.h"
#include "frame/main_ids.h"
#include "frame/ui_fonts.h"

#include <shlobj.h>

namespace {

// The table that holds each block of the main window's ids.
struct id_range {
    id_block ids;
    control_table_name table;
};

const id_range id_ranges[] = {
    {window_ids::top_bar, control_table_name::frame},
    {window_ids::config_head, control_table_name::config},
    {window_ids::measure, control_table_name::measure},
    {window_ids::results_panels, control_table_name::results_panels},
    {window_ids::voltmeter, control_table_name::voltmeter},
    {window_ids::scope, control_table_name::scope},
    {window_ids::capture, control_table_name::capture},
    {window_ids::harmonics, control_table_name::harmonics},
    {window_ids::harmonic_results, control_table_name::harmonic_results},
    {window_ids::lomx, control_table_name::lomx},
};

HWND create_row_window(const control_desc& row, HWND parent, HMENU menu, DWORD extra_style)
{
    return CreateWindowExA(row.ex_style, row.class_name, row.text, row.style | extra_style, row.cur_x,
                           row.cur_y, row.cur_w, row.cur_h, parent, menu, GetModuleHandleA(nullptr), nullptr);
}

// Fills the rectangle with the brush unless it is empty.
void fill_band(HDC dc, HBRUSH brush, LONG left, LONG top, LONG right, LONG bottom)
{
    if (right <= left || bottom <= top)
        return;
    const RECT band = {left, top, right, bottom};
    FillRect(dc, &band, brush);
}

} // namespace

void create_controls_from_table(HWND parent, control_desc* table, int count)
{
    for (int r = 0; r < count; ++r) {
        control_desc& row = table[r];
        if (!row.class_name)
            continue;
        row.parent = parent;
        row.hwnd =
            create_row_window(row, parent, reinterpret_cast<HMENU>(INT_PTR{row.id}), WS_CLIPSIBLINGS);
        if (row.hwnd)
            SetWindowPos(row.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

HWND create_main_window(control_desc& row)
{
    row.hwnd = create_row_window(row, row.parent, reinterpret_cast<HMENU>(INT_PTR{row.id}), 0);
    return row.hwnd;
}

void enable_controls_from_table(const control_desc* table, int count, bool enable)
{
    for (int r = 0; r < count; ++r)
        if (table[r].hwnd && !(table[r].style & WS_DISABLED))
            EnableWindow(table[r].hwnd, enable);
}

void show_controls_from_table(const control_desc* table, int count)
{
    for (int r = 0; r < count; ++r)
        if (table[r].hwnd)
            ShowWindow(table[r].hwnd, SW_SHOW);
}

HWND get_control_by_id(int id)
{
    for (const id_range& range : id_ranges) {
        if (!range.ids.holds(id))
            continue;
        const control_desc* row = find_control_row(range.table, id);
        return row ? row->hwnd : nullptr;
    }
    return nullptr;
}

void post_command_for_control(int id)
{
    if (HWND control = get_control_by_id(id))
        PostMessageA(GetParent(control), WM_COMMAND, static_cast<WPARAM>(id), 0);
}

void set_check_state(int id, WPARAM state)
{
    SendMessageA(get_control_by_id(id), BM_SETCHECK, state, 0);
}

void highlight_control_in_range(int selected, int first, int last)
{
    for (int id = first; id <= last; ++id) {
        HWND control = get_control_by_id(id);
        if (!control)
            continue;
        HFONT wanted = ui_fonts[id == selected ? 1 : 0];
        if (reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)) != wanted)
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(wanted), TRUE);
    }
}

HWND get_config_window() { return frame_controls[FRAME_ROW_CONFIG].hwnd; }
HWND get_measure_window() { return frame_controls[FRAME_ROW_MEASURE].hwnd; }
HWND get_scope_window() { return frame_controls[FRAME_ROW_SCOPE].hwnd; }
HWND get_capture_window() { return frame_controls[FRAME_ROW_CAPTURE].hwnd; }
HWND get_harmonics_window() { return frame_controls[FRAME_ROW_HARMONICS].hwnd; }
HWND get_voltmeter_window() { return frame_controls[FRAME_ROW_VOLTMETER].hwnd; }
HWND get_lomx_window() { return frame_controls[FRAME_ROW_LOMX].hwnd; }

HWND get_harmonic_results_window()
{
    return harmonics_controls[HARMONICS_ROW_RESULTS_WINDOW].hwnd;
}

HWND get_measure_results_window(int index)
{
    const int panel = index >= 0 && index < RESULTS_PANELS ? index : RESULTS_PANELS - 1;
    return measure_controls[measure_results_rows[panel]].hwnd;
}

int get_current_view_menu_id()
{
    struct view {
        HWND (*window)();
        int menu_id;
    };
    static const view views[] = {
        {get_scope_window, IDM_VIEW_SCOPE},
        {get_capture_window, IDM_VIEW_CAPTURE},
        {get_harmonic_results_window, IDM_VIEW_HARMONICS},
        {get_voltmeter_window, IDM_VIEW_VOLTMETER},
        {get_lomx_window, IDM_VIEW_LOMX},
    };
    for (const view& v : views)
        if (IsWindowVisible(v.window()))
            return v.menu_id;
    return IDM_VIEW_MEASURE;
}

void paint_background_around(HWND window, HDC dc, const RECT& outer, const RECT& inner,
                             const RECT* extra)
{
    const auto colour_index = static_cast<int>(GetClassLongPtrA(window, GCLP_HBRBACKGROUND)) - 1;
    HBRUSH brush = GetSysColorBrush(colour_index);
    RECT united = inner;
    if (extra && !IsRectEmpty(extra)) {
        fill_band(dc, brush, inner.right, inner.top, extra->left, inner.bottom);
        UnionRect(&united, &inner, extra);
    }
    fill_band(dc, brush, outer.left, outer.top, outer.right, united.top);
    fill_band(dc, brush, united.right, united.top, outer.right, united.bottom);
    fill_band(dc, brush, outer.left, united.bottom, outer.right, outer.bottom);
    fill_band(dc, brush, outer.left, united.top, united.left, united.bottom);
}

int CALLBACK browse_folder_callback(HWND window, UINT message, LPARAM, LPARAM data)
{
    if (message == BFFM_INITIALIZED)
        SendMessageA(window, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}
