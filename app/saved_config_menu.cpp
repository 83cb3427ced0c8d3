#include "app/saved_config_menu.h"

void rebuild_saved_config_menu(HWND main_window, bool, bool enable)
{
    HMENU configure = GetSubMenu(GetMenu(main_window), 0);
    if (configure && GetSubMenu(configure, 1))
        EnableMenuItem(configure, 1, MF_BYPOSITION | (enable ? MF_ENABLED : MF_GRAYED));
    DrawMenuBar(main_window);
}
