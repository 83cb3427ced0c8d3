// The view windows: mode buttons, the scope and high-speed toggles, the LOMX
// converter view, repainting, titles, tooltips and the pictures' area.
#include "views/view_windows.h"

#include "frame/app_globals.h"
#include "frame/commands.h"
#include "frame/control_tables.h"
#include "app/main_create.h"
#include "link/converter_dialog.h"
#include "link/converter_dialog_ids.h"
#include "slots/instrument_slots.h"
#include "link/model_identification.h"
#include "logging/logging_state.h"
#include "logging/results_store.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/sim_fixture.h"
#include "tests/support/test_window.h"
#include "frame/capture_ids.h"
#include "frame/harmonic_results_ids.h"
#include "frame/harmonics_ids.h"
#include "views/lomx.h"
#include "frame/lomx_ids.h"
#include "frame/measure_ids.h"
#include "frame/scope_ids.h"
#include "views/view_pictures.h"
#include "views/view_state.h"
#include "frame/voltmeter_ids.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

std::vector<int> g_main_commands;

LRESULT CALLBACK main_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_COMMAND) {
        g_main_commands.push_back(LOWORD(wparam));
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

// The frame's windows built by its real creation sequence under a visible
// stand-in main window that records the commands sent to it.
class ViewWindowsTest : public testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&icc);
        register_view_classes(GetModuleHandleA(nullptr));
        main_window = make_test_window("KestrovaViewsMain", main_proc);
        ASSERT_NE(main_window, nullptr);
        SetWindowPos(main_window, nullptr, 0, 0, 1024, 700, SWP_NOZORDER | SWP_SHOWWINDOW);
        main_on_create(main_window);
        g_main_commands.clear();
    }
    void TearDown() override
    {
        DestroyWindow(main_window);
        main_window = nullptr;
    }

    // A click as a button sends it: WM_COMMAND with the id to the parent.
    static void click(HWND view, int id)
    {
        SendMessageA(view, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(view, id)));
    }

    // Shows a view and the windows it lies in at a size of their own,
    // painted and with nothing left to paint.
    static void show_sized(HWND view)
    {
        for (HWND w = view; w && w != main_window; w = GetParent(w))
            SetWindowPos(w, nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_SHOWWINDOW);
        UpdateWindow(main_window);
        ValidateRect(view, nullptr);
    }
};

} // namespace

TEST_F(ViewWindowsTest, ModeButtonsSetTheirModeAndRefreshTheMainWindow)
{
    struct row {
        HWND (*view)();
        int id;
        std::function<int()> mode; // nullptr: the button sets no mode
        int expected;
    };
    const auto data_mode = [] { return static_cast<int>(log_data_mode); };
    const auto measure_mode = [] { return measure_view_mode; };
    const auto harmonics_mode = [] { return harmonics_view_mode; };
    const row rows[] = {
        {get_measure_window, IDC_MEAS_MODE_MANUAL, data_mode, 0},
        {get_measure_window, IDC_MEAS_MODE_REAL_TIME_TABLE, data_mode, 1},
        {get_measure_window, IDC_MEAS_MODE_SCHEDULED, data_mode, 2},
        {get_measure_window, IDC_MEAS_MODE_DIRECT_CSV, data_mode, 3},
        {get_measure_window, IDC_MEAS_MODE_OVERWRITE_CSV, data_mode, 4},
        {get_measure_window, IDC_MEAS_REAL_TIME, measure_mode, 0},
        {get_measure_window, IDC_MEAS_GRAPH, measure_mode, 1},
        {get_measure_window, IDC_MEAS_LOG, measure_mode, 2},
        {get_harmonics_window, IDC_HARM_VIEW_TABLE, harmonics_mode, 0},
        {get_harmonics_window, IDC_HARM_VIEW_TABLE_PK, harmonics_mode, 1},
        {get_harmonics_window, IDC_HARM_VIEW_GRAPH, harmonics_mode, 2},
        // Buttons whose work belongs to the logging engine and the views'
        // contents: no mode, no refresh.
        {get_measure_window, IDC_MEAS_START, nullptr, 0},
        {get_harmonics_window, IDC_HARM_START, nullptr, 0},
        {get_scope_window, IDC_SCOPE_SINGLE, nullptr, 0},
    };
    for (const row& r : rows) {
        SCOPED_TRACE("button " + std::to_string(r.id));
        log_data_mode = 99;
        measure_view_mode = 99;
        harmonics_view_mode = 99;
        g_main_commands.clear();
        click(r.view(), r.id);
        if (r.mode) {
            EXPECT_EQ(r.mode(), r.expected);
            EXPECT_EQ(g_main_commands, std::vector<int>{CMD_REFRESH_CONNECTIONS});
        } else {
            EXPECT_EQ(log_data_mode, 99u);
            EXPECT_EQ(measure_view_mode, 99);
            EXPECT_EQ(harmonics_view_mode, 99);
            EXPECT_TRUE(g_main_commands.empty());
        }
    }
}

