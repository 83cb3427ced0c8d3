// The labels of the main window and its views (static texts, push buttons,
// check boxes, radio buttons and group boxes) measured in the font each one
// got: a label wider than the room its rectangle leaves is clipped on screen.
// The design widths are made for "Segoe UI", which the Wine prefix replaces;
// this check lists the labels the substitute clips and keeps their number
// from rising.
#include "app/main_create.h"
#include "frame/harmonics_ids.h"
#include "frame/main_ids.h"
#include "frame/measure_ids.h"
#include "tests/app/frame_window.h"
#include "tests/support/table_list.h"
#include "views/layout.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr int kClippedLabelsAtMost = 0;

// What a control keeps of its width for other things than its text, as the
// controls draw themselves without a theme (dc has the control's font); -1
// for one that shows no text label. A push button's frame and margin take 2
// pixels each side (a default one's outline 1 more); a check box or radio
// button draws its 13-pixel box and half a "0" of gap; a group box's caption
// starts 7 pixels in and stops 7 short.
int allowance(HWND window, const char* class_name, HDC dc)
{
    const DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    if (lstrcmpiA(class_name, "Static") == 0) {
        const DWORD type = style & SS_TYPEMASK;
        return type <= SS_RIGHT || type == SS_LEFTNOWORDWRAP || type == SS_SIMPLE ? 0 : -1;
    }
    if (lstrcmpiA(class_name, "Button") != 0 || (style & (BS_BITMAP | BS_ICON)))
        return -1;
    INT zero = 0;
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON: return 4;
    case BS_DEFPUSHBUTTON: return 6;
    case BS_GROUPBOX: return 14;
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_3STATE: case BS_AUTO3STATE:
    case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:
        GetCharWidth32A(dc, '0', '0', &zero);
        return 13 + zero / 2;
    default: return -1;
    }
}

struct measured_label {
    std::string table, text;
    int id, width, room;
};

// A label as it is now, measured in its font (WM_GETFONT) against its client
// rectangle, its widest line as drawn ("&" prefixes take no room); false
// when the window shows no text label.
bool measure(HWND window, const char* class_name, const char* table, measured_label* out)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    RECT client = {}, extent = {};
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
    const int kept = allowance(window, class_name, dc);
    DrawTextA(dc, text, -1, &extent, DT_CALCRECT);
    *out = {table, text, GetDlgCtrlID(window), int(extent.right), int(client.right - kept)};
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return kept >= 0 && text[0] != '\0';
}

// Each view, and the Measure and Harmonics views in each mode (a mode
// button clicked; 0 as it opens). The last rows bring back the start state.
constexpr struct {
    int view, mode_button;
} kShownStates[] = {
    {IDM_VIEW_MEASURE, 0},       {IDM_VIEW_MEASURE, IDC_MEAS_GRAPH},
    {IDM_VIEW_MEASURE, IDC_MEAS_LOG}, {IDM_VIEW_SCOPE, 0},
    {IDM_VIEW_HARMONICS, 0},     {IDM_VIEW_HARMONICS, IDC_HARM_VIEW_GRAPH},
    {IDM_VIEW_CAPTURE, 0},       {IDM_VIEW_VOLTMETER, 0},
    {IDM_VIEW_LOMX, 0},          {IDM_VIEW_HARMONICS, IDC_HARM_VIEW_TABLE},
    {IDM_VIEW_MEASURE, IDC_MEAS_REAL_TIME},
};

TEST(ClippedLabels, NoMoreLabelsAreClippedThanWithTheChosenSubstitute)
{
    ASSERT_NE(frame_main_window(), nullptr);
    std::map<HWND, measured_label> labels; // each measured when first seen
    for (const auto& state : kShownStates) {
        switch_main_view(frame_main_window(), state.view);
        if (state.mode_button) {
            // The program's main window places the panes' selectors on a
            // mode button's request; this test's stands in for it here.
            SendMessageA(get_control_by_id(state.mode_button), BM_CLICK, 0, 0);
            position_results_panes();
        }
        pump_messages(50);
        for (const table_ref& table : all_control_tables())
            for (int r = 0; r < table.count; ++r) {
                const control_desc& row = table.rows[r];
                measured_label label;
                if (row.hwnd && IsWindowVisible(row.hwnd) && !labels.count(row.hwnd) &&
                    measure(row.hwnd, row.class_name, table.name, &label))
                    labels[row.hwnd] = label;
            }
    }
    ASSERT_GT(labels.size(), 100u) << "the views' labels were not found";

    int count = 0;
    for (const auto& [window, label] : labels)
        if (label.width > label.room && ++count)
            std::printf("clipped: %-16s %5d \"%s\" needs %d of %d pixels\n", label.table.c_str(),
                        label.id, label.text.c_str(), label.width, label.room);
    std::printf("labels checked: %zu, clipped: %d\n", labels.size(), count);
    EXPECT_LE(count, kClippedLabelsAtMost);
}

} // namespace
