#include "tests/support/modal_dialog.h"

#include "tests/support/test_window.h"

#include <commctrl.h>

#include <cstdio>
#include <utility>

namespace {

// The dialog shows itself once its modal loop first runs idle; timer
// messages come only then, so the script runs on a shown dialog, as a user
// would see it.
constexpr UINT_PTR kScriptTimer = 77;
constexpr UINT kScriptPollMs = 10;

std::function<void(HWND)> g_script;

BOOL CALLBACK find_owned_dialog(HWND window, LPARAM param)
{
    auto* found = reinterpret_cast<std::pair<HWND, HWND>*>(param);
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (GetWindow(window, GW_OWNER) == found->first && lstrcmpA(name, "#32770") == 0) {
        found->second = window;
        return FALSE;
    }
    return TRUE;
}

// Runs the armed script on the owner's dialog once it is shown; a dialog the
// script leaves open is cancelled.
void CALLBACK run_script_when_shown(HWND owner, UINT, UINT_PTR timer, DWORD)
{
    std::pair<HWND, HWND> found{owner, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), find_owned_dialog, reinterpret_cast<LPARAM>(&found));
    if (found.second == nullptr || !IsWindowVisible(found.second))
        return;
    KillTimer(owner, timer);
    const std::function<void(HWND)> script = std::move(g_script);
    g_script = nullptr;
    if (script)
        script(found.second);
    if (IsWindow(found.second))
        PostMessageA(found.second, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

LRESULT send_list(HWND dialog, int id, UINT message, WPARAM wparam = 0, LPARAM lparam = 0)
{
    return SendDlgItemMessageA(dialog, id, message, wparam, lparam);
}

// Every entry's text of a combo box or list box, by its count and text
// messages.
std::vector<std::string> entry_texts(HWND dialog, int id, UINT count_message, UINT text_message)
{
    std::vector<std::string> texts;
    const LRESULT count = send_list(dialog, id, count_message);
    for (LRESULT i = 0; i < count; ++i) {
        char text[256] = {};
        send_list(dialog, id, text_message, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        texts.emplace_back(text);
    }
    return texts;
}

} // namespace

void drive_next_dialog(HWND owner, std::function<void(HWND dialog)> script)
{
    g_script = std::move(script);
    // The dialog's modal loop delivers the timer once it runs.
    SetTimer(owner, kScriptTimer, kScriptPollMs, run_script_when_shown);
}

INT_PTR run_modal_dialog(int template_id, DLGPROC proc, LPARAM param,
                         const std::function<void(HWND dialog)>& script)
{
    HWND owner = make_test_window("KestrovaModalDialogOwner", DefWindowProcA);
    if (owner == nullptr)
        return -2;
    drive_next_dialog(owner, script);
    const INT_PTR result =
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(template_id), owner, proc, param);
    KillTimer(owner, kScriptTimer);
    g_script = nullptr;
    DestroyWindow(owner);
    return result;
}

void click(HWND dialog, int id)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void choose(HWND dialog, int id, int index)
{
    send_list(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index));
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool choose_text(HWND dialog, int id, const std::string& text)
{
    const LRESULT index = send_list(dialog, id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(text.c_str()));
    if (index == CB_ERR)
        return false;
    choose(dialog, id, static_cast<int>(index));
    return true;
}

void select_list_item(HWND dialog, int id, int index)
{
    send_list(dialog, id, LB_SETCURSEL, static_cast<WPARAM>(index));
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void type_address(HWND dialog, int id, const std::string& address)
{
    unsigned a, b, c, d;
    if (std::sscanf(address.c_str(), "%u.%u.%u.%u", &a, &b, &c, &d) == 4)
        send_list(dialog, id, IPM_SETADDRESS, 0, MAKEIPADDRESS(a, b, c, d));
    else
        send_list(dialog, id, IPM_CLEARADDRESS);
}

std::vector<std::string> list_box_texts(HWND dialog, int id)
{
    return entry_texts(dialog, id, LB_GETCOUNT, LB_GETTEXT);
}

std::vector<std::string> list_texts(HWND dialog, int id)
{
    return entry_texts(dialog, id, CB_GETCOUNT, CB_GETLBTEXT);
}

std::string chosen_text(HWND dialog, int id)
{
    const LRESULT index = send_list(dialog, id, CB_GETCURSEL);
    if (index == CB_ERR)
        return "";
    char text[256] = {};
    send_list(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

std::string control_text(HWND dialog, int id)
{
    char text[512] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

bool is_shown(HWND dialog, int id)
{
    return (GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

bool is_enabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}
