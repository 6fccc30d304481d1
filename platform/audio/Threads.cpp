// Threads for the music player: CreateThread on std::thread, a best-effort priority, Sleep and
// CloseHandle (which detaches a thread that is still running).
#include "platform/audio/Threads.h"

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/Platform.h"
#include "platform/core/Beat.h"

#if defined(__unix__)
#include <pthread.h>
#include <sched.h>
#endif

namespace {

struct ThreadRecord {
    std::thread thread;
};

std::atomic<int> runningThreads{0};

}  // namespace

int veskar::platform::runningThreadCount() {
    return runningThreads.load();
}

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, std::size_t, LPTHREAD_START_ROUTINE start, LPVOID parameter,
                    DWORD flags, LPDWORD threadId) {
    if (start == nullptr || flags != 0) {
        return nullptr;
    }
    auto* record = new ThreadRecord{};
    runningThreads.fetch_add(1);
    record->thread = std::thread([start, parameter] {
        (void)start(parameter);
        runningThreads.fetch_sub(1);
    });
    if (threadId != nullptr) {
        *threadId = static_cast<DWORD>(std::hash<std::thread::id>{}(record->thread.get_id()));
    }
    return record;
}

BOOL SetThreadPriority(HANDLE thread, int priority) {
    if (thread == nullptr) {
        return FALSE;
    }
#if defined(__unix__)
    if (priority >= THREAD_PRIORITY_TIME_CRITICAL) {
        // Real-time scheduling needs privileges; without them the thread keeps its priority.
        auto* record = static_cast<ThreadRecord*>(thread);
        sched_param parameters{};
        parameters.sched_priority = sched_get_priority_min(SCHED_RR);
        (void)pthread_setschedparam(record->thread.native_handle(), SCHED_RR, &parameters);
    }
#else
    (void)priority;
#endif
    return TRUE;
}

// A sleep keeps the beat (platform/core/Beat.h): it ends on the multiple of its length nearest to
// when it falls due, between half and one and a half lengths from now, as the desktop's own sleep
// ends on a tick of the system clock. The music's 5 ms poll thus wakes with the frame timer.
void Sleep(DWORD milliseconds) {
    if (milliseconds == 0) {
        std::this_thread::yield();
        return;
    }
    using Clock = std::chrono::steady_clock;
    const auto period = std::chrono::duration_cast<Clock::duration>(std::chrono::milliseconds(milliseconds));
    const auto due = Clock::now().time_since_epoch() + period;
    const auto end = veskar::platform::nearestBeat(static_cast<std::uint64_t>(due.count()),
                                                   static_cast<std::uint64_t>(period.count()));
    std::this_thread::sleep_until(Clock::time_point(Clock::duration(static_cast<Clock::rep>(end))));
}

BOOL CloseHandle(HANDLE handle) {
    if (handle == nullptr) {
        return FALSE;
    }
    auto* record = static_cast<ThreadRecord*>(handle);
    if (record->thread.joinable()) {
        record->thread.detach();
    }
    delete record;
    return TRUE;
}

MMRESULT timeBeginPeriod(UINT period) {
    return period == 0 ? TIMERR_NOCANDO : TIMERR_NOERROR;
}

MMRESULT timeEndPeriod(UINT period) {
    return period == 0 ? TIMERR_NOCANDO : TIMERR_NOERROR;
}
