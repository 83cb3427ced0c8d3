// An empty Win32 window program: one top-level window of a class of its own,
// shown, and its message loop; closing the window ends the process. The
// start-up benchmark starts it the way it starts Kestrova, for the
// platform's own time to start and close a window program beside Kestrova's.
// It marks its entry as Kestrova does, so that the time the platform takes
// to load a program shows beside Kestrova's.
#include "base/timing_mark.h"

#include <windows.h>

namespace {

constexpr char kClassName[] = "KestrovaBenchEmptyWindow";

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM w, LPARAM l)
{
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, w, l);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    timing_mark("WinMain entered");
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = window_proc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    window_class.lpszClassName = kClassName;
    if (!RegisterClassA(&window_class))
        return 1;
    HWND window = CreateWindowA(kClassName, "Empty window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 800, 600, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
