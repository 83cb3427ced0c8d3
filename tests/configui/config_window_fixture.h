// The Config window as the program makes it from its row of the frame's
// control table (under a test window in place of the main window), with a
// page made current, and the first-display flags to look at: what the page
// services do to the pages shows in them. With its controls, the Config
// window's own table is created and shown under it as the main window's
// creation does, without the rest of the frame. The page state is put back
// as the program starts with it when the fixture goes.
#pragma once
#include "configui/engine/page_ids.h"

#include <windows.h>

#include <cstdint>
#include <vector>

struct link_record;

// Moves the link (a cleared one when none is given) into slot 0 as the
// current instrument, group 1 active, with the model, phases and option,
// and marks every page for rebuilding, as a connection does.
void attach_current_instrument(uint32_t model, uint32_t phases, uint32_t option = 0,
                               link_record* link = nullptr);

class config_window_fixture {
public:
    enum class contents { window_only, with_controls };
    explicit config_window_fixture(page_kind current = PAGE_SYSTEM_OPTIONS,
                                   contents what = contents::window_only);
    ~config_window_fixture();
    config_window_fixture(const config_window_fixture&) = delete;
    config_window_fixture& operator=(const config_window_fixture&) = delete;

    HWND window() const { return window_; }
    HWND parent() const { return parent_; }

    // Sets every page's first-display flag to value.
    static void set_page_flags(uint8_t value);
    // The flags as they are, and as they are expected: `others` for every
    // page but the current one, `current` for it.
    static std::vector<int> page_flags();
    std::vector<int> page_flags_with(uint8_t others, uint8_t current) const;

    // The page state as at program start: no windows, every flag set, page 0.
    static void reset_page_state();

private:
    HWND parent_ = nullptr;
    HWND window_ = nullptr;
    page_kind current_;
};
