#include "frame/progress_dialog.h"

#include "base/clocks.h"
#include "base/message_box.h"
#include "frame/progress_text.h"
#include "frame/sent_message_wait.h"
#include "frame/timer_services.h"

#include <commctrl.h>
#include <process.h>

#include <atomic>
#include <string>

namespace {

constexpr double kWorkerStartDelayMs = 1000.0;
constexpr UINT kMarqueeMs = 30;

// Sent by another thread with a box_request: the dialog's thread shows the
// box.
constexpr UINT kShowBoxMessage = WM_APP + 1;

// A message box asked for on another thread, answered by the dialog's
// thread.
struct box_request {
    const char* text;
    const char* caption;
    UINT type;
    int answer = 0;
    bool shown = false;
};

// State of the open dialog; one progress dialog at a time. Touched only on
// the thread that runs the dialog.
struct progress_state {
    progress_task* task = nullptr;
    int position = 0;
    int total = 0; // 0: unknown (marquee)
    uint64_t start_time = 0;
    bool percent_mode = false;
    bool time_mode = false; // starts as the last dialog left it
    // The threads the dialog started, kept after the task's handle is
    // cleared so that the dialog can wait for them before it goes.
    HANDLE worker = nullptr;
    HANDLE cancel = nullptr;
    bool worker_started = false;
    bool ended = false; // EndDialog called: ignore further reports
};

// The time mode is the one setting that outlives a dialog: the next one
// starts with it.
bool last_time_mode = false;

// The open dialog, from its WM_INITDIALOG until it has waited for its
// threads; read by other threads that ask for a message box.
std::atomic<HWND> g_open_dialog{nullptr};

// The state of an open dialog, behind its window from WM_INITDIALOG to
// WM_DESTROY; null outside that time.
progress_state* state_of(HWND dialog)
{
    return reinterpret_cast<progress_state*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

HWND bar_of(HWND dialog)
{
    return GetDlgItem(dialog, IDC_PROGRESS_BAR);
}

bool has_marquee(HWND bar)
{
    return (GetWindowLongA(bar, GWL_STYLE) & PBS_MARQUEE) != 0;
}

void set_marquee_style(HWND bar, bool on)
{
    LONG style = GetWindowLongA(bar, GWL_STYLE);
    style = on ? (style | PBS_MARQUEE) : (style & ~PBS_MARQUEE);
    SetWindowLongA(bar, GWL_STYLE, style);
}

void set_progress_text(HWND dialog, const std::string& text)
{
    SetDlgItemTextA(dialog, IDC_PROGRESS_TEXT, text.c_str());
}

void show_step_text(HWND dialog)
{
    const progress_state& s = *state_of(dialog);
    set_progress_text(dialog, progress_step_text(s.percent_mode, s.time_mode, s.position, s.total,
                                                 milliseconds_now() - s.start_time));
}

HANDLE start_thread(progress_routine routine, progress_task* task)
{
    return reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, routine, task, 0, nullptr));
}

// Waits for a thread the dialog started and closes its handle. Messages the
// thread sends to this thread's windows are delivered meanwhile, so a worker
// that is sending cannot stall the wait.
void wait_and_close(HANDLE& thread)
{
    if (!thread)
        return;
    wait_delivering_sent_messages(thread, INFINITE);
    CloseHandle(thread);
    thread = nullptr;
}

void init_dialog(HWND dialog, progress_task* task)
{
    auto* state = new progress_state;
    state->task = task;
    state->time_mode = last_time_mode;
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    if (task->title[0])
        SetWindowTextA(dialog, task->title);
    task->dialog = dialog;
    g_open_dialog.store(dialog);

    HWND bar = bar_of(dialog);
    set_marquee_style(bar, true);
    SetDlgItemTextA(dialog, IDC_PROGRESS_STATUS, "Setting Up...");
    SendMessageA(bar, PBM_SETMARQUEE, TRUE, kMarqueeMs);

    message_timer_a_add_entry_3(get_message_timer_a(), kWorkerStartDelayMs, dialog,
                                PROGRESS_START_WORKER, true);
}

void set_total(HWND dialog, int total)
{
    progress_state& state = *state_of(dialog);
    HWND bar = bar_of(dialog);
    if (total > 0) {
        state.total = total;
        state.position = 0;
        state.start_time = milliseconds_now();
        set_progress_text(dialog,
                          progress_total_text(state.percent_mode, state.time_mode, total));
        if (has_marquee(bar)) {
            SendMessageA(bar, PBM_SETMARQUEE, FALSE, 0);
            set_marquee_style(bar, false);
            SendMessageA(bar, PBM_SETPOS, 0, 0);
        }
        // The full range of an int: totals above 65,535 are not cut.
        SendMessageA(bar, PBM_SETRANGE32, 0, total);
        SendMessageA(bar, PBM_SETSTEP, 1, 0);
        return;
    }
    // No total (a negative one counts as none): back to the marquee.
    state.total = 0;
    set_progress_text(dialog, "");
    if (!has_marquee(bar)) {
        set_marquee_style(bar, true);
        SleepEx(kMarqueeMs, TRUE);
    }
    SendMessageA(bar, PBM_SETMARQUEE, TRUE, kMarqueeMs);
    PostMessageA(bar, PBM_SETMARQUEE, TRUE, kMarqueeMs);
}

