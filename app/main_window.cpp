// Start-up, the main window's procedure and shut-down, and the About
// dialog.
#include "app/main_window.h"

#include "frame/app_globals.h"
#include "base/timing_mark.h"
#include "base/window_util.h"
#include "frame/commands.h"
#include "app/control_state.h"
#include "app/config_upgrade_dialog.h"
#include "app/focus_return.h"
#include "frame/control_tables.h"
#include "app/frame_reporter.h"
#include "frame/icon_holder.h"
#include "views/layout.h"
#include "app/main_commands.h"
#include "app/main_create.h"
#include "frame/main_ids.h"
#include "frame/panel_window.h"
#include "app/resource.h"
#include "app/saved_config_menu.h"
#include "app/settings.h"
#include "frame/timer_services.h"
#include "frame/ui_fonts.h"
#include "frame/version.h"
#include "config/legacy_config.h"
#include "configui/engine/config_ids.h"
#include "link/comms_log.h"
#include "slots/instrument_slots.h"
#include "link/lan_discovery.h"
#include "link/transport.h"
#include "link/wire_commands.h"
#include "logging/equations.h"
#include "logging/logging_state.h"
#include "logging/results_file.h"
#include "logging/results_store.h"
#include "logging/run_control.h"
#include "frame/measure_ids.h"
#include "views/view_windows.h"

#include <objbase.h>

#include <cstdio>

HINSTANCE app_instance = nullptr;
bool com_initialised = false;
HBITMAP logo_bitmap = nullptr;
HIMAGELIST small_icon_list = nullptr;

namespace {

constexpr char kMainClass[] = "Z7DualWQTWClass";
constexpr char kResultsFileName[] = "wqtdl.DAT";
// List view, bar, tab, up-down, date and IP address classes.
constexpr DWORD kCommonControlClasses = ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                                        ICC_UPDOWN_CLASS | ICC_DATE_CLASSES |
                                        ICC_INTERNET_CLASSES;
// Where the LAN search sends its queries when not to the broadcast address.
constexpr char kLanSearchAddressVariable[] = "KESTROVA_LAN_SEARCH_ADDRESS";
constexpr int kSmallIcons[] = {IDI_SMALL_LIST_1, IDI_SMALL_LIST_2, IDI_SMALL_LIST_3};
// Commands posted at creation, run in this order once the window is shown:
// instrument 1, the first Config page, group 1.
constexpr int kStartCommands[] = {IDC_WQT1, IDC_CFG_PAGE_ACQU, IDC_GROUP1};
// Posted to itself after a size below the minimum was raised to it.
constexpr UINT MSG_ASSERT_FRAME_SIZE = WM_APP + 20;

// Released at exit: what starts and ends one instrument's session.
const char* const kExitCommands[] = {kCmdClearInputLine, kCmdStop, kCmdPanelLockOff};

void register_main_class(HINSTANCE instance)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = main_wnd_proc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN));
    wc.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN_SMALL));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MAIN_MENU);
    wc.lpszClassName = kMainClass;
    RegisterClassExA(&wc);
}

void start_com(HINSTANCE instance)
{
    const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    app_instance = instance;
    com_initialised = result != RPC_E_CHANGED_MODE;
}

// A dotted address in the environment keeps the LAN search to it (the
// simulated instrument's machine, for example); without one, or with a
// text that is no address, the search goes to the broadcast address.
void take_lan_search_address()
{
    char address[64] = {};
    const DWORD length = GetEnvironmentVariableA(kLanSearchAddressVariable, address, sizeof address);
    if (length > 0 && length < sizeof address)
        set_discovery_destination_text(address);
}

void build_small_icon_list()
{
    small_icon_list = ImageList_Create(16, 16, ILC_COLOR16 | ILC_MASK, 3, 3);
    if (!small_icon_list)
        return;
    for (int id : kSmallIcons) {
        CIcon icon(app_instance, id);
        ImageList_ReplaceIcon(small_icon_list, -1, icon.handle());
    }
}

// A temporary folder too long for the path leaves the path empty: the
// results file then cannot be opened, and nothing is written elsewhere.
void set_results_file_path()
{
    char folder[MAX_PATH] = "";
    const DWORD length = GetTempPathA(MAX_PATH - 1, folder);
    if (length == 0 || length >= MAX_PATH - 1)
        results_file_path[0] = '\0';
    else
        build_results_file_path(folder, results_file_path);
}

