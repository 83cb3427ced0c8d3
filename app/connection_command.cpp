// The Connection command and the main window's title, which names every
// connected instrument.
#include "app/main_commands.h"

#include "configui/pages/dispatch.h"
#include "frame/app_data_folder.h"
#include "frame/app_globals.h"
#include "base/message_box.h"
#include "frame/commands.h"
#include "slots/connection.h"
#include "app/control_state.h"
#include "frame/control_tables.h"
#include "views/layout.h"
#include "frame/main_ids.h"
#include "app/main_window.h"
#include "frame/version.h"
#include "configui/engine/config_pages.h"
#include "configui/window/config_refresh.h"
#include "link/communications_dialog.h"
#include "slots/instrument_slots.h"
#include "views/view_windows.h"

#include <cstring>

namespace {

const char* interface_word(uint32_t interface_code)
{
    switch (interface_code) {
    case LINK_LAN:
        return "LAN";
    case LINK_USB:
        return "USB";
    }
    return "SER";
}

static_assert(kCommunicationsInstruments == kInstrumentSlots,
              "the Communications dialog shows every instrument slot");

// After a Connect: instrument n's button is clicked and its results pane
// takes the window.
void show_connected_instrument(int n)
{
    results_layout = n;
    post_command_for_control(IDC_WQT1 + n);
}

bool any_instrument_connected()
{
    for (int n = 0; n < kInstrumentSlots; ++n)
        if (get_instrument(n).connected)
            return true;
    return false;
}

} // namespace

std::string title_identification(const char* reply)
{
    if (reply[0] == '\0')
        return ",Unknown Connection";
    const char* comma = strchr(reply, ',');
    return comma ? std::string(comma) : "," + std::string(reply);
}

void set_main_window_title(HWND main_window)
{
    std::string title = build_version_string();
    for (int n = 0; n < kInstrumentSlots; ++n) {
        const instrument_slot& slot = get_instrument(n);
        if (!slot.connected)
            continue;
        char reply[sizeof slot.idn_reply + 1] = {};
        memcpy(reply, slot.idn_reply, sizeof slot.idn_reply);
        title += "     WQT" + std::to_string(n + 1) + ": " + interface_word(link_interface(slot)) +
                 title_identification(reply);
    }
    SetWindowTextA(main_window, title.c_str());
}

void connection_command(HWND main_window)
{
    update_controls_for(main_window,
                        idle_connection_state(static_cast<int>(get_current_instrument().model_code)));
    communications_setup setup = {{}, settings_ini, connect_instrument, show_connected_instrument};
    for (int n = 0; n < kInstrumentSlots; ++n)
        setup.links[n] = &get_instrument(n);
    DialogBoxParamA(app_instance, MAKEINTRESOURCEA(IDD_COMMUNICATIONS), main_window,
                    communications_dlg_proc, reinterpret_cast<LPARAM>(&setup));
    // A slot left on the second group of a two-group instrument it no
    // longer holds goes back to group 0, before anything the dialog posted
    // runs.
    put_one_group_slots_on_group_0();
    if (!any_instrument_connected()) {
        show_message_box(main_window, "No connection was made", kProductName, MB_ICONWARNING);
    } else {
        set_active_group_and_switch(0, false);
        PostMessageA(main_window, WM_COMMAND, CMD_REFRESH_CONNECTIONS, 0);
        invalidate_all_config_pages();
        show_config_page(get_config_window());
        send_view_for_instrument_mode(main_window);
    }
    build_scope_panel();
    build_voltmeter_panel();
    set_main_window_title(main_window);
}
