// Waiting on the GUI thread for another thread without blocking that thread's
// SendMessage calls to our windows: while waiting, messages sent to this
// thread are delivered (posted messages stay queued).
#pragma once
#include <windows.h>

// Waits for handle to be signalled, at most timeout_ms (INFINITE: no limit).
// True when it was signalled, false on time-out or failure.
bool wait_delivering_sent_messages(HANDLE handle, DWORD timeout_ms);
