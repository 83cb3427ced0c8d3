#include "logging/run_control.h"

#include "frame/control_tables.h"
#include "logging/logging_state.h"
#include "frame/measure_ids.h"

namespace {

HANDLE g_activity_thread = nullptr;
bool g_highspeed_click_posted = false;

void wait_answering_sent_messages(HANDLE thread)
{
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) ==
           WAIT_OBJECT_0 + 1) {
        MSG message;
        // Peeking delivers the messages sent to this thread; posted ones stay
        // queued for the message loop.
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

} // namespace

void set_activity_thread(HANDLE thread)
{
    if (g_activity_thread && g_activity_thread != thread)
        CloseHandle(g_activity_thread);
    g_activity_thread = thread;
}

void end_running_activity()
{
    activity_state = ACTIVITY_IDLE;
    if (!g_activity_thread)
        return;
    wait_answering_sent_messages(g_activity_thread);
    CloseHandle(g_activity_thread);
    g_activity_thread = nullptr;
}

void request_highspeed_exit()
{
    if (g_highspeed_click_posted)
        return;
    g_highspeed_click_posted = true;
    post_command_for_control(IDC_MEAS_HIGHSPEED);
}

void highspeed_click_handled()
{
    g_highspeed_click_posted = false;
}
