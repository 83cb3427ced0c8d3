// Times the program's start-up and close as a user meets them: from
// starting the process to the moment its main window, created and shown,
// first answers a message (its message loop runs), and on to the program
// idle (what its start posted to itself is done: it waits for input); and
// from the user's close (WM_CLOSE, once the program is idle, as a user
// closes it) to the end of the process. Each is run without a settings file
// (the first start, which creates the folder and the file) and with one, and
// the median, fastest and slowest of the runs are printed, and then where
// the start and the close spend their time: the median time to each of the
// program's steps (the marks it writes, base/timing_mark.h) from the step
// before. A settings file present before is kept aside meanwhile and put
// back at the end. An empty Win32 window program is started and closed the
// same way, and Kestrova's medians are printed as multiples of its: the
// platform's own cost of a window program is the floor beside which
// Kestrova's figures mean something.
//   bench_startup [RUNS] [PROGRAM] [EMPTY PROGRAM]
//       (defaults: 10, ..\app\kestrova.exe, bench_empty_window.exe beside it)
#include "tools/program_timing.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string settings_file()
{
    char local[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local);
    return std::string(local) + "\\Trosvalden\\DualWQT\\DualWQT.ini";
}

// A program to start, and the class of the main window it shows.
struct subject {
    std::string program;
    const char* window_class;
};

constexpr char kMainClass[] = "Z7DualWQTWClass";
constexpr char kEmptyClass[] = "KestrovaBenchEmptyWindow";

// The steps of one start or one close, each with the time from the step
// before: the program's marks and the benchmark's own events, in the order
// of their times.
using step_times = std::vector<std::pair<std::string, double>>;

step_times steps_from(double begin, std::vector<program_mark> events)
{
    std::stable_sort(events.begin(), events.end(),
                     [](const program_mark& a, const program_mark& b) { return a.at_ms < b.at_ms; });
    step_times steps;
    for (const program_mark& event : events) {
        steps.push_back({event.step, event.at_ms - begin});
        begin = event.at_ms;
    }
    return steps;
}

struct run_times {
    double start_ms;  // to the window answering
    double idle_ms;   // to the program idle
    double close_ms;
    step_times start_steps;
    step_times close_steps;
};

run_times times_of(const program_run& run)
{
    std::vector<program_mark> start = {{"main window answering", run.answered},
                                       {"program idle", run.idle}};
    std::vector<program_mark> close = {{"process ended", run.ended}};
    for (const program_mark& mark : run.marks)
        (mark.at_ms < run.close_posted ? start : close).push_back(mark);
    return {run.answered - run.started, run.idle - run.started, run.ended - run.close_posted,
            steps_from(run.started, start), steps_from(run.close_posted, close)};
}

double median(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

void print(const char* what, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("  %-34s median %7.1f ms   fastest %7.1f   slowest %7.1f\n", what, median(ms),
                ms.front(), ms.back());
}

// The median time of each step over the runs, in the order of the first
// run; a step some runs lack is the median of those that have it.
void print_steps(const char* what, const std::vector<step_times>& runs)
{
    std::printf("  where the %s spends its time (medians, ms from the step before):\n", what);
    for (const auto& step : runs.front()) {
        std::vector<double> ms;
        for (const step_times& run : runs)
            for (const auto& [name, took] : run)
                if (name == step.first)
                    ms.push_back(took);
        std::printf("    %-48s %7.1f\n", step.first.c_str(), median(ms));
    }
}

// The medians of one series of runs.
struct medians {
    double start_ms;
    double idle_ms;
    double close_ms;
};

// Starts and closes the program RUNS times (each time without a settings
// file when asked) and prints the series under its title, with its steps
// when the program marks them; false when a run did not start, answer, come
// to rest or close.
bool run_series(const char* title, const subject& what, mark_monitor& marks, int runs,
                bool without_settings, const std::string& settings, medians& result)
{
    std::vector<double> starts, idles, closes;
    std::vector<step_times> start_steps, close_steps;
    bool marked = false;
    for (int i = 0; i < runs; ++i) {
        if (without_settings)
            DeleteFileA(settings.c_str());
        program_run run;
        if (!start_and_close(what.program, what.window_class, marks, run)) {
            std::fprintf(stderr, "%s did not start, answer, come to rest or close\n",
                         what.program.c_str());
            return false;
        }
        const run_times times = times_of(run);
        starts.push_back(times.start_ms);
        idles.push_back(times.idle_ms);
        closes.push_back(times.close_ms);
        start_steps.push_back(times.start_steps);
        close_steps.push_back(times.close_steps);
        marked = marked || !run.marks.empty();
    }
    std::printf("%s (%d runs):\n", title, runs);
    print("start to the window answering", starts);
    print("start to the program idle", idles);
    print("close to the end of the process", closes);
    if (marked) {
        print_steps("start", start_steps);
        print_steps("close", close_steps);
    }
    result = {median(starts), median(idles), median(closes)};
    return true;
}

void print_ratios(const medians& without, const medians& with, const medians& empty)
{
    std::printf("Kestrova's medians against the empty window program's:\n");
    std::printf("  %-34s %5.1fx without a settings file   %5.1fx with one\n", "start",
                without.start_ms / empty.start_ms, with.start_ms / empty.start_ms);
    std::printf("  %-34s %5.1fx without a settings file   %5.1fx with one\n", "start to idle",
                without.idle_ms / empty.idle_ms, with.idle_ms / empty.idle_ms);
    std::printf("  %-34s %5.1fx without a settings file   %5.1fx with one\n", "close",
                without.close_ms / empty.close_ms, with.close_ms / empty.close_ms);
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const subject kestrova{argc > 2 ? argv[2] : own_folder() + "\\..\\app\\kestrova.exe", kMainClass};
    const subject empty{argc > 3 ? argv[3] : own_folder() + "\\bench_empty_window.exe", kEmptyClass};
    const std::string settings = settings_file();
    const std::string kept = settings + ".bench";
    const bool had_settings = MoveFileExA(settings.c_str(), kept.c_str(), MOVEFILE_REPLACE_EXISTING);
    mark_monitor marks;
    if (!marks.listening())
        std::printf("No debug-output monitor: the program's steps are not timed\n");
    medians without{}, with{}, floor{};
    const bool done =
        run_series("Without a settings file", kestrova, marks, runs, true, settings, without) &&
        run_series("With a settings file", kestrova, marks, runs, false, settings, with) &&
        run_series("An empty Win32 window program", empty, marks, runs, false, settings, floor);
    if (done)
        print_ratios(without, with, floor);
    if (had_settings)
        MoveFileExA(kept.c_str(), settings.c_str(), MOVEFILE_REPLACE_EXISTING);
    return done ? 0 : 1;
}
