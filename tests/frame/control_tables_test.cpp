// The control tables as data: what every row must be, chosen rows of each
// table with their class, text, style, rectangle, font, anchor and resize
// mode, and the background painter of the views on a memory bitmap.
#include "frame/control_tables.h"

#include "logging/startup_globals.h"
#include "tests/support/table_list.h"
#include "tests/support/test_window.h"

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

namespace {

TEST(ControlTables, CreatedRowsAreHiddenChildrenAndIdsAreUnique)
{
    std::set<int> ids;
    for (const table_ref& t : all_control_tables()) {
        for (int r = 0; r < t.count; ++r) {
            const control_desc& row = t.rows[r];
            SCOPED_TRACE(std::string(t.name) + " row " + std::to_string(r));
            EXPECT_EQ(row.hwnd, nullptr);
            EXPECT_EQ(row.base_w | row.cur_w | row.base_h | row.cur_h, 0);
            EXPECT_FALSE(row.style & WS_VISIBLE);
            EXPECT_TRUE(row.ex_style == 0 || row.ex_style == WS_EX_CLIENTEDGE);
            EXPECT_TRUE(row.font_index >= 0 && row.font_index <= 6);
            EXPECT_TRUE(row.anchor >= 0 && row.anchor <= 4);
            EXPECT_TRUE(row.resize_mode >= 0 && row.resize_mode <= 5);
            if (!row.class_name) {
                EXPECT_GT(row.design_w, 0) << "a layout slot has a rectangle";
                continue;
            }
            EXPECT_TRUE(row.style & WS_CHILD);
            if (row.id != 0) {
                EXPECT_TRUE(ids.insert(row.id).second) << "id " << row.id << " twice";
            }
        }
    }
    EXPECT_EQ(ids.size(), 12u + 15 + 41 + 44 + 23 + 6 + 15 + 15 + 15 + 40);
}

TEST(ControlTables, MeasureTableHoldsTheResultsWindowsAndTheirSlots)
{
    std::set<int> windows(std::begin(measure_results_rows), std::end(measure_results_rows));
    for (int r = 0; r < 20; ++r) {
        SCOPED_TRACE(r);
        if (windows.count(r)) {
            EXPECT_STREQ(measure_controls[r].class_name, "Z7DualWQTMeasureResultsWClass");
            EXPECT_EQ(measure_controls[r].style, WS_CHILD | WS_CLIPCHILDREN | WS_BORDER);
        } else {
            EXPECT_EQ(measure_controls[r].class_name, nullptr);
        }
        EXPECT_EQ(measure_controls[r].resize_mode, 5);
    }
    EXPECT_EQ(frame_controls[FRAME_ROW_FULL_HEIGHT_SLOT].class_name, nullptr);
}

// One row as the tables give it.
struct row_case {
    int id;
    const char* class_name;
    const char* text;
    DWORD style; // beyond WS_CHILD
    DWORD ex_style;
    RECT design; // x, y, w, h
    int font, anchor, resize;
};

const row_case chosen_rows[] = {
    {12001, "Button", "WQT&1", WS_TABSTOP, 0, {70, 6, 55, 25}, 1, 0, 0},
    {12005, "Button", "HIDE SETTINGS", WS_TABSTOP, 0, {150, 6, 88, 25}, 0, 2, 0},
    {12007, "Button", nullptr, BS_BITMAP, 0, {9, 7, 120, 24}, 0, 2, 0},
    {13016, "Button", "MATHS", WS_DISABLED, 0, {170, 59, 80, 27}, 0, 0, 0},
    {13023, "Button", "Advanced Options >", WS_TABSTOP, 0, {870, 124, 116, 22}, 0, 0, 0},
    {14023, "SysListView32", nullptr, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
     WS_EX_CLIENTEDGE, {6, 68, 850, 286}, 0, 0, 3},
    {14030, "Button", "REAL TIME", WS_TABSTOP, 0, {118, 24, 80, 27}, 1, 0, 0},
    {14033, "Button", "Control", BS_GROUPBOX, 0, {366, 6, 624, 54}, 0, 0, 1},
    {14038, "Button", "Instrument", WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON, 0,
     {545, 28, 65, 12}, 0, 0, 0},
    {14043, "Static", "Elapsed Log Time:", SS_CENTER, 0, {12, 18, 120, 20}, 2, 2, 0},
    {14048, "Static", "Time Til Apend:", WS_BORDER | WS_TABSTOP, 0, {732, 20, 100, 14}, 0, 0, 0},
    {14062, "Edit", "Select File...", WS_DISABLED | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0,
     {16, 205, 115, 20}, 0, 2, 0},
    {14066, "Button", "Enter Highspeed\r\nMode", WS_TABSTOP | BS_MULTILINE, 0,
     {16, 302, 115, 40}, 0, 2, 0},
    {14100, "Static", "WQT1 - RESULTS", 0, 0, {6, 0, 200, 24}, 4, 0, 1},
    {14106, "ScrollBar", nullptr, SBS_HORZ, 0, {100, 250, 100, 18}, 0, 0, 0},
    {14206, "ScrollBar", nullptr, SBS_HORZ, 0, {100, 100, 280, 18}, 0, 0, 0},
    {14400, "Static", "WQT4 - RESULTS", 0, 0, {6, 0, 200, 24}, 4, 0, 1},
    {14407, "Button", "Select Colour", WS_TABSTOP, 0, {6, 99, 90, 14}, 0, 0, 0},
    {14500, "SysListView32", nullptr, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
     WS_EX_CLIENTEDGE, {110, 35, 890, 328}, 0, 0, 3},
    {14522, "ScrollBar", nullptr, SBS_HORZ, 0, {30, 20, 600, 18}, 0, 4, 1},
    {14704, "Button", "GRAPH", WS_TABSTOP, 0, {194, 24, 85, 27}, 1, 0, 0},
    {14809, "Button", "Select Colour", WS_TABSTOP, 0, {6, 178, 90, 15}, 0, 0, 0},
    {14814, "ScrollBar", nullptr, SBS_HORZ, 0, {6, 6, 796, 18}, 0, 4, 1},
    {15600, "Static", "Vector Voltmeter", 0, 0, {6, 0, 260, 24}, 4, 0, 0},
    {15502, "Static",
     "Connect your TVX LOMX to the PC using the serial connection and then power it on.\r"
     "Then connect it to the software to begin setup:",
     0, 0, {12, 50, 990, 30}, 0, 0, 0},
    {15503, "Button", "Connect to LOMX", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, {12, 85, 120, 25}, 0,
     0, 0},
    {15531, "Button", "On command only", WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON, 0,
     {478, 415, 120, 25}, 0, 0, 0},
};

void expect_row(const control_desc& row, const row_case& c)
{
    EXPECT_STREQ(row.class_name, c.class_name);
    if (c.text)
        EXPECT_STREQ(row.text, c.text);
    else
        EXPECT_TRUE(!row.text || !*row.text);
    EXPECT_EQ(row.style, WS_CHILD | c.style);
    EXPECT_EQ(row.ex_style, c.ex_style);
    EXPECT_EQ(row.design_x, c.design.left);
    EXPECT_EQ(row.design_y, c.design.top);
    EXPECT_EQ(row.design_w, c.design.right);
    EXPECT_EQ(row.design_h, c.design.bottom);
    EXPECT_EQ(row.font_index, c.font);
    EXPECT_EQ(row.anchor, c.anchor);
    EXPECT_EQ(row.resize_mode, c.resize);
}

TEST(ControlTables, ChosenRows)
{
    for (const row_case& c : chosen_rows) {
        SCOPED_TRACE(c.id);
        const control_desc* row = find_row(c.id);
        ASSERT_NE(row, nullptr);
        expect_row(*row, c);
    }
}

// Rows without an id: the view windows, found by their place.
struct unnamed_row_case {
    const control_desc* row;
    row_case expected;
};

TEST(ControlTables, ViewWindowRows)
{
    const unnamed_row_case cases[] = {
        {&frame_controls[0], {0, "Z7DualWQTConfigWClass", nullptr, 0, WS_EX_CLIENTEDGE,
                              {6, 36, 1002, 158}, 0, 0, 1}},
        {&frame_controls[3], {0, "Z7DualWQTScopeWClass", nullptr, WS_CLIPCHILDREN | 0x3,
                              WS_EX_CLIENTEDGE, {0, 0, 0, 0}, 0, 0, 4}},
        {&harmonics_controls[0], {0, "Z7DualWQTHarmonicResultsWClass", nullptr,
                                  WS_CLIPCHILDREN | WS_BORDER, 0, {6, 68, 986, 286}, 0, 0, 4}},
    };
    for (const unnamed_row_case& c : cases) {
        SCOPED_TRACE(c.expected.class_name);
        EXPECT_EQ(c.row->id, 0);
        expect_row(*c.row, c.expected);
    }
    const control_desc& slot = frame_controls[FRAME_ROW_FULL_HEIGHT_SLOT];
    EXPECT_EQ(slot.design_y, 36);
    EXPECT_EQ(slot.design_h, 528);
    EXPECT_EQ(slot.resize_mode, 4);
}

TEST(ControlTables, RowOrderIsTheTablesOrderNotIdOrder)
{
    EXPECT_EQ(frame_controls[17].id, 12007);
    EXPECT_EQ(frame_controls[15].id, 12008);
    EXPECT_EQ(capture_controls[1].id, 14605);
    EXPECT_EQ(capture_controls[5].id, 14602);
    EXPECT_EQ(scope_controls[11].id, 14514);
    EXPECT_EQ(lomx_controls[20].id, 15518);
    EXPECT_EQ(measure_controls[20].id, 14023);
    EXPECT_EQ(measure_controls[60].id, 14066);
}

TEST(ControlTables, MainWindowRow)
{
    EXPECT_STREQ(main_window_desc.class_name, "Z7DualWQTWClass");
    EXPECT_EQ(main_window_desc.style, 0xCF0000u);
    EXPECT_EQ(main_window_desc.ex_style, 0u);
    EXPECT_EQ(main_window_desc.design_x, CW_USEDEFAULT);
    EXPECT_EQ(main_window_desc.design_y, CW_USEDEFAULT);
    EXPECT_EQ(main_window_desc.design_w, 1024);
    EXPECT_EQ(main_window_desc.design_h, 625);
    EXPECT_EQ(main_window_desc.resize_mode, 3);
    EXPECT_EQ(main_window_desc.anchor | main_window_desc.id | main_window_desc.font_index, 0);
    EXPECT_EQ(main_window_desc.parent, nullptr);
}

// ---- The background painter

constexpr COLORREF kMarker = RGB(1, 2, 3);

struct pixel_case {
    POINT at;
    bool painted;
};

// Paints around inner (and extra) on a 100 x 60 bitmap filled with the
// marker colour, with the background of the Measure window class, and
// checks each point.
void check_painting(const RECT& inner, const RECT* extra, const pixel_case* cases, int count)
{
    HWND window = make_test_window("KestrovaPaintTest", DefWindowProcA);
    ASSERT_NE(window, nullptr);
    SetClassLongPtrA(window, GCLP_HBRBACKGROUND, COLOR_BTNFACE + 1);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 100, 60);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT outer = {0, 0, 100, 60};
    HBRUSH marker = CreateSolidBrush(kMarker);
    FillRect(dc, &outer, marker);
    paint_background_around(window, dc, outer, inner, extra);
    const COLORREF face = GetNearestColor(dc, GetSysColor(COLOR_BTNFACE));
    for (int i = 0; i < count; ++i) {
        const COLORREF pixel = GetPixel(dc, cases[i].at.x, cases[i].at.y);
        EXPECT_EQ(pixel, cases[i].painted ? face : GetNearestColor(dc, kMarker))
            << "at " << cases[i].at.x << ", " << cases[i].at.y;
    }
    SelectObject(dc, old);
    DeleteObject(marker);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    DestroyWindow(window);
}

