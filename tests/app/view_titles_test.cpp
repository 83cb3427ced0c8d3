// Every view's title is drawn whole: its control holds the whole text on one
// line in the font it got, and no other window of the view lies over it, when
// the view is first shown, after switching away and back, and after a resize.
#include "frame/capture_ids.h"
#include "frame/control_tables.h"
#include "frame/harmonic_results_ids.h"
#include "frame/lomx_ids.h"
#include "frame/main_ids.h"
#include "frame/results_panel_ids.h"
#include "frame/scope_ids.h"
#include "frame/voltmeter_ids.h"
#include "tests/app/frame_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Each view: its name, its menu command, its title's control, its window.
const struct {
    const char* name;
    int view, title_id;
    HWND (*window)();
} kViewTitles[] = {
    {"Measure", IDM_VIEW_MEASURE, results_panel_id(0, RP_TITLE), get_measure_window},
    {"Scope", IDM_VIEW_SCOPE, IDC_SCOPE_TITLE, get_scope_window},
    {"Harmonics", IDM_VIEW_HARMONICS, IDC_HRES_TITLE, get_harmonics_window},
    {"Capture", IDM_VIEW_CAPTURE, IDC_CAPTURE_TITLE, get_capture_window},
    {"Voltmeter", IDM_VIEW_VOLTMETER, IDC_VM_TITLE, get_voltmeter_window},
    {"LOMX", IDM_VIEW_LOMX, IDC_LOMX_TITLE, get_lomx_window},
};

// The rectangle where the title control draws its text in its own font,
// left-aligned or centred, from its top; in its client co-ordinates.
RECT title_text_rect(HWND title)
{
    const std::string text = window_text(title);
    HDC dc = GetDC(title);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(title, WM_GETFONT, 0, 0)));
    RECT extent{0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), -1, &extent, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(title, dc);
    RECT client;
    GetClientRect(title, &client);
    const bool centred = (GetWindowLongA(title, GWL_STYLE) & SS_TYPEMASK) == SS_CENTER;
    OffsetRect(&extent, centred ? (client.right - extent.right) / 2 : 0, 0);
    return extent;
}

// The visible windows of the view that lie over the text: the title's
// siblings and those of the windows between it and the view.
std::vector<int> windows_over(HWND title, HWND view, const RECT& text)
{
    std::vector<int> over;
    for (HWND w = title; w && w != view; w = GetParent(w)) {
        for (HWND s = GetWindow(GetParent(w), GW_CHILD); s; s = GetWindow(s, GW_HWNDNEXT)) {
            RECT r, common;
            if (s != w && IsWindowVisible(s) && GetWindowRect(s, &r) && IntersectRect(&common, &r, &text))
                over.push_back(GetDlgCtrlID(s));
        }
    }
    return over;
}

class ViewTitlesTest : public FrameTest {
protected:
    HFONT wide_font = nullptr;
    // The main window goes first, which FrameTest's TearDown destroys.
    void TearDown() override
    {
        FrameTest::TearDown();
        DeleteObject(wide_font);
    }

    void check_titles(const char* when)
    {
        for (const auto& row : kViewTitles) {
            SCOPED_TRACE(std::string(row.name) + ", " + when);
            command(row.view);
            HWND title = get_control_by_id(row.title_id);
            ASSERT_TRUE(IsWindowVisible(title));
            const std::string text = window_text(title);
            EXPECT_NE(text, "");
            RECT text_rect = title_text_rect(title), client;
            GetClientRect(title, &client);
            EXPECT_TRUE(text_rect.left >= 0 && text_rect.right <= client.right &&
                        text_rect.bottom <= client.bottom)
                << "\"" << text << "\" needs " << text_rect.right << " x " << text_rect.bottom;
            MapWindowPoints(title, nullptr, reinterpret_cast<POINT*>(&text_rect), 2);
            EXPECT_EQ(windows_over(title, row.window(), text_rect), std::vector<int>{}) << text;
        }
    }
};

TEST_F(ViewTitlesTest, EveryViewsTitleIsDrawnWhole)
{
    check_titles("first shown");
    check_titles("shown again");
    RECT outer;
    GetWindowRect(main, &outer);
    SetWindowPos(main, nullptr, 0, 0, outer.right - outer.left + 200, outer.bottom - outer.top + 150,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pump();
    check_titles("after a resize");

    // In a face wider than the set-up's (as Wine's own stand-in is), the
    // titles that name the instrument are fitted again when it is chosen.
    LOGFONTA face{};
    HWND harmonics = get_control_by_id(IDC_HRES_TITLE);
    GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(harmonics, WM_GETFONT, 0, 0)), sizeof face, &face);
    face.lfWidth = std::abs(face.lfHeight) * 2 / 3;
    wide_font = CreateFontIndirectA(&face);
    for (const int id : {int{IDC_SCOPE_TITLE}, int{IDC_HRES_TITLE}, int{IDC_CAPTURE_TITLE}, int{IDC_VM_TITLE}})
        SendMessageA(get_control_by_id(id), WM_SETFONT, reinterpret_cast<WPARAM>(wide_font), 0);
    command(IDC_WQT1);
    check_titles("in a wider face");
}

} // namespace