LRESULT on_create(HWND window)
{
    LoadLibraryA("riched32.dll");
    INITCOMMONCONTROLSEX classes = {sizeof classes, kCommonControlClasses};
    InitCommonControlsEx(&classes);
    timing_mark("rich-edit and common controls loaded");
    load_settings();
    timing_mark("settings read");
    main_on_create(window);
    timing_mark("controls set up");
    // The remembered CSV file names go into controls that exist only now.
    load_remembered_csv_names();
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(ui_fonts[0]), FALSE);
    logo_bitmap = LoadBitmapA(app_instance, MAKEINTRESOURCEA(IDB_LOGO));
    SendMessageA(get_control_by_id(IDC_LOGO), BM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(logo_bitmap));
    for (int id : kStartCommands)
        post_command_for_control(id);
    if (log_data_mode == LOG_MODE_REAL_TIME)
        set_check_state(IDC_MEAS_MODE_REAL_TIME_TABLE, BST_CHECKED);
    build_small_icon_list();
    set_results_file_path();
    equations_load();
    rebuild_saved_config_menu(window, true, false);
    PostMessageA(window, WM_COMMAND, CMD_OFFER_RESULTS_RELOAD, 0);
    get_message_timer_a();
    get_message_timer_b();
    timing_mark("creation done");
    return 0;
}

LRESULT on_paint(HWND window)
{
    PAINTSTRUCT ps;
    BeginPaint(window, &ps);
    EndPaint(window, &ps);
    return 0;
}

LRESULT on_size(WPARAM kind)
{
    if (kind != SIZE_MINIMIZED)
        reposition_controls();
    return 0;
}

LRESULT on_get_min_max_info(LPARAM lparam)
{
    auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
    info->ptMinTrackSize.x = main_window_desc.cur_w;
    info->ptMinTrackSize.y = main_window_desc.cur_h;
    return 0;
}

// A window manager that resizes the frame itself does not ask
// WM_GETMINMAXINFO: a size below the minimum is raised to it here, whoever
// asked for it. True when it was raised.
bool raise_to_minimum_size(WINDOWPOS& pos)
{
    const bool narrow = pos.cx < main_window_desc.cur_w;
    const bool low = pos.cy < main_window_desc.cur_h;
    if (narrow)
        pos.cx = main_window_desc.cur_w;
    if (low)
        pos.cy = main_window_desc.cur_h;
    return narrow || low;
}

// The window manager's frame keeps the size it was dragged to until it is
// told the window's own: that is done once its event has been handled.
LRESULT on_window_pos_changing(HWND window, LPARAM lparam)
{
    auto* pos = reinterpret_cast<WINDOWPOS*>(lparam);
    if (!(pos->flags & SWP_NOSIZE) && !IsIconic(window) && raise_to_minimum_size(*pos))
        PostMessageA(window, MSG_ASSERT_FRAME_SIZE, 0, 0);
    return DefWindowProcA(window, WM_WINDOWPOSCHANGING, 0, lparam);
}

LRESULT on_assert_frame_size(HWND window)
{
    RECT outer;
    if (IsIconic(window) || !GetWindowRect(window, &outer))
        return 0;
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return 0;
}

// Leaving, the main window keeps which control had the focus; coming back
// (a dialog closed, the user returned from another program) it gives it
// back, as a dialog does with its own controls.
LRESULT on_activate(HWND window, WPARAM wparam, LPARAM lparam)
{
    if (LOWORD(wparam) == WA_INACTIVE) {
        remember_focused_control(window);
        return 0;
    }
    if (HIWORD(wparam) == 0 && return_focus_to_control(window))
        return 0;
    return DefWindowProcA(window, WM_ACTIVATE, wparam, lparam);
}

// The focus given to the bare main window goes on to the kept control.
LRESULT on_set_focus(HWND window)
{
    return_focus_to_control(window);
    return 0;
}

LRESULT on_command(HWND window, WPARAM wparam, LPARAM lparam)
{
    HWND focus_before = GetFocus();
    const LRESULT result = main_wnd_command(window, WM_COMMAND, wparam, lparam);
    keep_focus_through_command(window, focus_before);
    return result;
}

// A worker still running would talk to the instruments while they are
// released and outlive the data it uses: it is ended first.
LRESULT on_close(HWND window, LPARAM lparam)
{
    timing_mark("WM_CLOSE taken");
    end_running_activity();
    send_exit_commands();
    timing_mark("instruments released");
    if (lparam == 0) {
        offer_save_multilog_results(window, true);
        clear_stored_results();
        timing_mark("results offered");
    }
    DestroyWindow(window);
    timing_mark("child windows destroyed");
    return 0;
}

