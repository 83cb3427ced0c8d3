#include "tools/program_timing.h"

#include "base/timing_mark.h"
#include "tools/bench_clock.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr DWORD kMonitorBufferBytes = 4096;
constexpr DWORD kPatienceMs = 30000;

// An auto-reset event, named (one the debug-output protocol shares with
// every writer) or not.
HANDLE make_event(const char* name)
{
    return CreateEventA(nullptr, FALSE, FALSE, name);
}

// The process's top-level window of the class, once it is there.
struct window_search {
    DWORD process_id;
    const char* window_class;
    HWND found;
};

BOOL CALLBACK match_main_window(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<window_search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (owner != search->process_id || lstrcmpA(name, search->window_class) != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

// The window appears during creation; it answers once creation is over and
// its message loop runs.
HWND wait_for_answering_window(DWORD process_id, const char* window_class)
{
    window_search search{process_id, window_class, nullptr};
    for (DWORD i = 0; i < kPatienceMs && !search.found; ++i) {
        EnumWindows(match_main_window, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            Sleep(1);
    }
    DWORD_PTR ignored = 0;
    if (!search.found ||
        !SendMessageTimeoutA(search.found, WM_NULL, 0, 0, SMTO_NORMAL, kPatienceMs, &ignored))
        return nullptr;
    return search.found;
}

} // namespace

mark_monitor::mark_monitor()
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    counts_per_ms_ = static_cast<double>(frequency.QuadPart) / 1000.0;
    buffer_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                 kMonitorBufferBytes, "DBWIN_BUFFER");
    if (buffer_)
        view_ = static_cast<const char*>(MapViewOfFile(buffer_, FILE_MAP_READ, 0, 0, 0));
    buffer_ready_ = make_event("DBWIN_BUFFER_READY");
    data_ready_ = make_event("DBWIN_DATA_READY");
    flush_ = make_event(nullptr);
    flushed_ = make_event(nullptr);
    if (view_ && buffer_ready_ && data_ready_ && flush_ && flushed_)
        thread_ = CreateThread(nullptr, 0, run, this, 0, nullptr);
}

mark_monitor::~mark_monitor()
{
    if (thread_) {
        stop_ = true;
        SetEvent(flush_);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
    }
    if (view_)
        UnmapViewOfFile(view_);
    for (HANDLE h : {buffer_, buffer_ready_, data_ready_, flush_, flushed_})
        if (h)
            CloseHandle(h);
}

std::vector<program_mark> mark_monitor::take(DWORD pid)
{
    if (thread_) {
        SetEvent(flush_);
        WaitForSingleObject(flushed_, kPatienceMs);
    }
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<program_mark> taken;
    std::vector<std::pair<DWORD, program_mark>> kept;
    for (auto& [from, mark] : marks_)
        if (from == pid)
            taken.push_back(std::move(mark));
        else
            kept.emplace_back(from, std::move(mark));
    marks_.swap(kept);
    return taken;
}

DWORD WINAPI mark_monitor::run(void* self)
{
    static_cast<mark_monitor*>(self)->receive();
    return 0;
}

// A text waiting is taken before a flush is answered: the data event is the
// first of the two waited for.
void mark_monitor::receive()
{
    const HANDLE events[] = {data_ready_, flush_};
    SetEvent(buffer_ready_);
    while (!stop_) {
        const DWORD which = WaitForMultipleObjects(2, events, FALSE, INFINITE);
        if (which == WAIT_OBJECT_0 + 1) {
            SetEvent(flushed_);
            continue;
        }
        if (which != WAIT_OBJECT_0)
            return;
        DWORD pid = 0;
        memcpy(&pid, view_, sizeof pid);
        char text[kMonitorBufferBytes - sizeof pid + 1] = {};
        memcpy(text, view_ + sizeof pid, sizeof text - 1);
        note(pid, text);
        SetEvent(buffer_ready_);
    }
}

// A mark is the prefix, the step (which may hold blanks), a blank and the
// counter; other texts are not the program's marks.
void mark_monitor::note(DWORD pid, const char* text)
{
    const size_t prefix = strlen(kTimingMarkPrefix);
    const char* blank = strrchr(text, ' ');
    if (strncmp(text, kTimingMarkPrefix, prefix) != 0 || !blank || blank < text + prefix)
        return;
    const double counter = strtod(blank + 1, nullptr);
    std::lock_guard<std::mutex> lock(mutex_);
    marks_.push_back({pid, {std::string(text + prefix, blank), counter / counts_per_ms_}});
}

std::string own_folder()
{
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string folder(self);
    folder.erase(folder.find_last_of('\\'));
    return folder;
}

bool start_and_close(const std::string& program, const char* window_class, mark_monitor& marks,
                     program_run& run)
{
    run = program_run{};
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string command = "\"" + program + "\"";
    run.started = now_ms();
    if (!CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return false;
    const HWND window = wait_for_answering_window(process.dwProcessId, window_class);
    run.answered = now_ms();
    const bool idle = window && WaitForInputIdle(process.hProcess, kPatienceMs) == 0;
    run.idle = now_ms();
    bool ended = false;
    if (idle) {
        run.close_posted = now_ms();
        PostMessageA(window, WM_CLOSE, 0, 0);
        ended = WaitForSingleObject(process.hProcess, kPatienceMs) == WAIT_OBJECT_0;
        run.ended = now_ms();
    }
    if (!ended)
        TerminateProcess(process.hProcess, 1);
    GetExitCodeProcess(process.hProcess, &run.exit_code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    run.marks = marks.take(process.dwProcessId);
    return ended;
}
