// The subclassed logo button, "Data Settings" box and rounded chart
// tooltips, on the windows of the real main window.
#include "app/subclassed_controls.h"

#include "app/commands.h"
#include "app/control_tables.h"
#include "app/main_ids.h"
#include "tests/app/frame_window.h"
#include "views/measure_ids.h"
#include "views/view_windows.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class Subclassed : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(frame_main_window(), nullptr); }
};

WNDPROC proc_of(HWND window)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
}

HWND tooltip(int i)
{
    return harmonic_results_tooltips[i].window;
}

// A tooltip window of the test's own, made rounded.
HWND make_rounded_tooltip()
{
    HWND tip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               frame_main_window(), nullptr, GetModuleHandleA(nullptr), nullptr);
    subclass_rounded_tooltip(tip);
    return tip;
}

void set_client_size(HWND window, int width, int height)
{
    SetWindowPos(window, nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The bounding box of the window's region; empty when it has none.
RECT region_box(HWND window)
{
    RECT box = {};
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(window, region) != ERROR)
        GetRgnBox(region, &box);
    DeleteObject(region);
    return box;
}

std::vector<UINT> g_passed_on;
WNDPROC g_class_proc = nullptr;

// A previous procedure that notes what reaches it and lets the class answer.
LRESULT CALLBACK noting_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    g_passed_on.push_back(message);
    return CallWindowProcA(g_class_proc, window, message, wparam, lparam);
}

bool passed_on(UINT message)
{
    for (UINT m : g_passed_on)
        if (m == message)
            return true;
    return false;
}

LRESULT add_tool(HWND tip, HWND owner)
{
    TOOLINFOA info = {};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(owner);
    info.lpszText = const_cast<char*>("tool");
    return SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

} // namespace

TEST_F(Subclassed, TheFrameSubclassesItsFourWindows)
{
    EXPECT_EQ(proc_of(get_control_by_id(IDC_LOGO)), logo_button_proc);
    EXPECT_EQ(proc_of(get_control_by_id(IDC_MEAS_DATA_SETTINGS_GROUP)), framed_control_proc);
    EXPECT_NE(proc_of(tooltip(0)), rounded_tooltip_proc);
    for (int i : {1, 2}) {
        EXPECT_EQ(proc_of(tooltip(i)), rounded_tooltip_proc) << i;
        EXPECT_EQ(GetWindowLongA(tooltip(i), GWL_EXSTYLE), 0x00080080) << i;
        COLORREF key = 1;
        BYTE alpha = 1;
        DWORD flags = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(tooltip(i), &key, &alpha, &flags)) << i;
        EXPECT_EQ(key, RGB(0, 0, 0));
        EXPECT_EQ(alpha, 0); // as the program has it: the tips stay invisible
        EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));
    }
}

TEST_F(Subclassed, LogoButtonShowsTheHandAndPassesTheRestOn)
{
    HWND logo = get_control_by_id(IDC_LOGO);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(SendMessageA(logo, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)), 1);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
    // The button's own procedure still answers.
    EXPECT_TRUE(SendMessageA(logo, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON);
    SendMessageA(logo, BM_SETSTATE, TRUE, 0);
    EXPECT_TRUE(SendMessageA(logo, BM_GETSTATE, 0, 0) & BST_PUSHED);
    SendMessageA(logo, BM_SETSTATE, FALSE, 0);
}

