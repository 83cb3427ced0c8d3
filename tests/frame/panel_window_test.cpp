// The panel window's painting of its text entries, and the icon holder that
// owns, duplicates and loads icons.
#include "frame/icon_holder.h"
#include "frame/panel_window.h"

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

    HWND host_ = nullptr;
    HWND panel_ = nullptr;
};

// The first and last columns of the rows top..bottom that carry anything
// but the background.
struct ink_box {
    int left = INT_MAX, right = -1;
    bool empty() const { return right < 0; }
};

ink_box ink_in(const memory_canvas& canvas, COLORREF background, int top, int bottom)
{
    ink_box box;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (canvas.pixel(x, y) != background) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
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

TEST_F(PanelTest, TextsRightAlignedAtTheirEntriesHeightsSixtyAtMost)
{
    SendMessageA(panel_, WM_COMMAND, PANEL_SET_COLOUR, kGreen);
    const struct {
        const char* text;
        int y;
    } entries[] = {{"Wide Text", 40}, {"", 100}, {"Wq", 160}};
    for (const auto& e : entries)
        add_entry(e.text, e.y);
    DestroyWindow(add_entry("Gone", 230)); // draws nothing
    for (int i = 4; i < PANEL_MAX_ENTRIES; ++i)
        add_entry("", 10);
    add_entry("Sixty-first", 250); // ignored

    const memory_canvas canvas = capture_client(panel_);
    const HGDIOBJ panel_font = GetStockObject(DEFAULT_GUI_FONT);
    const int blanks = text_width(panel_font, "  ");
    for (const auto& e : entries) {
        // The line runs from 2 above the entry's top for one text height.
        const ink_box ink = ink_in(canvas, kGreen, e.y - 2, e.y + 18);
        if (!*e.text) {
            EXPECT_TRUE(ink.empty()) << "an empty text draws only blanks";
            continue;
        }
        ASSERT_FALSE(ink.empty()) << e.text;
        const int full = text_width(panel_font, (std::string(e.text) + "  ").c_str());
        EXPECT_GE(ink.left, kPanelWidth - full - 1) << e.text;
        EXPECT_LT(ink.right, kPanelWidth - blanks) << e.text;
        EXPECT_GT(ink.right, kPanelWidth - blanks - 4) << e.text;
    }
    EXPECT_TRUE(ink_in(canvas, kGreen, 0, 38).empty());
    EXPECT_TRUE(ink_in(canvas, kGreen, 60, 98).empty());
    EXPECT_TRUE(ink_in(canvas, kGreen, 180, kPanelHeight).empty());
}

TEST(IconHolder, DetachAttachDestroy)
{
    HICON icon = make_icon();
    {
        CIcon holder(icon);
        EXPECT_EQ(holder.detach(), icon);
        EXPECT_EQ(holder.handle(), nullptr);
    }
    EXPECT_TRUE(icon_alive(icon)) << "a detached icon outlives the holder";

    CIcon holder;
    EXPECT_FALSE(holder.destroy()); // nothing held
    HICON second = make_icon();
    EXPECT_TRUE(holder.attach(icon));
    EXPECT_TRUE(holder.attach(second));
    EXPECT_FALSE(icon_alive(icon)) << "attach destroys the icon held before";
    EXPECT_TRUE(holder.destroy());
    EXPECT_FALSE(icon_alive(second));
    {
        CIcon owner(make_icon());
        icon = owner.handle();
    }
    EXPECT_FALSE(icon_alive(icon)) << "the holder destroys its icon";
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
    EXPECT_EQ(CIcon(CIcon()).handle(), nullptr);
}

TEST(IconHolder, FromAResourceAtSixteenPixels)
{
    const CIcon application(GetModuleHandleA("user32.dll"), 32512); // the application icon
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(application.handle(), &info));
    BITMAP mask = {};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, 16);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    EXPECT_EQ(CIcon(GetModuleHandleA(nullptr), 158).handle(), nullptr); // no such resource
}
