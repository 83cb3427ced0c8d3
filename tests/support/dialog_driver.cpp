#include "tests/support/dialog_driver.h"

#include "tests/support/test_window.h"

namespace {

constexpr UINT_PTR kDriveTimer = 40;
constexpr UINT kDrivePollMs = 10;

const std::function<void(HWND)>* g_drive = nullptr;

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

LRESULT CALLBACK owner_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    // The dialog shows itself once its message loop first runs idle; drive
    // it from then on, as a user would.
    if (message == WM_TIMER && wparam == kDriveTimer && g_drive) {
        dialog_search search{window, nullptr};
        EnumThreadWindows(GetCurrentThreadId(), find_owned_dialog, reinterpret_cast<LPARAM>(&search));
        if (search.found && IsWindowVisible(search.found)) {
            KillTimer(window, kDriveTimer);
            (*g_drive)(search.found);
        }
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

} // namespace

INT_PTR run_modal_dialog(int resource, DLGPROC proc, LPARAM param, const std::function<void(HWND)>& drive)
{
    HWND owner = make_test_window("KestrovaDialogDriverOwner", owner_proc);
    g_drive = &drive;
    // The dialog's modal loop delivers the timer once it runs.
    SetTimer(owner, kDriveTimer, kDrivePollMs, nullptr);
    const INT_PTR result =
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource), owner, proc, param);
    g_drive = nullptr;
    DestroyWindow(owner);
    return result;
}

void click_dialog_button(HWND dialog, int id)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
