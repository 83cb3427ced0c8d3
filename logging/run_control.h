// What the frame asks of a running logging activity: end it and wait for
// its thread (before the program shuts down), and leave high-speed mode.
#pragma once
#include <windows.h>

// The thread of the activity in progress, kept until the activity is ended
// (nullptr: none). Whoever starts an activity's thread hands its handle
// over; the handle is closed once the thread has been waited for.
void set_activity_thread(HANDLE thread);

// Ends the activity in progress: sets the activity state to idle, then waits
// for the activity's thread to end, still answering messages that other
// threads send to this one (a worker may send to a window while it stops).
// Returns at once when nothing runs.
void end_running_activity();

// Asks the Measure window to leave high-speed mode with a programmatic
// click of its button 14066, unless such a click is still waiting: a second
// click would turn the mode back on.
void request_highspeed_exit();

// Called by the Measure window when it handles a click of 14066.
void highspeed_click_handled();
