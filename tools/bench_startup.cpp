// Times the program's start-up and close as a user meets them: from
// starting the process to the moment its main window, created and shown,
// first answers a message (its message loop runs: the window is usable),
// and from the user's close (WM_CLOSE) to the end of the process. Each is run
// without a settings file (the first start, which creates the folder and the
// file) and with one, and the median, fastest and slowest of the runs are
// printed. A settings file present before is kept aside meanwhile and put
// back at the end. An empty Win32 window program is started and closed the
// same way, and Kestrova's medians are printed as multiples of its: the
// platform's own cost of a window program is the floor beside which
// Kestrova's figures mean something.
//   bench_startup [RUNS] [PROGRAM] [EMPTY PROGRAM]
//       (defaults: 10, ..\app\kestrova.exe, bench_empty_window.exe beside it)
#include "tools/bench_clock.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string settings_file()
{
    char local[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local);
    return std::string(local) + "\\Trosvalden\\DualWQT\\DualWQT.ini";
}

// The folder of this benchmark's own executable.
std::string own_folder()
{
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string folder(self);
    folder.erase(folder.find_last_of('\\'));
    return folder;
}

// A program to start, and the class of the main window it shows.
struct subject {
    std::string program;
    const char* window_class;
};

constexpr char kMainClass[] = "Z7DualWQTWClass";
constexpr char kEmptyClass[] = "KestrovaBenchEmptyWindow";

struct run_times {
    double start_ms;
    double close_ms;
};

HWND g_found = nullptr;
DWORD g_process_id = 0;
const char* g_window_class = kMainClass;

BOOL CALLBACK find_main_window(HWND window, LPARAM)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (owner == g_process_id && lstrcmpA(name, g_window_class) == 0) {
        g_found = window;
        return FALSE;
    }
    return TRUE;
}

bool run_once(const subject& what, run_times& times)
{
    const std::string& program = what.program;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string command = "\"" + program + "\"";
    const double t0 = now_ms();
    if (!CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    // The window appears during creation; it answers once creation is over
    // and its message loop runs.
    g_found = nullptr;
    g_process_id = process.dwProcessId;
    g_window_class = what.window_class;
    for (int i = 0; i < 30000 && !g_found; ++i) {
        EnumWindows(find_main_window, 0);
        if (!g_found)
            Sleep(1);
    }
    DWORD_PTR ignored = 0;
    const bool idle = g_found && SendMessageTimeoutA(g_found, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &ignored);
    const double t1 = now_ms();
    bool closed = false;
    double t2 = t1;
    if (idle && g_found) {
        const double close_start = now_ms();
        PostMessageA(g_found, WM_CLOSE, 0, 0);
        closed = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
        t2 = now_ms();
        times.close_ms = t2 - close_start;
    }
    if (!closed)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    times.start_ms = t1 - t0;
    return idle && closed;
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

// The medians of one series of runs.
struct medians {
    double start_ms;
    double close_ms;
};

// Starts and closes the program RUNS times (each time without a settings
// file when asked) and prints the series under its title; false when a run
// did not start, answer or close.
bool run_series(const char* title, const subject& what, int runs, bool without_settings,
                const std::string& settings, medians& result)
{
    std::vector<double> starts, closes;
    for (int i = 0; i < runs; ++i) {
        if (without_settings)
            DeleteFileA(settings.c_str());
        run_times times{};
        if (!run_once(what, times)) {
            std::fprintf(stderr, "%s did not start, answer or close\n", what.program.c_str());
            return false;
        }
        starts.push_back(times.start_ms);
        closes.push_back(times.close_ms);
    }
    std::printf("%s (%d runs):\n", title, runs);
    print("start to the window answering", starts);
    print("close to the end of the process", closes);
    result = {median(starts), median(closes)};
    return true;
}

void print_ratios(const medians& without, const medians& with, const medians& empty)
{
    std::printf("Kestrova's medians against the empty window program's:\n");
    std::printf("  %-34s %5.1fx without a settings file   %5.1fx with one\n", "start",
                without.start_ms / empty.start_ms, with.start_ms / empty.start_ms);
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
    medians without{}, with{}, floor{};
    const bool done = run_series("Without a settings file", kestrova, runs, true, settings, without) &&
                      run_series("With a settings file", kestrova, runs, false, settings, with) &&
                      run_series("An empty Win32 window program", empty, runs, false, settings, floor);
    if (done)
        print_ratios(without, with, floor);
    if (had_settings)
        MoveFileExA(kept.c_str(), settings.c_str(), MOVEFILE_REPLACE_EXISTING);
    return done ? 0 : 1;
}