TEST(PaintBackgroundAround, FillsTheFourBandsAroundTheInnerRectangle)
{
    const RECT inner = {10, 10, 40, 50};
    const pixel_case cases[] = {
        {{5, 5}, true},   {{50, 5}, true},  {{99, 59}, true}, {{5, 30}, true},
        {{45, 30}, true}, {{20, 55}, true}, {{10, 10}, false}, {{39, 49}, false},
        {{25, 30}, false},
    };
    check_painting(inner, nullptr, cases, static_cast<int>(std::size(cases)));
}

TEST(PaintBackgroundAround, ExtraRectangleIsSparedAndTheGapToItFilled)
{
    const RECT inner = {10, 10, 40, 50};
    const RECT extra = {60, 20, 90, 40};
    const pixel_case cases[] = {
        {{25, 30}, false}, {{75, 30}, false}, // inner and extra kept
        {{50, 15}, true},  {{50, 45}, true},  // the gap between them, inner's height
        {{5, 5}, true},    {{95, 30}, true},  {{50, 55}, true}, {{5, 30}, true},
        {{75, 15}, false}, {{75, 45}, false}, // inside the union, outside both: left alone
    };
    check_painting(inner, &extra, cases, static_cast<int>(std::size(cases)));
}

TEST(PaintBackgroundAround, EmptyExtraRectangleCountsAsNone)
{
    const RECT inner = {10, 10, 40, 50};
    const RECT empty = {60, 20, 60, 20};
    const pixel_case cases[] = {{{50, 15}, true}, {{25, 30}, false}, {{45, 49}, true}};
    check_painting(inner, &empty, cases, static_cast<int>(std::size(cases)));
}

