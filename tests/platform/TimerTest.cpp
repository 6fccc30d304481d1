// Window timers on the virtual clock: intervals, coalescing of late ticks, restart and stop.
#include <gtest/gtest.h>

#include "tests/platform/TestWindow.h"

using veskar::platform::TestBackend;
using namespace veskar::testing;

namespace {

// Takes the next message that is not a paint, validating the window as a paint handler would.
MSG takeSkippingPaints(HWND window) {
    MSG message{};
    do {
        GetMessageA(&message, nullptr, 0, 0);
        if (message.message == WM_PAINT)
            ValidateRect(window, nullptr);
    } while (message.message == WM_PAINT);
    return message;
}

// Runs the loop until the window is closed at closeAt ms; returns the times of the ticks it saw.
std::vector<DWORD> tickTimesUntilClose(std::uint64_t closeAt) {
    TestBackend::current().requestClose(closeAt);
    pumpUntilQuit(1000);
    std::vector<DWORD> times;
    for (const Seen& tick : seenOf(WM_TIMER))
        times.push_back(tick.time);
    return times;
}

}  // namespace

TEST(Timer, GetMessageAdvancesVirtualTimeToEachDeadline) {
    HWND window = makeTestWindow();
    TestBackend::current().at(1000, [] {});
    ASSERT_EQ(SetTimer(window, 0xF10F, 10, nullptr), 0xF10Fu);
    for (DWORD tick = 1; tick <= 5; ++tick) {
        const MSG message = takeSkippingPaints(window);
        ASSERT_EQ(message.message, WM_TIMER);
        EXPECT_EQ(message.wParam, 0xF10Fu);
        EXPECT_EQ(message.time, 10 * tick);
    }
}

TEST(Timer, LateTicksAreCoalescedIntoOne) {
    // The first tick's handler is busy for 95 ms: nine deadlines pass while nobody takes messages.
    HWND window = makeTestWindow([](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_TIMER && seenOf(WM_TIMER).size() == 1)
            TestBackend::current().advanceClock(95);
        return DefWindowProcA(w, m, wp, lp);
    });
    SetTimer(window, 1, 10, nullptr);
    EXPECT_EQ(tickTimesUntilClose(140), (std::vector<DWORD>{10, 105, 120, 130}))
        << "back on the beat at least 5 ms later";
}

TEST(Timer, TicksFallOnMultiplesOfTheIntervalWhenEverItWasSet) {
    // The timer keeps the process's beat, so it wakes together with every other wait on it.
    struct Case {
        std::uint64_t setAt;
        std::vector<DWORD> ticks;
    };
    for (const Case& c : {Case{3, {10, 20, 30}}, Case{7, {20, 30}}, Case{20, {30}}}) {
        HWND window = makeTestWindow();
        TestBackend::current().advanceClock(c.setAt);
        SetTimer(window, 1, 10, nullptr);
        EXPECT_EQ(tickTimesUntilClose(35), c.ticks) << "set at " << c.setAt << " ms";
    }
}

TEST(Timer, ADueTickIsQueuedOnlyOnce) {
    HWND window = makeTestWindow();
    SetTimer(window, 1, 10, nullptr);
    ValidateRect(window, nullptr);
    TestBackend::current().advanceClock(50);
    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(message.message, WM_TIMER);
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_TIMER);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) << "five missed deadlines make one tick";
}

TEST(Timer, RestartingATimerWaitsAWholeInterval) {
    HWND window = makeTestWindow();
    SetTimer(window, 1, 10, nullptr);
    ValidateRect(window, nullptr);
    TestBackend::current().advanceClock(30);
    SetTimer(window, 1, 10, nullptr);
    MSG message{};
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    TestBackend::current().advanceClock(10);
    EXPECT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST(Timer, KillTimerStopsTicksAndSetTimerRejectsBadArguments) {
    HWND window = makeTestWindow();
    ASSERT_NE(SetTimer(window, 3, 10, nullptr), 0u);
    EXPECT_TRUE(KillTimer(window, 3));
    EXPECT_FALSE(KillTimer(window, 3));
    EXPECT_EQ(SetTimer(window, 0, 10, nullptr), 0u);
    EXPECT_EQ(SetTimer(nullptr, 3, 10, nullptr), 0u);
    TestBackend::current().requestClose(100);
    pumpUntilQuit(1000);
    EXPECT_TRUE(seenOf(WM_TIMER).empty());
}

TEST(Timer, CapacityLimitsRunningTimers) {
    HWND window = makeTestWindow();
    TestBackend::current().setTimerCapacity(1);
    EXPECT_NE(SetTimer(window, 1, 10, nullptr), 0u);
    EXPECT_EQ(SetTimer(window, 2, 10, nullptr), 0u);
    EXPECT_NE(SetTimer(window, 1, 20, nullptr), 0u) << "restarting a running timer needs no new slot";
}

TEST(Timer, DestroyingTheWindowStopsItsTimers) {
    HWND window = makeTestWindow();
    SetTimer(window, 1, 10, nullptr);
    TestBackend::current().requestClose(55);
    pumpUntilQuit(1000);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(seenOf(WM_TIMER).size(), 5u) << "ticks at 10..50 ms, none after the close at 55 ms";
}
