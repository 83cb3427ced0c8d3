#include "tests/app/config_window_fixture.h"

#include "frame/control_tables.h"
#include "app/main_create.h"
#include "configui/config_ids.h"
#include "configui/config_pages.h"
#include "tests/support/test_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

config_window_fixture::config_window_fixture(int lit_page_button)
    : lit_page_button_(lit_page_button)
{
    register_view_classes(GetModuleHandleA(nullptr));
    parent_ = make_test_window("ConfigWindowFixtureParent", DefWindowProcA);
    create_controls_from_table(parent_, &frame_controls[FRAME_ROW_CONFIG], 1);
    window_ = get_config_window();
    EXPECT_NE(window_, nullptr);
    light_config_page_button(window_, lit_page_button);
}

config_window_fixture::~config_window_fixture()
{
    DestroyWindow(parent_);
    frame_controls[FRAME_ROW_CONFIG].hwnd = nullptr;
}

void config_window_fixture::set_page_flags(uint8_t value)
{
    std::fill(std::begin(config_page_dirty), std::end(config_page_dirty), value);
}

std::vector<int> config_window_fixture::page_flags()
{
    return std::vector<int>(std::begin(config_page_dirty), std::end(config_page_dirty));
}

std::vector<int> config_window_fixture::page_flags_with(uint8_t others, uint8_t lit) const
{
    std::vector<int> flags(CONFIG_PAGE_BUILDERS, others);
    flags.at(lit_page_button_ - IDC_CFG_PAGE_FIRST) = lit;
    return flags;
}
