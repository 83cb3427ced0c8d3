// The entry point of every test program. The tests run on a thread of their
// own, and main returns only when every thread the tests started has ended:
// a thread still running, or still being set up, while the process exits can
// crash it under Wine after all tests have passed.
//
// GoogleTest on Windows keeps a helper thread for each thread that uses a
// trace or reports a failure, which waits for that thread to end. The helper
// of the test thread therefore ends after it, before main returns; one for
// main itself could only end with the process.
#include "frame/timer_services.h"
#include "link/lan_discovery.h"
#include "tests/support/file_dialog_recorder.h"
#include "tests/support/msgbox_recorder.h"
#include "tests/support/thread_census.h"

#include <gtest/gtest.h>

#include <process.h>

#include <cstdio>
#include <string>

namespace {

// How long the threads the tests started may take to end after the last test.
constexpr DWORD kThreadsEndMs = 10000;

unsigned __stdcall run_tests(void* result)
{
    *static_cast<int*>(result) = RUN_ALL_TESTS();
    // The timer services tick on system pool threads until stopped; this is
    // the thread that created them, which their stop delivers messages to.
    stop_message_timers();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // No crash dialogs, modal boxes or file dialogs: a failing test must
    // end, not wait.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    msgbox::install();
    file_dialogs::install();
    // A LAN search from a test stays on this machine: its probes go to the
    // loopback range, never to the broadcast address.
    set_discovery_destination(ipv4_address(127, 255, 255, 255));
    testing::InitGoogleTest(&argc, argv);

    int result = 1;
    const uintptr_t thread = _beginthreadex(nullptr, 0, run_tests, &result, 0, nullptr);
    if (thread == 0) {
        std::fprintf(stderr, "FAILED: no thread for the tests\n");
        return 1;
    }
    WaitForSingleObject(reinterpret_cast<HANDLE>(thread), INFINITE);
    CloseHandle(reinterpret_cast<HANDLE>(thread));

    std::string left;
    if (!wait_for_program_threads(kThreadsEndMs, &left)) {
        std::fprintf(stderr, "FAILED: threads still running after the tests:\n%s", left.c_str());
        return 1;
    }
    return result;
}
