// The one-shot sound on the test backend: played once over the music or alone, resampled to the
// device, cut off by the next one, refused when malformed; and the music's ring untouched by it.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "platform/Platform.h"
#include "platform/testing/TestAudio.h"
#include "tests/platform/WaveBuilder.h"

namespace testing_audio = veskar::platform::testing;
using veskar::testing::pcmImage;

namespace {

inline constexpr UINT PLAY = SND_ASYNC | SND_NODEFAULT | SND_MEMORY;

BOOL play(const std::vector<std::uint8_t>& image, UINT flags = PLAY) {
    return sndPlaySoundA(reinterpret_cast<LPCSTR>(image.data()), flags);
}

// A mono 8-bit image holding `frames` samples of one level (128 is silence).
std::vector<std::uint8_t> constantSound(std::uint32_t rate, std::size_t frames, std::uint8_t level) {
    return pcmImage(1, rate, 8, std::vector<std::uint8_t>(frames, level));
}

// The frames of a recording from `from` on, `count` frames long, as (left, right) values.
std::vector<std::int16_t> frames(const std::vector<std::int16_t>& recording, std::size_t from,
                                 std::size_t count) {
    const auto start = recording.begin() + static_cast<std::ptrdiff_t>(from * 2);
    return {start, start + static_cast<std::ptrdiff_t>(count * 2)};
}

bool allEqual(const std::vector<std::int16_t>& values, std::int16_t expected) {
    return std::all_of(values.begin(), values.end(), [&](std::int16_t v) { return v == expected; });
}

// The wave output playing a looping ring of one constant value, as the music does.
struct RingMusic {
    explicit RingMusic(std::int16_t level) : ring(64, level) {
        WAVEFORMATEX format{WAVE_FORMAT_PCM, 2, 44100, 44100 * 4, 4, 16, 0};
        EXPECT_EQ(waveOutOpen(&device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
        header.lpData = reinterpret_cast<LPSTR>(ring.data());
        header.dwBufferLength = static_cast<DWORD>(ring.size() * 2);
        header.dwFlags = WHDR_BEGINLOOP | WHDR_ENDLOOP;
        header.dwLoops = 0xFFFFFFFF;
        (void)waveOutPrepareHeader(device, &header, sizeof header);
        (void)waveOutWrite(device, &header, sizeof header);
    }
    ~RingMusic() { (void)waveOutClose(device); }
    std::vector<std::int16_t> ring;
    WAVEHDR header{};
    HWAVEOUT device = nullptr;
};

class SoundPlayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing_audio::setAudioDeviceAvailable(true);
        testing_audio::clearRecordedAudio();
    }
    void TearDown() override {
        (void)sndPlaySoundA(nullptr, 0);  // with no music this closes the device
        testing_audio::setAudioDeviceAvailable(true);
        testing_audio::clearRecordedAudio();
    }
};

}  // namespace

TEST_F(SoundPlayTest, PlaysOnceWithoutMusicAtTheDeviceRate) {
    ASSERT_TRUE(play(constantSound(11025, 100, 128 + 64)));
    EXPECT_TRUE(testing_audio::audioDeviceOpen()) << "an effect alone opens the device";
    EXPECT_EQ(testing_audio::audioDeviceRate(), 44100);
    testing_audio::advanceAudio(1000);
    const std::vector<std::int16_t>& effects = testing_audio::recordedEffects();
    // 100 frames at 11025 Hz are 400 at 44100 Hz, on both sides; the last one slopes to silence.
    EXPECT_TRUE(allEqual(frames(effects, 0, 396), 64 * 256));
    EXPECT_TRUE(allEqual(frames(effects, 400, 600), 0)) << "played once";
    EXPECT_EQ(testing_audio::recordedAudio(), effects);
    EXPECT_TRUE(allEqual(testing_audio::recordedMusic(), 0));
}

