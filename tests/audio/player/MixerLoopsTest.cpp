// Every kind of inner loop the processor has (portable, AVX2, AVX-512) renders the very same samples
// as the portable loops: steady voices and ramps of every shape - from and to silence, across
// binades of the gain, going down, from odd gains, with loop ends inside and in the laps of a short
// loop - at steps below and above four frames, forward and backward, and stretches that end near the
// end of the sample's data; and ramps met again, which the widest loops take from their cache.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "audio/player/Mixer.h"
#include "audio/player/Module.h"
#include "audio/player/Voice.h"
#include "audio/player/VoiceRender.h"

namespace {

struct VoiceCase {
    const char* name;
    std::uint8_t loopType;
    std::uint32_t length;  // frames of the sample
    std::uint32_t loopStart, loopLength;
    double step;
    std::uint32_t startFrame;
    std::int32_t direction;
    std::int32_t firstGain, secondGain;  // x 256, where the ramp starts
    std::int32_t firstTarget, secondTarget;
    std::int32_t rate;
    std::int32_t frames;  // mixed, in blocks of 333 frames
};

const VoiceCase CASES[] = {
    {"steady, slow", LOOP_FORWARD, 20000, 1000, 15000, 0.37, 5, DIRECTION_FORWARD, 90 * 256, 30 * 256, 90, 30,
     44100, 3000},
    {"steady, fast (gathered)", LOOP_FORWARD, 20000, 1000, 15000, 5.71, 5, DIRECTION_FORWARD, 90 * 256,
     30 * 256, 90, 30, 44100, 3000},
    {"fade in from silence", LOOP_FORWARD, 20000, 1000, 15000, 1.31, 0, DIRECTION_FORWARD, 0, 0, 127, 64,
     44100, 600},
    {"fade out to silence", LOOP_FORWARD, 20000, 1000, 15000, 0.93, 0, DIRECTION_FORWARD, 127 * 256, 64 * 256,
     0, 0, 44100, 600},
    {"small slide", LOOP_FORWARD, 20000, 1000, 15000, 1.0, 7, DIRECTION_FORWARD, 100 * 256, 20 * 256, 97, 23,
     44100, 600},
    {"odd start gains", LOOP_FORWARD, 20000, 1000, 15000, 2.2, 7, DIRECTION_FORWARD, 25713, 1111, 3, 126,
     48000, 600},
    {"ramp at 96 kHz", LOOP_FORWARD, 20000, 1000, 15000, 0.5, 7, DIRECTION_FORWARD, 5000, 30000, 120, 2,
     96000, 900},
    {"ramp at 8 kHz", LOOP_FORWARD, 20000, 1000, 15000, 3.3, 7, DIRECTION_FORWARD, 30000, 5000, 2, 120, 8000,
     300},
    {"ramp backward in a ping-pong loop", LOOP_PINGPONG, 4000, 100, 3000, 1.7, 2500, DIRECTION_BACKWARD, 0,
     100 * 256, 127, 0, 44100, 1200},
    {"ramp across short ping-pong turns", LOOP_PINGPONG, 64, 16, 32, 2.9, 20, DIRECTION_FORWARD, 10 * 256, 0,
     110, 90, 44100, 800},
    {"ramp through the laps of a short loop", LOOP_FORWARD, 64, 16, 16, 2.45, 20, DIRECTION_FORWARD, 10 * 256,
     0, 110, 90, 44100, 800},
    {"ramp through the laps at a slow step", LOOP_FORWARD, 64, 8, 24, 0.61, 9, DIRECTION_FORWARD, 120 * 256,
     3 * 256, 1, 127, 48000, 800},
    {"one shot to its end", LOOP_NONE, 700, 0, 700, 1.13, 0, DIRECTION_FORWARD, 0, 0, 127, 127, 44100, 1000},
    {"one shot ending at a fast step", LOOP_NONE, 700, 0, 700, 6.5, 0, DIRECTION_FORWARD, 0, 0, 100, 50,
     44100, 400},
};

Sample MakeSample(const VoiceCase& test) {
    Sample sample;
    sample.length = test.length;
    sample.data.resize(std::size_t{test.length} + SAMPLE_GUARD_FRAMES, 0);
    std::mt19937 random(test.length * 31 + test.loopLength);
    for (std::uint32_t frame = 0; frame < test.length; ++frame) {
        sample.data[frame] = static_cast<std::int16_t>(static_cast<std::int32_t>(random() % 65536) - 32768);
    }
    sample.loopType = test.loopType;
    sample.loopStart = test.loopStart;
    sample.loopLength = test.loopLength;
    const std::uint32_t loopEnd = test.loopStart + test.loopLength;
    if (test.loopType == LOOP_FORWARD) {
        sample.data[loopEnd] = sample.data[test.loopStart];
    }
    if (test.loopType == LOOP_PINGPONG) {
        sample.data[loopEnd] = sample.data[loopEnd - 1];
    }
    PrepareLaps(sample);
    return sample;
}

std::vector<float> Render(const VoiceCase& test, const Sample& sample, std::int32_t block = 333) {
    ResetMixer(test.rate);
    Voice& voice = Voices()[0];
    voice.sample = &sample;
    voice.stepInteger = static_cast<std::uint32_t>(test.step);
    voice.stepFraction = static_cast<std::uint32_t>((test.step - std::floor(test.step)) * 4294967296.0);
    voice.position = test.startFrame;
    voice.fraction = 0x12345678u;
    voice.direction = test.direction;
    voice.firstGain = test.firstGain;
    voice.secondGain = test.secondGain;
    voice.firstGainTarget = test.firstTarget;
    voice.secondGainTarget = test.secondTarget;
    std::vector<float> out(static_cast<std::size_t>(test.frames) * 2, 0.25f);
    for (std::int32_t done = 0; done < test.frames; done += block) {
        MixVoices(out.data() + 2 * done, std::min(block, test.frames - done));
    }
    return out;
}

bool SameBits(const std::vector<float>& a, const std::vector<float>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

void BackToTheWidest() {
    EXPECT_TRUE(UseMixerLoops(MixerLoops::Avx512) || UseMixerLoops(MixerLoops::Avx2) ||
                UseMixerLoops(MixerLoops::Portable));
}

TEST(MixerLoops, EveryKindRendersWhatThePortableLoopsRender) {
    for (const VoiceCase& test : CASES) {
        SCOPED_TRACE(test.name);
        const Sample sample = MakeSample(test);
        ASSERT_TRUE(UseMixerLoops(MixerLoops::Portable));
        const std::vector<float> portable = Render(test, sample);
        bool sounds = false;
        for (const float value : portable) {
            sounds = sounds || value != 0.25f;
        }
        EXPECT_TRUE(sounds);
        for (const MixerLoops loops : {MixerLoops::Avx2, MixerLoops::Avx512}) {
            if (UseMixerLoops(loops)) {
                EXPECT_TRUE(SameBits(Render(test, sample), portable)) << static_cast<int>(loops);
            }
        }
    }
    BackToTheWidest();
}

// Ramps from many start gains to many targets, the way a song's envelopes and slides make them.
TEST(MixerLoops, RampsFromEveryKindOfStartAgree) {
    VoiceCase test = CASES[4];
    const Sample sample = MakeSample(test);
    test.frames = 200;
    int compared = 0;
    for (std::int32_t start = 0; start <= 127 * 256; start += 1237) {
        for (std::int32_t target = 0; target <= 127; target += 9) {
            test.firstGain = start;
            test.secondGain = 127 * 256 - start;
            test.firstTarget = target;
            test.secondTarget = 127 - target;
            ASSERT_TRUE(UseMixerLoops(MixerLoops::Portable));
            const std::vector<float> portable = Render(test, sample);
            for (const MixerLoops loops : {MixerLoops::Avx2, MixerLoops::Avx512}) {
                if (!UseMixerLoops(loops)) {
                    continue;
                }
                EXPECT_TRUE(SameBits(Render(test, sample), portable)) << start << " to " << target;
                ++compared;
            }
        }
    }
    BackToTheWidest();
    if (compared == 0) {
        GTEST_SKIP() << "this processor has only the portable loops";
    }
}

// A ramp met again (another voice of a chord, the same volume later in the song) renders as it did
// the first time, whole or cut short by a block's end, and after other ramps came in between.
TEST(MixerLoops, RampsMetAgainAgree) {
    VoiceCase otherFadeIn = CASES[2];  // from the same gains with other ramps
    otherFadeIn.name = "another fade in from silence";
    otherFadeIn.firstTarget = 100;
    otherFadeIn.secondTarget = 20;
    const VoiceCase ramps[] = {CASES[2], otherFadeIn, CASES[3], CASES[5], CASES[6], CASES[7]};
    int compared = 0;
    for (int round = 0; round < 3; ++round) {
        for (const VoiceCase& test : ramps) {
            for (const std::int32_t block : {333, 50, 128, 7}) {
                SCOPED_TRACE(testing::Message()
                             << test.name << ", blocks of " << block << ", round " << round);
                const Sample sample = MakeSample(test);
                ASSERT_TRUE(UseMixerLoops(MixerLoops::Portable));
                const std::vector<float> portable = Render(test, sample, block);
                for (const MixerLoops loops : {MixerLoops::Avx2, MixerLoops::Avx512}) {
                    if (UseMixerLoops(loops)) {
                        EXPECT_TRUE(SameBits(Render(test, sample, block), portable))
                            << static_cast<int>(loops);
                        ++compared;
                    }
                }
            }
        }
    }
    BackToTheWidest();
    if (compared == 0) {
        GTEST_SKIP() << "this processor has only the portable loops";
    }
}

TEST(MixerLoops, OnlyLoopsTheProcessorHasCanBeChosen) {
    EXPECT_TRUE(UseMixerLoops(MixerLoops::Portable));
    const bool avx2 = UseMixerLoops(MixerLoops::Avx2);
    const bool avx512 = UseMixerLoops(MixerLoops::Avx512);
    // A processor with AVX-512 has AVX2 as well.
    EXPECT_TRUE(!avx512 || avx2);
    BackToTheWidest();
}

}  // namespace
