// The census of the test programs' own threads, which main waits for before
// it returns: threads the program starts are counted until they have ended,
// the system's pool threads are not.
#include "tests/support/thread_census.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <set>
#include <string>
#include <thread>

namespace {

std::set<DWORD> census_ids()
{
    std::set<DWORD> ids;
    for (const census_thread& t : program_threads())
        ids.insert(t.id);
    return ids;
}

// The threads counted now that were not counted in before.
std::set<DWORD> new_since(const std::set<DWORD>& before)
{
    std::set<DWORD> added;
    for (DWORD id : census_ids())
        if (!before.count(id))
            added.insert(id);
    return added;
}

// Waits up to 5 s until no thread is counted beyond those in before.
bool settles_back_to(const std::set<DWORD>& before)
{
    for (int i = 0; i < 500; ++i) {
        if (new_since(before).empty())
            return true;
        Sleep(10);
    }
    return false;
}

// A manual-reset event, closed with its scope.
struct event {
    HANDLE handle = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ~event() { CloseHandle(handle); }
};

struct pool_work {
    HANDLE release;
    std::atomic<DWORD> thread{0};
};

DWORD WINAPI wait_in_pool(void* p)
{
    auto* work = static_cast<pool_work*>(p);
    work->thread = GetCurrentThreadId();
    WaitForSingleObject(work->release, 5000);
    return 0;
}

template <class F>
bool wait_until(F done)
{
    for (int i = 0; i < 500 && !done(); ++i)
        Sleep(10);
    return done();
}

} // namespace

TEST(ThreadCensus, CountsProgramThreadsUntilTheyEndButNoPoolThreads)
{
    const std::set<DWORD> before = census_ids();
    event release;
    std::atomic<DWORD> worker_id{0};
    std::thread worker([&] {
        worker_id = GetCurrentThreadId();
        WaitForSingleObject(release.handle, 5000);
    });
    pool_work work{release.handle};
    ASSERT_TRUE(QueueUserWorkItem(wait_in_pool, &work, WT_EXECUTEDEFAULT));
    ASSERT_TRUE(wait_until([&] { return work.thread.load() != 0 && worker_id.load() != 0; }));

    const std::set<DWORD> during = new_since(before);
    EXPECT_EQ(std::set<DWORD>{worker_id.load()}, during) << "the pool thread is the system's";

    // A thread still running is reported by id when the wait gives up.
    std::string left;
    EXPECT_FALSE(wait_for_program_threads(50, &left));
    EXPECT_NE(std::string::npos, left.find("thread " + std::to_string(worker_id.load()) + " "))
        << left;

    SetEvent(release.handle);
    worker.join();
    EXPECT_TRUE(settles_back_to(before));
}

TEST(ThreadCensus, TraceOnAThreadStartsAHelperThatEndsAfterIt)
{
    // GoogleTest keeps a helper thread for every thread that uses a trace; it
    // waits for that thread to end. This is why the tests run on a thread of
    // their own: the helper for main itself could only end with the process.
    const std::set<DWORD> before = census_ids();
    event release;
    std::atomic<bool> traced{false};
    std::thread worker([&] {
        SCOPED_TRACE("on a worker");
        traced = true;
        WaitForSingleObject(release.handle, 5000);
    });
    ASSERT_TRUE(wait_until([&] { return traced.load(); }));
    EXPECT_EQ(2u, new_since(before).size()) << "the worker and its helper";

    SetEvent(release.handle);
    worker.join();
    EXPECT_TRUE(settles_back_to(before)) << "the helper ends once the worker has ended";
}
