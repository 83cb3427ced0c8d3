#include "tests/configui/config_window_fixture.h"

#include "frame/control_tables.h"
#include "configui/config_ids.h"
#include "configui/config_pages.h"
#include "configui/config_window.h"
#include "tests/support/test_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace {

// The Config window's class as the program registers it, under the name its
// row of the frame's table gives.
void register_config_window_class()
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = config_wnd_proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = frame_controls[FRAME_ROW_CONFIG].class_name;
    RegisterClassExA(&wc);
}

} // namespace

config_window_fixture::config_window_fixture(int lit_page_button, contents what)
    : lit_page_button_(lit_page_button)
{
    register_config_window_class();
    parent_ = make_test_window("ConfigWindowFixtureParent", DefWindowProcA);
    create_controls_from_table(parent_, &frame_controls[FRAME_ROW_CONFIG], 1);
    window_ = get_config_window();
    EXPECT_NE(window_, nullptr);
    if (what == contents::with_controls) {
        create_controls_from_table(window_, config_controls.data(), CONFIG_CONTROL_ROWS);
        show_controls_from_table(config_controls.data(), CONFIG_CONTROL_ROWS);
    }
    if (lit_page_button != 0)
        light_config_page_button(window_, lit_page_button);
}

config_window_fixture::~config_window_fixture()
{
    DestroyWindow(parent_);
    frame_controls[FRAME_ROW_CONFIG].hwnd = nullptr;
    for (control_desc& row : config_controls)
        row.hwnd = nullptr;
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
