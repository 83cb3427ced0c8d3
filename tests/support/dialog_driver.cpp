#include "tests/support/dialog_driver.h"

#include "tests/support/test_window.h"

#include <utility>

namespace {

constexpr UINT_PTR kDriveTimer = 40;
constexpr UINT kDrivePollMs = 10;

std::function<void(HWND)> g_drive;

struct dialog_search {
    HWND owner;
    HWND found;
};

BOOL CALLBACK find_owned_dialog(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<dialog_search*>(data);
    char class_name[16] = "";
    GetClassNameA(window, class_name, sizeof class_name);
    if (GetWindow(window, GW_OWNER) == search->owner && lstrcmpA(class_name, "#32770") == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The dialog shows itself once its message loop first runs idle; drive it
// from then on, as a user would.
void CALLBACK drive_when_shown(HWND owner, UINT, UINT_PTR timer, DWORD)
{
    dialog_search search{owner, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), find_owned_dialog, reinterpret_cast<LPARAM>(&search));
    if (!search.found || !IsWindowVisible(search.found))
        return;
    KillTimer(owner, timer);
    const std::function<void(HWND)> drive = std::move(g_drive);
    g_drive = nullptr;
    if (drive)
        drive(search.found);
}

} // namespace

void drive_next_dialog(HWND owner, std::function<void(HWND)> drive)
{
    g_drive = std::move(drive);
    // The dialog's modal loop delivers the timer once it runs.
    SetTimer(owner, kDriveTimer, kDrivePollMs, drive_when_shown);
}

INT_PTR run_modal_dialog(int resource, DLGPROC proc, LPARAM param, const std::function<void(HWND)>& drive)
{
    HWND owner = make_test_window("KestrovaDialogDriverOwner", DefWindowProcA);
    drive_next_dialog(owner, drive);
    const INT_PTR result =
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource), owner, proc, param);
    KillTimer(owner, kDriveTimer);
    g_drive = nullptr;
    DestroyWindow(owner);
    return result;
}

void click_dialog_button(HWND dialog, int id)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
