// A window program started and closed as a user meets it, timed: from
// starting the process to its main window first answering a message, and on
// to the program idle (the work its start posted to itself done, waiting
// for input); then the user's close (WM_CLOSE, posted once the program is
// idle) to the end of the process. The marks the program writes on the way
// (base/timing_mark.h) are taken by the system's debug-output monitor, which
// one object of this process plays.
#pragma once
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

// One mark of a program: its step, and when it was made (ms of the
// performance counter, as now_ms reads it).
struct program_mark {
    std::string step;
    double at_ms;
};

// The debug-output monitor: a shared buffer of 4 KB (the writer's process
// id, then its text) and two events, the buffer free and the data in it. A
// thread of its own takes each text as it comes, so that a writer never
// waits for the caller, and keeps the marks among them. One monitor at a
// time listens on a system.
class mark_monitor {
public:
    mark_monitor();
    ~mark_monitor();
    mark_monitor(const mark_monitor&) = delete;
    mark_monitor& operator=(const mark_monitor&) = delete;

    bool listening() const { return thread_ != nullptr; }

    // The marks of process pid in the order they came, once every text
    // written so far is taken; they leave the monitor.
    std::vector<program_mark> take(DWORD pid);

private:
    static DWORD WINAPI run(void* self);
    void receive();
    void note(DWORD pid, const char* text);

    HANDLE buffer_ = nullptr;
    const char* view_ = nullptr;
    HANDLE buffer_ready_ = nullptr;
    HANDLE data_ready_ = nullptr;
    HANDLE flush_ = nullptr;
    HANDLE flushed_ = nullptr;
    HANDLE thread_ = nullptr;
    std::atomic<bool> stop_{false};
    double counts_per_ms_ = 1.0;
    std::mutex mutex_;
    std::vector<std::pair<DWORD, program_mark>> marks_;
};

// One start and close, in ms of now_ms.
struct program_run {
    double started = 0;      // CreateProcess called
    double answered = 0;     // the main window answered its first message
    double idle = 0;         // the program waits for input
    double close_posted = 0; // WM_CLOSE posted to the main window
    double ended = 0;        // the process has ended
    DWORD exit_code = 0;
    std::vector<program_mark> marks; // the program's own, in order
};

// The folder of the running executable, where the programs it starts are
// found beside or above it.
std::string own_folder();

// Starts program, waits for its main window (of window_class) to answer and
// for the program to be idle, posts WM_CLOSE (lParam 0, the user's close)
// and waits for the process to end, each for up to 30 s. False when one of
// them did not come; the process is then ended.
bool start_and_close(const std::string& program, const char* window_class, mark_monitor& marks,
                     program_run& run);
