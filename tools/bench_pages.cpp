// Times the configuration pages on the real main window, for every page
// that exists in every family: its first display (windows created), a
// re-show (values reloaded, laid out again) and one list change through the
// list rule with auto-send off. Prints each page's medians and, last, the
// slowest page of each measure.
//   bench_pages [RUNS]                  (default 20)
//   bench_pages --pose SECONDS [BUTTON]
// The second form shows a WQT55 instrument's page of the page button
// (default 13020, System Options) for SECONDS, so that it can be
// photographed from outside.
#include "config/model_profiles.h"
#include "configui/engine/config_pages.h"
#include "configui/pages/dispatch.h"
#include "configui/engine/engine.h"
#include "configui/engine/page_kinds.h"
#include "frame/auto_configs.h"
#include "frame/control_tables.h"
#include "link/transport.h"
#include "slots/instrument_slots.h"
#include "tests/app/frame_window.h"
#include "tools/bench_clock.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

namespace {

const char* const kFamilyNames[] = {"WQT15", "WQT25", "WQT35", "WQT45", "WQT55"};

struct slowest {
    const char* measure;
    double ms = 0;
    int kind = -1;
    int family = -1;
};

// Between runs the window system is given the time a user's next click
// would give it: the messages of the last run (paints, the destruction of
// retired windows) are delivered first.
constexpr DWORD kSettleMs = 50;

double median_of(int runs, const std::function<void()>& setup, const std::function<void()>& step)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        setup();
        pump_messages(kSettleMs);
        const double start = now_ms();
        step();
        times.push_back(now_ms() - start);
        pump_messages();
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void attach_family(config_family family)
{
    for (const model_profile& profile : model_profile_rows()) {
        if (profile.family != family)
            continue;
        link_record link;
        clear_link_record(&link);
        link.model_code = profile.model_code;
        link.phase_count = 3;
        attach_instrument_to_slot(link, 0);
        set_current_instrument_index(0);
        set_current_active_group(0);
        return;
    }
}

// The first list row of the page, -1 when it has none.
int first_list_row(const page_def& page)
{
    for (int row = 0; row < page.row_count; ++row)
        if (page.rows[row].kind == ROW_LIST && page.rows[row].item >= 0 && row_control(page, row))
            return row;
    return -1;
}

// Picks the list's next entry and tells the Config window.
void change_list(const page_def& page, int row)
{
    HWND list = row_control(page, row);
    const LRESULT count = SendMessageA(list, CB_GETCOUNT, 0, 0);
    const LRESULT next = (SendMessageA(list, CB_GETCURSEL, 0, 0) + 1) % (count > 0 ? count : 1);
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(next), 0);
    SendMessageA(get_config_window(), WM_COMMAND, MAKEWPARAM(kPageIdBase[page.kind] + row, CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(list));
}

void keep_slowest(slowest& worst, double ms, int kind, int family)
{
    if (ms > worst.ms)
        worst = {worst.measure, ms, kind, family};
}

} // namespace

// Shows the System Options page as a user opens it, for a picture.
int pose(int seconds, int button)
{
    frame_main_window();
    attach_family(config_family::wqt55xx);
    HWND config = get_config_window();
    EnableWindow(config, TRUE);
    SendMessageA(config, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    enable_config_controls_like_parent();
    pump_messages(static_cast<DWORD>(seconds) * 1000);
    return 0;
}

int main(int argc, char** argv)
{
    if (argc > 2 && std::strcmp(argv[1], "--pose") == 0)
        return pose(std::atoi(argv[2]), argc > 3 ? std::atoi(argv[3]) : IDC_CFG_PAGE_SYS);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    frame_main_window();
    pump_messages(200);
    AutoConfigs = 0;
    HWND config = get_config_window();
    if (config == nullptr) {
        fprintf(stderr, "bench_pages: the Config window could not be created (is a display running?)\n");
        return 1;
    }
    slowest first{"first display"}, again{"re-show"}, change{"list change"};
    printf("%-6s %-5s %14s %10s %12s\n", "family", "kind", "first display", "re-show", "list change");
    for (int f = 0; f < 5; ++f) {
        const auto family = static_cast<config_family>(f);
        attach_family(family);
        for (int kind = 0; kind < PAGE_KINDS; ++kind) {
            const page_def* page = find_page_def(kind, family);
            if (page == nullptr)
                continue;
            const double first_ms = median_of(runs, [&] { config_page_dirty[kind] = 1; },
                                              [&] { show_page(*page, config); });
            const double again_ms = median_of(runs, [] {}, [&] { show_page(*page, config); });
            const int row = first_list_row(*page);
            const double change_ms =
                row < 0 ? 0.0 : median_of(runs, [] {}, [&] { change_list(*page, row); });
            printf("%-6s %-5d %11.2f ms %7.2f ms %9.2f ms\n", kFamilyNames[f], kind, first_ms, again_ms,
                   change_ms);
            keep_slowest(first, first_ms, kind, f);
            keep_slowest(again, again_ms, kind, f);
            keep_slowest(change, change_ms, kind, f);
        }
    }
    for (const slowest& worst : {first, again, change})
        printf("slowest %-14s %7.2f ms (page kind %d, %s)\n", worst.measure, worst.ms, worst.kind,
               worst.family >= 0 ? kFamilyNames[worst.family] : "-");
    return 0;
}
