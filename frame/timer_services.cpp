#include "frame/timer_services.h"

#include "base/clocks.h"
#include "base/message_box.h"
#include "frame/sent_message_wait.h"

#include <process.h>

#include <algorithm>
#include <string>

namespace {

constexpr DWORD kFirstTickMs = 10;
constexpr DWORD kTickMs = 100;

BOOL release_mutex(HANDLE mutex, const char*)
{
    return ReleaseMutex(mutex);
}

BOOL create_timer(PHANDLE timer, HANDLE queue, WAITORTIMERCALLBACK callback, PVOID parameter,
                  DWORD due_ms, DWORD period_ms)
{
    return CreateTimerQueueTimer(timer, queue, callback, parameter, due_ms, period_ms, 0);
}

VOID CALLBACK service_tick(PVOID parameter, BOOLEAN)
{
    static_cast<message_timer_service*>(parameter)->tick();
}

struct removal_request {
    message_timer_service* service;
    uint32_t entry_id;
};

} // namespace

message_timer_service::message_timer_service(kind k, message_timer_release_fn release,
                                             message_timer_create_fn create)
    : kind_(k), release_(release ? release : release_mutex), gui_thread_(GetCurrentThreadId())
{
    mutex_ = CreateMutexA(nullptr, FALSE, nullptr);
    if (!mutex_)
        return;
    if (kind_ == repeating) {
        queue_ = CreateTimerQueue();
        if (!queue_)
            return;
    }
    if (!(create ? create : create_timer)(&timer_, queue_, service_tick, this, kFirstTickMs,
                                          kTickMs))
        timer_ = nullptr;
}

message_timer_service::~message_timer_service()
{
    stop();
    entries_.clear();
    if (mutex_)
        CloseHandle(mutex_);
}

void message_timer_service::stop()
{
    stopped_ = true;
    if (timer_) {
        // Mark the timer for deletion and wait for a tick that may be running;
        // sent messages are delivered meanwhile, since a countdown may be
        // sending to a window of this thread.
        HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        if (done) {
            DeleteTimerQueueTimer(queue_, timer_, done);
            wait_delivering_sent_messages(done, INFINITE);
            CloseHandle(done);
        } else {
            DeleteTimerQueueTimer(queue_, timer_, INVALID_HANDLE_VALUE);
        }
        timer_ = nullptr;
    }
    if (queue_) {
        // No tick is left to wait for: this waits only for the queue's thread.
        DeleteTimerQueueEx(queue_, INVALID_HANDLE_VALUE);
        queue_ = nullptr;
    }
    // Removal threads use the list and the mutex: let them end. With the
    // ticks stopped nothing else holds the mutex, so they end soon.
    wait_for_removal_threads();
}

