// The wave output device on the test backend: format checks, a looping buffer, the play position in
// bytes, reset and the prepared flag.
#include <gtest/gtest.h>

#include <vector>

#include "platform/Platform.h"
#include "platform/audio/Threads.h"
#include "platform/testing/TestAudio.h"

namespace testing_audio = veskar::platform::testing;

namespace {

WAVEFORMATEX StereoFormat(DWORD rate = 44100) {
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = rate;
    format.nAvgBytesPerSec = rate * 4;
    format.nBlockAlign = 4;
    format.wBitsPerSample = 16;
    return format;
}

DWORD PositionBytes(HWAVEOUT device) {
    MMTIME time{};
    time.wType = TIME_BYTES;
    EXPECT_EQ(waveOutGetPosition(device, &time, sizeof(time)), MMSYSERR_NOERROR);
    EXPECT_EQ(time.wType, TIME_BYTES);
    return time.u.cb;
}

class WaveOutTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing_audio::setAudioDeviceAvailable(true);
        testing_audio::clearRecordedAudio();
    }
    void TearDown() override {
        if (device != nullptr)
            (void)waveOutClose(device);
        testing_audio::clearRecordedAudio();
    }
    HWAVEOUT device = nullptr;
};

}  // namespace

TEST_F(WaveOutTest, OpensSixteenBitStereoOnly) {
    WAVEFORMATEX format = StereoFormat();
    format.wBitsPerSample = 8;
    EXPECT_NE(waveOutOpen(&device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    EXPECT_EQ(device, nullptr);
    format = StereoFormat();
    EXPECT_EQ(waveOutOpen(&device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    EXPECT_NE(device, nullptr);
    EXPECT_TRUE(testing_audio::audioDeviceOpen());
    EXPECT_EQ(testing_audio::audioDeviceRate(), 44100);
}

TEST_F(WaveOutTest, FailsWithoutADevice) {
    testing_audio::setAudioDeviceAvailable(false);
    const WAVEFORMATEX format = StereoFormat();
    EXPECT_NE(waveOutOpen(&device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    EXPECT_EQ(device, nullptr);
    testing_audio::setAudioDeviceAvailable(true);
}

TEST_F(WaveOutTest, LoopingBufferPlaysOverAndOverAndCountsBytes) {
    const WAVEFORMATEX format = StereoFormat();
    ASSERT_EQ(waveOutOpen(&device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    std::vector<std::int16_t> ring = {1, 2, 3, 4, 5, 6};  // three frames
    WAVEHDR header{};
    header.lpData = reinterpret_cast<LPSTR>(ring.data());
    header.dwBufferLength = 12;
    header.dwFlags = WHDR_BEGINLOOP | WHDR_ENDLOOP;
    header.dwLoops = 0xFFFFFFFF;
    EXPECT_EQ(waveOutWrite(device, &header, sizeof(header)), WAVERR_UNPREPARED);
    ASSERT_EQ(waveOutPrepareHeader(device, &header, sizeof(header)), MMSYSERR_NOERROR);
    EXPECT_NE(header.dwFlags & WHDR_PREPARED, 0u);
    testing_audio::advanceAudio(2);  // nothing queued yet: silence, position unchanged
    EXPECT_EQ(PositionBytes(device), 0u);
    ASSERT_EQ(waveOutWrite(device, &header, sizeof(header)), MMSYSERR_NOERROR);
    testing_audio::clearRecordedAudio();
    testing_audio::advanceAudio(7);
    const std::vector<std::int16_t> expected = {1, 2, 3, 4, 5, 6, 1, 2, 3, 4, 5, 6, 1, 2};
    EXPECT_EQ(testing_audio::recordedAudio(), expected);
    EXPECT_EQ(PositionBytes(device), 28u);
    // Bytes rewritten while the buffer loops are heard when the device reaches them.
    ring[2] = 30;
    testing_audio::clearRecordedAudio();
    testing_audio::advanceAudio(2);
    EXPECT_EQ(testing_audio::recordedAudio(), (std::vector<std::int16_t>{30, 4, 5, 6}));
    EXPECT_EQ(waveOutUnprepareHeader(device, &header, sizeof(header)), WAVERR_STILLPLAYING);
    EXPECT_EQ(waveOutReset(device), MMSYSERR_NOERROR);
    EXPECT_EQ(PositionBytes(device), 0u);
    EXPECT_NE(header.dwFlags & WHDR_DONE, 0u);
    EXPECT_EQ(waveOutUnprepareHeader(device, &header, sizeof(header)), MMSYSERR_NOERROR);
    EXPECT_EQ(header.dwFlags & WHDR_PREPARED, 0u);
}

TEST_F(WaveOutTest, BufferWithoutLoopPlaysOnceThenSilence) {
    const WAVEFORMATEX format = StereoFormat();
    ASSERT_EQ(waveOutOpen(&device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    std::vector<std::int16_t> data = {7, 8};
    WAVEHDR header{};
    header.lpData = reinterpret_cast<LPSTR>(data.data());
    header.dwBufferLength = 4;
    ASSERT_EQ(waveOutPrepareHeader(device, &header, sizeof(header)), MMSYSERR_NOERROR);
    ASSERT_EQ(waveOutWrite(device, &header, sizeof(header)), MMSYSERR_NOERROR);
    testing_audio::advanceAudio(3);
    EXPECT_EQ(testing_audio::recordedAudio(), (std::vector<std::int16_t>{7, 8, 0, 0, 0, 0}));
    EXPECT_EQ(PositionBytes(device), 4u);
    EXPECT_NE(header.dwFlags & WHDR_DONE, 0u);
}

TEST_F(WaveOutTest, PausedDevicePlaysSilenceAndKeepsItsPosition) {
    const WAVEFORMATEX format = StereoFormat();
    ASSERT_EQ(waveOutOpen(&device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    std::vector<std::int16_t> data = {1, 2, 3, 4, 5, 6};
    WAVEHDR header{};
    header.lpData = reinterpret_cast<LPSTR>(data.data());
    header.dwBufferLength = 12;
    ASSERT_EQ(waveOutPrepareHeader(device, &header, sizeof(header)), MMSYSERR_NOERROR);
    ASSERT_EQ(waveOutWrite(device, &header, sizeof(header)), MMSYSERR_NOERROR);
    testing_audio::advanceAudio(1);
    ASSERT_EQ(waveOutPause(device), MMSYSERR_NOERROR);
    data[2] = 30;  // rewritten while paused: heard after the restart
    testing_audio::advanceAudio(1);
    EXPECT_EQ(PositionBytes(device), 4u);
    ASSERT_EQ(waveOutRestart(device), MMSYSERR_NOERROR);
    testing_audio::advanceAudio(1);
    EXPECT_EQ(testing_audio::recordedAudio(), (std::vector<std::int16_t>{1, 2, 0, 0, 30, 4}));
    EXPECT_NE(waveOutPause(nullptr), MMSYSERR_NOERROR);
    EXPECT_NE(waveOutRestart(nullptr), MMSYSERR_NOERROR);
    (void)waveOutReset(device);  // the header, still queued, lives on this stack: out before it goes
}

TEST_F(WaveOutTest, CallsOnAClosedOrMissingHandleFail) {
    MMTIME time{};
    EXPECT_NE(waveOutGetPosition(nullptr, &time, sizeof(time)), MMSYSERR_NOERROR);
    EXPECT_NE(waveOutReset(nullptr), MMSYSERR_NOERROR);
    EXPECT_NE(waveOutClose(nullptr), MMSYSERR_NOERROR);
}

namespace {
std::atomic<int> threadRuns{0};
DWORD CountRun(LPVOID parameter) {
    threadRuns.fetch_add(*static_cast<int*>(parameter));
    return 0;
}
}  // namespace

TEST(Threads, CreateThreadRunsTheRoutineWithItsParameter) {
    int amount = 5;
    HANDLE thread = CreateThread(nullptr, 0, CountRun, &amount, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(SetThreadPriority(thread, THREAD_PRIORITY_TIME_CRITICAL), TRUE);
    while (veskar::platform::runningThreadCount() != 0)
        Sleep(1);
    EXPECT_EQ(threadRuns.load(), 5);
    EXPECT_EQ(CloseHandle(thread), TRUE);
    EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
}
