// The progress dialog: its step, percent and time-remaining texts, and its
// worker thread's start, cancellation and end against the dialog's life.
#include "frame/progress_dialog.h"

#include "base/clocks.h"
#include "frame/progress_text.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/msgbox_recorder.h"
#include "tests/support/test_window.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// The texts of the dialog, without the dialog.

TEST(ProgressText, EstimateFromTimePerStep)
{
    // 10 s for 2 steps: 5 s per step, 8 steps to go.
    EXPECT_EQ(progress_estimate_ms(10000, 2, 10), 40000);
    // Time per step is a whole number of milliseconds.
    EXPECT_EQ(progress_estimate_ms(999, 2, 3), 499);
    EXPECT_EQ(progress_estimate_ms(5000, 10, 10), 0);
    // Nothing to estimate from: no step yet, or no total.
    EXPECT_EQ(progress_estimate_ms(5000, 0, 10), -1);
    EXPECT_EQ(progress_estimate_ms(0, 0, 0), -1);
    EXPECT_EQ(progress_estimate_ms(5000, 3, 0), -1);
    // A long run: no overflow of the product.
    EXPECT_EQ(progress_estimate_ms(4000000000ull, 1, 1000000), 3999996000000000ll);
}

TEST(ProgressText, TimeRemainingShowsLargestUnit)
{
    EXPECT_EQ(progress_time_remaining_text(10000, 2, 10), "Estimated time remaining: 40 Seconds");
    // 2 hours 1 minute to go: only the hours are shown.
    EXPECT_EQ(progress_time_remaining_text(7260000, 1, 2), "Estimated time remaining: 2 Hours");
    // Days are shown as hours.
    EXPECT_EQ(progress_time_remaining_text(kMsPerDay, 1, 2), "Estimated time remaining: 24 Hours");
    EXPECT_EQ(progress_time_remaining_text(61000, 1, 2), "Estimated time remaining: 1 Minute");
    EXPECT_EQ(progress_time_remaining_text(999, 2, 3), "Estimated time remaining: 0 Seconds");
    EXPECT_EQ(progress_time_remaining_text(5000, 0, 10), "Estimated time remaining: Unknown");
}

TEST(ProgressText, WithoutTotalNoDivisionByZero)
{
    EXPECT_EQ(progress_step_text(true, false, 0, 0, 0), "0% complete");
    EXPECT_EQ(progress_step_text(false, true, 0, 0, 500), "Estimated time remaining: Unknown");
    EXPECT_EQ(progress_step_text(false, false, 0, 0, 0), "Progress: 0/0");
    // Percent mode wins over time mode.
    EXPECT_EQ(progress_step_text(true, true, 1, 3, 1000), "33% complete");
}

namespace {

constexpr UINT kKick = WM_APP + 10;
constexpr UINT kFromWorker = WM_APP + 11;

// A task with the test's script behind the dialog's fields.
struct scripted_task : progress_task {
    std::function<void(scripted_task&)> script;
    std::function<void(scripted_task&)> on_cancel;
    std::atomic<bool> worker_ran{false};
    std::atomic<bool> worker_finished{false};
    std::atomic<bool> cancel_ran{false};
    std::atomic<bool> cancel_finished{false};
    uint64_t worker_started_at = 0;