TEST_F(ViewWindowsTest, TableViewButtonTogglesTheScopeView)
{
    ASSERT_EQ(scope_view_mode, 1);
    const int expected[] = {2, 1, 2};
    for (int mode : expected) {
        g_main_commands.clear();
        click(get_scope_window(), IDC_SCOPE_TABLE_VIEW);
        EXPECT_EQ(scope_view_mode, mode);
        EXPECT_EQ(g_main_commands, std::vector<int>{CMD_REFRESH_CONNECTIONS});
    }
}

TEST_F(ViewWindowsTest, HighSpeedButtonTogglesModeAndText)
{
    HWND button = get_control_by_id(IDC_MEAS_HIGHSPEED);
    ASSERT_EQ(window_text(button), "Enter Highspeed\r\nMode");
    struct step {
        uint8_t mode;
        const char* text;
    };
    const step steps[] = {{1, "Exit Highspeed\r\nMode"}, {0, "Enter Highspeed\r\nMode"}, {1, "Exit Highspeed\r\nMode"}};
    for (const step& s : steps) {
        g_main_commands.clear();
        click(get_measure_window(), IDC_MEAS_HIGHSPEED);
        EXPECT_EQ(highspeed_mode, s.mode);
        EXPECT_EQ(window_text(button), s.text);
        EXPECT_EQ(g_main_commands, std::vector<int>{CMD_REFRESH_CONNECTIONS});
    }
    // The frame's programmatic click (lParam 0) ends the mode the same way.
    post_command_for_control(IDC_MEAS_HIGHSPEED);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    EXPECT_EQ(highspeed_mode, 0);
    EXPECT_EQ(window_text(button), "Enter Highspeed\r\nMode");
}

// "Connect to LOMX" opens the converter's Connect dialog; the status shows
// the converter's own identification after a Connect (not the current
// analyser's), "No Connection" after Cancel.
TEST_F(ViewWindowsTest, ConnectToLomxShowsTheConvertersIdentity)
{
    serial_sim converter(0);
    if (!converter.ok())
        GTEST_SKIP() << "no COM pty pair (run through scripts/wine-run.sh)";
    converter.inst.set_converter("LX0042", "V1.07");
    std::snprintf(get_current_instrument().idn_reply, sizeof get_current_instrument().idn_reply,
                  "%s", "TROSVALDEN,WQT5530,A00001,V2.15");
    const std::string port(converter.link.com_port);
    HWND status = get_control_by_id(IDC_LOMX_STATUS);
    const struct {
        bool connect;
        const char* status;
    } rows[] = {
        {true, "TROSVALDEN,LOMX-RS232,LX0042,V1.07"},
        {false, "No Connection"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.status);
        SetWindowTextA(status, "WQT,5530,12345");
        g_main_commands.clear();
        std::vector<std::string> interfaces;
        // A dialog opened on a child window is owned by its top-level window.
        drive_next_dialog(GetAncestor(get_lomx_window(), GA_ROOT), [&](HWND dialog) {
            interfaces = list_texts(dialog, IDC_CONVERTER_INTERFACE);
            if (!row.connect)
                return;
            ::choose(dialog, IDC_CONVERTER_INTERFACE, 0);
            choose_text(dialog, IDC_CONVERTER_COM_PORT, port);
            choose_text(dialog, IDC_CONVERTER_BAUD_RATE, "9600");
            ::click(dialog, IDC_CONVERTER_CONNECT);
        });
        click(get_lomx_window(), IDC_LOMX_CONNECT);
        EXPECT_EQ(std::vector<std::string>{"Serial"}, interfaces);
        EXPECT_EQ(window_text(status), row.status);
        EXPECT_EQ(g_main_commands, std::vector<int>{CMD_REFRESH_CONNECTIONS});
    }
}

TEST_F(ViewWindowsTest, EveryViewRepaintsOnRedraw)
{
    HWND views[] = {get_measure_window(), get_scope_window(), get_capture_window(), get_harmonics_window(),
                    get_voltmeter_window(), get_lomx_window(), get_harmonic_results_window(),
                    get_measure_results_window(0)};
    for (HWND view : views) {
        ASSERT_NE(view, nullptr);
        show_sized(view);
        RECT pending;
        ASSERT_FALSE(GetUpdateRect(view, &pending, FALSE));
        SendMessageA(view, WM_COMMAND, CMD_REDRAW, 0);
        EXPECT_TRUE(GetUpdateRect(view, &pending, FALSE)) << "view " << view;
        UpdateWindow(view); // paints without trouble
        EXPECT_FALSE(GetUpdateRect(view, &pending, FALSE));
    }
}

TEST_F(ViewWindowsTest, TitlesNameTheInstrumentAndRepaint)
{
    struct row {
        void (*retitle)(int);
        int title_id;
        HWND (*view)();
        const char* expected;
    };
    const row rows[] = {
        {set_voltmeter_title, IDC_VM_TITLE, get_voltmeter_window, "WQT2 Vector Voltmeter"},
        {set_scope_title, IDC_SCOPE_TITLE, get_scope_window, "WQT2 Oscilloscope"},
        {harmonic_results_setup, IDC_HRES_TITLE, get_harmonic_results_window, "WQT2 Harmonics"},
        {capture_post_redraw, IDC_CAPTURE_TITLE, get_capture_window, "WQT2 Capture"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.expected);
        HWND view = r.view();
        show_sized(view);
        r.retitle(1);
        EXPECT_EQ(window_text(get_control_by_id(r.title_id)), r.expected);
        RECT pending;
        EXPECT_TRUE(GetUpdateRect(view, &pending, FALSE));
    }
}

