// Times the table-driven layout over the whole frame (every control table,
// about 250 windows) on the real main window, and prints the median, the
// fastest and the slowest of the runs for each:
//   reposition          one reposition_controls pass at an unchanged size
//   resize              one resize of the main window by 40 x 30 pixels,
//                       which lays everything out again
//   hide settings       show_view_panels_2(true): the views take the height
//   show settings       show_view_panels_2(false)
// each once as the call alone and once with the painting it causes.
//   bench_layout [RUNS]                     (default 30)
//   bench_layout --pose minimum|grown|hidden SECONDS
// The second form shows the frame in that state for SECONDS, so that it can
// be photographed from outside.
#include "views/layout.h"
#include "tests/app/frame_window.h"
#include "tools/bench_clock.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

namespace {

void paint_everything()
{
    RedrawWindow(frame_main_window(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// Runs step runs times (setup before each run, untimed) and prints the
// median, minimum and maximum in milliseconds.
void time_step(const char* name, int runs, const std::function<void()>& setup,
               const std::function<void()>& step, bool with_paint)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        setup();
        pump_messages();
        const double start = now_ms();
        step();
        if (with_paint)
            paint_everything();
        times.push_back(now_ms() - start);
        pump_messages();
    }
    std::sort(times.begin(), times.end());
    printf("%-16s %-12s median %7.2f ms   min %7.2f   max %7.2f   (%d runs)\n", name,
           with_paint ? "with paint" : "call", times[times.size() / 2], times.front(),
           times.back(), runs);
}

void run_benchmark(int runs)
{
    const int w = main_window_desc.cur_w;
    const int h = main_window_desc.cur_h;
    bool grown = false;
    const auto nothing = [] {};
    const auto toggle_size = [&] {
        grown = !grown;
        SetWindowPos(frame_main_window(), nullptr, 0, 0, w + (grown ? 40 : 0), h + (grown ? 30 : 0),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    const auto hide = [] { show_view_panels_2(true); };
    const auto show = [] { show_view_panels_2(false); };
    for (bool with_paint : {false, true}) {
        time_step("reposition", runs, nothing, reposition_controls, with_paint);
        time_step("resize", runs, nothing, toggle_size, with_paint);
        time_step("hide settings", runs, show, hide, with_paint);
        time_step("show settings", runs, hide, show, with_paint);
    }
}

int pose(const char* state, int seconds)
{
    const bool hidden = strcmp(state, "hidden") == 0;
    const bool grown = hidden || strcmp(state, "grown") == 0;
    if (!hidden && !grown && strcmp(state, "minimum") != 0) {
        fprintf(stderr, "unknown state %s: minimum, grown or hidden\n", state);
        return 2;
    }
    resize_main_window(main_window_desc.cur_w + (grown ? 200 : 0),
                       main_window_desc.cur_h + (grown ? 150 : 0));
    show_view_panels_2(hidden);
    pump_messages(static_cast<DWORD>(seconds) * 1000);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (!frame_main_window()) {
        fprintf(stderr, "the main window could not be created\n");
        return 1;
    }
    if (argc >= 2 && strcmp(argv[1], "--pose") == 0)
        return pose(argc >= 3 ? argv[2] : "", argc >= 4 ? atoi(argv[3]) : 10);
    const int runs = argc >= 2 ? std::max(1, atoi(argv[1])) : 30;
    run_benchmark(runs);
    return 0;
}
