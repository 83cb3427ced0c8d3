#include "tests/support/dialog_watch.h"

#include <deque>
#include <utility>

namespace {

constexpr UINT kPollMs = 10;

HHOOK g_hook = nullptr;
std::vector<std::string> g_captions;
std::deque<std::function<void(HWND)>> g_scripts;
UINT_PTR g_timer = 0;
HWND g_last_scripted = nullptr;

bool is_dialog(HWND window)
{
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    return lstrcmpA(name, "#32770") == 0;
}

LRESULT CALLBACK record_caption(int code, WPARAM wparam, LPARAM lparam)
{
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lparam);
    if (code == HC_ACTION && call->message == WM_INITDIALOG && is_dialog(call->hwnd)) {
        char caption[256] = "";
        GetWindowTextA(call->hwnd, caption, sizeof caption);
        g_captions.emplace_back(caption);
    }
    return CallNextHookEx(g_hook, code, wparam, lparam);
}

BOOL CALLBACK find_shown_dialog(HWND window, LPARAM found)
{
    if (window != g_last_scripted && is_dialog(window) && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK run_script(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), find_shown_dialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog || g_scripts.empty())
        return;
    std::function<void(HWND)> script = std::move(g_scripts.front());
    g_scripts.pop_front();
    if (g_scripts.empty()) {
        KillTimer(nullptr, g_timer);
        g_timer = 0;
    }
    g_last_scripted = dialog;
    script(dialog);
    if (IsWindow(dialog))
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

} // namespace

dialog_watch::dialog_watch()
{
    g_captions.clear();
    g_hook = SetWindowsHookExA(WH_CALLWNDPROCRET, record_caption, nullptr, GetCurrentThreadId());
}

dialog_watch::~dialog_watch()
{
    UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
}

std::vector<std::string> dialog_watch::captions() const
{
    return g_captions;
}

void on_next_dialog(std::function<void(HWND dialog)> script)
{
    g_scripts.push_back(std::move(script));
    if (!g_timer)
        g_timer = SetTimer(nullptr, 0, kPollMs, run_script);
}

size_t dialog_scripts_waiting()
{
    return g_scripts.size();
}

void press(HWND dialog, int id)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