TEST_F(ViewWindowsTest, HarmonicResultsWindowMakesThreeTooltips)
{
    HWND chart = get_harmonic_results_window();
    for (const tooltip_record& tip : harmonic_results_tooltips) {
        char class_name[32] = "";
        GetClassNameA(tip.window, class_name, sizeof class_name);
        EXPECT_STREQ(class_name, TOOLTIPS_CLASSA);
        EXPECT_EQ(GetWindow(tip.window, GW_OWNER), GetAncestor(chart, GA_ROOT));
    }
    EXPECT_NE(harmonic_results_tooltips[1].window, harmonic_results_tooltips[2].window);
    DestroyWindow(chart);
    EXPECT_EQ(harmonic_results_tooltips[0].window, nullptr);
}

TEST_F(ViewWindowsTest, ResultsRefreshPostsToMainWindowAndPanes)
{
    post_results_refresh(true, 3);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, main_window, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(CMD_REFRESH_CONNECTIONS));
    for (int pane = 0; pane < RESULTS_PANELS; ++pane) {
        SCOPED_TRACE("pane " + std::to_string(pane));
        ASSERT_TRUE(PeekMessageA(&msg, get_measure_results_window(pane), WM_COMMAND, WM_COMMAND, PM_REMOVE));
        EXPECT_EQ(msg.wParam, static_cast<WPARAM>(CMD_REDRAW));
        EXPECT_EQ(msg.lParam, 1);
    }
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_COMMAND, WM_COMMAND, PM_REMOVE));
}

TEST_F(ViewWindowsTest, PicturesTakeTheClientAreaWithTheViewsTitle)
{
    struct row {
        HWND (*view)();
        picture_rect_fn rect;
        picture_paint_fn paint;
    };
    const row rows[] = {
        {get_scope_window, get_scope_plot_rect, paint_scope},
        {get_voltmeter_window, get_voltmeter_plot_rect, paint_voltmeter_background},
        {get_capture_window, capture_layout, paint_screen_capture},
        {get_harmonic_results_window, harmonic_results_chart_rect, harmonic_results_draw_panel},
        {[] { return get_measure_results_window(2); }, measure_results_chart_rect, measure_results_draw_cell},
    };
    set_scope_title(0);
    set_voltmeter_title(0);
    capture_post_redraw(0);
    harmonic_results_setup(0);
    const COLORREF background = GetSysColor(COLOR_BTNFACE);
    for (const row& r : rows) {
        HWND view = r.view();
        SetWindowPos(view, nullptr, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOMOVE);
        RECT rect{}, client;
        r.rect(view, rect, 0);
        GetClientRect(view, &client);
        EXPECT_TRUE(EqualRect(&rect, &client));

        // Painted over black: background everywhere but the title's text.
        HDC screen = GetDC(view);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, rect.right, rect.bottom);
        HGDIOBJ old = SelectObject(memory, bitmap);
        FillRect(memory, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        r.paint(view, memory, rect, 0);
        bool title_drawn = false;
        for (int x = 0; x < rect.right && !title_drawn; ++x)
            for (int y = 0; y < 24; ++y)
                title_drawn |= GetPixel(memory, x, y) != background;
        EXPECT_TRUE(title_drawn);
        EXPECT_EQ(GetPixel(memory, rect.right - 1, rect.bottom - 1), background);
        EXPECT_EQ(GetPixel(memory, 2, rect.bottom / 2), background);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(view, screen);
    }
}

// The controls that work with the converter follow the converter's own
// link, not the current instrument slot: no analyser connection makes a
// slot the converter.
TEST_F(ViewWindowsTest, LomxControlsFollowTheConvertersLinkNotTheSlot)
{
    struct row {
        uint8_t converter_connected;
        uint8_t slot_connected;
        uint32_t slot_model;
        bool enabled;
    };
    const row rows[] = {{0, 1, kConverterModel, false}, {0, 0, 0, false}, {1, 0, 0, true},
                        {1, 1, 5, true}};
    instrument_slot& slot = get_current_instrument();
    for (const row& r : rows) {
        SCOPED_TRACE("converter " + std::to_string(r.converter_connected) + ", slot model " +
                     std::to_string(r.slot_model));
        converter_link.connected = r.converter_connected;
        slot.connected = r.slot_connected;
        slot.model_code = r.slot_model;
        lomx_enable_controls(main_window, true);
        EXPECT_EQ(IsWindowEnabled(get_control_by_id(IDC_LOMX_SETUP)) != FALSE, r.enabled);
        EXPECT_EQ(IsWindowEnabled(get_control_by_id(IDC_LOMX_BAUDRATE)) != FALSE, r.enabled);
    }
    converter_link.connected = 0;
    slot.connected = 0;
    slot.model_code = 0;
}
