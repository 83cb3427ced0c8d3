#include "tests/app/frame_window.h"

#include "frame/app_globals.h"
#include "frame/control_tables.h"
#include "views/layout.h"
#include "app/main_create.h"
#include "frame/panel_window.h"

#include <commctrl.h>

namespace {

LRESULT CALLBACK frame_test_main_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_CREATE:
        main_on_create(window);
        return 0;
    case WM_SIZE:
        if (wparam != SIZE_MINIMIZED)
            reposition_controls();
        return 0;
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(lparam)->ptMinTrackSize = {main_window_desc.cur_w,
                                                                main_window_desc.cur_h};
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

HWND start_frame()
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    INITCOMMONCONTROLSEX classes = {sizeof classes, 0x11D};
    InitCommonControlsEx(&classes);
    register_view_classes(instance);
    register_panel_class();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = frame_test_main_proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = main_window_desc.class_name;
    RegisterClassA(&wc);

    add_frame_metrics(main_window_desc);
    layout_control_tables();
    HWND created = create_main_window(main_window_desc);
    main_window = created;
    ShowWindow(created, SW_SHOWNORMAL);
    UpdateWindow(created);
    pump_messages(300);
    return created;
}

} // namespace

HWND frame_main_window()
{
    static HWND main = start_frame();
    return main;
}

void pump_messages(DWORD ms)
{
    const DWORD until = GetTickCount() + ms;
    MSG msg;
    do {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (ms)
            Sleep(10);
    } while (static_cast<LONG>(GetTickCount() - until) < 0);
}

SIZE resize_main_window(int width, int height)
{
    SetWindowPos(frame_main_window(), nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pump_messages(100);
    return main_window_size();
}

SIZE main_window_size()
{
    RECT outer = {};
    GetWindowRect(frame_main_window(), &outer);
    return {outer.right - outer.left, outer.bottom - outer.top};
}