LRESULT on_destroy(HWND window)
{
    timing_mark("WM_DESTROY taken");
    forget_focused_control(window);
    if (com_initialised) {
        CoUninitialize();
        com_initialised = false;
    }
    send_exit_commands();
    read_results_record(-1, -1, nullptr);
    if (logo_bitmap) {
        DeleteObject(logo_bitmap);
        logo_bitmap = nullptr;
    }
    if (small_icon_list) {
        ImageList_Destroy(small_icon_list);
        small_icon_list = nullptr;
    }
    free_result_pointer_list();
    release_equation_parsers();
    remove_frame_reporter();
    main_window = nullptr;
    PostQuitMessage(0);
    timing_mark("WM_DESTROY done");
    return 0;
}

INT_PTR about_on_init(HWND dialog, LPARAM)
{
    SetDlgItemTextA(dialog, IDC_ABOUT_PRODUCT, kProductName);
    SetDlgItemTextA(dialog, IDC_ABOUT_VERSION, kAboutText);
    return TRUE;
}

void about_on_ok(HWND dialog)
{
    EndDialog(dialog, IDOK);
}

} // namespace

void send_exit_commands()
{
    for (int n = 0; n < kInstrumentSlots; ++n) {
        instrument_slot& slot = get_instrument(n);
        if (!slot.connected)
            continue;
        open_close_link(LINK_OPEN, &slot);
        for (const char* command : kExitCommands)
            send_command(command, &slot);
        if (is_comms_log_enabled())
            send_command(kCmdKeyboardEnable, &slot);
        open_close_link(LINK_CLOSE, &slot);
    }
}

bool build_results_file_path(const char* folder, char (&path)[MAX_PATH])
{
    const int length = snprintf(path, MAX_PATH, "%s%s", folder, kResultsFileName);
    if (length >= 0 && length < MAX_PATH)
        return true;
    path[0] = '\0';
    return false;
}

HWND start_main_window(HINSTANCE instance, int show)
{
    register_main_class(instance);
    register_view_classes(instance);
    register_panel_class();
    start_com(instance);
    add_frame_metrics(main_window_desc);
    layout_control_tables();
    main_window = create_main_window(main_window_desc);
    if (!main_window)
        return nullptr;
    install_frame_reporter();
    ShowWindow(main_window, show);
    UpdateWindow(main_window);
    timing_mark("window shown");
    EnableWindow(get_control_by_id(IDC_LOGO), TRUE);
    SetWindowTextA(get_control_by_id(IDC_MEAS_INTERVAL), "1");
    return main_window;
}

int run_main_loop(HWND window)
{
    HACCEL keys = LoadAcceleratorsA(app_instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorA(window, keys, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

int win_main(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    timing_mark("WinMain entered");
    take_lan_search_address();
    // Saved configurations of older versions are converted when the window
    // builds its saved-configuration menu, after asking the user about each.
    set_legacy_upgrade_prompt(ask_config_upgrade);
    HWND window = start_main_window(instance, show);
    const int code = window ? run_main_loop(window) : 0;
    // No thread may outlive the entry point: one still running, or still
    // starting, while the process ends can crash it at shut-down.
    stop_message_timers();
    timing_mark("timers stopped");
    return code;
}

LRESULT CALLBACK main_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_CREATE:
        return on_create(window);
    case WM_PAINT:
        return on_paint(window);
    case WM_SIZE:
        return on_size(wparam);
    case WM_GETMINMAXINFO:
        return on_get_min_max_info(lparam);
    case WM_WINDOWPOSCHANGING:
        return on_window_pos_changing(window, lparam);
    case MSG_ASSERT_FRAME_SIZE:
        return on_assert_frame_size(window);
    case WM_COMMAND:
        return on_command(window, wparam, lparam);
    case WM_ACTIVATE:
        return on_activate(window, wparam, lparam);
    case WM_SETFOCUS:
        return on_set_focus(window);
    case WM_CLOSE:
        return on_close(window, lparam);
    case WM_DESTROY:
        return on_destroy(window);
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

INT_PTR CALLBACK about_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    return ok_cancel_dialog(dialog, message, wparam, lparam, about_on_init, about_on_ok);
}
