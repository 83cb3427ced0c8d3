// The subclassed logo button, "Data Settings" box and rounded tooltips. The
// replaced procedure of each control, and a rounded tooltip's state, are
// kept as properties of the control's window.
#include "views/subclassed_controls.h"

#include "frame/commands.h"
#include "frame/control_tables.h"
#include "frame/drawing.h"
#include "frame/main_ids.h"
#include "frame/ui_fonts.h"
#include "frame/measure_ids.h"
#include "views/view_windows.h"

#include <commctrl.h>

namespace {

constexpr char kPreviousProc[] = "Kestrova.PreviousProc";
constexpr char kTooltipState[] = "Kestrova.RoundedTooltip";
constexpr int kTooltipTextBytes = 2048;
constexpr int kCornerEllipse = 7;
constexpr int kTextInset = 2;
constexpr int kTooltipFont = 6;

// The frame colour of the "Data Settings" box, read at creation.
COLORREF frame_colour = 0;

// One rounded tooltip. Messages it does not handle go to previous once
// MSG_SET_PREV_WNDPROC has delivered it, before that to kept.
struct rounded_tooltip {
    WNDPROC kept;      // the procedure replaced at subclassing
    WNDPROC previous;  // delivered by MSG_SET_PREV_WNDPROC
    RECT region_rect;  // the client rectangle the window region was last set for
    char text[kTooltipTextBytes];
};

WNDPROC replace_proc(HWND window, WNDPROC proc)
{
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
}

LRESULT call_proc(WNDPROC proc, HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    return proc ? CallWindowProcA(proc, window, message, wparam, lparam)
                : DefWindowProcA(window, message, wparam, lparam);
}

void subclass_keeping_previous(HWND window, WNDPROC proc)
{
    if (window)
        SetPropA(window, kPreviousProc, reinterpret_cast<HANDLE>(replace_proc(window, proc)));
}

// Passes the message to the replaced procedure; the last message a window
// gets also drops the property that kept it.
LRESULT call_previous(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    auto previous = reinterpret_cast<WNDPROC>(GetPropA(window, kPreviousProc));
    if (message == WM_NCDESTROY)
        RemovePropA(window, kPreviousProc);
    return call_proc(previous, window, message, wparam, lparam);
}

// The background colour of the main window's class, as a system colour brush.
HBRUSH main_window_background(HWND control)
{
    HWND main = GetAncestor(control, GA_ROOT);
    const auto colour_index = static_cast<int>(GetClassLongPtrA(main, GCLP_HBRBACKGROUND)) - 1;
    return GetSysColorBrush(colour_index);
}

// Fills the box with the main window's background, framed in the frame
// colour, then has the box and the controls inside it painted again.
LRESULT erase_framed_control(HWND control)
{
    {
        window_dc dc(control);
        gdi_object_holder pen(CreatePen(PS_SOLID, 1, frame_colour));
        selected_object brush_in(dc.get(), main_window_background(control));
        selected_object pen_in(dc.get(), pen.get());
        RECT client;
        GetClientRect(control, &client);
        Rectangle(dc.get(), client.left, client.top, client.right, client.bottom);
    }
    InvalidateRect(control, nullptr, FALSE);
    for (int id = IDC_MEAS_MODE_REAL_TIME_TABLE; id <= IDC_MEAS_HIGHSPEED; ++id)
        if (HWND inner = get_control_by_id(id))
            InvalidateRect(inner, nullptr, TRUE);
    return 1;
}

rounded_tooltip* tooltip_of(HWND window)
{
    return static_cast<rounded_tooltip*>(GetPropA(window, kTooltipState));
}

void set_tooltip_text(rounded_tooltip& tip, const char* text)
{
    if (text)
        lstrcpynA(tip.text, text, kTooltipTextBytes);
}

void take_previous_proc(rounded_tooltip& tip, LPARAM block)
{
    auto* held = reinterpret_cast<WNDPROC*>(block);
    if (!held)
        return;
    tip.previous = *held;
    delete held;
}

// Draws the box and its text into a bitmap of the client size and copies it
// to the window in one step.
void draw_rounded_box(HDC target, const RECT& client, const char* text)
{
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    const memory_dc memory(target);
    const gdi_object_holder bitmap(CreateCompatibleBitmap(target, width, height));
    const gdi_object_holder pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    const gdi_object_holder brush(CreateSolidBrush(GetSysColor(COLOR_INFOBK)));
    const selected_object bitmap_in(memory.get(), bitmap.get());
    const selected_object pen_in(memory.get(), pen.get());
    const selected_object brush_in(memory.get(), brush.get());
    const selected_object font_in(memory.get(), ui_fonts[kTooltipFont]);
    SetTextColor(memory.get(), GetSysColor(COLOR_INFOTEXT));
    SetBkMode(memory.get(), TRANSPARENT);
    RoundRect(memory.get(), client.left, client.top, client.right - 1, client.bottom - 1,
              kCornerEllipse, kCornerEllipse);
    RECT text_rect = client;
    InflateRect(&text_rect, -kTextInset, -kTextInset);
    DrawTextA(memory.get(), text, -1, &text_rect, DT_LEFT | DT_TOP | DT_END_ELLIPSIS);
    BitBlt(target, 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
}

// A window whose size changed gets a new rounded region before it paints.
void paint_rounded_tooltip(HWND window, rounded_tooltip& tip)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    if (!EqualRect(&client, &tip.region_rect)) {
        SetWindowRgn(window,
                     CreateRoundRectRgn(client.left, client.top, client.right, client.bottom,
                                        kCornerEllipse, kCornerEllipse),
                     FALSE);
        tip.region_rect = client;
    }
    draw_rounded_box(dc, client, tip.text);
    EndPaint(window, &paint);
}

// The tooltip messages go to the procedure kept at subclassing, so that
// they work before MSG_SET_PREV_WNDPROC arrives.
bool is_tooltip_message(UINT message)
{
    switch (message) {
    case TTM_ACTIVATE:
    case TTM_SETTOOLINFOA:
    case TTM_HITTESTA:
    case TTM_UPDATETIPTEXTA:
    case TTM_TRACKACTIVATE:
    case TTM_TRACKPOSITION:
    case TTM_POP:
    case TTM_UPDATE:
    case TTM_POPUP:
        return true;
    }
    return false;
}

// The last message of the window: its state goes, the message goes on.
LRESULT release_tooltip(HWND window, rounded_tooltip* tip, WPARAM wparam, LPARAM lparam)
{
    const WNDPROC next = tip->previous ? tip->previous : tip->kept;
    RemovePropA(window, kTooltipState);
    delete tip;
    return call_proc(next, window, WM_NCDESTROY, wparam, lparam);
}

} // namespace

