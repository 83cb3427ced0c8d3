#include "tests/support/test_window.h"

HWND make_test_window(const char* class_name, WNDPROC proc)
{
    WNDCLASSA wc{};
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!GetClassInfoA(instance, class_name, &wc)) {
        wc = WNDCLASSA{};
        wc.lpfnWndProc = proc;
        wc.hInstance = instance;
        wc.lpszClassName = class_name;
        if (!RegisterClassA(&wc))
            return nullptr;
    }
    return CreateWindowExA(0, class_name, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance,
                           nullptr);
}

void deliver_posted_messages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}
