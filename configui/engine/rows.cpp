// Creating the rows of a configuration page and placing them on the Config
// window's grid.
#include "configui/engine/rows.h"

#include "base/window_util.h"
#include "config/instrument_config.h"

#include <commctrl.h>

#include <cstdio>
#include <utility>

namespace {

// Label x of the three columns, control x, and the lines' label y; a
// control stands three pixels above its label.
constexpr LONG kLabelX[] = {263, 505, 755};
constexpr LONG kControlX[] = {386, 629, 874};
constexpr LONG kLineY[] = {32, 57, 82, 107, 132};
constexpr LONG kControlRaise = 3;

constexpr POINT grid_point(int slot)
{
    if (slot < CONFIG_GRID_ROWS)
        return {kLabelX[slot / 5], kLineY[slot % 5]};
    if (slot < CONFIG_GRID_SLOTS) {
        const int row = slot - CONFIG_GRID_ROWS;
        return {kControlX[row / 5], kLineY[row % 5] - kControlRaise};
    }
    return {0, 0};
}

template <size_t... I>
constexpr std::array<POINT, sizeof...(I)> grid_points(std::index_sequence<I...>)
{
    return {grid_point(static_cast<int>(I))...};
}

struct control_class {
    const char* name;
    DWORD style;
    DWORD ex_style;
};

constexpr DWORD kRowStyle = WS_CHILD | WS_CLIPCHILDREN;

// The window of each row kind, by kind 0..4.
constexpr control_class kControlClasses[] = {
    {"ComboBox", kRowStyle | WS_VSCROLL | CBS_DROPDOWNLIST, 0},
    {"Static", kRowStyle, 0},
    {"Edit", kRowStyle, WS_EX_CLIENTEDGE},
    {"Edit", kRowStyle, WS_EX_CLIENTEDGE},
    {"Edit", kRowStyle | ES_READONLY, WS_EX_CLIENTEDGE},
};

constexpr DWORD kUpDownStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | UDS_SETBUDDYINT | UDS_ALIGNRIGHT |
                               UDS_ARROWKEYS | UDS_NOTHOUSANDS;

void set_font(HWND window, HFONT font)
{
    if (window)
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void add_options(instrument_config& config, HWND combo, int item)
{
    if (const config_item* source = config.item_at(item))
        for (const char* text : source->options)
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

// A window already in its cell is not moved again: a move costs more than
// the look that spares it, and a page shown again keeps its places.
void put_in_cell(HWND window, POINT at, SIZE cell)
{
    if (!window)
        return;
    const RECT now = window_rect_in_parent(window);
    if (now.left != at.x || now.top != at.y || now.right - now.left != cell.cx || now.bottom - now.top != cell.cy)
        MoveWindow(window, at.x, at.y, cell.cx, cell.cy, FALSE);
    ShowWindow(window, SW_SHOW);
}

void clear_grid(grid_slot* grid, int slots)
{
    for (int s = 0; s < slots; ++s) {
        if (grid[s].window)
            ShowWindow(grid[s].window, SW_HIDE);
        if (grid[s].updown)
            DestroyWindow(grid[s].updown);
        grid[s] = {nullptr, nullptr};
    }
}

HWND make_updown(HWND control, int minimum, int maximum)
{
    HWND updown = CreateWindowExA(0, UPDOWN_CLASSA, "", kUpDownStyle, 0, 0, 0, 0, GetParent(control),
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(-1)),
                                  GetModuleHandleA(nullptr), nullptr);
    if (updown) {
        SendMessageA(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(control), 0);
        SendMessageA(updown, UDM_SETRANGE, 0, MAKELPARAM(maximum, minimum));
    }
    return updown;
}

} // namespace

const std::array<POINT, CONFIG_LAYOUT_POINTS> config_layout_points =
    grid_points(std::make_index_sequence<CONFIG_LAYOUT_POINTS>());
const SIZE config_cell_size = {115, 21};

void create_static_labels(HWND parent, HINSTANCE instance, HWND* handles, int rows,
                          const char* const* labels, const int* items, HFONT font)
{
    for (int row = 0; row < rows; ++row) {
        if (items[row] == -1)
            continue;
        const char* text = labels != nullptr && items[row] >= 0 && items[row] < 256 ? labels[items[row]] : "";
        handles[row] = CreateWindowExA(0, "Static", text, kRowStyle | SS_RIGHT, 0, 0, 0, 0, parent,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(-1)), instance,
                                       nullptr);
        set_font(handles[row], font);
    }
}

void create_config_item_controls(instrument_config& config, HWND parent, HINSTANCE instance,
                                 HWND* handles, int rows, int first_id, const int* kinds,
                                 const int* items, int first_control, HFONT font)
{
    for (int row = 0; row < rows; ++row) {
        const int kind = kinds[row];
        if (items[row] == -1 || kind < ROW_LIST || kind > ROW_READ_ONLY)
            continue;
        const control_class& cls = kControlClasses[kind];
        HWND control = CreateWindowExA(cls.ex_style, cls.name, "", cls.style, 0, 0, 0, 0, parent,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(first_id + row)),
                                       instance, nullptr);
        handles[first_control + row] = control;
        set_font(control, font);
        if (control && kind == ROW_LIST)
            add_options(config, control, items[row]);
    }
}

void fill_item_combobox(instrument_config& config, HWND combo, int item)
{
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    const config_item* source = config.item_at(item);
    if (!source)
        return;
    add_options(config, combo, item);
    select_list_value(combo, source->kind == ITEM_LIST ? source->value.integer : 0);
}

void select_list_value(HWND list, int value)
{
    const LRESULT count = SendMessageA(list, CB_GETCOUNT, 0, 0);
    const bool listed = value >= 0 && value < count;
    SendMessageA(list, CB_SETCURSEL, listed ? static_cast<WPARAM>(value) : static_cast<WPARAM>(-1), 0);
}

void set_control_text_fmt(HWND control, int value, const char* format)
{
    char text[128];
    std::snprintf(text, sizeof text, format, value);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void set_control_text_fmt(HWND control, const char* value, const char* format)
{
    char text[128];
    std::snprintf(text, sizeof text, format, value != nullptr ? value : "");
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

int place_control_pair(int grid_row, HWND label, HWND control, const POINT* points,
                       grid_slot* grid, SIZE cell, int slots, bool updown, int minimum,
                       int maximum)
{
    if (grid_row < 0) {
        clear_grid(grid, slots);
        return grid_row;
    }
    const int control_slot = slots / 2 + grid_row;
    if (control_slot >= slots)
        return slots / 2;
    grid[grid_row].window = label;
    grid[control_slot].window = control;
    put_in_cell(label, points[grid_row], cell);
    put_in_cell(control, points[control_slot], cell);
    if (control && updown)
        grid[control_slot].updown = make_updown(control, minimum, maximum);
    return grid_row;
}

void enable_controls_like_parent(const grid_slot* grid, int slots)
{
    if (!grid[0].window)
        return;
    HWND parent = GetParent(grid[0].window);
    for (int s = 0; s < slots; ++s)
        if (grid[s].window)
            EnableWindow(grid[s].window, IsWindowEnabled(parent));
}
