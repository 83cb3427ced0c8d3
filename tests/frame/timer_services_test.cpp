// The message-timer services: one-shot, repeating and countdown entries,
// their entry ids, removal and stopping, and the fatal-error box.
#include "frame/timer_services.h"

#include "base/clocks.h"
#include "tests/support/msgbox_recorder.h"
#include "tests/support/test_window.h"
#include "tests/support/thread_census.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr UINT kPlainMessage = WM_APP + 1;
// Timer ticks come every 100 ms; under a loaded Wine a message may come this
// much later than its tick.
constexpr uint64_t kLateMs = 400;

struct received {
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
    uint64_t time; // milliseconds_now when handled
    bool sent;     // came by SendMessage from another thread
};

// Messages that reached the test window, in order (GUI thread only).
std::vector<received> g_received;

LRESULT CALLBACK recorder_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_COMMAND || msg >= WM_APP) {
        g_received.push_back({msg, wp, lp, milliseconds_now(), InSendMessage() != FALSE});
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

HWND make_recorder_window()
{
    return make_test_window("KestrovaTimerTestWindow", recorder_proc);
}

// Delivers this thread's messages until pred holds or timeout_ms has passed;
// returns pred().
bool pump_until(const std::function<bool()>& pred, DWORD timeout_ms)
{
    const uint64_t end = milliseconds_now() + timeout_ms;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        if (pred())
            return true;
        const uint64_t now = milliseconds_now();
        if (now >= end)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    }
}

void pump_for(DWORD ms)
{
    pump_until([] { return false; }, ms);
}

std::vector<received> commands_with(WPARAM id)
{
    std::vector<received> out;
    for (const received& r : g_received)
        if (r.message == WM_COMMAND && r.wparam == id)
            out.push_back(r);
    return out;
}

// Ends the process when the test thread is stuck, so that a deadlock fails
// the test instead of hanging it.
class watchdog {
public:
    explicit watchdog(DWORD ms) : ms_(ms)
    {
        stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread_ = CreateThread(nullptr, 0, run, this, 0, nullptr);
    }
    ~watchdog()
    {
        SetEvent(stop_);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        CloseHandle(stop_);
    }

private:
    static DWORD WINAPI run(void* p)
    {
        auto* self = static_cast<watchdog*>(p);
        if (WaitForSingleObject(self->stop_, self->ms_) == WAIT_TIMEOUT) {
            std::fprintf(stderr, "FAILED: the test thread is stuck (deadlock)\n");
            std::fflush(stderr);
            TerminateProcess(GetCurrentProcess(), 3);
        }
        return 0;
    }
    DWORD ms_;
    HANDLE stop_;
    HANDLE thread_;
};

class TimerServiceTest : public testing::Test {
protected:
    void SetUp() override
    {
        g_received.clear();
        msgbox::reset();
        window_ = make_recorder_window();
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(window_);
        EXPECT_TRUE(msgbox::shown().empty()) << msgbox::shown().front().text;
    }
    HWND window_ = nullptr;
};

} // namespace

