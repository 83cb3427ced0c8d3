// The subclassed logo button, "Data Settings" box and rounded chart
// tooltips, on the windows of the real main window.
#include "views/subclassed_controls.h"

#include "frame/commands.h"
#include "frame/control_tables.h"
#include "frame/main_ids.h"
#include "tests/app/frame_window.h"
#include "frame/measure_ids.h"
#include "views/view_windows.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
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

// The window's region is the rounded rectangle of its client size (false
// also without a region). Compared as point sets: Wine's EqualRgn also
// compares how the two are divided into rectangles.
bool has_rounded_region(HWND window)
{
    RECT client = {};
    GetClientRect(window, &client);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    HRGN rounded = CreateRoundRectRgn(0, 0, client.right, client.bottom, 7, 7);
    const bool same = GetWindowRgn(window, region) != ERROR &&
                      CombineRgn(rounded, region, rounded, RGN_XOR) == NULLREGION;
    DeleteObject(region);
    DeleteObject(rounded);
    return same;
}

// A previous procedure that notes what reaches it and lets the class answer.
std::vector<UINT> g_passed_on;
WNDPROC g_class_proc = nullptr;

LRESULT CALLBACK noting_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    g_passed_on.push_back(message);
    return CallWindowProcA(g_class_proc, window, message, wparam, lparam);
}

bool passed_on(UINT message)
{
    return std::find(g_passed_on.begin(), g_passed_on.end(), message) != g_passed_on.end();
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

TEST_F(Subclassed, LogoAndBoxAnswerAndPassTheRestOn)
{
    HWND logo = get_control_by_id(IDC_LOGO);
    ASSERT_EQ(proc_of(logo), logo_button_proc);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(SendMessageA(logo, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)), 1);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
    EXPECT_TRUE(SendMessageA(logo, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) << "the button answers";

    HWND box = get_control_by_id(IDC_MEAS_DATA_SETTINGS_GROUP);
    ASSERT_EQ(proc_of(box), framed_control_proc);
    UpdateWindow(get_measure_window());
    HDC dc = GetDC(box);
    EXPECT_EQ(SendMessageA(box, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    ReleaseDC(box, dc);
    // The shown controls from "Log real time table" to "Enter Highspeed
    // Mode" are due for painting, "Manual log" before them is not.
    for (int id = IDC_MEAS_MODE_MANUAL; id <= IDC_MEAS_HIGHSPEED; ++id) {
        HWND inner = get_control_by_id(id);
        if (IsWindowVisible(inner)) {
            EXPECT_EQ(GetUpdateRect(inner, nullptr, FALSE) != FALSE, id != IDC_MEAS_MODE_MANUAL)
                << id;
        }
    }
    char text[32] = "";
    GetWindowTextA(box, text, sizeof text);
    EXPECT_STREQ(text, "Data Settings");
}

TEST_F(Subclassed, SecondAndThirdTooltipsAreRoundedLayeredToolWindows)
{
    EXPECT_NE(proc_of(tooltip(0)), rounded_tooltip_proc);
    EXPECT_EQ(rounded_tooltip_text(tooltip(0)), nullptr);
    for (int i : {1, 2}) {
        HWND tip = tooltip(i);
        EXPECT_EQ(proc_of(tip), rounded_tooltip_proc) << i;
        EXPECT_EQ(GetWindowLongA(tip, GWL_EXSTYLE), 0x00080080) << i;
        COLORREF key = 1;
        BYTE alpha = 1;
        DWORD flags = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(tip, &key, &alpha, &flags)) << i;
        EXPECT_EQ(key, RGB(0, 0, 0));
        EXPECT_EQ(alpha, 0); // as the program has it: the tips stay invisible
        EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));
        const std::pair<UINT, LRESULT> answers[] = {
            {WM_DESTROY, 1}, {WM_ERASEBKGND, 1}, {WM_PAINT, 1}, {WM_MOUSEMOVE, 0},
            {MSG_SET_TOOLTIP_TEXT, 1}, {MSG_SET_PREV_WNDPROC, 1}};
        for (const auto& [message, result] : answers)
            EXPECT_EQ(SendMessageA(tip, message, 0, 0), result) << message;
    }
}

TEST_F(Subclassed, TooltipTextIsCutAndNullLeavesIt)
{
    const std::string long_text(3000, 'x');
    const struct {
        HWND tip;
        const char* text;
        std::string kept;
    } steps[] = {
        {tooltip(1), "H3: 1.5 A", "H3: 1.5 A"},
        {tooltip(2), "H5: 0.2 A", "H5: 0.2 A"},
        {tooltip(1), nullptr, "H3: 1.5 A"},
        {tooltip(2), long_text.c_str(), long_text.substr(0, 2047)},
    };
    for (const auto& s : steps) {
        SendMessageA(s.tip, MSG_SET_TOOLTIP_TEXT, 1023, reinterpret_cast<LPARAM>(s.text));
        EXPECT_EQ(std::string(rounded_tooltip_text(s.tip)), s.kept);
    }
}

TEST_F(Subclassed, EachTooltipKeepsItsOwnRegion)
{
    HWND a = tooltip(1);
    HWND b = tooltip(2);
    const auto size = [](HWND window, int w, int h) {
        SetWindowPos(window, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    size(a, 100, 40);
    size(b, 150, 50);
    EXPECT_FALSE(has_rounded_region(a)) << "no region before the first paint";
    const struct {
        HWND window;
        int width, height; // the window's new size; 0: unchanged
    } steps[] = {
        {a, 0, 0}, {b, 0, 0},
        // a takes the size b last painted at: its region is renewed all the same.
        {a, 150, 50}, {b, 90, 30}, {a, 0, 0}, {b, 0, 0},
    };
    for (const auto& s : steps) {
        if (s.width)
            size(s.window, s.width, s.height);
        SendMessageA(s.window, WM_PAINT, 0, 0);
        EXPECT_TRUE(has_rounded_region(s.window)) << (s.window == a ? "a " : "b ") << s.width;
    }
}

TEST_F(Subclassed, TooltipMessagesStillAnswered)
{
    HWND tip = tooltip(2);
    ASSERT_TRUE(add_tool(tip, get_harmonic_results_window()));
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);

    // A new previous procedure takes "any other" message; the tooltip
    // messages of the list still go to the procedure kept at subclassing.
    g_class_proc = proc_of(tooltip(0));
    EXPECT_EQ(SendMessageA(tip, MSG_SET_PREV_WNDPROC, 0,
                           reinterpret_cast<LPARAM>(new WNDPROC(noting_proc))),
              1);
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    SendMessageA(tip, TTM_ACTIVATE, TRUE, 0);
    SendMessageA(tip, TTM_POP, 0, 0);
    EXPECT_TRUE(passed_on(TTM_GETTOOLCOUNT));
    EXPECT_FALSE(passed_on(TTM_ACTIVATE));
    EXPECT_FALSE(passed_on(TTM_POP));
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
    HWND tip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, frame_main_window(),
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    subclass_rounded_tooltip(tip);
    EXPECT_EQ(GetWindowLongA(tip, GWL_EXSTYLE), 0x00080080);
    EXPECT_TRUE(add_tool(tip, frame_main_window()));
    subclass_rounded_tooltip(tip); // a second time changes nothing
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_TRUE(DestroyWindow(tip));
    EXPECT_EQ(rounded_tooltip_text(tip), nullptr);
}
