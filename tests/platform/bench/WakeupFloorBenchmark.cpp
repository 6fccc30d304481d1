// Prints what a process costs that does nothing but the game's periodic waits: a 10 ms timer on an
// absolute grid, as the message loop waits for its frame timer, alone and then with a thread that
// sleeps 5 ms at a time beside it, as the music thread polls. Each wake-up costs the same however
// little is done after it, so no measurement of the game can go below these figures on the same
// machine. Usage: wakeup_floor_benchmark [SECONDS] (default 5 for each of the two runs).
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double processSeconds() {
    timespec time{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) * 1e-9;
}

// Runs the 10 ms timer (and the 5 ms poll when asked) for `seconds`; returns the share of one core.
double share(int seconds, bool withPoll) {
    const double cpuBefore = processSeconds();
    const auto start = Clock::now();
    const auto end = start + std::chrono::seconds(seconds);
    std::atomic<bool> stop{false};
    std::thread poll;
    if (withPoll) {
        poll = std::thread([&stop] {
            while (!stop.load()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        });
    }
    for (auto tick = start; tick < end;) {
        tick += std::chrono::milliseconds(10);
        std::this_thread::sleep_until(tick);
    }
    stop.store(true);
    if (poll.joinable()) {
        poll.join();
    }
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    return 100.0 * (processSeconds() - cpuBefore) / wall;
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 5;
    if (seconds < 1) {
        std::fputs("usage: wakeup_floor_benchmark [SECONDS]\n", stderr);
        return 2;
    }
    const double timer = share(seconds, false);
    const double both = share(seconds, true);
    std::printf("%.2f %% of one core for the 10 ms timer alone, %.2f %% with the 5 ms poll beside it\n",
                timer, both);
    return 0;
}
