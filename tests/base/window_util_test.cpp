// Window helpers: list-view rows from tab-separated text, window text copies,
// centring a window on its parent, the screen or the nearest monitor, and the
// procedure of a dialog run by an init and a command handler.
#include "base/window_util.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int column_count = 64;
constexpr char owner_text[] = "from owner";

// The owner of the list view answers its requests for callback texts.
LRESULT CALLBACK owner_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NOTIFY) {
        auto* info = reinterpret_cast<NMLVDISPINFOA*>(lp);
        if (info->hdr.code == LVN_GETDISPINFOA && (info->item.mask & LVIF_TEXT)
            && info->item.iSubItem == 0) {
            lstrcpynA(info->item.pszText, owner_text, info->item.cchTextMax);
            return 0;
        }
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

const char* owner_class()
{
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = owner_proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "KestrovaWindowUtilTest";
        RegisterClassA(&wc);
        return wc.lpszClassName;
    }();
    return name;
}

HWND make_popup(int x, int y, int width, int height, const char* text = "")
{
    return CreateWindowExA(0, owner_class(), text, WS_POPUP, x, y, width, height, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

RECT window_rect(HWND hwnd)
{
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

class ListViewTest : public testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&icc));
        owner_ = make_popup(0, 0, 600, 400);
        ASSERT_NE(owner_, nullptr);
        list_ = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 600, 400,
                                owner_, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(list_, nullptr);
        for (int i = 0; i < column_count; ++i) {
            LVCOLUMNA col{};
            col.mask = LVCF_WIDTH;
            col.cx = 40;
            ASSERT_EQ(SendMessageA(list_, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&col)), i);
        }
    }
    void TearDown() override
    {
        if (owner_)
            DestroyWindow(owner_);
    }

    std::string text(int row, int sub) const
    {
        static char buffer[4096];
        buffer[0] = '\0';
        LVITEMA item{};
        item.iSubItem = sub;
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        SendMessageA(list_, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        return buffer;
    }
    LPARAM value(int row) const
    {
        LVITEMA item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        EXPECT_TRUE(SendMessageA(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        return item.lParam;
    }
    int count() const { return ListView_GetItemCount(list_); }
    void select(int row) { ListView_SetItemState(list_, row, LVIS_SELECTED, LVIS_SELECTED); }

    HWND owner_ = nullptr;
    HWND list_ = nullptr;
};

} // namespace

TEST_F(ListViewTest, AddTabRowFillsItemAndSubItems)
{
    EXPECT_EQ(listview_add_tab_row(list_, "first\tsecond\tthird", 17, false), 0);
    EXPECT_EQ(listview_add_tab_row(list_, "next", -5, false), 1);
    ASSERT_EQ(count(), 2);
    EXPECT_EQ(text(0, 0), "first");
    EXPECT_EQ(text(0, 1), "second");
    EXPECT_EQ(text(0, 2), "third");
    EXPECT_EQ(text(0, 3), "");
    EXPECT_EQ(value(0), 17);
    EXPECT_EQ(text(1, 0), "next");
    EXPECT_EQ(text(1, 1), "");
    EXPECT_EQ(value(1), -5);

    EXPECT_EQ(listview_add_tab_row(list_, nullptr, 9, false), 2) << "no text: an empty row";
    EXPECT_EQ(text(2, 0), "");
    EXPECT_EQ(value(2), 9);
}

TEST_F(ListViewTest, EmptyFieldKeepsLaterColumnsInPlace)
{
    ASSERT_EQ(listview_add_tab_row(list_, "a\t\tc", 1, false), 0);
    EXPECT_EQ(text(0, 0), "a");
    EXPECT_EQ(text(0, 1), "");
    EXPECT_EQ(text(0, 2), "c");

    ASSERT_EQ(listview_add_tab_row(list_, "\tb", 2, false), 1);
    EXPECT_EQ(text(1, 0), "");
    EXPECT_EQ(text(1, 1), "b");

    ASSERT_EQ(listview_add_tab_row(list_, "\t\tc", 3, false), 2);
    EXPECT_EQ(text(2, 0), "");
    EXPECT_EQ(text(2, 1), "");
    EXPECT_EQ(text(2, 2), "c");
}

TEST_F(ListViewTest, MoreThanSixtyFieldsKeepsTheFirstSixty)
{
    std::string row = "f0";
    for (int i = 1; i < 70; ++i)
        row += "\tf" + std::to_string(i);
    ASSERT_EQ(listview_add_tab_row(list_, row.c_str(), 3, false), 0);
    EXPECT_EQ(text(0, 0), "f0");
    EXPECT_EQ(text(0, 1), "f1");
    EXPECT_EQ(text(0, 59), "f59");
    EXPECT_EQ(text(0, 60), "") << "sub-item 60 is beyond the limit";
    EXPECT_EQ(text(0, 63), "");
}

TEST_F(ListViewTest, OverlongFieldIsCutAndColumnsStay)
{
    std::string row = std::string(3000, 'x') + "\tb\t" + std::string(2047, 'y') + "\tc";
    ASSERT_EQ(listview_add_tab_row(list_, row.c_str(), 0, false), 0);
    EXPECT_EQ(text(0, 0), std::string(2047, 'x'));
    EXPECT_EQ(text(0, 1), "b");
    EXPECT_EQ(text(0, 2), std::string(2047, 'y')) << "a field of 2047 characters fits whole";
    EXPECT_EQ(text(0, 3), "c");
}

TEST_F(ListViewTest, SetRowInsertsAtIndexOrAtTheEnd)
{
    listview_add_tab_row(list_, "b", 2, false);
    EXPECT_EQ(listview_set_row(list_, 0, "a\tsub a", 1, false), 0);
    EXPECT_EQ(listview_set_row(list_, -1, "c", 3, false), 2);
    EXPECT_EQ(listview_set_row(list_, 1, "ab", 12, false), 1);
    ASSERT_EQ(count(), 4);
    EXPECT_EQ(text(0, 0), "a");
    EXPECT_EQ(text(0, 1), "sub a");
    EXPECT_EQ(text(1, 0), "ab");
    EXPECT_EQ(text(2, 0), "b");
    EXPECT_EQ(text(3, 0), "c");
    EXPECT_EQ(value(1), 12);
    EXPECT_EQ(value(3), 3);
}

TEST_F(ListViewTest, CallbackRowTakesTextFromOwnerAndNoSubItems)
{
    ASSERT_EQ(listview_add_tab_row(list_, "ignored\tsub", 4, true), 0);
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = 0;
    char buffer[64] = "";
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    ASSERT_TRUE(SendMessageA(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_STREQ(item.pszText, owner_text);
    EXPECT_EQ(text(0, 1), "");
    EXPECT_EQ(value(0), 4);
}

TEST_F(ListViewTest, MissingListViewGivesMinusOne)
{
    EXPECT_EQ(listview_add_tab_row(nullptr, "a", 1, false), -1);
    EXPECT_EQ(listview_set_row(nullptr, 0, "a", 1, false), -1);
    EXPECT_EQ(listview_get_selected(nullptr, -1), -1);
    EXPECT_EQ(listview_get_selected(nullptr, 0), -1);
}

TEST_F(ListViewTest, GetSelectedReturnsItemValue)
{
    EXPECT_EQ(listview_get_selected(list_, -1), -1) << "empty list";
    listview_add_tab_row(list_, "a", 100, false);
    listview_add_tab_row(list_, "b", 200, false);
    listview_add_tab_row(list_, "c", 300, false);
    EXPECT_EQ(listview_get_selected(list_, -1), -1) << "nothing selected";
    EXPECT_EQ(listview_get_selected(list_, 0), 100);
    EXPECT_EQ(listview_get_selected(list_, 2), 300);
    EXPECT_EQ(listview_get_selected(list_, 3), -1) << "no such row";

    select(2);
    select(1);
    EXPECT_EQ(listview_get_selected(list_, -1), 200) << "the first selected row";
    EXPECT_EQ(listview_get_selected(list_, -7), 200);
    EXPECT_EQ(listview_get_selected(list_, 0), 100) << "an index wins over the selection";
}

TEST_F(ListViewTest, ResetDeletesAllRows)
{
    listview_reset(list_);
    EXPECT_EQ(count(), 0);
    listview_add_tab_row(list_, "a", 1, false);
    listview_add_tab_row(list_, "b", 2, false);
    listview_reset(list_);
    EXPECT_EQ(count(), 0);
    EXPECT_EQ(listview_add_tab_row(list_, "c", 3, false), 0);
}

TEST(WindowText, CopiesAtMostSizeMinusOne)
{
    HWND w = make_popup(0, 0, 100, 100, "Hello world");
    ASSERT_NE(w, nullptr);
    char buffer[64];
    EXPECT_EQ(get_window_text(w, buffer, sizeof buffer), 11);
    EXPECT_STREQ(buffer, "Hello world");
    EXPECT_EQ(get_window_text(w, buffer, 6), 5);
    EXPECT_STREQ(buffer, "Hello");
    EXPECT_EQ(get_window_text(w, buffer, 1), 0);
    EXPECT_STREQ(buffer, "");
    buffer[0] = 'z';
    EXPECT_EQ(get_window_text(w, buffer, 0), 0);
    EXPECT_EQ(buffer[0], 'z') << "no room: nothing written";
    DestroyWindow(w);

    buffer[0] = 'z';
    EXPECT_EQ(get_window_text(w, buffer, sizeof buffer), 0) << "destroyed window";
    EXPECT_STREQ(buffer, "");
}

class PlacementTest : public testing::Test {
protected:
    void TearDown() override
    {
        for (HWND w : windows_)
            DestroyWindow(w);
    }
    HWND popup(int x, int y, int width, int height)
    {
        HWND w = make_popup(x, y, width, height);
        EXPECT_NE(w, nullptr);
        windows_.push_back(w);
        return w;
    }
    static int screen_width() { return GetSystemMetrics(SM_CXSCREEN); }
    static int screen_height() { return GetSystemMetrics(SM_CYSCREEN); }

    std::vector<HWND> windows_;
};

TEST_F(PlacementTest, CentreOnParent)
{
    HWND parent = popup(100, 100, 401, 301);
    HWND w = popup(0, 0, 201, 101);
    centre_window(w, parent);
    RECT r = window_rect(w);
    // Parent centre (300, 250) less half the window (100, 50).
    EXPECT_EQ(r.left, 200);
    EXPECT_EQ(r.top, 200);
    EXPECT_EQ(r.right - r.left, 201) << "size kept";
    EXPECT_EQ(r.bottom - r.top, 101);
}

TEST_F(PlacementTest, CentreOnParentStaysOnTheScreen)
{
    HWND w = popup(0, 0, 300, 200);

    HWND top_left = popup(-400, -400, 200, 200);
    centre_window(w, top_left);
    RECT r = window_rect(w);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);

    HWND bottom_right = popup(screen_width() - 50, screen_height() - 50, 200, 200);
    centre_window(w, bottom_right);
    r = window_rect(w);
    EXPECT_EQ(r.right, screen_width());
    EXPECT_EQ(r.bottom, screen_height());
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(r.bottom - r.top, 200);
}

TEST_F(PlacementTest, CentreOnScreenWithoutParent)
{
    for (int width : {300, 301, 305, 310, 318}) {
        HWND w = popup(7, 9, width, 201);
        centre_window(w, nullptr);
        RECT r = window_rect(w);
        const int exact = (screen_width() - width) / 2;
        EXPECT_EQ(r.left % 8, 0) << "width " << width;
        // +4 then down to a multiple of 8: the nearest multiple of 8.
        EXPECT_LE(std::abs(r.left - exact), 4) << "width " << width;
        EXPECT_EQ(r.top, (screen_height() - 201) / 2);
        EXPECT_EQ(r.right - r.left, width);
        EXPECT_EQ(r.bottom - r.top, 201);
    }

    HWND wide = popup(0, 0, screen_width() + 100, 100);
    centre_window(wide, nullptr);
    // (-100 / 2 + 4) = -46, rounded down to a multiple of 8.
    EXPECT_EQ(window_rect(wide).left, -48);
}

TEST_F(PlacementTest, FitToMonitorCentresOnIt)
{
    POINT origin{0, 0};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetMonitorInfoA(MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY), &info));
    const RECT& m = info.rcMonitor;
    const int centre_x = (m.left + m.right) / 2;
    const int centre_y = (m.top + m.bottom) / 2;

    // Off the screen: the nearest monitor still takes it.
    HWND w = popup(-5000, -5000, 300, 200);
    fit_window_to_monitor(w, nullptr);
    RECT r = window_rect(w);
    EXPECT_EQ(r.left, centre_x - 150);
    EXPECT_EQ(r.top, centre_y - 100);
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(r.bottom - r.top, 200);

    HWND owner = popup(m.right - 100, m.top + 10, 50, 50);
    HWND dialog = popup(3, 4, 251, 151);
    fit_window_to_monitor(dialog, owner);
    r = window_rect(dialog);
    EXPECT_EQ(r.left, centre_x - 125);
    EXPECT_EQ(r.top, centre_y - 75);
    EXPECT_EQ(r.right - r.left, 251);
}

