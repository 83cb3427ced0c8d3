// The main window's own Tab order. Its windows are plain child windows, not
// dialogs, so Tab and Shift+Tab (accelerators) come here: the candidates are
// the tab-stop rows of the top bar, the Config window's head, the page grid,
// the Measure window and its results panels, in that order.
#include "app/control_state.h"

#include "frame/control_tables.h"
#include "configui/engine/config_pages.h"

#include <vector>

namespace {

constexpr int kAdvancedOptionsRow = CONFIG_CONTROL_ROWS - 1;

// Rows styled WS_TABSTOP; a row whose window was never created adds a null
// handle, which never takes the focus.
void add_tab_stops(std::vector<HWND>& list, const control_desc* rows, int first, int count)
{
    for (int r = first; r < first + count; ++r)
        if (rows[r].style & WS_TABSTOP)
            list.push_back(rows[r].hwnd);
}

std::vector<HWND> tab_order()
{
    std::vector<HWND> list;
    add_tab_stops(list, frame_controls.data(), 0, FRAME_CONTROL_ROWS);
    add_tab_stops(list, config_controls.data(), 0, kAdvancedOptionsRow);
    HWND grid[CONFIG_GRID_ROWS] = {};
    int grid_count = 0;
    config_collect_control_handles(grid, &grid_count);
    list.insert(list.end(), grid, grid + grid_count);
    add_tab_stops(list, config_controls.data(), kAdvancedOptionsRow, 1);
    add_tab_stops(list, measure_controls.data(), 0, MEASURE_CONTROL_ROWS);
    for (const auto& panel : results_panel_controls)
        add_tab_stops(list, panel.data(), 0, RESULTS_PANEL_ROWS);
    return list;
}

bool usable(HWND window)
{
    return window && IsWindowVisible(window) && IsWindowEnabled(window);
}

} // namespace

void focus_next_control(bool forward)
{
    HWND focus = GetFocus();
    const std::vector<HWND> list = tab_order();
    const int count = static_cast<int>(list.size());
    if (count == 0)
        return;
    const auto step = [&](int p) { return forward ? (p + 1) % count : (p + count - 1) % count; };
    int p = forward ? 0 : count - 1;
    for (int i = 0; i < count; ++i) {
        if (focus && list[i] == focus) {
            p = step(i);
            break;
        }
    }
    for (int tried = 0; tried < count; ++tried, p = step(p)) {
        if (usable(list[p])) {
            SetFocus(list[p]);
            return;
        }
    }
}
