// The Config window's rows as a user sees them: read from the windows that
// are shown, by where they stand, not from the page's tables. A label and
// the control beside it make a row; rows come in grid order (down the left
// column, then the middle, then the right). Whatever else is shown below
// the head (a control without its label, a label without its control, a
// window off the grid) is a stray.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct shown_row {
    int grid_row;        // 0..14
    std::string label;   // the label's text as shown
    std::string kind;    // "list", "edit", "read-only", "text", or the class name
    bool enabled;        // both the label and the control
    HWND control;
};

struct config_screen {
    std::vector<shown_row> rows;
    std::vector<std::string> strays;
};

// Shown: the window and every parent up to the Config window have the
// visible style (the Config window of a test may stand under a hidden
// parent).
bool shown_in(HWND config_window, HWND window);

config_screen read_config_screen(HWND config_window);

// The labels of the rows, in grid order.
std::vector<std::string> shown_labels(const config_screen& screen);

// The control of the first shown row with this label; null when none has it.
HWND shown_control(HWND config_window, const std::string& label);