namespace {

// One run of a command_dialog: what its handlers saw, and whether the
// command handler takes Cancel itself (ending the dialog with 7).
struct command_dialog_run {
    bool takes_cancel = false;
    LPARAM init_param = 0;
    std::vector<std::pair<int, int>> commands;
};
command_dialog_run g_run;

constexpr int kTakenId = 100;

INT_PTR run_init(HWND dialog, LPARAM param)
{
    g_run.init_param = param;
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(kTakenId, 5), 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return TRUE;
}

INT_PTR run_command(HWND dialog, int id, int code)
{
    g_run.commands.emplace_back(id, code);
    if (id == IDCANCEL && g_run.takes_cancel) {
        EndDialog(dialog, 7);
        return TRUE;
    }
    return id == kTakenId;
}

INT_PTR CALLBACK run_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    return command_dialog(dialog, message, wparam, lparam, run_init, run_command);
}

// A modal dialog from an empty template (no menu, class or title).
INT_PTR run_command_dialog(bool takes_cancel)
{
    g_run = command_dialog_run{};
    g_run.takes_cancel = takes_cancel;
    struct alignas(4) {
        DLGTEMPLATE dialog;
        WORD menu, window_class, title;
    } form{};
    form.dialog.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    form.dialog.cx = 80;
    form.dialog.cy = 40;
    return DialogBoxIndirectParamA(GetModuleHandleA(nullptr), &form.dialog, nullptr,
                                   run_dialog_proc, 42);
}

} // namespace

TEST(CommandDialog, HandlersSeeEveryCommandAndAnUntakenCancelEndsTheDialog)
{
    const struct {
        bool takes_cancel;
        INT_PTR ended_with;
    } cases[] = {{false, IDCANCEL}, {true, 7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.takes_cancel ? "cancel taken" : "cancel left");
        EXPECT_EQ(run_command_dialog(c.takes_cancel), c.ended_with);
        EXPECT_EQ(g_run.init_param, 42);
        const std::vector<std::pair<int, int>> seen = {{kTakenId, 5}, {IDCANCEL, BN_CLICKED}};
        EXPECT_EQ(g_run.commands, seen);
    }
}
