#include "tests/configui/config_window_fixture.h"

#include "configui/engine/config_ids.h"
#include "configui/engine/config_pages.h"
#include "configui/engine/engine.h"
#include "configui/engine/page_kinds.h"
#include "configui/window/config_window.h"
#include "frame/control_tables.h"
#include "link/transport.h"
#include "slots/instrument_slots.h"
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

void attach_current_instrument(uint32_t model, uint32_t phases, uint32_t option, link_record* link)
{
    link_record cleared;
    if (link == nullptr) {
        clear_link_record(&cleared);
        link = &cleared;
    }
    link->model_code = model;
    link->phase_count = phases;
    link->option_code = option;
    attach_instrument_to_slot(*link, 0);
    set_current_instrument_index(0);
    set_current_active_group(0);
    config_window_fixture::set_page_flags(1);
}

config_window_fixture::config_window_fixture(page_kind current, contents what) : current_(current)
{
    reset_page_state();
    register_config_window_class();
    parent_ = make_test_window("ConfigWindowFixtureParent", DefWindowProcA);
    create_controls_from_table(parent_, &frame_controls[FRAME_ROW_CONFIG], 1);
    window_ = get_config_window();
    EXPECT_NE(window_, nullptr);
    if (what == contents::with_controls) {
        create_controls_from_table(window_, config_controls.data(), CONFIG_CONTROL_ROWS);
        show_controls_from_table(config_controls.data(), CONFIG_CONTROL_ROWS);
    }
    config_current_page = kPageKindFacts[current].page;
}

config_window_fixture::~config_window_fixture()
{
    DestroyWindow(parent_);
    frame_controls[FRAME_ROW_CONFIG].hwnd = nullptr;
    for (control_desc& row : config_controls)
        row.hwnd = nullptr;
    reset_page_state();
}

void config_window_fixture::reset_page_state()
{
    destroy_retired_page_windows();
    for (page_windows& windows : config_pages.windows)
        windows.fill(nullptr);
    std::fill(std::begin(config_grid), std::end(config_grid), grid_slot{nullptr, nullptr});
    set_page_flags(1);
    config_current_page = 0;
    ranging_phase = 0;
}

void config_window_fixture::set_page_flags(uint8_t value)
{
    std::fill(std::begin(config_page_dirty), std::end(config_page_dirty), value);
}

std::vector<int> config_window_fixture::page_flags()
{
    return std::vector<int>(std::begin(config_page_dirty), std::end(config_page_dirty));
}

std::vector<int> config_window_fixture::page_flags_with(uint8_t others, uint8_t current) const
{
    std::vector<int> flags(CONFIG_PAGE_BUILDERS, others);
    flags.at(current_) = current;
    return flags;
}
