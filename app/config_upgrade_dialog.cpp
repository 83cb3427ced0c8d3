#include "app/config_upgrade_dialog.h"

#include "frame/app_globals.h"
#include "base/window_util.h"

#include <cstdio>
#include <iterator>

namespace {

// The dialog's end codes.
constexpr INT_PTR kEndUpgrade = 1;
constexpr INT_PTR kEndDeclined = 2;
constexpr INT_PTR kEndUnanswered = 0;

// The code each radio writes into the entry; the group's last row is the
// code when no other radio of the group is checked.
struct radio_code {
    int id;
    int32_t code;
};

constexpr radio_code kSeriesCodes[] = {
    {IDC_UPGRADE_WQT15, 1},
    {IDC_UPGRADE_WQT25, 2},
    {IDC_UPGRADE_WQT45, 4},
    {IDC_UPGRADE_WQT55, 5},
};

constexpr radio_code kShuntCodes[] = {
    {IDC_UPGRADE_SHUNT_LOW, 2},
    {IDC_UPGRADE_SHUNT_HIGH, 4},
    {IDC_UPGRADE_SHUNT_STANDARD, 0},
};

template <size_t N>
int32_t checked_code(HWND dialog, const radio_code (&codes)[N])
{
    for (const radio_code& r : codes) {
        if (IsDlgButtonChecked(dialog, r.id) == BST_CHECKED)
            return r.code;
    }
    return codes[N - 1].code;
}

// The shunt radios a series offers, with the parts of their text.
struct shunt_label {
    int id;
    const char* amps;
    const char* current;
};

constexpr shunt_label kShuntsOfLaterSeries[] = {
    {IDC_UPGRADE_SHUNT_LOW, "10", "Low"},
    {IDC_UPGRADE_SHUNT_STANDARD, "30", "Standard"},
    {IDC_UPGRADE_SHUNT_HIGH, "50", "High"},
};

constexpr shunt_label kShuntsOfWqt15[] = {
    {IDC_UPGRADE_SHUNT_STANDARD, "20", "Standard"},
    {IDC_UPGRADE_SHUNT_HIGH, "30", "High"},
};

template <size_t N>
void show_shunts(HWND dialog, const shunt_label (&shunts)[N])
{
    for (const shunt_label& s : shunts) {
        char text[64];
        std::snprintf(text, sizeof text, "%s Arms Shunt (%s Current)", s.amps, s.current);
        SetDlgItemTextA(dialog, s.id, text);
        ShowWindow(GetDlgItem(dialog, s.id), SW_SHOW);
    }
}

config_upgrade_params* params_of(HWND dialog)
{
    return reinterpret_cast<config_upgrade_params*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

INT_PTR on_init(HWND dialog, LPARAM param)
{
    auto* params = reinterpret_cast<config_upgrade_params*>(param);
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(params));
    SetDlgItemTextA(dialog, IDC_UPGRADE_NAME, params->entry->name);
    CheckRadioButton(dialog, IDC_UPGRADE_WQT55, IDC_UPGRADE_WQT15, IDC_UPGRADE_WQT55);
    CheckRadioButton(dialog, IDC_UPGRADE_SHUNT_LOW, IDC_UPGRADE_SHUNT_HIGH,
                     IDC_UPGRADE_SHUNT_STANDARD);
    SetDlgItemTextA(dialog, IDC_UPGRADE_DECLINE, params->cancel_text ? "Cancel" : "Delete");
    return TRUE;
}

// The WQT15 and WQT5 series have no low-current shunt: its radio goes, and
// when it was checked the standard shunt is checked in its place, so that
// "Upgrade" never writes a choice the user cannot see.
void on_wqt15_series(HWND dialog)
{
    if (IsDlgButtonChecked(dialog, IDC_UPGRADE_SHUNT_LOW) == BST_CHECKED) {
        CheckRadioButton(dialog, IDC_UPGRADE_SHUNT_LOW, IDC_UPGRADE_SHUNT_HIGH,
                         IDC_UPGRADE_SHUNT_STANDARD);
    }
    ShowWindow(GetDlgItem(dialog, IDC_UPGRADE_SHUNT_LOW), SW_HIDE);
    show_shunts(dialog, kShuntsOfWqt15);
}

void on_upgrade(HWND dialog)
{
    saved_config_entry* entry = params_of(dialog)->entry;
    entry->option_code = checked_code(dialog, kShuntCodes);
    entry->model_code = checked_code(dialog, kSeriesCodes);
    EndDialog(dialog, kEndUpgrade);
}

INT_PTR on_command(HWND dialog, int id, int)
{
    switch (id) {
    case IDC_UPGRADE_WQT55:
    case IDC_UPGRADE_WQT45:
    case IDC_UPGRADE_WQT25:
        show_shunts(dialog, kShuntsOfLaterSeries);
        return TRUE;
    case IDC_UPGRADE_WQT15:
        on_wqt15_series(dialog);
        return TRUE;
    case IDOK:
        on_upgrade(dialog);
        return TRUE;
    case IDC_UPGRADE_DECLINE:
        EndDialog(dialog, kEndDeclined);
        return TRUE;
    case IDCANCEL: // Esc or the close box: no answer, nothing is deleted
        EndDialog(dialog, kEndUnanswered);
        return TRUE;
    }
    return FALSE;
}

} // namespace

INT_PTR CALLBACK config_upgrade_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    return command_dialog(dialog, message, wparam, lparam, on_init, on_command);
}

legacy_upgrade_answer ask_config_upgrade(saved_config_entry& entry, bool from_import)
{
    config_upgrade_params params{&entry, static_cast<uint8_t>(from_import ? 1 : 0)};
    const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr),
                                           MAKEINTRESOURCEA(IDD_CONFIG_UPGRADE), main_window,
                                           config_upgrade_dlg_proc,
                                           reinterpret_cast<LPARAM>(&params));
    if (result == kEndUpgrade)
        return legacy_upgrade_answer::upgrade;
    return result == kEndDeclined ? legacy_upgrade_answer::declined
                                  : legacy_upgrade_answer::unanswered;
}
