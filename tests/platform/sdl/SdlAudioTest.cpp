// The one-shot sound through SDL's disk audio driver, which writes everything the device plays to a
// file: the effect reaches it, and a later effect after the device was closed adds to the same file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "platform/Platform.h"
#include "tests/platform/WaveBuilder.h"

namespace {

inline constexpr UINT PLAY = SND_ASYNC | SND_NODEFAULT | SND_MEMORY;

// Frames of the capture (16-bit stereo) whose both sides hold `level`.
std::size_t framesAt(const std::filesystem::path& capture, std::int16_t level) {
    std::ifstream in(capture, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::size_t count = 0;
    for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4) {
        std::int16_t left = 0;
        std::int16_t right = 0;
        std::memcpy(&left, bytes.data() + i, 2);
        std::memcpy(&right, bytes.data() + i + 2, 2);
        count += (left == level && right == level) ? 1 : 0;
    }
    return count;
}

// Waits, up to a generous bound, until the capture holds `frames` frames at `level`.
bool captured(const std::filesystem::path& capture, std::int16_t level, std::size_t frames) {
    for (int poll = 0; poll < 200; ++poll) {
        if (framesAt(capture, level) >= frames) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return false;
}

// 0.1 s of one 16-bit mono level at 44100 Hz.
std::vector<std::uint8_t> steadySound(std::int16_t level) {
    std::vector<std::uint8_t> data;
    for (int i = 0; i < 4410; ++i) {
        veskar::testing::putU16(data, static_cast<std::uint16_t>(level));
    }
    return veskar::testing::pcmImage(1, 44100, 16, data);
}

}  // namespace

TEST(SdlAudio, EffectsReachTheCaptureOfTheDiskDriver) {
    const std::filesystem::path capture =
        std::filesystem::temp_directory_path() / ("veskar-sdl-audio-" + std::to_string(getpid()) + ".raw");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);
    const std::vector<std::uint8_t> first = steadySound(1000);
    const std::vector<std::uint8_t> second = steadySound(-2000);
    ASSERT_EQ(sndPlaySoundA(reinterpret_cast<LPCSTR>(first.data()), PLAY), TRUE);
    EXPECT_TRUE(captured(capture, 1000, 4400));
    (void)sndPlaySoundA(nullptr, 0);  // with no music, the device closes
    ASSERT_EQ(sndPlaySoundA(reinterpret_cast<LPCSTR>(second.data()), PLAY), TRUE);
    EXPECT_TRUE(captured(capture, -2000, 4400));
    EXPECT_GE(framesAt(capture, 1000), 4400u) << "reopening kept what was captured before";
    (void)sndPlaySoundA(nullptr, 0);
    std::filesystem::remove(capture);
}
