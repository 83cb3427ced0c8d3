// The panel window: its class, its state block and its painting.
#include "frame/panel_window.h"

#include "base/window_util.h"
#include "frame/drawing.h"

#include <cstring>
#include <new>

namespace {

constexpr char kPanelClass[] = "Z7DualWQTPanelWClass";
constexpr int kEntryTextChars = 199;
constexpr char kEntryTextTail[] = "  "; // two blanks after every entry's text

struct panel_state {
    COLORREF colour;
    HFONT font; // not owned
    HWND self;
    HWND entries[PANEL_MAX_ENTRIES]; // the first empty slot ends the list
};

panel_state* state_of(HWND window)
{
    return reinterpret_cast<panel_state*>(GetWindowLongPtrA(window, 0));
}

// Creation fails when the state block cannot be allocated.
LRESULT on_nccreate(HWND window, WPARAM wparam, LPARAM lparam)
{
    auto* state = new (std::nothrow) panel_state{};
    if (!state)
        return FALSE;
    state->colour = GetSysColor(COLOR_WINDOW);
    state->font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    state->self = window;
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(state));
    return DefWindowProcA(window, WM_NCCREATE, wparam, lparam);
}

void on_ncdestroy(HWND window)
{
    delete state_of(window);
    SetWindowLongPtrA(window, 0, 0);
}

void add_entry(panel_state& state, HWND entry)
{
    for (HWND& slot : state.entries) {
        if (!slot) {
            slot = entry;
            return;
        }
    }
}

LRESULT on_command(HWND window, panel_state& state, WPARAM wparam, LPARAM lparam)
{
    switch (LOWORD(wparam)) {
    case PANEL_SET_COLOUR:
        state.colour = static_cast<COLORREF>(lparam);
        break;
    case PANEL_ADD_ENTRY:
        add_entry(state, reinterpret_cast<HWND>(lparam));
        break;
    default:
        DefWindowProcA(window, WM_COMMAND, wparam, lparam);
        break;
    }
    return 0;
}

// Draws the entry's text and two blanks against the client's right edge, at
// the entry window's height relative to the panel. A window that is gone
// draws nothing.
void draw_entry(HDC dc, const RECT& client, LONG panel_top, HWND entry)
{
    RECT place;
    if (!IsWindow(entry) || !GetWindowRect(entry, &place))
        return;
    char text[kEntryTextChars + sizeof kEntryTextTail];
    const int chars = get_window_text(entry, text, kEntryTextChars + 1);
    std::memcpy(text + chars, kEntryTextTail, sizeof kEntryTextTail);
    const int length = chars + static_cast<int>(sizeof kEntryTextTail) - 1;

    SIZE extent = {};
    GetTextExtentPoint32A(dc, text, length, &extent);
    const LONG top = place.top - panel_top - 2;
    RECT line = {client.right - extent.cx, top, client.right, top + extent.cy};
    DrawTextA(dc, text, length, &line, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
}

void on_paint(HWND window, const panel_state& state)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    {
        selected_object font(dc, state.font);
        SetBkColor(dc, state.colour);
        RECT client;
        GetClientRect(window, &client);
        gdi_object_holder background(CreateSolidBrush(state.colour));
        FillRect(dc, &client, static_cast<HBRUSH>(background.get()));
        SetBkMode(dc, TRANSPARENT);

        RECT panel;
        GetWindowRect(window, &panel);
        for (HWND entry : state.entries) {
            if (!entry)
                break;
            draw_entry(dc, client, panel.top, entry);
        }
    }
    EndPaint(window, &paint);
}

} // namespace

void register_panel_class()
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = panel_wnd_proc;
    wc.cbWndExtra = sizeof(panel_state*);
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNSHADOW);
    wc.lpszClassName = kPanelClass;
    RegisterClassExA(&wc);
}

LRESULT CALLBACK panel_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_NCCREATE)
        return on_nccreate(window, wparam, lparam);
    panel_state* state = state_of(window);
    if (!state)
        return DefWindowProcA(window, message, wparam, lparam);
    switch (message) {
    case WM_NCDESTROY:
        on_ncdestroy(window);
        return 0;
    case WM_ERASEBKGND:
        return 1; // painting covers the whole client area
    case WM_SETFONT:
        state->font = reinterpret_cast<HFONT>(wparam);
        return 0;
    case WM_COMMAND:
        return on_command(window, *state, wparam, lparam);
    case WM_PAINT:
        on_paint(window, *state);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}