// ---- Folder browser callback

std::vector<MSG> g_received;

LRESULT CALLBACK recording_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg >= WM_USER)
        g_received.push_back(MSG{hwnd, msg, wp, lp, 0, {}});
    return DefWindowProcA(hwnd, msg, wp, lp);
}

TEST(BrowseFolderCallback, SelectsTheStartFolderOnlyWhenTheBrowserOpens)
{
    HWND window = make_test_window("KestrovaBrowseTest", recording_proc);
    char folder[] = "C:\\logs";
    EXPECT_EQ(browse_folder_callback(window, BFFM_SELCHANGED, 0, reinterpret_cast<LPARAM>(folder)),
              0);
    EXPECT_TRUE(g_received.empty());
    EXPECT_EQ(browse_folder_callback(window, BFFM_INITIALIZED, 0,
                                     reinterpret_cast<LPARAM>(folder)),
              0);
    ASSERT_EQ(g_received.size(), 1u);
    EXPECT_EQ(g_received[0].message, static_cast<UINT>(BFFM_SETSELECTIONA));
    EXPECT_EQ(g_received[0].wParam, static_cast<WPARAM>(TRUE));
    EXPECT_EQ(g_received[0].lParam, reinterpret_cast<LPARAM>(folder));
    DestroyWindow(window);
}