    // Worker-side helpers: every call reaches the dialog by a message.
    LRESULT send(int id, LPARAM lp = 0) { return SendMessageA(dialog, WM_COMMAND, id, lp); }
    std::string control_text(int id) { return ::control_text(dialog, id); }
    std::string progress_text() { return control_text(IDC_PROGRESS_TEXT); }
    std::string status_text() { return control_text(IDC_PROGRESS_STATUS); }
    HWND bar() { return GetDlgItem(dialog, IDC_PROGRESS_BAR); }
    bool marquee() { return (GetWindowLongA(bar(), GWL_STYLE) & PBS_MARQUEE) != 0; }
    int bar_pos() { return static_cast<int>(SendMessageA(bar(), PBM_GETPOS, 0, 0)); }
    int bar_max() { return static_cast<int>(SendMessageA(bar(), PBM_GETRANGE, FALSE, 0)); }
};

scripted_task& task_of(void* p)
{
    return *static_cast<scripted_task*>(static_cast<progress_task*>(p));
}

unsigned __stdcall run_script(void* p)
{
    scripted_task& t = task_of(p);
    t.worker_started_at = milliseconds_now();
    t.worker_ran = true;
    if (t.script)
        t.script(t);
    t.worker_finished = true;
    return 0;
}

unsigned __stdcall run_cancel(void* p)
{
    scripted_task& t = task_of(p);
    t.cancel_ran = true;
    if (t.on_cancel)
        t.on_cancel(t);
    t.cancel_finished = true;
    return 0;
}

// Runs on the dialog's thread once the dialog is open (posted to the owner
// before the dialog opens, so the modal loop delivers it).
std::function<void()> g_on_open;

LRESULT CALLBACK owner_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == kKick) {
        if (g_on_open)
            g_on_open();
        return 0;
    }
    if (msg == kFromWorker)
        return 4242;
    return DefWindowProcA(hwnd, msg, wp, lp);
}

class ProgressDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        msgbox::reset();
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
        ASSERT_TRUE(InitCommonControlsEx(&icc));
        owner_ = make_test_window("KestrovaProgressTestOwner", owner_proc);
        ASSERT_NE(owner_, nullptr);
        task_.title[0] = '\0';
        task_.worker = run_script;
        task_.cancel = run_cancel;
    }
    void TearDown() override
    {
        g_on_open = nullptr;
        DestroyWindow(owner_);
        EXPECT_TRUE(msgbox::shown().empty());
    }

    // Opens the dialog; with start_at_once the worker is started right away
    // instead of after the one-second delay.
    INT_PTR run(bool start_at_once = true)
    {
        if (start_at_once && !g_on_open) {
            g_on_open = [this] {
                PostMessageA(task_.dialog, WM_COMMAND, PROGRESS_START_WORKER, 0);
            };
        }
        PostMessageA(owner_, kKick, 0, 0);
        const uint64_t t0 = milliseconds_now();
        opening_at_ = t0;
        const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PROGRESS),
                                               owner_, progress_dlg_proc,
                                               reinterpret_cast<LPARAM>(static_cast<progress_task*>(&task_)));
        run_ms_ = milliseconds_now() - t0;
        return result;
    }

    HWND owner_ = nullptr;
    scripted_task task_{};
    uint64_t run_ms_ = 0;
    uint64_t opening_at_ = 0;  // milliseconds_now just before the dialog opened
};

} // namespace

TEST_F(ProgressDialogTest, MarqueeWorkerWithStatusTextsEndsWithOne)
{
    lstrcpyA(task_.title, "Reading WQT settings");
    std::string initial_status, caption, status, cleared;
    bool initial_marquee = false, still_marquee = false;
    task_.script = [&](scripted_task& t) {
        initial_status = t.status_text();
        initial_marquee = t.marquee();
        char text[600] = "";
        GetWindowTextA(t.dialog, text, sizeof text);
        caption = text;
        t.send(PROGRESS_SET_STATUS, reinterpret_cast<LPARAM>("Reading item 255"));
        status = t.status_text();
        t.send(PROGRESS_SET_STATUS, 0);
        cleared = t.status_text();
        still_marquee = t.marquee();
        t.send(PROGRESS_DONE);
    };
    EXPECT_EQ(run(), 1);
    EXPECT_TRUE(task_.worker_finished);
    EXPECT_FALSE(task_.cancel_ran);
    EXPECT_EQ(task_.worker_thread, nullptr);
    EXPECT_EQ(initial_status, "Setting Up...");
    EXPECT_TRUE(initial_marquee);
    EXPECT_EQ(caption, "Reading WQT settings");
    EXPECT_EQ(status, "Reading item 255");
    EXPECT_EQ(cleared, "");
    EXPECT_TRUE(still_marquee);
    // Sent by the worker, the end needs no wait for the worker's end.
    EXPECT_LT(run_ms_, 5000u);
}