TEST_F(Subclassed, DataSettingsBoxRepaintsTheControlsInsideIt)
{
    HWND box = get_control_by_id(IDC_MEAS_DATA_SETTINGS_GROUP);
    UpdateWindow(get_measure_window());
    for (int id = IDC_MEAS_MODE_MANUAL; id <= IDC_MEAS_HIGHSPEED; ++id)
        ValidateRect(get_control_by_id(id), nullptr);
    HDC dc = GetDC(box);
    EXPECT_EQ(SendMessageA(box, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    ReleaseDC(box, dc);
    // The shown controls from "Log real time table" to "Enter Highspeed
    // Mode" are due for painting, "Manual log" before them is not.
    for (int id = IDC_MEAS_MODE_MANUAL; id <= IDC_MEAS_HIGHSPEED; ++id) {
        HWND control = get_control_by_id(id);
        if (IsWindowVisible(control))
            EXPECT_EQ(GetUpdateRect(control, nullptr, FALSE) != FALSE, id != IDC_MEAS_MODE_MANUAL)
                << id;
    }
    // Other messages reach the group box's own procedure.
    char text[32] = "";
    GetWindowTextA(box, text, sizeof text);
    EXPECT_STREQ(text, "Data Settings");
}

TEST_F(Subclassed, RoundedTooltipAnswers)
{
    HWND tip = tooltip(1);
    struct answer_case {
        UINT message;
        LRESULT result;
    };
    const answer_case cases[] = {
        {WM_ERASEBKGND, 1}, {WM_PAINT, 1}, {WM_MOUSEMOVE, 0},
        {MSG_SET_TOOLTIP_TEXT, 1}, {MSG_SET_PREV_WNDPROC, 1},
    };
    for (const answer_case& c : cases)
        EXPECT_EQ(SendMessageA(tip, c.message, 0, 0), c.result) << c.message;
    EXPECT_EQ(SendMessageA(tip, WM_DESTROY, 0, 0), 1);
}

TEST_F(Subclassed, TooltipTextIsCutAndNullLeavesIt)
{
    HWND second = tooltip(1);
    HWND third = tooltip(2);
    SendMessageA(second, MSG_SET_TOOLTIP_TEXT, 1023, reinterpret_cast<LPARAM>("H3: 1.5 A"));
    SendMessageA(third, MSG_SET_TOOLTIP_TEXT, 1023, reinterpret_cast<LPARAM>("H5: 0.2 A"));
    EXPECT_STREQ(rounded_tooltip_text(second), "H3: 1.5 A");
    EXPECT_STREQ(rounded_tooltip_text(third), "H5: 0.2 A");
    EXPECT_EQ(SendMessageA(second, MSG_SET_TOOLTIP_TEXT, 0, 0), 1);
    EXPECT_STREQ(rounded_tooltip_text(second), "H3: 1.5 A");

    const std::string long_text(3000, 'x');
    SendMessageA(third, MSG_SET_TOOLTIP_TEXT, 0, reinterpret_cast<LPARAM>(long_text.c_str()));
    EXPECT_EQ(std::string(rounded_tooltip_text(third)), long_text.substr(0, 2047));
    EXPECT_EQ(rounded_tooltip_text(tooltip(0)), nullptr);
}

// The window's region is the rounded rectangle of the client size it is
// given (false also when it has no region). Compared as point sets: Wine's
// EqualRgn also compares how the two are divided into rectangles.
bool has_rounded_region(HWND window, int client_width, int client_height)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    HRGN rounded = CreateRoundRectRgn(0, 0, client_width, client_height, 7, 7);
    HRGN difference = CreateRectRgn(0, 0, 0, 0);
    const bool has_region = GetWindowRgn(window, region) != ERROR;
    const bool same = has_region && CombineRgn(difference, region, rounded, RGN_XOR) == NULLREGION;
    DeleteObject(region);
    DeleteObject(rounded);
    DeleteObject(difference);
    return same;
}

SIZE client_size(HWND window)
{
    RECT client = {};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

TEST_F(Subclassed, EachTooltipKeepsItsOwnRegion)
{
    HWND a = tooltip(1);
    HWND b = tooltip(2);
    set_client_size(a, 100, 40);
    set_client_size(b, 150, 50);
    const RECT before = region_box(a);
    EXPECT_TRUE(IsRectEmpty(&before)) << "no region before the first paint";
    struct paint_step {
        HWND window;
        int width, height; // the window's new size; 0: unchanged
    };
    const paint_step steps[] = {
        {a, 0, 0}, {b, 0, 0},
        // a takes the size b last painted at: its region is renewed all the same.
        {a, 150, 50}, {b, 90, 30}, {a, 0, 0}, {b, 0, 0},
    };
    for (const paint_step& s : steps) {
        if (s.width)
            set_client_size(s.window, s.width, s.height);
        SendMessageA(s.window, WM_PAINT, 0, 0);
        const SIZE client = client_size(s.window);
        EXPECT_TRUE(has_rounded_region(s.window, client.cx, client.cy))
            << (s.window == a ? "a " : "b ") << client.cx << " x " << client.cy;
    }
}

TEST_F(Subclassed, TooltipMessagesStillAnswered)
{
    HWND tip = tooltip(2);
    // Before any tool: the class answers, through the procedure kept.
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 0);
    ASSERT_TRUE(add_tool(tip, get_harmonic_results_window()));
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);

    // A new previous procedure takes "any other" message; the tooltip
    // messages of the list still go to the procedure kept at subclassing.
    g_class_proc = proc_of(tooltip(0));
    g_passed_on.clear();
    auto* block = new WNDPROC(noting_proc);
    EXPECT_EQ(SendMessageA(tip, MSG_SET_PREV_WNDPROC, 0, reinterpret_cast<LPARAM>(block)), 1);
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_TRUE(passed_on(TTM_GETTOOLCOUNT));
    SendMessageA(tip, TTM_ACTIVATE, TRUE, 0);
    SendMessageA(tip, TTM_POP, 0, 0);
    TTHITTESTINFOA hit = {};
    hit.hwnd = get_harmonic_results_window();
    SendMessageA(tip, TTM_HITTESTA, 0, reinterpret_cast<LPARAM>(&hit));
    EXPECT_FALSE(passed_on(TTM_ACTIVATE));
    EXPECT_FALSE(passed_on(TTM_POP));
    EXPECT_FALSE(passed_on(TTM_HITTESTA));
    // A null block changes nothing.
    EXPECT_EQ(SendMessageA(tip, MSG_SET_PREV_WNDPROC, 0, 0), 1);
    g_passed_on.clear();
    SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0);
    EXPECT_TRUE(passed_on(TTM_GETTOOLCOUNT));
}

// Subclassing changes the extended style, which sends messages before the
// previous procedure has been delivered; they go to the procedure kept.
TEST_F(Subclassed, NewTooltipWorksFromTheStartAndGoesCleanly)
{
    HWND tip = make_rounded_tooltip();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(GetWindowLongA(tip, GWL_EXSTYLE), 0x00080080);
    EXPECT_TRUE(add_tool(tip, frame_main_window()));
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    subclass_rounded_tooltip(tip); // a second time changes nothing
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    SendMessageA(tip, MSG_SET_TOOLTIP_TEXT, 0, reinterpret_cast<LPARAM>("text"));
    EXPECT_TRUE(DestroyWindow(tip));
    EXPECT_FALSE(IsWindow(tip));
    EXPECT_EQ(rounded_tooltip_text(tip), nullptr);
    subclass_rounded_tooltip(nullptr);
}
