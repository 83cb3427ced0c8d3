// The LOMX window's commands: connecting the CAN-bus converter through its
// Connect dialog, and which of the window's controls are enabled.
#include "views/lomx.h"

#include "frame/app_globals.h"
#include "frame/commands.h"
#include "frame/control_tables.h"
#include "link/converter_dialog.h"
#include "link/converter_dialog_ids.h"
#include "link/dialog_fields.h"
#include "slots/instrument_slots.h"
#include "link/model_identification.h"
#include "frame/lomx_ids.h"

#include <string>

namespace {

// The converter's identification as the dialog left it in its own link.
std::string converter_identity()
{
    return field_text(converter_link.idn_reply, sizeof converter_link.idn_reply);
}

} // namespace

void lomx_command(HWND lomx_window, int id)
{
    if (id != IDC_LOMX_CONNECT)
        return;
    const INT_PTR result =
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CONVERTER_CONNECT),
                        lomx_window, connect_dlg_proc, kConverterSerialOnly);
    const std::string status =
        result == IDC_CONVERTER_CONNECT ? converter_identity() : std::string("No Connection");
    SetDlgItemTextA(lomx_window, IDC_LOMX_STATUS, status.c_str());
    SendMessageA(main_window, WM_COMMAND, CMD_REFRESH_CONNECTIONS, 0);
}

void lomx_enable_controls(HWND, bool)
{
    const instrument_slot& slot = get_current_instrument();
    const bool converter = slot.connected && slot.model_code == kConverterModel;
    enable_controls_from_table(lomx_controls.data(), LOMX_CONTROL_ROWS, converter);
}
