// Times the program's start-up and close as a user meets them: from
// starting the process to the moment its main window, created and shown,
// first answers a message (its message loop runs: the window is usable),
// and from the user's close (WM_CLOSE) to the end of the process. Each is run without a settings file (the first start, which
// creates the folder and the file) and with one, and the median, fastest
// and slowest of the runs are printed. A settings file present before is
// kept aside meanwhile and put back at the end.
//   bench_startup [RUNS] [PROGRAM]    (defaults: 10, ..\app\kestrova.exe)
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

std::string default_program()
{
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string folder(self);
    folder.erase(folder.find_last_of('\\'));
    return folder + "\\..\\app\\kestrova.exe";
}

struct run_times {
    double start_ms;
    double close_ms;
};

HWND g_found = nullptr;
DWORD g_process_id = 0;

BOOL CALLBACK find_main_window(HWND window, LPARAM)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (owner == g_process_id && lstrcmpA(name, "Z7DualWQTWClass") == 0) {
        g_found = window;
        return FALSE;
    }
    return TRUE;
}

bool run_once(const std::string& program, run_times& times)
{
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

void print(const char* what, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("  %-34s median %7.1f ms   fastest %7.1f   slowest %7.1f\n", what, ms[ms.size() / 2],
                ms.front(), ms.back());
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const std::string program = argc > 2 ? argv[2] : default_program();
    const std::string settings = settings_file();
    const std::string kept = settings + ".bench";
    const bool had_settings = MoveFileExA(settings.c_str(), kept.c_str(), MOVEFILE_REPLACE_EXISTING);
    int result = 0;
    for (bool with_settings : {false, true}) {
        std::vector<double> starts, closes;
        for (int i = 0; i < runs; ++i) {
            if (!with_settings)
                DeleteFileA(settings.c_str());
            run_times times{};
            if (!run_once(program, times)) {
                std::fprintf(stderr, "%s did not start, answer or close\n", program.c_str());
                result = 1;
                break;
            }
            starts.push_back(times.start_ms);
            closes.push_back(times.close_ms);
        }
        if (result != 0)
            break;
        std::printf("%s a settings file (%d runs):\n", with_settings ? "With" : "Without", runs);
        print("start to the window answering", starts);
        print("close to the end of the process", closes);
    }
    if (had_settings)
        MoveFileExA(kept.c_str(), settings.c_str(), MOVEFILE_REPLACE_EXISTING);
    return result;
}