LRESULT CALLBACK logo_button_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_MOUSEMOVE) {
        SetCursor(LoadCursorA(nullptr, IDC_HAND));
        return 1;
    }
    return call_previous(window, message, wparam, lparam);
}

LRESULT CALLBACK framed_control_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_ERASEBKGND)
        return erase_framed_control(window);
    return call_previous(window, message, wparam, lparam);
}

LRESULT CALLBACK rounded_tooltip_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    rounded_tooltip* tip = tooltip_of(window);
    if (!tip)
        return DefWindowProcA(window, message, wparam, lparam);
    if (is_tooltip_message(message))
        return call_proc(tip->kept, window, message, wparam, lparam);
    switch (message) {
    case WM_DESTROY:
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        paint_rounded_tooltip(window, *tip);
        return 1;
    case WM_MOUSEMOVE:
        return 0;
    case MSG_SET_TOOLTIP_TEXT:
        set_tooltip_text(*tip, reinterpret_cast<const char*>(lparam));
        return 1;
    case MSG_SET_PREV_WNDPROC:
        take_previous_proc(*tip, lparam);
        return 1;
    case WM_NCDESTROY:
        return release_tooltip(window, tip, wparam, lparam);
    }
    return call_proc(tip->previous ? tip->previous : tip->kept, window, message, wparam, lparam);
}

void subclass_rounded_tooltip(HWND tooltip)
{
    if (!tooltip || tooltip_of(tooltip))
        return;
    auto* tip = new rounded_tooltip{};
    SetPropA(tooltip, kTooltipState, tip);
    tip->kept = replace_proc(tooltip, rounded_tooltip_proc);
    SetWindowLongA(tooltip, GWL_EXSTYLE, WS_EX_LAYERED | WS_EX_TOOLWINDOW);
    SetLayeredWindowAttributes(tooltip, RGB(0, 0, 0), 0, LWA_COLORKEY | LWA_ALPHA);
    SendMessageA(tooltip, MSG_SET_PREV_WNDPROC, 0,
                 reinterpret_cast<LPARAM>(new WNDPROC(tip->kept)));
}

const char* rounded_tooltip_text(HWND tooltip)
{
    const rounded_tooltip* tip = tooltip_of(tooltip);
    return tip ? tip->text : nullptr;
}

void subclass_frame_controls()
{
    frame_colour = GetSysColor(COLOR_3DFACE);
    subclass_keeping_previous(get_control_by_id(IDC_MEAS_DATA_SETTINGS_GROUP),
                              framed_control_proc);
    subclass_keeping_previous(get_control_by_id(IDC_LOGO), logo_button_proc);
    subclass_rounded_tooltip(harmonic_results_tooltips[1].window);
    subclass_rounded_tooltip(harmonic_results_tooltips[2].window);
}
