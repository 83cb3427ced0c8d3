// The Config window as the program makes it from its row of the frame's
// control table (under a test window in place of the main window), with one
// page button lit (none for 0), and the page-rebuild flags to look at: what
// the page services do to the pages shows in them. With its controls, the
// Config window's own table is created and shown under it as the main
// window's creation does, without the rest of the frame.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

class config_window_fixture {
public:
    enum class contents { window_only, with_controls };
    explicit config_window_fixture(int lit_page_button, contents what = contents::window_only);
    ~config_window_fixture();
    config_window_fixture(const config_window_fixture&) = delete;
    config_window_fixture& operator=(const config_window_fixture&) = delete;

    HWND window() const { return window_; }
    HWND parent() const { return parent_; }

    // Sets every page's rebuild flag to value.
    static void set_page_flags(uint8_t value);
    // The flags as they are, and as they are expected: `others` for every
    // page but the lit one, `lit` for it.
    static std::vector<int> page_flags();
    std::vector<int> page_flags_with(uint8_t others, uint8_t lit) const;

private:
    HWND parent_ = nullptr;
    HWND window_ = nullptr;
    int lit_page_button_;
};
