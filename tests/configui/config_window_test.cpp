// The configuration window: its page buttons, the page shown and remembered,
// invalidation of the pages, and the grid's enabling and collecting.
#include "configui/config_window.h"

#include "frame/app_globals.h"
#include "frame/control_tables.h"
#include "frame/ui_fonts.h"
#include "configui/config_ids.h"
#include "configui/config_pages.h"
#include "tests/configui/config_window_fixture.h"
#include "tests/support/test_window.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// The Config window with its controls as the frame creates them, with a
// normal and a bold font in place of the frame's first two.
class ConfigWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&icc);
        ui_fonts[0] = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Segoe UI");
        ui_fonts[1] = CreateFontA(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Segoe UI");
        fixture_ = std::make_unique<config_window_fixture>(
            0, config_window_fixture::contents::with_controls);
        main_window = fixture_->parent();
        config_ = fixture_->window();
        ASSERT_NE(config_, nullptr);
        for (uint8_t& flag : config_page_dirty)
            flag = 1;
    }
    void TearDown() override
    {
        fixture_.reset();
        main_window = nullptr;
        DeleteObject(ui_fonts[0]);
        DeleteObject(ui_fonts[1]);
    }

    void click(int id) { SendMessageA(config_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

    // The page button shown bold, or 0 when none or more than one is.
    static int bold_button()
    {
        int bold = 0;
        for (int id = IDC_CFG_PAGE_FIRST; id <= IDC_CFG_PAGE_LAST; ++id) {
            const auto font = reinterpret_cast<HFONT>(SendMessageA(get_control_by_id(id), WM_GETFONT, 0, 0));
            if (font == ui_fonts[1])
                bold = bold ? -1 : id;
            else
                EXPECT_EQ(font, ui_fonts[0]) << id;
        }
        return bold < 0 ? 0 : bold;
    }

    std::unique_ptr<config_window_fixture> fixture_;
    HWND config_ = nullptr;
};

} // namespace

TEST_F(ConfigWindowTest, PageButtonsLightThemselvesAndAreRemembered)
{
    EXPECT_EQ(config_page_button(config_), 0);
    for (int id : {IDC_CFG_PAGE_APP, IDC_CFG_PAGE_RANGE, IDC_CFG_PAGE_ACQU, IDC_CFG_PAGE_MODE}) {
        click(id);
        EXPECT_EQ(bold_button(), id);
        EXPECT_EQ(config_page_button(config_), id);
    }
    // The context button and the head leave the lit page as it is.
    click(IDC_CFG_ADVANCED_OPTIONS);
    click(IDC_CFG_CONFIGURATION_LABEL);
    EXPECT_EQ(bold_button(), IDC_CFG_PAGE_MODE);
    EXPECT_EQ(config_page_button(config_), IDC_CFG_PAGE_MODE);
}

TEST_F(ConfigWindowTest, ShowPageRelightsTheButtonAndClearsItsFlag)
{
    show_config_page(config_); // nothing lit yet: nothing to show
    for (uint8_t flag : config_page_dirty)
        EXPECT_EQ(flag, 1);

    click(IDC_CFG_PAGE_DATALOG);
    highlight_control_in_range(IDC_CFG_PAGE_ACQU, IDC_CFG_PAGE_FIRST, IDC_CFG_PAGE_LAST);
    show_config_page(config_);
    EXPECT_EQ(bold_button(), IDC_CFG_PAGE_DATALOG);
    for (int b = 0; b < CONFIG_PAGE_BUILDERS; ++b)
        EXPECT_EQ(config_page_dirty[b], b == IDC_CFG_PAGE_DATALOG - IDC_CFG_PAGE_FIRST ? 0 : 1) << b;
}

TEST_F(ConfigWindowTest, InvalidatingMarksEveryPageAndShowsTheLitOneAgain)
{
    click(IDC_CFG_PAGE_RANGE);
    highlight_control_in_range(IDC_CFG_PAGE_ACQU, IDC_CFG_PAGE_FIRST, IDC_CFG_PAGE_LAST);
    for (uint8_t& flag : config_page_dirty)
        flag = 0;
    invalidate_all_config_pages();
    EXPECT_EQ(bold_button(), IDC_CFG_PAGE_RANGE);
    for (int b = 0; b < CONFIG_PAGE_BUILDERS; ++b)
        EXPECT_EQ(config_page_dirty[b], b == IDC_CFG_PAGE_RANGE - IDC_CFG_PAGE_FIRST ? 0 : 1) << b;
}

namespace {

// A grid of static windows in a parent of their own; rows listed get a
// label and a control.
class ConfigGridTest : public testing::Test {
protected:
    void SetUp() override
    {
        parent_ = make_test_window("KestrovaGridParent", DefWindowProcA);
        for (HWND& slot : config_grid)
            slot = nullptr;
    }
    void TearDown() override
    {
        DestroyWindow(parent_);
        for (HWND& slot : config_grid)
            slot = nullptr;
    }
    void place_row(int row)
    {
        config_grid[row] = make_child();
        config_grid[CONFIG_GRID_ROWS + row] = make_child();
    }
    HWND make_child()
    {
        return CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 10, 10, parent_, nullptr, GetModuleHandleA(nullptr),
                               nullptr);
    }
    HWND parent_ = nullptr;
};

} // namespace

TEST_F(ConfigGridTest, EnablingAndCollectingWorkOnWhatTheGridHolds)
{
    // Without a first window nothing is touched.
    config_grid[CONFIG_GRID_ROWS + 3] = make_child();
    EnableWindow(parent_, FALSE);
    enable_config_controls_like_parent();
    EXPECT_TRUE(IsWindowEnabled(config_grid[CONFIG_GRID_ROWS + 3]));

    place_row(0);
    place_row(14);
    config_grid[7] = make_child(); // a label alone is collected as nothing
    enable_config_controls_like_parent();
    for (HWND window : config_grid) {
        if (window) {
            EXPECT_FALSE(IsWindowEnabled(window));
        }
    }
    HWND handles[8] = {parent_, parent_};
    int count = 2;
    config_collect_control_handles(handles, &count);
    ASSERT_EQ(count, 5);
    EXPECT_EQ(handles[1], parent_);
    EXPECT_EQ(handles[2], config_grid[CONFIG_GRID_ROWS + 0]);
    EXPECT_EQ(handles[3], config_grid[CONFIG_GRID_ROWS + 3]);
    EXPECT_EQ(handles[4], config_grid[CONFIG_GRID_ROWS + 14]);
}
