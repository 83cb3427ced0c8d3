// The threads of this process that the program and its libraries started,
// told apart from the system's own pool threads (timer queues, thread pools),
// which run none of the program's code: a thread counts as the program's when
// its start routine lies in the executable or in the C runtime, which starts
// the threads of _beginthreadex and std::thread.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct census_thread {
    DWORD id;
    uintptr_t start;  // the start routine; 0 while the thread is being set up
};

// Every such thread of this process except the calling one. A thread that is
// still being set up (no start routine known yet) counts as the program's.
std::vector<census_thread> program_threads();

// Waits until no such thread is left, at most timeout_ms. True when none is
// left; else false, with the threads still running described in left.
bool wait_for_program_threads(DWORD timeout_ms, std::string* left = nullptr);
