#include "tests/app/frame_fixture.h"

#include "frame/app_data_folder.h"
#include "frame/app_globals.h"
#include "slots/connection.h"
#include "app/main_window.h"
#include "app/resource.h"
#include "slots/instrument_slots.h"
#include "link/transport.h"
#include "tests/support/msgbox_recorder.h"

#include <cstring>

void FrameTest::SetUp()
{
    msgbox::reset();
    root = make_folder();
    set_local_app_data_root(root.c_str());
    if (open_window_in_set_up)
        open_main_window();
}

void FrameTest::TearDown()
{
    if (main && IsWindow(main))
        close_main_window(1);
    set_local_app_data_root(nullptr);
    folders_.clear();
}

void FrameTest::open_main_window()
{
    main = start_main_window(GetModuleHandleA(nullptr), SW_SHOW);
    ASSERT_NE(main, nullptr);
    pump();
}

void FrameTest::pump()
{
    HACCEL keys = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            continue;
        if (main && TranslateAcceleratorA(main, keys, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

LRESULT FrameTest::command(int id)
{
    const LRESULT result = SendMessageA(main, WM_COMMAND, static_cast<WPARAM>(id), 0);
    pump();
    return result;
}

void FrameTest::close_main_window(LPARAM lparam)
{
    SendMessageA(main, WM_CLOSE, 0, lparam);
    pump();
}

std::vector<WPARAM> FrameTest::take_posted_commands(HWND window)
{
    std::vector<WPARAM> ids;
    MSG message;
    while (PeekMessageA(&message, window, WM_COMMAND, WM_COMMAND, PM_REMOVE))
        ids.push_back(message.wParam);
    return ids;
}

bool FrameTest::connect(int n, const link_record& settings)
{
    instrument_slot& slot = get_instrument(n);
    set_link_interface(slot, link_interface(settings));
    memcpy(slot.ip_address, settings.ip_address, sizeof slot.ip_address);
    memcpy(slot.com_port, settings.com_port, sizeof slot.com_port);
    slot.baud_rate = settings.baud_rate;
    // The Communications dialog keeps whether the instrument was attached
    // as the slot's connected flag.
    const bool attached = connect_instrument(main, n, &slot, false);
    slot.connected = attached ? 1 : 0;
    pump();
    return attached;
}

std::string FrameTest::make_folder()
{
    folders_.push_back(std::make_unique<temp_folder>());
    return folders_.back()->path;
}

std::string app_folder_under(const std::string& root)
{
    return root + "\\Trosvalden\\DualWQT";
}

std::string settings_file_under(const std::string& root)
{
    return app_folder_under(root) + "\\DualWQT.ini";
}

