#include "views/lomx.h"

#include "app/app_globals.h"
#include "app/commands.h"
#include "app/control_tables.h"
#include "link/instrument_slots.h"
#include "views/lomx_ids.h"

void lomx_command(HWND lomx_window, int id)
{
    if (id != IDC_LOMX_CONNECT)
        return;
    // The converter's Connect dialog is not part of this version, so no
    // connection is made.
    SetDlgItemTextA(lomx_window, IDC_LOMX_STATUS, "No Connection");
    SendMessageA(main_window, WM_COMMAND, CMD_REFRESH_CONNECTIONS, 0);
}

void lomx_enable_controls(HWND, bool)
{
    const instrument_slot& slot = get_current_instrument();
    const bool converter = slot.connected && slot.model_code == kConverterModelCode;
    enable_controls_from_table(lomx_controls.data(), LOMX_CONTROL_ROWS, converter);
}
