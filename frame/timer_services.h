// Message-timer services: a caller registers an entry (target window, message
// or command id, interval) and the service posts that message when the
// interval has passed. Service A fires each entry once; service B fires each
// entry every interval and can also send a countdown of the time left to a
// second window. Both tick every 100 ms on a timer-queue thread; all their
// effects on windows are messages, so window code runs on the GUI thread.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <list>
#include <mutex>
#include <vector>

struct message_timer_entry {
    HWND window;             // receives the posted message
    uint32_t id;             // message number, or command id with is_command
    double interval;         // ms between start and firing
    uint64_t start;          // elapsed_ms_now when added; service B: last firing
    uint32_t entry_id;       // handed to the caller; service A posts it as lParam
    uint8_t is_command;      // post WM_COMMAND with wParam = id, else message id
    uint8_t countdown;       // send the remaining time at every tick
    HWND countdown_window;   // receives the countdown
    uint32_t countdown_id;   // message or command id of the countdown
    uint8_t active;          // service A: 1 until the entry has fired
};

// Releases the service's mutex for the step named by the fatal-error id of
// that step ("t00006", ...). The services use ReleaseMutex; a test may put a
// failing release in its place.
using message_timer_release_fn = BOOL (*)(HANDLE mutex, const char* step_id);

// Creates the service's 100 ms timer on a timer queue. The services use
// CreateTimerQueueTimer; a test may put a failing one in its place.
using message_timer_create_fn = BOOL (*)(PHANDLE timer, HANDLE queue,
                                         WAITORTIMERCALLBACK callback, PVOID parameter,
                                         DWORD due_ms, DWORD period_ms);

class message_timer_service {
public:
    enum kind { one_shot, repeating };

    // Starts the 100 ms tick (first due after 10 ms). A one-shot service ticks
    // on the default timer queue, a repeating one on a queue of its own.
    // Fatal errors end the message loop of the thread that creates the
    // service (the GUI thread).
    explicit message_timer_service(kind k, message_timer_release_fn release = nullptr,
                                   message_timer_create_fn create = nullptr);
    // Stops the service (see stop) and frees the remaining entries.
    ~message_timer_service();
    message_timer_service(const message_timer_service&) = delete;
    message_timer_service& operator=(const message_timer_service&) = delete;

    // Appends an entry (start = now, entry id = counter + 1) and returns its
    // entry id; 0, and no entry, when the service could not be started (no
    // mutex or no timer: the entry would never fire).
    uint32_t add_entry(message_timer_entry entry);

    // Removes the entry with this entry id on a short-lived thread of its own,
    // so that the caller never waits for a tick; returns at once. An id that
    // is not present is ignored.
    bool start_removal(uint32_t entry_id);

    // Number of entries in the list.
    size_t entry_count();

    // Deletes the timer and waits for a running tick (delivering messages it
    // sends to this thread), ends the service's own timer queue and its
    // thread, and waits until every removal thread has ended. Afterwards no
    // tick runs and no entry is added. Safe to call more than once.
    void stop();

    // One tick; called by the timer every 100 ms.
    void tick();

private:
    struct pending_message {
        HWND window;
        UINT message;
        WPARAM wparam;
        LPARAM lparam;
        bool send;
    };

    bool lock_once();
    void release(const char* step_id);
    void fatal_error(const char* step_id);
    void tick_one_shot(uint64_t now, std::vector<pending_message>& out);
    void tick_repeating(uint64_t now, std::vector<pending_message>& out);
    static void countdown_step(const message_timer_entry& entry, uint64_t now,
                               std::vector<pending_message>& out);
    static unsigned __stdcall removal_thread(void* arg);
    void remove_entry(uint32_t entry_id);
    void keep_removal_thread(HANDLE thread);
    void wait_for_removal_threads();

    const kind kind_;
    const message_timer_release_fn release_;
    const DWORD gui_thread_;
    HANDLE mutex_ = nullptr;
    HANDLE queue_ = nullptr;
    HANDLE timer_ = nullptr;
    std::list<message_timer_entry> entries_;
    uint32_t id_counter_ = 0;
    std::atomic<bool> tick_running_{false};
    std::atomic<bool> fatal_{false};
    std::atomic<bool> stopped_{false};
    std::mutex removals_mutex_;
    std::vector<HANDLE> removal_threads_;  // running or not yet waited for
};

// The two program-wide services, created (and started) on first use; they are
// stopped at program exit. Create them on the GUI thread.
message_timer_service* get_message_timer_a();
message_timer_service* get_message_timer_b();
// Stops both program-wide services that have been created (it creates none),
// so that none of their threads outlives the GUI thread's entry point. Call
// it on the GUI thread before the entry point returns; afterwards the
// services add no entries.
void stop_message_timers();

// Service A: an entry that posts once, after interval ms; it removes itself.
uint32_t message_timer_a_add_entry_3(message_timer_service* service, double interval, HWND window,
                                     uint32_t id, bool is_command);
// Service B: an entry that posts every interval ms; an id of 0 or less never
// posts.
uint32_t message_timer_b_add_entry_3(message_timer_service* service, double interval, HWND window,
                                     uint32_t id, bool is_command);
// Service B with a countdown: at every tick the remaining time until the next
// firing is sent to countdown_window as countdown_id (WM_COMMAND with the
// time in lParam when is_command is set, else the message with the time in
// lParam).
uint32_t message_timer_b_add_entry(message_timer_service* service, double interval, HWND window,
                                   uint32_t id, HWND countdown_window, uint32_t countdown_id,
                                   bool is_command);
// Removes a service B entry on a thread of its own; returns true at once.
bool start_message_timer_b_removal(uint32_t entry_id);
