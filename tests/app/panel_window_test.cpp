#include "app/icon_holder.h"
#include "app/panel_window.h"

#include "tests/support/pixels.h"
#include "tests/support/test_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>

namespace {

constexpr COLORREF kGreen = RGB(0, 200, 0);
constexpr int kPanelLeft = 200;
constexpr int kPanelWidth = 160;
constexpr int kPanelHeight = 300;

// A shown top-level window that holds a panel and the entry windows whose
// texts the panel draws.
class PanelTest : public testing::Test {
protected:
    void SetUp() override
    {
        register_panel_class();
        host_ = make_test_window("KestrovaPanelHost", DefWindowProcA);
        ASSERT_NE(host_, nullptr);
        SetWindowPos(host_, HWND_TOP, 0, 0, 400, kPanelHeight, SWP_SHOWWINDOW);
        panel_ = CreateWindowExA(0, "Z7DualWQTPanelWClass", "", WS_CHILD | WS_VISIBLE, kPanelLeft,
                                 0, kPanelWidth, kPanelHeight, host_, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(panel_, nullptr);
    }
    void TearDown() override { DestroyWindow(host_); }

    HWND add_entry(const char* text, int y)
    {
        HWND entry = CreateWindowExA(0, "Static", text, WS_CHILD, 0, y, 100, 20, host_, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
        SendMessageA(panel_, WM_COMMAND, PANEL_ADD_ENTRY, reinterpret_cast<LPARAM>(entry));
        return entry;
    }

    // The width of text in the panel's font.
    int text_width(const char* text)
    {
        HDC dc = GetDC(panel_);
        HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        SIZE size = {};
        GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
        SelectObject(dc, old);
        ReleaseDC(panel_, dc);
        return size.cx;
    }

    HWND host_ = nullptr;
    HWND panel_ = nullptr;
};

// The columns and rows that carry anything but the background.
struct ink_box {
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    bool empty() const { return right < 0; }
};

ink_box ink_in(const memory_canvas& canvas, COLORREF background, int top, int bottom)
{
    ink_box box;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            if (canvas.pixel(x, y) == background)
                continue;
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, x);
            box.top = std::min(box.top, y);
            box.bottom = std::max(box.bottom, y);
        }
    }
    return box;
}

bool icon_alive(HICON icon)
{
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info))
        return false;
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return true;
}

HICON make_icon()
{
    return CopyIcon(LoadIconA(nullptr, IDI_APPLICATION));
}

} // namespace

TEST_F(PanelTest, WithoutEntriesOnlyTheBackground)
{
    const RECT all = {0, 0, kPanelWidth, kPanelHeight};
    EXPECT_TRUE(capture_client(panel_).all_of(all, GetSysColor(COLOR_WINDOW)));

    // The new colour shows at the next paint, not before.
    SendMessageA(panel_, WM_COMMAND, PANEL_SET_COLOUR, kGreen);
    EXPECT_TRUE(capture_client(panel_, false).all_of(all, GetSysColor(COLOR_WINDOW)));
    EXPECT_TRUE(capture_client(panel_).all_of(all, kGreen));
}

