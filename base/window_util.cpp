#include "base/window_util.h"

#include "base/text_util.h"

#include <commctrl.h>

namespace {

constexpr int field_buffer_size = 2048;
constexpr int max_sub_items = 59;

// Takes the next tab-separated field. A field too long for the buffer is cut
// and the rest of it skipped, so that the following fields keep their columns.
const char* next_field(const char* pos, char (&field)[field_buffer_size], bool& end)
{
    pos = next_token(pos, '\t', field, sizeof field, end);
    while (*pos != '\0' && *pos != '\t')
        ++pos;
    return pos;
}

} // namespace

int get_window_text(HWND window, char* buffer, int size)
{
    if (!buffer || size <= 0)
        return 0;
    buffer[0] = '\0';
    int copied = GetWindowTextA(window, buffer, size);
    if (copied < 0 || copied >= size)
        copied = 0;
    buffer[copied] = '\0';
    return copied;
}

int listview_add_tab_row(HWND list, const char* text, int value, bool callback)
{
    return listview_set_row(list, ListView_GetItemCount(list), text, value, callback);
}

int listview_set_row(HWND list, int index, const char* text, int value, bool callback)
{
    // A message to a missing window answers 0, which would pass for row 0.
    if (!IsWindow(list))
        return -1;
    if (index < 0)
        index = ListView_GetItemCount(list);

    char field[field_buffer_size];
    bool end = false;
    const char* pos = text ? text : "";
    if (*pos == '\t') {
        // next_token skips a delimiter at its start, which would move every
        // field one column to the left: an empty first field is taken here.
        field[0] = '\0';
    } else {
        pos = next_field(pos, field, end);
    }

    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = index;
    item.pszText = callback ? LPSTR_TEXTCALLBACKA : field;
    item.lParam = value;
    int row = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0 || callback)
        return row;

    for (int sub = 1; sub <= max_sub_items; ++sub) {
        pos = next_field(pos, field, end);
        if (end)
            break;
        LVITEMA sub_item{};
        sub_item.iSubItem = sub;
        sub_item.pszText = field;
        SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&sub_item));
    }
    return row;
}

int listview_get_selected(HWND list, int index)
{
    if (index < 0)
        index = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    if (index < 0)
        return -1;
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    if (!SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return -1;
    return static_cast<int>(item.lParam);
}

void listview_reset(HWND list)
{
    if (ListView_GetItemCount(list) > 0)
        ListView_DeleteAllItems(list);
}

void centre_window(HWND window, HWND parent)
{
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int screen_width = GetSystemMetrics(SM_CXSCREEN);
    const int screen_height = GetSystemMetrics(SM_CYSCREEN);
    RECT parent_rect;
    int x;
    int y;
    if (parent && GetWindowRect(parent, &parent_rect)) {
        x = (parent_rect.left + parent_rect.right) / 2 - width / 2;
        y = (parent_rect.top + parent_rect.bottom) / 2 - height / 2;
        if (x < 0)
            x = 0;
        if (x + width > screen_width)
            x = screen_width - width;
        if (y < 0)
            y = 0;
        if (y + height > screen_height)
            y = screen_height - height;
    } else {
        // Rounded down to a multiple of 8 (towards minus infinity, also when
        // the window is wider than the screen).
        x = ((screen_width - width) / 2 + 4) & ~7;
        y = (screen_height - height) / 2;
    }
    MoveWindow(window, x, y, width, height, FALSE);
}

void fit_window_to_monitor(HWND window, HWND owner)
{
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return;
    HMONITOR monitor = owner ? MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST)
                             : MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info))
        return;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const RECT& area = info.rcMonitor;
    const int x = (area.left + area.right) / 2 - width / 2;
    const int y = (area.top + area.bottom) / 2 - height / 2;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

constexpr UINT kRepaintAll = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN;

} // namespace

void repaint_window(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, kRepaintAll);
}

void repaint_area(HWND window, const RECT& area)
{
    RedrawWindow(window, &area, nullptr, kRepaintAll);
}

void repaint_moved(HWND window, const RECT& was)
{
    const RECT now = window_rect_in_parent(window);
    if (EqualRect(&now, &was))
        return;
    HWND parent = GetParent(window);
    repaint_area(parent, was);
    repaint_area(parent, now);
}

RECT window_rect_in_parent(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool has_shown_style(HWND window)
{
    return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

INT_PTR ok_cancel_dialog(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam,
                         INT_PTR (*init)(HWND dialog, LPARAM param), void (*ok)(HWND dialog))
{
    switch (message) {
    case WM_INITDIALOG:
        return init(dialog, lparam);
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case IDOK:
            ok(dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

INT_PTR command_dialog(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam,
                       INT_PTR (*init)(HWND dialog, LPARAM param),
                       INT_PTR (*command)(HWND dialog, int id, int code))
{
    switch (message) {
    case WM_INITDIALOG:
        return init(dialog, lparam);
    case WM_COMMAND:
        if (command(dialog, LOWORD(wparam), HIWORD(wparam)))
            return TRUE;
        if (LOWORD(wparam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

wait_cursor::wait_cursor() : previous_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}

wait_cursor::~wait_cursor()
{
    SetCursor(previous_);
}