bool message_timer_service::lock_once()
{
    const DWORD result = WaitForSingleObjectEx(mutex_, 1, TRUE);
    return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

void message_timer_service::release(const char* step_id)
{
    if (!release_(mutex_, step_id))
        fatal_error(step_id);
}

void message_timer_service::fatal_error(const char* step_id)
{
    // Shown once: after it the service does nothing more, and the program's
    // message loop ends.
    if (fatal_.exchange(true))
        return;
    const std::string text = std::string("A Fatal Error Occured\nid: ") + step_id;
    show_message_box(nullptr, text.c_str(), "", MB_ICONERROR);
    // The quit goes to the GUI thread's queue: PostQuitMessage here would only
    // mark this timer thread's queue.
    PostThreadMessageA(gui_thread_, WM_QUIT, 0, 0);
}

uint32_t message_timer_service::add_entry(message_timer_entry entry)
{
    if (!mutex_ || !timer_ || fatal_.load() || stopped_.load())
        return 0;
    const DWORD result = WaitForSingleObject(mutex_, INFINITE);
    if (result != WAIT_OBJECT_0 && result != WAIT_ABANDONED)
        return 0;
    entry.start = elapsed_ms_now();
    entry.entry_id = ++id_counter_;
    entries_.push_back(entry);
    const uint32_t id = entry.entry_id;
    release_(mutex_, "");
    return id;
}

size_t message_timer_service::entry_count()
{
    if (!mutex_)
        return 0;
    const DWORD result = WaitForSingleObject(mutex_, INFINITE);
    if (result != WAIT_OBJECT_0 && result != WAIT_ABANDONED)
        return 0;
    const size_t count = entries_.size();
    release_(mutex_, "");
    return count;
}

void message_timer_service::tick()
{
    // A tick that outlasts the period (a countdown window slow to answer)
    // makes the next one skip, so that countdowns never overtake each other.
    if (fatal_.load() || tick_running_.exchange(true))
        return;
    std::vector<pending_message> messages;
    if (lock_once()) {
        const bool one = kind_ == one_shot;
        if (entries_.empty()) {
            release(one ? "t00006" : "t00002");
        } else {
            const uint64_t now = elapsed_ms_now();
            if (one)
                tick_one_shot(now, messages);
            else
                tick_repeating(now, messages);
            release(one ? "t00007" : "t00003");
        }
        // The messages go out after the mutex is released: a countdown is
        // sent, and a GUI thread waiting for the mutex (adding an entry)
        // could not answer it while the tick held the mutex.
        if (!fatal_.load()) {
            for (const pending_message& m : messages) {
                if (m.send)
                    SendMessageA(m.window, m.message, m.wparam, m.lparam);
                else
                    PostMessageA(m.window, m.message, m.wparam, m.lparam);
            }
        }
    }
    tick_running_.store(false);
}

void message_timer_service::tick_one_shot(uint64_t now, std::vector<pending_message>& out)
{
    for (auto it = entries_.begin(); it != entries_.end();) {
        // An entry that fired at an earlier tick is freed now.
        if (!it->active) {
            it = entries_.erase(it);
            continue;
        }
        if (static_cast<double>(now) >= static_cast<double>(it->start) + it->interval) {
            const LPARAM lp = static_cast<LPARAM>(it->entry_id);
            if (it->is_command)
                out.push_back({it->window, WM_COMMAND, it->id, lp, false});
            else
                out.push_back({it->window, it->id, 0, lp, false});
            it->active = 0;
        }
        ++it;
    }
}

void message_timer_service::countdown_step(const message_timer_entry& entry, uint64_t now,
                                           std::vector<pending_message>& out)
{
    if (!entry.countdown)
        return;
    int64_t remaining = static_cast<int64_t>(static_cast<double>(entry.start) + entry.interval
                                             - static_cast<double>(now));
    if (remaining < 0)
        remaining = 0;
    const LPARAM lp = static_cast<LPARAM>(static_cast<uint32_t>(remaining));
    if (entry.is_command)
        out.push_back({entry.countdown_window, WM_COMMAND, entry.countdown_id, lp, true});
    else
        out.push_back({entry.countdown_window, entry.countdown_id, 0, lp, true});
}

void message_timer_service::tick_repeating(uint64_t now, std::vector<pending_message>& out)
{
    for (message_timer_entry& e : entries_) {
        const bool due = static_cast<int32_t>(e.id) > 0
                         && static_cast<double>(now) >= static_cast<double>(e.start) + e.interval;
        // When it fires, the countdown goes out before start moves on: it
        // sends 0.
        countdown_step(e, now, out);
        if (!due)
            continue;
        const LPARAM lp = static_cast<LPARAM>(static_cast<uint32_t>(now - e.start));
        e.start = now;
        if (e.is_command)
            out.push_back({e.window, WM_COMMAND, e.id, lp, false});
        else
            out.push_back({e.window, e.id, 0, lp, false});
    }
}

bool message_timer_service::start_removal(uint32_t entry_id)
{
    if (stopped_.load()) {
        // No tick runs any more: the mutex is free at once, and no thread is
        // started that would outlive the stop.
        remove_entry(entry_id);
        return true;
    }
    auto* request = new removal_request{this, entry_id};
    const uintptr_t thread = _beginthreadex(nullptr, 0, removal_thread, request, 0, nullptr);
    if (thread == 0) {
        // No thread: remove it here; the wait for the mutex is short, since
        // a tick never holds it while sending.
        delete request;
        remove_entry(entry_id);
        return true;
    }
    keep_removal_thread(reinterpret_cast<HANDLE>(thread));
    return true;
}

unsigned __stdcall message_timer_service::removal_thread(void* arg)
{
    auto* request = static_cast<removal_request*>(arg);
    request->service->remove_entry(request->entry_id);
    delete request;
    return 0;
}

// Keeps the handle so that stop can wait for the thread; handles of removal
// threads that have ended are closed on the way.
void message_timer_service::keep_removal_thread(HANDLE thread)
{
    std::lock_guard<std::mutex> lock(removals_mutex_);
    auto ended = [](HANDLE h) {
        if (WaitForSingleObject(h, 0) != WAIT_OBJECT_0)
            return false;
        CloseHandle(h);
        return true;
    };
    removal_threads_.erase(
        std::remove_if(removal_threads_.begin(), removal_threads_.end(), ended),
        removal_threads_.end());
    removal_threads_.push_back(thread);
}

void message_timer_service::wait_for_removal_threads()
{
    std::vector<HANDLE> threads;
    {
        std::lock_guard<std::mutex> lock(removals_mutex_);
        threads.swap(removal_threads_);
    }
    for (HANDLE h : threads) {
        WaitForSingleObject(h, INFINITE);
        CloseHandle(h);
    }
}

void message_timer_service::remove_entry(uint32_t entry_id)
{
    if (!mutex_)
        return;
    for (;;) {
        const DWORD result = WaitForSingleObjectEx(mutex_, 1, TRUE);
        if (result == WAIT_OBJECT_0 || result == WAIT_ABANDONED)
            break;
        if (result == WAIT_FAILED)
            return;
    }
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->entry_id == entry_id) {
            entries_.erase(it);
            release("t00009");
            return;
        }
    }
    release("t00010");
}