TEST_F(PanelTest, TextsRightAlignedAtTheirEntriesHeights)
{
    SendMessageA(panel_, WM_COMMAND, PANEL_SET_COLOUR, kGreen);
    struct entry_case {
        const char* text;
        int y;
    };
    const entry_case entries[] = {{"Wide Text", 40}, {"", 100}, {"Wq", 160}};
    for (const entry_case& e : entries)
        add_entry(e.text, e.y);
    HWND gone = add_entry("Gone", 230);
    DestroyWindow(gone);

    const memory_canvas canvas = capture_client(panel_);
    const int blanks = text_width("  ");
    const int line_height = 20;
    for (const entry_case& e : entries) {
        // The line runs from 2 above the entry's top for one text height.
        const ink_box ink = ink_in(canvas, kGreen, e.y - 2, e.y - 2 + line_height);
        if (!*e.text) {
            EXPECT_TRUE(ink.empty()) << "an empty text draws only blanks";
            continue;
        }
        ASSERT_FALSE(ink.empty()) << e.text;
        const int full = text_width((std::string(e.text) + "  ").c_str());
        EXPECT_GE(ink.left, kPanelWidth - full - 1) << e.text;
        EXPECT_LT(ink.right, kPanelWidth - blanks) << e.text;
        EXPECT_GT(ink.right, kPanelWidth - blanks - 4) << e.text;
    }
    // Nothing between the lines, and nothing for the destroyed entry.
    EXPECT_TRUE(ink_in(canvas, kGreen, 0, 38).empty());
    EXPECT_TRUE(ink_in(canvas, kGreen, 60, 98).empty());
    EXPECT_TRUE(ink_in(canvas, kGreen, 180, kPanelHeight).empty());
}

TEST_F(PanelTest, SixtyFirstEntryIsIgnored)
{
    // 59 blank entries, a 60th that shows, a 61st that does not.
    for (int i = 0; i < PANEL_MAX_ENTRIES - 1; ++i)
        add_entry("", 10);
    add_entry("Sixtieth", 60);
    add_entry("Sixty-first", 200);
    const memory_canvas canvas = capture_client(panel_);
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    EXPECT_FALSE(ink_in(canvas, background, 58, 78).empty());
    EXPECT_TRUE(ink_in(canvas, background, 190, kPanelHeight).empty());
}

TEST(IconHolder, DetachLeavesTheIconAlive)
{
    HICON icon = make_icon();
    {
        CIcon holder(icon);
        EXPECT_EQ(holder.handle(), icon);
        EXPECT_EQ(holder.detach(), icon);
        EXPECT_EQ(holder.handle(), nullptr);
    }
    EXPECT_TRUE(icon_alive(icon));
    {
        CIcon holder(icon);
    }
    EXPECT_FALSE(icon_alive(icon));
}

TEST(IconHolder, CopiesHoldTheirOwnDuplicates)
{
    CIcon original(make_icon());
    HICON icon = original.handle();
    {
        CIcon copy(original);
        EXPECT_NE(copy.handle(), nullptr);
        EXPECT_NE(copy.handle(), icon);
    }
    EXPECT_TRUE(icon_alive(icon));

    CIcon assigned(make_icon());
    HICON replaced = assigned.handle();
    assigned = original;
    EXPECT_FALSE(icon_alive(replaced));
    EXPECT_NE(assigned.handle(), icon);
    EXPECT_TRUE(icon_alive(assigned.handle()));

    assigned = assigned; // to itself: keeps its icon
    EXPECT_TRUE(icon_alive(assigned.handle()));

    const CIcon empty;
    CIcon from_empty(empty);
    EXPECT_EQ(from_empty.handle(), nullptr);
}

TEST(IconHolder, AttachAndDestroy)
{
    CIcon holder;
    EXPECT_FALSE(holder.destroy()); // nothing held
    HICON first = make_icon();
    HICON second = make_icon();
    EXPECT_TRUE(holder.attach(first));
    EXPECT_TRUE(holder.attach(second));
    EXPECT_FALSE(icon_alive(first));
    EXPECT_TRUE(holder.destroy());
    EXPECT_FALSE(icon_alive(second));
    EXPECT_EQ(holder.handle(), nullptr);
}

TEST(IconHolder, FromAResourceAtSixteenPixels)
{
    HMODULE user32 = GetModuleHandleA("user32.dll");
    const CIcon application(user32, 32512); // the system's application icon
    ASSERT_NE(application.handle(), nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(application.handle(), &info));
    BITMAP mask = {};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, 16);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);

    const CIcon missing(GetModuleHandleA(nullptr), 158);
    EXPECT_EQ(missing.handle(), nullptr);
}
