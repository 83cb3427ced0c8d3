#include "configui/window/default_config_dialog.h"

#include "base/window_util.h"
#include "config/default_configs.h"
#include "config/instrument_config.h"
#include "frame/app_globals.h"
#include "link/transport.h"
#include "slots/instrument_slots.h"

namespace {

INT_PTR on_init(HWND dialog, LPARAM)
{
    fit_window_to_monitor(dialog, main_window != nullptr ? main_window : GetParent(dialog));
    return TRUE;
}

INT_PTR on_command(HWND dialog, int id, int)
{
    switch (id) {
    case IDC_DEFAULT_AC:
        EndDialog(dialog, DEFAULT_KIND_AC);
        return TRUE;
    case IDC_DEFAULT_DC:
        EndDialog(dialog, DEFAULT_KIND_DC);
        return TRUE;
    case IDCANCEL:
    case IDCLOSE:
        EndDialog(dialog, DEFAULT_KIND_CANCELLED);
        return TRUE;
    default:
        return FALSE;
    }
}

bool link_is_open(const link_record* link)
{
    return link->link_open != 0;
}

} // namespace

INT_PTR CALLBACK select_default_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    return command_dialog(dialog, message, wparam, lparam, on_init, on_command);
}

void apply_default_config(HWND owner, instrument_config* cfg, bool link_already_open)
{
    if (cfg == nullptr)
        return;
    const wait_cursor cursor;
    instrument_slot& slot = get_current_instrument();
    if (!link_already_open)
        open_close_link(LINK_OPEN, &slot);
    int mode = 0;
    cfg->get_value_int(kItemDefaultMode, mode);
    const int digit =
        default_needs_model_digit(slot.model_code, mode) ? model_digit_of(&slot) : -1;
    const default_action action = choose_default_action(slot.model_code, mode, digit);
    if (action == default_action::ask_kind)
        ask_default_kind(owner, cfg);
    else if (action == default_action::recall_program)
        recall_program_zero(cfg);
    else
        apply_default_block(*cfg, action, &slot, link_is_open(&slot));
    if (!link_already_open)
        open_close_link(LINK_CLOSE, &slot);
}

void ask_default_kind(HWND owner, instrument_config* cfg)
{
    if (cfg == nullptr)
        return;
    const INT_PTR answer =
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SELECT_DEFAULT), owner,
                        select_default_dlg_proc, 0);
    instrument_slot& slot = get_current_instrument();
    apply_default_kind(*cfg, static_cast<int>(answer), &slot, link_is_open(&slot));
}

void recall_program_zero(instrument_config* cfg)
{
    if (cfg != nullptr)
        recall_program_zero_on(*cfg, &get_current_instrument());
}
