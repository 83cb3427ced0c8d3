// Which control of the main window had the keyboard focus before a dialog
// took it, and giving it back afterwards. The control is kept as a property
// of the main window itself.
#include "app/focus_return.h"

namespace {

constexpr char kKeptFocusProperty[] = "Kestrova.KeptFocus";

HWND kept_control(HWND main_window)
{
    return static_cast<HWND>(GetPropA(main_window, kKeptFocusProperty));
}

void keep_control(HWND main_window, HWND control)
{
    SetPropA(main_window, kKeptFocusProperty, control);
}

bool is_control_of(HWND main_window, HWND window)
{
    return window != nullptr && IsChild(main_window, window);
}

bool can_take_focus(HWND main_window, HWND window)
{
    return is_control_of(main_window, window) && IsWindowVisible(window) && IsWindowEnabled(window) &&
           IsWindowEnabled(main_window);
}

bool focus_is_lost(HWND main_window)
{
    HWND focus = GetFocus();
    return focus == nullptr || focus == main_window;
}

} // namespace

void remember_focused_control(HWND main_window)
{
    HWND focus = GetFocus();
    if (is_control_of(main_window, focus))
        keep_control(main_window, focus);
}

bool return_focus_to_control(HWND main_window)
{
    HWND kept = kept_control(main_window);
    if (!can_take_focus(main_window, kept))
        return false;
    SetFocus(kept);
    return GetFocus() == kept;
}

void keep_focus_through_command(HWND main_window, HWND focus_before)
{
    if (!IsWindow(main_window) || !focus_is_lost(main_window))
        return;
    if (is_control_of(main_window, focus_before))
        keep_control(main_window, focus_before);
    return_focus_to_control(main_window);
}

void forget_focused_control(HWND main_window)
{
    RemovePropA(main_window, kKeptFocusProperty);
}