namespace {

// The program-wide services once created, for stop_message_timers.
std::atomic<message_timer_service*> g_service_a{nullptr};
std::atomic<message_timer_service*> g_service_b{nullptr};

message_timer_service* noted(message_timer_service* service,
                             std::atomic<message_timer_service*>& slot)
{
    slot = service;
    return service;
}

} // namespace

message_timer_service* get_message_timer_a()
{
    static message_timer_service service(message_timer_service::one_shot);
    static message_timer_service* const once = noted(&service, g_service_a);
    return once;
}

message_timer_service* get_message_timer_b()
{
    static message_timer_service service(message_timer_service::repeating);
    static message_timer_service* const once = noted(&service, g_service_b);
    return once;
}

void stop_message_timers()
{
    for (auto* slot : {&g_service_a, &g_service_b}) {
        if (message_timer_service* service = slot->load())
            service->stop();
    }
}

uint32_t message_timer_a_add_entry_3(message_timer_service* service, double interval, HWND window,
                                     uint32_t id, bool is_command)
{
    return service->add_entry({window, id, interval, 0, 0, is_command, 0, nullptr, 0, 1});
}

uint32_t message_timer_b_add_entry_3(message_timer_service* service, double interval, HWND window,
                                     uint32_t id, bool is_command)
{
    return service->add_entry({window, id, interval, 0, 0, is_command, 0, nullptr, 0, 1});
}

uint32_t message_timer_b_add_entry(message_timer_service* service, double interval, HWND window,
                                   uint32_t id, HWND countdown_window, uint32_t countdown_id,
                                   bool is_command)
{
    return service->add_entry(
        {window, id, interval, 0, 0, is_command, 1, countdown_window, countdown_id, 1});
}

bool start_message_timer_b_removal(uint32_t entry_id)
{
    return get_message_timer_b()->start_removal(entry_id);
}
