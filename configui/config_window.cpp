// The Config window's procedure: the head of the configuration editor with
// its page buttons.
#include "configui/config_window.h"

#include "base/window_util.h"
#include "frame/commands.h"
#include "configui/config_ids.h"
#include "configui/config_pages.h"

namespace {

// The page buttons light themselves; the context button belongs to the
// page shown, and no page is built in this version.
bool config_command(HWND window, int id)
{
    if (id >= IDC_CFG_PAGE_FIRST && id <= IDC_CFG_PAGE_LAST) {
        light_config_page_button(window, id);
        return true;
    }
    return id == IDC_CFG_ADVANCED_OPTIONS;
}

} // namespace

LRESULT CALLBACK config_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wparam) == CMD_REDRAW) {
            repaint_window(window);
            return 0;
        }
        if (config_command(window, LOWORD(wparam)))
            return 0;
        break;
    case WM_DESTROY:
        forget_config_page_button(window);
        break;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}