TEST_F(ProgressDialogTest, StepsCountUpToTheTotalAndStopThere)
{
    std::vector<std::string> texts;
    std::string after_total;
    int range = 0, final_pos = 0, pos_after_extra = 0;
    bool marquee_after_total = true;
    task_.script = [&](scripted_task& t) {
        // Percent mode on, then off again; time mode is off after that.
        t.send(PROGRESS_BEGIN_TIMING);
        t.send(PROGRESS_BEGIN_TIMING);
        t.send(PROGRESS_SET_TOTAL, 10);
        after_total = t.progress_text();
        marquee_after_total = t.marquee();
        range = t.bar_max();
        for (int i = 0; i < 10; ++i) {
            t.send(PROGRESS_STEP);
            texts.push_back(t.progress_text());
        }
        final_pos = t.bar_pos();
        t.send(PROGRESS_STEP);
        texts.push_back(t.progress_text());
        pos_after_extra = t.bar_pos();
        PostMessageA(t.dialog, WM_COMMAND, PROGRESS_DONE, 0);
    };
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(after_total, "Progress: 0/10");
    EXPECT_FALSE(marquee_after_total);
    EXPECT_EQ(range, 10);
    ASSERT_EQ(texts.size(), 11u);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(texts[i], "Progress: " + std::to_string(i + 1) + "/10");
    EXPECT_EQ(texts[10], "Progress: 10/10");
    EXPECT_EQ(final_pos, 10);
    EXPECT_EQ(pos_after_extra, 10) << "a step at the total must not start the bar over";
}

TEST_F(ProgressDialogTest, BeginTimingTogglesPercentText)
{
    std::vector<std::string> texts;
    task_.script = [&](scripted_task& t) {
        t.send(PROGRESS_BEGIN_TIMING);
        t.send(PROGRESS_SET_TOTAL, 4);
        texts.push_back(t.progress_text());
        t.send(PROGRESS_STEP);
        texts.push_back(t.progress_text());
        t.send(PROGRESS_SET_POS, 3);
        texts.push_back(t.progress_text());
        t.send(PROGRESS_BEGIN_TIMING);
        texts.push_back(t.progress_text());
        t.send(PROGRESS_STEP);
        texts.push_back(t.progress_text());
        t.send(PROGRESS_DONE);
    };
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(texts, (std::vector<std::string>{"0% complete", "25% complete", "75% complete", "",
                                               "Progress: 4/4"}));
}

TEST_F(ProgressDialogTest, PositionsAreHeldWithinTheTotalAndZeroTotalIsMarquee)
{
    std::vector<std::string> texts;
    std::vector<int> positions;
    bool marquee_again = false;
    int big_range = 0, big_pos = 0;
    task_.script = [&](scripted_task& t) {
        t.send(PROGRESS_BEGIN_TIMING);
        t.send(PROGRESS_BEGIN_TIMING);
        t.send(PROGRESS_SET_TOTAL, 8);
        t.send(PROGRESS_SET_POS, 20);
        texts.push_back(t.progress_text());
        positions.push_back(t.bar_pos());
        t.send(PROGRESS_SET_POS, -3);
        texts.push_back(t.progress_text());
        positions.push_back(t.bar_pos());
        // Totals above 65,535 keep their range.
        t.send(PROGRESS_SET_TOTAL, 100000);
        big_range = t.bar_max();
        t.send(PROGRESS_SET_POS, 70000);
        big_pos = t.bar_pos();
        texts.push_back(t.progress_text());
        t.send(PROGRESS_SET_TOTAL, 0);
        texts.push_back(t.progress_text());
        marquee_again = t.marquee();
        t.send(PROGRESS_DONE);
    };
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(texts, (std::vector<std::string>{"Progress: 8/8", "Progress: 0/8",
                                               "Progress: 70000/100000", ""}));
    EXPECT_EQ(positions, (std::vector<int>{8, 0}));
    EXPECT_EQ(big_range, 100000);
    EXPECT_EQ(big_pos, 70000);
    EXPECT_TRUE(marquee_again);
}

