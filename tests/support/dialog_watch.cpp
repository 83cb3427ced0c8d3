#include "tests/support/dialog_watch.h"

namespace {

HHOOK g_hook = nullptr;
std::vector<std::string> g_captions;

bool is_dialog(HWND window)
{
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    return lstrcmpA(name, "#32770") == 0;
}

// After its WM_INITDIALOG a dialog carries the caption it shows.
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
