// Prints what a process costs that does nothing but the game's periodic waits: a 10 ms timer on an
// absolute grid, as the message loop waits for its frame timer, alone; then with a thread beside it
// that sleeps 5 ms at a time, as the music thread polls, each on its own schedule and processor; and
// last the two on one beat and one processor, as the game waits (platform/core/Beat.h). Each
// wake-up costs the same however little is done after it, so no measurement of the game can go below
// the last figure on the same machine. Beside it: SDL's audio thread alone, on the driver the
// environment names, with the game's device settings and a callback that only clears its buffer.
// Usage: wakeup_floor_benchmark [SECONDS] (default 5 a run).
#include <SDL2/SDL.h>
#include <sched.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

enum class Poll { None, Apart, OnTheBeat };

double processSeconds() {
    timespec time{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) * 1e-9;
}

// The share of one core the process used since cpuBefore and start.
double processShare(double cpuBefore, Clock::time_point start) {
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    return 100.0 * (processSeconds() - cpuBefore) / wall;
}

// The multiple of `period` of the monotonic clock nearest to `due`.
Clock::time_point onTheBeat(Clock::time_point due, Clock::duration period) {
    return Clock::time_point((due.time_since_epoch() + period / 2) / period * period);
}

void keepToOneProcessor() {
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(sched_getcpu(), &one);
    (void)sched_setaffinity(0, sizeof(one), &one);
}

// Runs the 10 ms timer, and the 5 ms poll as asked, for `seconds`; returns the share of one core.
double share(int seconds, Poll poll) {
    const double cpuBefore = processSeconds();
    const auto start = Clock::now();
    const auto end = start + std::chrono::seconds(seconds);
    const auto frame = std::chrono::milliseconds(10);
    const auto pollPeriod = std::chrono::milliseconds(5);
    std::atomic<bool> stop{false};
    std::thread poller;
    auto tick = start;
    if (poll == Poll::OnTheBeat) {
        keepToOneProcessor();  // inherited by the poller
        tick = onTheBeat(start, frame);
    }
    if (poll != Poll::None) {
        poller = std::thread([&stop, poll, pollPeriod] {
            while (!stop.load()) {
                if (poll == Poll::OnTheBeat) {
                    std::this_thread::sleep_until(onTheBeat(Clock::now() + pollPeriod, pollPeriod));
                } else {
                    std::this_thread::sleep_for(pollPeriod);
                }
            }
        });
    }
    while (tick < end) {
        tick += frame;
        std::this_thread::sleep_until(tick);
    }
    stop.store(true);
    if (poller.joinable()) {
        poller.join();
    }
    return processShare(cpuBefore, start);
}

void clearBuffer(void*, Uint8* stream, int length) {
    SDL_memset(stream, 0, static_cast<std::size_t>(length));
}

// SDL's audio thread playing silence for `seconds` at 44100 Hz, 2048 frames a callback as the game
// asks; a negative share when no device opens.
double audioShare(int seconds) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return -1.0;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = 44100;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = 2048;
    wanted.callback = &clearBuffer;
    SDL_AudioSpec obtained{};
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    double share = -1.0;
    if (device != 0) {
        SDL_PauseAudioDevice(device, 0);
        const double cpuBefore = processSeconds();
        const auto start = Clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
        share = processShare(cpuBefore, start);
        SDL_CloseAudioDevice(device);
    }
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return share;
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 5;
    if (seconds < 1) {
        std::fputs("usage: wakeup_floor_benchmark [SECONDS]\n", stderr);
        return 2;
    }
    const double timer = share(seconds, Poll::None);
    const double apart = share(seconds, Poll::Apart);
    const double together = share(seconds, Poll::OnTheBeat);
    const double audio = audioShare(seconds);
    char audioText[64] = "no audio device opened";
    if (audio >= 0.0) {
        std::snprintf(audioText, sizeof audioText, "%.2f %% for SDL's audio thread alone", audio);
    }
    std::printf(
        "%.2f %% of one core for the 10 ms timer alone, %.2f %% with the 5 ms poll beside it, %.2f %% "
        "with the two on one beat and one processor; %s\n",
        timer, apart, together, audioText);
    return 0;
}
