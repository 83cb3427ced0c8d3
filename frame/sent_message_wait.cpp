#include "frame/sent_message_wait.h"

bool wait_delivering_sent_messages(HANDLE handle, DWORD timeout_ms)
{
    const DWORD begin = GetTickCount();
    for (;;) {
        // Deliver what is already waiting before sleeping: the wait below
        // wakes only for sent messages that arrive during it.
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        DWORD left = INFINITE;
        if (timeout_ms != INFINITE) {
            const DWORD spent = GetTickCount() - begin;
            left = spent >= timeout_ms ? 0 : timeout_ms - spent;
        }
        const DWORD result = MsgWaitForMultipleObjects(1, &handle, FALSE, left, QS_SENDMESSAGE);
        if (result == WAIT_OBJECT_0)
            return true;
        if (result != WAIT_OBJECT_0 + 1)
            return false;
    }
}