TEST_F(SoundPlayTest, MixesOverTheMusicWithoutTouchingItAndSaturates) {
    RingMusic music(30000);
    ASSERT_TRUE(play(pcmImage(2, 44100, 16, {100, 0, 0x9C, 0xFF, 100, 0, 0x9C, 0xFF})));  // (100, -100) twice
    testing_audio::advanceAudio(4);
    EXPECT_EQ(testing_audio::recordedMusic(), std::vector<std::int16_t>(8, 30000));
    EXPECT_EQ(frames(testing_audio::recordedEffects(), 0, 2),
              (std::vector<std::int16_t>{100, -100, 100, -100}));
    EXPECT_EQ(frames(testing_audio::recordedAudio(), 0, 2),
              (std::vector<std::int16_t>{30100, 29900, 30100, 29900}));
    MMTIME time{TIME_BYTES, {}};
    (void)waveOutGetPosition(music.device, &time, sizeof time);
    EXPECT_EQ(time.u.cb, 16u) << "the ring's position counts only its own frames";
    testing_audio::clearRecordedAudio();
    ASSERT_TRUE(play(constantSound(44100, 10, 255)));
    testing_audio::advanceAudio(4);
    EXPECT_TRUE(allEqual(testing_audio::recordedAudio(), 32767)) << "the loudest sum stays at the top";
}

TEST_F(SoundPlayTest, ANewSoundCutsOffTheOneStillPlaying) {
    const std::vector<std::uint8_t> second = constantSound(44100, 4000, 128 - 20);
    ASSERT_TRUE(play(constantSound(44100, 4000, 128 + 100)));
    testing_audio::advanceAudio(1000);
    EXPECT_FALSE(play(second, PLAY | SND_NOSTOP)) << "unless told not to";
    ASSERT_TRUE(play(second));
    testing_audio::advanceAudio(1000);
    const std::vector<std::int16_t>& effects = testing_audio::recordedEffects();
    const std::vector<std::int16_t> handOver = frames(effects, 1000, 128);
    // The first fades out over a few milliseconds on top of the second, never jumping.
    for (std::size_t i = 2; i < handOver.size(); i += 2) {
        EXPECT_LE(handOver[i], handOver[i - 2]);
        EXPECT_LE(handOver[i - 2] - handOver[i], 256);
    }
    EXPECT_TRUE(allEqual(frames(effects, 1000 + 128, 872), -20 * 256)) << "then only the second sounds";
}

TEST_F(SoundPlayTest, MalformedImagesFlagsAndNoDevicePlayNothing) {
    std::vector<std::uint8_t> notWave = constantSound(11025, 50, 200);
    notWave[8] = 'X';
    EXPECT_FALSE(play(notWave));
    EXPECT_FALSE(play(constantSound(11025, 50, 200), SND_ASYNC)) << "only images in memory";
    EXPECT_FALSE(play(constantSound(11025, 50, 200), SND_MEMORY)) << "only asynchronous play";
    EXPECT_FALSE(play(constantSound(11025, 50, 200), PLAY | 0x0008)) << "no looping";
    EXPECT_FALSE(testing_audio::audioDeviceOpen());
    testing_audio::setAudioDeviceAvailable(false);
    EXPECT_FALSE(play(constantSound(11025, 50, 200)));
}

TEST_F(SoundPlayTest, ImageCutShortIsRefusedWithoutReadingPastIt) {
    const std::vector<std::uint8_t> image = constantSound(11025, 51, 200);
    for (std::size_t length = 8; length < image.size(); ++length) {
        // The header admits the cut, as a file that ended there would; the block ends with it.
        auto cut = std::make_unique<std::uint8_t[]>(length);
        std::copy(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(length), cut.get());
        for (int i = 0; i < 4; ++i) {
            cut[4 + i] = static_cast<std::uint8_t>((length - 8) >> (8 * i));
        }
        // 51 samples and the pad byte: only the cut that drops the pad byte alone leaves a sound.
        const bool played = sndPlaySoundA(reinterpret_cast<LPCSTR>(cut.get()), PLAY) != FALSE;
        EXPECT_EQ(played, length == image.size() - 1) << "cut at " << length;
    }
}