TEST_F(ProgressDialogTest, TimeEstimateAtPositionZeroIsUnknown)
{
    std::vector<std::string> texts;
    task_.script = [&](scripted_task& t) {
        t.send(PROGRESS_BEGIN_TIMING);
        t.send(PROGRESS_BEGIN_TIMING); // percent mode off
        t.send(PROGRESS_RESET_TIMING); // time mode on
        t.send(PROGRESS_SET_TOTAL, 10);
        texts.push_back(t.progress_text());
        Sleep(50);
        t.send(PROGRESS_SET_POS, 0); // no step yet: nothing to divide by
        texts.push_back(t.progress_text());
        // A step with no total leaves the position at 0.
        t.send(PROGRESS_SET_TOTAL, 0);
        t.send(PROGRESS_STEP);
        texts.push_back(t.progress_text());
        t.send(PROGRESS_SET_TOTAL, 10);
        Sleep(300);
        t.send(PROGRESS_STEP);
        texts.push_back(t.progress_text());
        t.send(PROGRESS_DONE);
    };
    EXPECT_EQ(run(), 1);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0], "Estimated time remaining: Unknown");
    EXPECT_EQ(texts[1], "Estimated time remaining: Unknown");
    EXPECT_EQ(texts[2], "Estimated time remaining: Unknown");
    // About 300 ms for the first step, 9 to go: between 2.7 and 4 seconds.
    EXPECT_TRUE(texts[3] == "Estimated time remaining: 2 Seconds"
                || texts[3] == "Estimated time remaining: 3 Seconds")
        << texts[3];
}

TEST_F(ProgressDialogTest, EscapeClosesAtOnceButReturnsOnlyAfterTheWorker)
{
    std::atomic<bool> cancelled{false};
    std::atomic<bool> hidden_while_running{false};
    task_.on_cancel = [&](scripted_task&) { cancelled = true; };
    task_.script = [&](scripted_task& t) {
        t.send(PROGRESS_SET_STATUS, reinterpret_cast<LPARAM>("Working"));
        PostMessageA(t.dialog, WM_KEYDOWN, VK_ESCAPE, 0);
        // The worker notices the cancel by its own means, and takes a while
        // to wind down.
        for (int i = 0; i < 500 && !cancelled; ++i)
            Sleep(10);
        for (int i = 0; i < 200 && IsWindowVisible(t.dialog); ++i)
            Sleep(10);
        hidden_while_running = !IsWindowVisible(t.dialog);
        Sleep(400);
        // Still reporting to a dialog that is gone does no harm.
        t.send(PROGRESS_STEP);
        PostMessageA(t.dialog, WM_COMMAND, PROGRESS_DONE, 0);
    };
    EXPECT_EQ(run(), 2);
    EXPECT_TRUE(cancelled);
    EXPECT_TRUE(hidden_while_running) << "Esc closes the dialog's window at once";
    EXPECT_TRUE(task_.worker_finished) << "the call returned while the worker still ran";
    EXPECT_TRUE(task_.cancel_finished);
    EXPECT_EQ(task_.worker_thread, nullptr);
}

