// The LOMX window's commands: connecting the CAN-bus converter through its
// Connect dialog, and which of the window's controls are enabled.
#include "views/lomx.h"

#include "frame/app_globals.h"
#include "frame/commands.h"
#include "frame/control_tables.h"
#include "frame/lomx_ids.h"
#include "frame/main_ids.h"
#include "link/converter_dialog.h"
#include "link/converter_dialog_ids.h"
#include "link/dialog_fields.h"
#include "logging/logging_state.h"

#include <string>

namespace {

// The converter's identification as the dialog left it in its own link.
std::string converter_identity()
{
    return field_text(converter_link.idn_reply, sizeof converter_link.idn_reply);
}

// What decides whether a control of the LOMX window is enabled.
enum class lomx_rule { converter, connect, always };

struct lomx_rule_row {
    int id;
    lomx_rule rule;
};

// The controls that do not work with the converter itself; every other
// control follows the converter's connection.
constexpr lomx_rule_row kLomxRules[] = {
    {IDC_LOMX_TITLE, lomx_rule::always},
    {IDC_LOMX_INSTRUCTIONS, lomx_rule::always},
    {IDC_LOMX_CONNECT, lomx_rule::connect},
    {IDC_LOMX_STATUS, lomx_rule::always},
};
static_assert(sizeof kLomxRules / sizeof kLomxRules[0] == 4, "title, instructions, Connect, status");

lomx_rule rule_of(int id)
{
    for (const lomx_rule_row& row : kLomxRules) {
        if (row.id == id)
            return row.rule;
    }
    return lomx_rule::converter;
}

// The Connect dialog may open while the user sees the LOMX view and no run
// or download holds an instrument.
bool connect_usable()
{
    return get_current_view_menu_id() == IDM_VIEW_LOMX && activity_state == ACTIVITY_IDLE;
}

bool enabled_by(lomx_rule rule)
{
    switch (rule) {
    case lomx_rule::always:
        return true;
    case lomx_rule::connect:
        return connect_usable();
    case lomx_rule::converter:
        break;
    }
    return converter_link.connected != 0;
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
    for (const control_desc& control : lomx_controls) {
        if (control.hwnd)
            EnableWindow(control.hwnd, enabled_by(rule_of(control.id)));
    }
}
