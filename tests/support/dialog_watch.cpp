#include "tests/support/dialog_watch.h"

#include "tests/support/modal_dialog.h"

namespace {

HHOOK g_hook = nullptr;
std::vector<std::string> g_captions;

// After its WM_INITDIALOG a dialog carries the caption it shows.
LRESULT CALLBACK record_caption(int code, WPARAM wparam, LPARAM lparam)
{
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lparam);
    if (code == HC_ACTION && call->message == WM_INITDIALOG && is_dialog(call->hwnd))
        g_captions.push_back(caption(call->hwnd));
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
