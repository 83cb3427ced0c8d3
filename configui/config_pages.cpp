#include "configui/config_pages.h"

#include "frame/control_tables.h"
#include "configui/config_ids.h"

#include <algorithm>
#include <iterator>

uint8_t config_page_dirty[CONFIG_PAGE_BUILDERS] = {};
int ranging_phase = 1;
HWND config_grid[CONFIG_GRID_SLOTS] = {};

namespace {
// The lit page button, kept with the Config window.
constexpr const char* kPageButtonProperty = "KestrovaConfigPageButton";
}

int config_page_button(HWND config_window)
{
    return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(config_window, kPageButtonProperty)));
}

void light_config_page_button(HWND config_window, int id)
{
    highlight_control_in_range(id, IDC_CFG_PAGE_FIRST, IDC_CFG_PAGE_LAST);
    SetPropA(config_window, kPageButtonProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(id)));
}

void forget_config_page_button(HWND config_window)
{
    RemovePropA(config_window, kPageButtonProperty);
}

void show_config_page(HWND config_window)
{
    const int id = config_page_button(config_window);
    if (id < IDC_CFG_PAGE_FIRST || id > IDC_CFG_PAGE_LAST)
        return;
    light_config_page_button(config_window, id);
    config_page_dirty[id - IDC_CFG_PAGE_FIRST] = 0;
}

void invalidate_all_config_pages()
{
    std::fill(std::begin(config_page_dirty), std::end(config_page_dirty), uint8_t{1});
    show_config_page(get_config_window());
}

void enable_config_controls_like_parent()
{
    if (!config_grid[0])
        return;
    const BOOL enabled = IsWindowEnabled(GetParent(config_grid[0]));
    for (HWND window : config_grid)
        if (window)
            EnableWindow(window, enabled);
}

void config_collect_control_handles(HWND* handles, int* count)
{
    for (int row = 0; row < CONFIG_GRID_ROWS; ++row) {
        HWND control = config_grid[CONFIG_GRID_ROWS + row];
        if (control)
            handles[(*count)++] = control;
    }
}
