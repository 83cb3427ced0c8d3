// Which control of the main window had the keyboard focus before a dialog
// took it, and giving it back afterwards.
#include "app/focus_return.h"

namespace {

HWND g_kept = nullptr;

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
        g_kept = focus;
}

bool return_focus_to_control(HWND main_window)
{
    if (!can_take_focus(main_window, g_kept))
        return false;
    SetFocus(g_kept);
    return GetFocus() == g_kept;
}

void keep_focus_through_command(HWND main_window, HWND focus_before)
{
    if (!IsWindow(main_window) || !focus_is_lost(main_window))
        return;
    if (is_control_of(main_window, focus_before))
        g_kept = focus_before;
    return_focus_to_control(main_window);
}