TEST_F(ProgressDialogTest, CancelRoutineAndWorkerBothEndBeforeTheCallReturns)
{
    // The cancel routine itself takes time; the worker ends only after it,
    // and meanwhile asks the owner's thread something.
    std::atomic<bool> stop{false};
    LRESULT answer = 0;
    task_.on_cancel = [&](scripted_task&) {
        Sleep(300);
        stop = true;
    };
    task_.script = [&](scripted_task& t) {
        t.send(IDCANCEL);
        while (!stop)
            Sleep(5);
        answer = SendMessageA(owner_, kFromWorker, 0, 0);
    };
    EXPECT_EQ(run(), 2);
    EXPECT_TRUE(task_.cancel_finished);
    EXPECT_TRUE(task_.worker_finished);
    EXPECT_EQ(answer, 4242);
    EXPECT_GE(run_ms_, 300u);
}

TEST_F(ProgressDialogTest, WorkerStartsOneSecondAfterOpening)
{
    uint64_t opened_at = 0;
    g_on_open = [&] { opened_at = milliseconds_now(); };
    task_.script = [&](scripted_task& t) {
        EXPECT_EQ(t.status_text(), "Setting Up...");
        t.send(PROGRESS_DONE);
    };
    EXPECT_EQ(run(false), 1);
    ASSERT_TRUE(task_.worker_ran);
    ASSERT_NE(opened_at, 0u);
    // The delay runs from the dialog's set-up, which lies between the moment
    // before it opened and the moment its loop first ran (a loaded machine may
    // put milliseconds between the two): at least 1000 ms from the first, at
    // most 1500 ms from the second.
    EXPECT_GE(task_.worker_started_at - opening_at_, 1000u);
    EXPECT_LE(task_.worker_started_at - opened_at, 1500u);
}

TEST_F(ProgressDialogTest, DialogClosedInFirstSecondNeverStartsItsWorker)
{
    g_on_open = [this] { PostMessageA(task_.dialog, WM_COMMAND, IDCANCEL, 0); };
    EXPECT_EQ(run(false), 2);
    EXPECT_TRUE(task_.cancel_finished);
    EXPECT_LT(run_ms_, 900u);
    // The timer entry still fires, at a dialog that is gone.
    Sleep(1300);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    EXPECT_FALSE(task_.worker_ran);
}

TEST_F(ProgressDialogTest, WithoutWorkerStaysSettingUpUntilCancelled)
{
    task_.worker = nullptr;
    task_.cancel = nullptr;
    std::atomic<HWND> dialog{nullptr};
    g_on_open = [&] {
        PostMessageA(task_.dialog, WM_COMMAND, PROGRESS_START_WORKER, 0);
        dialog = task_.dialog;
    };
    // Another thread looks at the dialog a while later and presses Esc.
    std::string status;
    bool marquee = false;
    std::thread watcher([&] {
        for (int i = 0; i < 500 && !dialog.load(); ++i)
            Sleep(10);
        HWND dlg = dialog.load();
        Sleep(300);
        char text[64] = "";
        GetDlgItemTextA(dlg, IDC_PROGRESS_STATUS, text, sizeof text);
        status = text;
        marquee = (GetWindowLongA(GetDlgItem(dlg, IDC_PROGRESS_BAR), GWL_STYLE) & PBS_MARQUEE) != 0;
        PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(run(false), 2);
    watcher.join();
    EXPECT_EQ(status, "Setting Up...");
    EXPECT_TRUE(marquee);
    EXPECT_EQ(task_.worker_thread, nullptr);
}

TEST_F(ProgressDialogTest, BoxesOfTheWorkerAreShownOverTheDialogThenOverItsOwner)
{
    HWND dialog = nullptr;
    task_.script = [&](scripted_task& t) {
        dialog = t.dialog;
        show_message_box_over_progress(nullptr, "While it runs", "", MB_OK);
        // After Esc the dialog is gone from the screen, its owner usable.
        t.send(IDCANCEL);
        show_message_box_over_progress(nullptr, "After Esc", "", MB_OK);
    };
    EXPECT_EQ(run(), 2);
    const auto boxes = msgbox::shown();
    msgbox::reset();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].owner, dialog);
    EXPECT_EQ(boxes[1].owner, owner_);
}