TEST_F(TimerServiceTest, OneShotEntriesFireOnceInOrderWithTheirEntryIds)
{
    message_timer_service a(message_timer_service::one_shot);
    const uint64_t t0 = milliseconds_now();
    EXPECT_EQ(message_timer_a_add_entry_3(&a, 300, window_, 501, true), 1u);
    EXPECT_EQ(message_timer_a_add_entry_3(&a, 600, window_, kPlainMessage, false), 2u);
    EXPECT_EQ(message_timer_a_add_entry_3(&a, 150, window_, 502, true), 3u);
    EXPECT_EQ(a.entry_count(), 3u);

    ASSERT_TRUE(pump_until([] { return g_received.size() >= 3; }, 3000));
    pump_for(300); // a second firing would come within this
    ASSERT_EQ(g_received.size(), 3u);

    const received& first = g_received[0];
    EXPECT_EQ(first.message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(first.wparam, 502u);
    EXPECT_EQ(first.lparam, 3);
    const received& second = g_received[1];
    EXPECT_EQ(second.message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(second.wparam, 501u);
    EXPECT_EQ(second.lparam, 1);
    const received& third = g_received[2];
    EXPECT_EQ(third.message, kPlainMessage);
    EXPECT_EQ(third.wparam, 0u);
    EXPECT_EQ(third.lparam, 2);
    for (const received& r : g_received)
        EXPECT_FALSE(r.sent);

    // Never early, and late by at most a tick and some scheduling.
    EXPECT_GE(first.time - t0, 150u);
    EXPECT_LE(first.time - t0, 150 + kLateMs);
    EXPECT_GE(second.time - t0, 300u);
    EXPECT_LE(second.time - t0, 300 + kLateMs);
    EXPECT_GE(third.time - t0, 600u);
    EXPECT_LE(third.time - t0, 600 + kLateMs);

    // Fired entries are freed by the tick after their firing.
    EXPECT_EQ(a.entry_count(), 0u);
}

BOOL timer_not_created(PHANDLE, HANDLE, WAITORTIMERCALLBACK, PVOID, DWORD, DWORD)
{
    return FALSE;
}

TEST_F(TimerServiceTest, NoTimerGivesNoEntryIds)
{
    // An entry of a service whose timer could not be created would never
    // fire: the caller gets no id and nothing is kept.
    for (auto kind : {message_timer_service::one_shot, message_timer_service::repeating}) {
        message_timer_service service(kind, nullptr, timer_not_created);
        EXPECT_EQ(0u, message_timer_a_add_entry_3(&service, 10, window_, 501, true));
        EXPECT_EQ(0u, message_timer_b_add_entry_3(&service, 10, window_, 502, true));
        EXPECT_EQ(0u, message_timer_b_add_entry(&service, 10, window_, 503, window_, 504, true));
        EXPECT_EQ(0u, service.entry_count());
    }
}

TEST_F(TimerServiceTest, EntryIdsCountPerServiceIndependently)
{
    message_timer_service a(message_timer_service::one_shot);
    message_timer_service b(message_timer_service::repeating);
    EXPECT_EQ(message_timer_a_add_entry_3(&a, 1e9, window_, 1, true), 1u);
    EXPECT_EQ(message_timer_b_add_entry_3(&b, 1e9, window_, 1, true), 1u);
    EXPECT_EQ(message_timer_a_add_entry_3(&a, 1e9, window_, 1, true), 2u);
    EXPECT_EQ(message_timer_b_add_entry(&b, 1e9, window_, 1, window_, 2, true), 2u);
    EXPECT_EQ(message_timer_b_add_entry_3(&b, 1e9, window_, 1, true), 3u);

    // The program-wide services too: one counter each.
    const uint32_t a1 = message_timer_a_add_entry_3(get_message_timer_a(), 1e9, window_, 1, true);
    const uint32_t b1 = message_timer_b_add_entry_3(get_message_timer_b(), 1e9, window_, 1, true);
    const uint32_t a2 = message_timer_a_add_entry_3(get_message_timer_a(), 1e9, window_, 1, true);
    const uint32_t b2 = message_timer_b_add_entry_3(get_message_timer_b(), 1e9, window_, 1, true);
    EXPECT_NE(a1, 0u);
    EXPECT_EQ(a2, a1 + 1);
    EXPECT_EQ(b2, b1 + 1);
    start_message_timer_b_removal(b1);
    start_message_timer_b_removal(b2);
}

TEST_F(TimerServiceTest, RepeatingEntryFiresEveryIntervalUntilRemoved)
{
    message_timer_service b(message_timer_service::repeating);
    const uint64_t t0 = milliseconds_now();
    const uint32_t id = message_timer_b_add_entry_3(&b, 300, window_, 601, true);
    ASSERT_EQ(id, 1u);

    ASSERT_TRUE(pump_until([] { return commands_with(601).size() >= 4; }, 4000));
    const std::vector<received> fired = commands_with(601);
    uint64_t previous = t0;
    for (size_t i = 0; i < 4; ++i) {
        // lParam: time since the previous firing (since creation for the
        // first), to the 100 ms grain of the tick.
        EXPECT_GE(fired[i].lparam, 300) << i;
        EXPECT_LE(fired[i].lparam, 300 + static_cast<LPARAM>(kLateMs)) << i;
        const uint64_t gap = fired[i].time - previous;
        EXPECT_GE(gap, i == 0 ? 300u : 200u) << i;
        EXPECT_LE(gap, 300 + 2 * kLateMs) << i;
        previous = fired[i].time;
    }

    ASSERT_TRUE(b.start_removal(id));
    ASSERT_TRUE(pump_until([&] { return b.entry_count() == 0; }, 2000));
    const size_t count = commands_with(601).size();
    pump_for(700);
    EXPECT_EQ(commands_with(601).size(), count) << "fired after its removal";
}

TEST_F(TimerServiceTest, CountdownWithoutIdOnlyCountsDown)
{
    message_timer_service b(message_timer_service::repeating);
    ASSERT_NE(message_timer_b_add_entry(&b, 1000, window_, 0, window_, 702, true), 0u);
    pump_for(1500);

    const std::vector<received> countdown = commands_with(702);
    ASSERT_GE(countdown.size(), 8u) << "one countdown per 100 ms tick";
    EXPECT_EQ(countdown.size(), g_received.size()) << "an id of 0 never posts";
    LPARAM last = 1001;
    for (const received& r : countdown) {
        EXPECT_TRUE(r.sent);
        EXPECT_LE(r.lparam, last);
        EXPECT_GE(r.lparam, 0);
        last = r.lparam;
    }
    EXPECT_GE(countdown.front().lparam, 800);
    // Past the interval the remaining time stays at 0, never negative.
    EXPECT_EQ(countdown.back().lparam, 0);
}

TEST_F(TimerServiceTest, CountdownSendsZeroBeforeEachFiring)
{
    message_timer_service b(message_timer_service::repeating);
    ASSERT_NE(message_timer_b_add_entry(&b, 300, window_, kPlainMessage, window_, WM_APP + 2, false),
              0u);
    ASSERT_TRUE(pump_until(
        [] {
            int firings = 0;
            for (const received& r : g_received)
                firings += r.message == kPlainMessage;
            return firings >= 2;
        },
        3000));

    int firings = 0;
    for (size_t i = 0; i < g_received.size(); ++i) {
        const received& r = g_received[i];
        if (r.message != kPlainMessage) {
            EXPECT_EQ(r.message, static_cast<UINT>(WM_APP + 2));
            EXPECT_EQ(r.wparam, 0u);
            EXPECT_TRUE(r.sent);
            continue;
        }
        ++firings;
        EXPECT_FALSE(r.sent);
        EXPECT_EQ(r.wparam, 0u);
        ASSERT_GT(i, 0u);
        EXPECT_EQ(g_received[i - 1].message, static_cast<UINT>(WM_APP + 2));
        EXPECT_EQ(g_received[i - 1].lparam, 0) << "the countdown before a firing is 0";
    }
    EXPECT_GE(firings, 2);
}

TEST_F(TimerServiceTest, RemovalRightAfterAddingLeavesListEmpty)
{
    message_timer_service b(message_timer_service::repeating);
    const uint32_t keep = message_timer_b_add_entry_3(&b, 1e9, window_, 1, true);
    for (int i = 0; i < 30; ++i) {
        const uint32_t id = message_timer_b_add_entry(&b, 100, window_, 801, window_, 802, true);
        ASSERT_TRUE(b.start_removal(id));
        if (i % 5 == 0)
            Sleep(20); // let ticks run between some of them
    }
    // Removing an id that is not there changes nothing.
    ASSERT_TRUE(b.start_removal(9999));
    ASSERT_TRUE(pump_until([&] { return b.entry_count() == 1; }, 3000)) << b.entry_count();
    pump_for(200);
    EXPECT_EQ(b.entry_count(), 1u);
    ASSERT_TRUE(b.start_removal(keep));
    EXPECT_TRUE(pump_until([&] { return b.entry_count() == 0; }, 2000));
}

// The GUI thread keeps calling the service (without pumping) while ticks
// send countdowns to one of its windows: the calls must not wait for the
// sending tick.
TEST_F(TimerServiceTest, BusyGuiThreadCallingServiceDoesNotDeadlockWithCountdown)
{
    message_timer_service b(message_timer_service::repeating);
    ASSERT_NE(message_timer_b_add_entry(&b, 1e6, window_, 0, window_, 703, true), 0u);
    pump_until([] { return !commands_with(703).empty(); }, 2000);

    uint64_t longest = 0;
    int calls = 0;
    {
        watchdog guard(20000);
        const uint64_t end = milliseconds_now() + 1500;
        while (milliseconds_now() < end) {
            const uint64_t before = milliseconds_now();
            b.entry_count();
            const uint32_t id = message_timer_b_add_entry_3(&b, 1e6, window_, 0, true);
            b.start_removal(id);
            const uint64_t took = milliseconds_now() - before;
            longest = took > longest ? took : longest;
            ++calls;
            Sleep(2);
        }
    }
    EXPECT_GT(calls, 100);
    EXPECT_LT(longest, 300u) << "a call waited for a tick that was sending";
    // The countdowns held back meanwhile arrive once the thread pumps again.
    const size_t before = commands_with(703).size();
    EXPECT_TRUE(pump_until([&] { return commands_with(703).size() >= before + 3; }, 3000));
}

// Stopping a service (as the program does before its entry point returns)
// ends its ticks and waits until its removal threads have ended, not only
// done their work; the service then takes no entries and starts no thread.
BOOL release_slowly_after_removal(HANDLE mutex, const char* step)
{
    const BOOL released = ReleaseMutex(mutex);
    if (std::strcmp(step, "t00009") == 0)
        Sleep(200); // the removal thread is still busy when the stop comes
    return released;
}

TEST_F(TimerServiceTest, StopEndsTicksAndRemovalThreads)
{
    message_timer_service b(message_timer_service::repeating, release_slowly_after_removal);
    ASSERT_EQ(message_timer_b_add_entry_3(&b, 100, window_, 705, true), 1u);
    ASSERT_TRUE(pump_until([] { return !commands_with(705).empty(); }, 3000));

    std::set<DWORD> before;
    for (const census_thread& t : program_threads())
        before.insert(t.id);
    for (uint32_t id = 2; id <= 4; ++id) {
        ASSERT_EQ(message_timer_b_add_entry_3(&b, 1e9, window_, 706, true), id);
        b.start_removal(id);
    }
    b.stop();
    for (const census_thread& t : program_threads())
        EXPECT_EQ(1u, before.count(t.id)) << "thread " << t.id << " outlives the stop";
    EXPECT_EQ(b.entry_count(), 1u);

    pump_for(0); // what the last tick posted
    const size_t fired = commands_with(705).size();
    pump_for(400);
    EXPECT_EQ(commands_with(705).size(), fired) << "ticked after the stop";
    EXPECT_EQ(message_timer_b_add_entry_3(&b, 100, window_, 707, true), 0u);
    // A removal after the stop is done at once.
    EXPECT_TRUE(b.start_removal(1));
    EXPECT_EQ(b.entry_count(), 0u);
    b.stop();
}

// Destroying a service while its tick is sending to a window of this thread
// delivers that message and ends; the tick never runs on a freed service.
TEST_F(TimerServiceTest, StoppingWhileCountdownSendsToThisThread)
{
    auto b = std::make_unique<message_timer_service>(message_timer_service::repeating);
    ASSERT_NE(message_timer_b_add_entry(b.get(), 1e6, window_, 0, window_, 704, true), 0u);
    Sleep(350); // not pumping: a tick is now waiting in SendMessage
    {
        watchdog guard(20000);
        b.reset();
    }
    EXPECT_FALSE(commands_with(704).empty());
    const size_t count = g_received.size();
    pump_for(300);
    EXPECT_EQ(g_received.size(), count);
}

namespace {

// The step whose mutex release is to fail once; null: none.
std::atomic<const char*> g_fail_step{nullptr};

BOOL release_failing_once(HANDLE mutex, const char* step)
{
    ReleaseMutex(mutex);
    const char* fail = g_fail_step.load();
    if (fail && std::strcmp(fail, step) == 0 && g_fail_step.compare_exchange_strong(fail, nullptr))
        return FALSE;
    return TRUE;
}

struct fatal_case {
    const char* step;
    message_timer_service::kind kind;
    int entries;       // entries added before the failure is armed
    bool remove_first; // remove the first entry (else an absent id)
    bool removal;      // the failure is in a removal
};

struct gui_thread_result {
    fatal_case c;
    bool got_quit = false;
    DWORD gui_thread = 0;
};

// Plays the GUI thread: creates the service, provokes the failure and runs a
// message loop until WM_QUIT.
DWORD WINAPI run_gui_thread(void* p)
{
    auto* r = static_cast<gui_thread_result*>(p);
    r->gui_thread = GetCurrentThreadId();
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE); // make the message queue
    {
        message_timer_service service(r->c.kind, release_failing_once);
        HWND window = make_recorder_window();
        uint32_t first = 0;
        for (int i = 0; i < r->c.entries; ++i) {
            const uint32_t id = r->c.kind == message_timer_service::one_shot
                                    ? message_timer_a_add_entry_3(&service, 1e9, window, 1, true)
                                    : message_timer_b_add_entry_3(&service, 1e9, window, 1, true);
            first = first ? first : id;
        }
        g_fail_step = r->c.step;
        if (r->c.removal)
            service.start_removal(r->c.remove_first ? first : 4711);
        while (GetMessageA(&msg, nullptr, 0, 0) > 0)
            DispatchMessageA(&msg);
        r->got_quit = msg.message == WM_QUIT;
        DestroyWindow(window);
    }
    return 0;
}

class FatalErrorTest : public testing::TestWithParam<fatal_case> {};

} // namespace

TEST_P(FatalErrorTest, ShowsErrorBoxAndQuitsGuiThreadLoop)
{
    msgbox::reset();
    gui_thread_result result{GetParam()};
    HANDLE thread = CreateThread(nullptr, 0, run_gui_thread, &result, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    if (WaitForSingleObject(thread, 5000) == WAIT_TIMEOUT) {
        ADD_FAILURE() << "the GUI thread's message loop did not end";
        PostThreadMessageA(result.gui_thread, WM_QUIT, 0, 0);
        WaitForSingleObject(thread, INFINITE);
    }
    CloseHandle(thread);
    g_fail_step = nullptr;

    EXPECT_TRUE(result.got_quit);
    const std::vector<recorded_box> boxes = msgbox::shown();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, std::string("A Fatal Error Occured\nid: ") + GetParam().step);
    EXPECT_EQ(boxes[0].caption, "");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_ICONERROR));
    // The quit went to the GUI thread's queue, not to this thread's.
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

INSTANTIATE_TEST_SUITE_P(
    Steps, FatalErrorTest,
    testing::Values(fatal_case{"t00006", message_timer_service::one_shot, 0, false, false},
                    fatal_case{"t00007", message_timer_service::one_shot, 1, false, false},
                    fatal_case{"t00002", message_timer_service::repeating, 0, false, false},
                    fatal_case{"t00003", message_timer_service::repeating, 1, false, false},
                    fatal_case{"t00009", message_timer_service::repeating, 2, true, true},
                    fatal_case{"t00010", message_timer_service::repeating, 1, false, true}),
    [](const testing::TestParamInfo<fatal_case>& info) { return std::string(info.param.step); });
