#include "tests/configui/config_screen.h"

#include "configui/engine/config_ids.h"
#include "configui/engine/rows.h"
#include "tests/support/modal_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

std::string class_of(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool is_head(HWND window)
{
    const int id = GetDlgCtrlID(window);
    return id >= IDC_CFG_CONTROL_LABEL && id <= IDC_CFG_ADVANCED_OPTIONS;
}

POINT top_left_in(HWND config_window, HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, config_window, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top};
}

// The grid point a window's top left corner stands on; -1 for none.
int point_of(HWND config_window, HWND window)
{
    const POINT at = top_left_in(config_window, window);
    for (int p = 0; p < CONFIG_GRID_SLOTS; ++p)
        if (config_layout_points[p].x == at.x && config_layout_points[p].y == at.y)
            return p;
    return -1;
}

std::string kind_of(HWND control)
{
    const std::string name = class_of(control);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    if (name == "ComboBox")
        return "list";
    if (name == "Edit")
        return (style & ES_READONLY) ? "read-only" : "edit";
    if (name == "Static")
        return "text";
    return name;
}

std::string describe(HWND config_window, HWND window)
{
    const POINT at = top_left_in(config_window, window);
    return class_of(window) + " \"" + window_text(window) + "\" at " + std::to_string(at.x) + "," +
           std::to_string(at.y);
}

} // namespace

bool shown_in(HWND config_window, HWND window)
{
    for (HWND w = window; w != nullptr && w != config_window; w = GetParent(w))
        if (!has_visible_style(w))
            return false;
    return window != nullptr;
}

config_screen read_config_screen(HWND config_window)
{
    std::array<HWND, CONFIG_GRID_SLOTS> at_point{};
    std::vector<HWND> updowns;
    config_screen screen;
    for (HWND child = GetWindow(config_window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!shown_in(config_window, child) || is_head(child))
            continue;
        if (class_of(child) == UPDOWN_CLASSA) {
            updowns.push_back(child);
            continue;
        }
        const int point = point_of(config_window, child);
        if (point < 0 || at_point[point] != nullptr)
            screen.strays.push_back(describe(config_window, child));
        else
            at_point[point] = child;
    }
    for (int r = 0; r < CONFIG_GRID_ROWS; ++r) {
        HWND label = at_point[r];
        HWND control = at_point[CONFIG_GRID_ROWS + r];
        if (label == nullptr || control == nullptr) {
            if (label != nullptr || control != nullptr)
                screen.strays.push_back("half a row: " + describe(config_window, label ? label : control));
            continue;
        }
        screen.rows.push_back({r, window_text(label), kind_of(control),
                               IsWindowEnabled(label) != FALSE && IsWindowEnabled(control) != FALSE, control});
    }
    for (HWND updown : updowns) {
        HWND buddy = reinterpret_cast<HWND>(SendMessageA(updown, UDM_GETBUDDY, 0, 0));
        const bool beside_a_row =
            std::any_of(screen.rows.begin(), screen.rows.end(), [buddy](const shown_row& row) { return row.control == buddy; });
        if (!beside_a_row)
            screen.strays.push_back("an up-down beside no row");
    }
    return screen;
}

std::vector<std::string> shown_labels(const config_screen& screen)
{
    std::vector<std::string> labels;
    for (const shown_row& row : screen.rows)
        labels.push_back(row.label);
    return labels;
}

HWND shown_control(HWND config_window, const std::string& label)
{
    for (const shown_row& row : read_config_screen(config_window).rows)
        if (row.label == label)
            return row.control;
    return nullptr;
}
