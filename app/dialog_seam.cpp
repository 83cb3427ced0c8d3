#include "app/dialog_seam.h"

#include <utility>

namespace {

dialog_hook g_hook;

// Timer ids of the hand-over: this base plus the dialog's resource id.
constexpr UINT_PTR kHookTimerBase = 0x4B440000;

// Runs on the dialog's timer until the dialog's loop has shown it, so that
// the hook meets the dialog as a user would.
void CALLBACK hand_over(HWND dialog, UINT, UINT_PTR timer, DWORD)
{
    if (!IsWindowVisible(dialog))
        return;
    KillTimer(dialog, timer);
    if (g_hook)
        g_hook(dialog, static_cast<int>(timer - kHookTimerBase));
}

} // namespace

dialog_hook set_dialog_hook(dialog_hook hook)
{
    std::swap(g_hook, hook);
    return hook;
}

void announce_dialog(HWND dialog, int resource_id)
{
    if (g_hook)
        SetTimer(dialog, kHookTimerBase + resource_id, 0, hand_over);
}
