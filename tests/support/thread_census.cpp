#include "tests/support/thread_census.h"

#include <tlhelp32.h>
#include <winternl.h>

#include <cstdio>

namespace {

constexpr DWORD kPollMs = 10;

struct image_range {
    uintptr_t begin = 0;
    uintptr_t end = 0;
    bool holds(uintptr_t address) const { return address >= begin && address < end; }
};

image_range range_of(HMODULE module)
{
    image_range range;
    if (!module)
        return range;
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(reinterpret_cast<const BYTE*>(module) +
                                                          dos->e_lfanew);
    range.begin = reinterpret_cast<uintptr_t>(module);
    range.end = range.begin + nt->OptionalHeader.SizeOfImage;
    return range;
}

using query_thread_fn = NTSTATUS(WINAPI*)(HANDLE, THREADINFOCLASS, PVOID, ULONG, PULONG);

// The thread's start routine as the system recorded it; 0 when unknown.
uintptr_t start_routine(DWORD thread_id)
{
    static const auto query = reinterpret_cast<query_thread_fn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationThread")));
    HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, thread_id);
    if (!thread)
        return 0;
    PVOID start = nullptr;
    if (!query || query(thread, ThreadQuerySetWin32StartAddress, &start, sizeof start, nullptr) != 0)
        start = nullptr;
    CloseHandle(thread);
    return reinterpret_cast<uintptr_t>(start);
}

} // namespace

std::vector<census_thread> program_threads()
{
    const image_range program = range_of(GetModuleHandleA(nullptr));
    const image_range runtime = range_of(GetModuleHandleA("msvcrt.dll"));
    std::vector<census_thread> found;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return found;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != GetCurrentProcessId() ||
            entry.th32ThreadID == GetCurrentThreadId())
            continue;
        const uintptr_t start = start_routine(entry.th32ThreadID);
        if (start == 0 || program.holds(start) || runtime.holds(start))
            found.push_back({entry.th32ThreadID, start});
    }
    CloseHandle(snapshot);
    return found;
}

bool wait_for_program_threads(DWORD timeout_ms, std::string* left)
{
    const DWORD begin = GetTickCount();
    for (;;) {
        const std::vector<census_thread> threads = program_threads();
        if (threads.empty())
            return true;
        if (GetTickCount() - begin >= timeout_ms) {
            if (left) {
                left->clear();
                for (const census_thread& t : threads) {
                    char line[64];
                    snprintf(line, sizeof line, "thread %lu (start %#lx)\n", t.id,
                             static_cast<unsigned long>(t.start));
                    *left += line;
                }
            }
            return false;
        }
        Sleep(kPollMs);
    }
}
