// A small hidden popup window for tests: an owner for dialogs, or a target
// that records the WM_COMMAND messages workers and timers send it; and the
// delivery of what was posted to the thread's windows.
#pragma once
#include <windows.h>

// Registers the class on first use (one class per name) and creates a
// 10 x 10 popup window of it; nullptr when that fails.
HWND make_test_window(const char* class_name, WNDPROC proc);

// Delivers the messages posted to this thread's windows.
void deliver_posted_messages();