void step(HWND dialog)
{
    progress_state& state = *state_of(dialog);
    if (state.position < state.total) {
        ++state.position;
        // Only a real step moves the bar: PBM_STEPIT past the end would start
        // the bar over from the beginning.
        SendMessageA(bar_of(dialog), PBM_STEPIT, 0, 0);
    }
    show_step_text(dialog);
}

void set_position(HWND dialog, LPARAM position)
{
    progress_state& state = *state_of(dialog);
    int pos = static_cast<int>(position);
    if (pos > state.total)
        pos = state.total;
    if (pos < 0)
        pos = 0;
    state.position = pos;
    SendMessageA(bar_of(dialog), PBM_SETPOS, pos, 0);
    show_step_text(dialog);
}

void start_worker(progress_state& state)
{
    // Started once: the timer entry posts this command a single time.
    if (state.worker_started)
        return;
    state.worker_started = true;
    state.start_time = milliseconds_now();
    progress_task* task = state.task;
    if (task->worker) {
        state.worker = start_thread(task->worker, task);
        task->worker_thread = state.worker;
    }
}

void cancel(HWND dialog)
{
    progress_state& state = *state_of(dialog);
    progress_task* task = state.task;
    if (task->cancel)
        state.cancel = start_thread(task->cancel, task);
    task->worker_thread = nullptr;
    state.ended = true;
    EndDialog(dialog, 2);
}

void done(HWND dialog)
{
    progress_state& state = *state_of(dialog);
    // The worker is waited for when the dialog is destroyed, not here: a
    // worker that sent this command cannot end before it has been handled.
    state.task->worker_thread = nullptr;
    state.ended = true;
    EndDialog(dialog, 1);
}

bool on_command(HWND dialog, int id, LPARAM lparam)
{
    progress_state* state = state_of(dialog);
    if (state == nullptr || state->ended || !state->task)
        return id == IDCANCEL || (id >= PROGRESS_DONE && id <= PROGRESS_SET_POS);
    switch (id) {
    case PROGRESS_DONE:
        done(dialog);
        return true;
    case PROGRESS_BEGIN_TIMING:
        set_progress_text(dialog, "");
        if (!state->percent_mode) {
            state->percent_mode = true;
            state->time_mode = false;
        } else {
            state->percent_mode = false;
        }
        return true;
    case PROGRESS_SET_TOTAL:
        set_total(dialog, static_cast<int>(lparam));
        return true;
    case PROGRESS_STEP:
        step(dialog);
        return true;
    case PROGRESS_START_WORKER:
        start_worker(*state);
        return true;
    case PROGRESS_SET_STATUS:
        SetDlgItemTextA(dialog, IDC_PROGRESS_STATUS,
                        lparam ? reinterpret_cast<const char*>(lparam) : "");
        return true;
    case PROGRESS_RESET_TIMING:
        set_progress_text(dialog, "");
        if (state->percent_mode)
            state->time_mode = false;
        else
            state->time_mode = true;
        return true;
    case PROGRESS_SET_POS:
        set_position(dialog, lparam);
        return true;
    case IDCANCEL:
        cancel(dialog);
        return true;
    default:
        return false;
    }
}

// Shows the box another thread asked for: owned by the dialog while it is
// shown, and by its owner once it has ended (hidden, waiting for its
// threads, its owner usable again).
void show_requested_box(HWND dialog, box_request& request)
{
    HWND owner = IsWindowVisible(dialog) ? dialog : GetWindow(dialog, GW_OWNER);
    request.answer = show_message_box(owner, request.text, request.caption, request.type);
    request.shown = true;
}

void on_destroy(HWND dialog)
{
    progress_state* state = state_of(dialog);
    if (state == nullptr)
        return;
    if (state->task)
        state->task->worker_thread = nullptr;
    // The dialog's call does not return while a thread it started may still
    // use the task.
    wait_and_close(state->worker);
    wait_and_close(state->cancel);
    g_open_dialog.store(nullptr);
    last_time_mode = state->time_mode;
    SetWindowLongPtrA(dialog, DWLP_USER, 0);
    delete state;
}

} // namespace

INT_PTR CALLBACK progress_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG:
        init_dialog(dialog, reinterpret_cast<progress_task*>(lparam));
        return TRUE;
    case WM_COMMAND:
        return on_command(dialog, LOWORD(wparam), lparam) ? TRUE : FALSE;
    case WM_DESTROY:
        on_destroy(dialog);
        return FALSE;
    case kShowBoxMessage:
        show_requested_box(dialog, *reinterpret_cast<box_request*>(lparam));
        return TRUE;
    default:
        return FALSE;
    }
}

int show_message_box_over_progress(HWND owner, const char* text, const char* caption, UINT type)
{
    HWND dialog = g_open_dialog.load();
    if (dialog != nullptr && GetWindowThreadProcessId(dialog, nullptr) != GetCurrentThreadId()) {
        box_request request{text, caption, type};
        SendMessageA(dialog, kShowBoxMessage, 0, reinterpret_cast<LPARAM>(&request));
        // Not shown only when the dialog went in the meantime.
        if (request.shown)
            return request.answer;
    }
    return show_message_box(owner, text, caption, type);
}
