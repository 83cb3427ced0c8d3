// The two-group instrument in the Config window: a wiring change goes to
// both groups while they measure the same phases and reads its frequency
// reference and efficiency back; a frequency reference change clears the
// torque and speed setting in both groups; a grouping change runs the
// grouping procedure through both groups, stopping at a group switch the
// instrument does not confirm; an independent-range change goes
// to both groups while one group takes four phases or more.
#pragma once
#include <windows.h>

class list_change;

// How the grouping procedure waits for the instrument to settle (2000 ms
// after each group's new grouping); tests put a shorter wait in.
extern void (*config_wait_ms)(DWORD ms);

// The list steps of the Acquisition Control page: item 82, item 38 and item
// 23 with their new value; each marks in the change what it reads back.
void set_two_group_wiring(int item, int value, list_change& change);
void set_two_group_frequency_reference(int item, int value, list_change& change);
void change_grouping(int item, int value, list_change& change);

// Item 22 on the ranging page: stored in both groups while one group takes
// four phases or more, else in the active group; then RANGE is posted to
// the Config window, which shows the page again from its first phases.
void set_independent_range(HWND config_window, int value);
