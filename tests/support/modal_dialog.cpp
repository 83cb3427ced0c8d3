#include "tests/support/modal_dialog.h"

#include "tests/support/test_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

// The dialog shows itself once its modal loop first runs idle; timer
// messages come only then, so the script runs on a shown dialog, as a user
// would see it. The timer is the thread's, which any message loop of the
// thread delivers.
constexpr UINT kScriptPollMs = 10;

// The display's key sender (scripts/setup.sh installs it).
constexpr char kXdotool[] = "/usr/bin/xdotool";

// The armed script and which dialog it waits for.
struct armed_script {
    std::function<void(HWND)> script;
    bool any_owner = true;
    HWND owner = nullptr;
    bool every = false;         // stays armed for the dialogs after
    std::vector<HWND> passed;   // open when armed, or driven already
    UINT_PTR timer = 0;
};

armed_script g_armed;

bool is_passed(HWND window)
{
    return std::find(g_armed.passed.begin(), g_armed.passed.end(), window) != g_armed.passed.end();
}

BOOL CALLBACK add_open_dialog(HWND window, LPARAM)
{
    if (is_dialog(window))
        g_armed.passed.push_back(window);
    return TRUE;
}

BOOL CALLBACK find_next_dialog(HWND window, LPARAM param)
{
    if (!is_dialog(window) || is_passed(window) || !IsWindowVisible(window) ||
        !(g_armed.any_owner || GetWindow(window, GW_OWNER) == g_armed.owner))
        return TRUE;
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
}

void disarm()
{
    if (g_armed.timer != 0)
        KillTimer(nullptr, g_armed.timer);
    g_armed = armed_script();
}

// Runs the armed script on the next dialog once it is shown; a dialog the
// script leaves open is cancelled.
void CALLBACK run_script_when_shown(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), find_next_dialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr)
        return;
    std::function<void(HWND)> script = g_armed.script;
    if (g_armed.every)
        g_armed.passed.push_back(dialog);
    else
        disarm();
    if (script)
        script(dialog);
    if (IsWindow(dialog))
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

void arm(std::function<void(HWND)> script, bool any_owner, HWND owner, bool every)
{
    disarm();
    g_armed.script = std::move(script);
    g_armed.any_owner = any_owner;
    g_armed.owner = owner;
    g_armed.every = every;
    EnumThreadWindows(GetCurrentThreadId(), add_open_dialog, 0);
    g_armed.timer = SetTimer(nullptr, 0, kScriptPollMs, run_script_when_shown);
}

LRESULT send_list(HWND dialog, int id, UINT message, WPARAM wparam = 0, LPARAM lparam = 0)
{
    return SendDlgItemMessageA(dialog, id, message, wparam, lparam);
}

// Every entry's text of a combo box or list box, by its count and text
// messages.
std::vector<std::string> entry_texts(HWND list, UINT count_message, UINT text_message)
{
    std::vector<std::string> texts;
    const LRESULT count = SendMessageA(list, count_message, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[256] = {};
        SendMessageA(list, text_message, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        texts.emplace_back(text);
    }
    return texts;
}

} // namespace

void drive_next_dialog(std::function<void(HWND dialog)> script)
{
    arm(std::move(script), true, nullptr, false);
}

void drive_next_dialog(HWND owner, std::function<void(HWND dialog)> script)
{
    arm(std::move(script), false, owner, false);
}

dialog_driver::dialog_driver(std::function<void(HWND dialog)> script)
{
    arm(std::move(script), true, nullptr, true);
}

dialog_driver::~dialog_driver()
{
    disarm();
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
    disarm();
    DestroyWindow(owner);
    return result;
}

void click(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    if ((GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON) {
        SendMessageA(button, BM_CLICK, 0, 0);
        return;
    }
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

bool mouse_click(HWND window)
{
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return false;
    const POINT middle{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    HWND top = GetAncestor(window, GA_ROOT);
    constexpr UINT kZOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(top, HWND_TOPMOST, 0, 0, 0, 0, kZOrderOnly);
    DWORD process = 0;
    GetWindowThreadProcessId(WindowFromPoint(middle), &process);
    const bool ours = process == GetCurrentProcessId();
    if (ours) {
        SetCursorPos(middle.x, middle.y);
        INPUT press[2] = {};
        press[0].type = press[1].type = INPUT_MOUSE;
        press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, press, sizeof press[0]);
        // Long enough for the click to come in and what it starts to run.
        MSG message;
        for (const DWORD start = GetTickCount(); GetTickCount() - start < 300;) {
            if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                Sleep(5);
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    SetWindowPos(top, HWND_NOTOPMOST, 0, 0, 0, 0, kZOrderOnly);
    return ours;
}

bool press_key_on_display(const char* key)
{
    // Wine starts a program of the host system by its path, with no handle
    // to wait for.
    std::string command = std::string(kXdotool) + " key " + key;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    for (HANDLE handle : {process.hProcess, process.hThread}) {
        if (handle)
            CloseHandle(handle);
    }
    return true;
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
    return entry_texts(GetDlgItem(dialog, id), LB_GETCOUNT, LB_GETTEXT);
}

std::vector<std::string> list_texts(HWND dialog, int id)
{
    return combo_texts(GetDlgItem(dialog, id));
}

std::vector<std::string> combo_texts(HWND combo)
{
    return entry_texts(combo, CB_GETCOUNT, CB_GETLBTEXT);
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

std::string caption(HWND dialog)
{
    return window_text(dialog);
}

bool is_shown(HWND dialog, int id)
{
    return has_visible_style(GetDlgItem(dialog, id));
}

bool is_enabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

bool is_checked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

std::string window_text(HWND window)
{
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool has_visible_style(HWND window)
{
    return window && (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE);
}

bool is_dialog(HWND window)
{
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return lstrcmpA(name, "#32770") == 0;
}