// ---- Start-up globals

// Thread routine: takes the mutex without waiting and gives it back.
DWORD WINAPI try_take_mutex(void* mutex)
{
    const DWORD got = WaitForSingleObject(static_cast<HANDLE>(mutex), 0);
    if (got == WAIT_OBJECT_0)
        ReleaseMutex(static_cast<HANDLE>(mutex));
    return got;
}

TEST(StartupGlobals, ThreeDistinctUnlockedMutexesAndEmptyLists)
{
    const HANDLE mutexes[] = {multilog_dump_mutex.get(), multilog_worker_mutex.get(),
                              reserve_mutex.get()};
    std::set<HANDLE> distinct(std::begin(mutexes), std::end(mutexes));
    EXPECT_EQ(distinct.size(), 3u);
    for (HANDLE m : mutexes) {
        ASSERT_NE(m, nullptr);
        // Free: another thread takes it at once.
        HANDLE taker = CreateThread(nullptr, 0, try_take_mutex, m, 0, nullptr);
        WaitForSingleObject(taker, 5000);
        DWORD result = 1;
        GetExitCodeThread(taker, &result);
        CloseHandle(taker);
        EXPECT_EQ(result, WAIT_OBJECT_0);
    }
    EXPECT_TRUE(scheduled_tests.empty());
    for (const auto& points : scope_trace_points)
        EXPECT_TRUE(points.empty());
}

} // namespace
