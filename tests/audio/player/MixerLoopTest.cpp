// Loops in the mixer: where a ping-pong voice turns for loop starts, lengths and steps of every kind
// (positions worked out by hand from the mirror rule), and bounded work for any voice state.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "audio/player/Mixer.h"
#include "audio/player/Module.h"
#include "audio/player/Voice.h"

namespace {

inline constexpr std::uint32_t JUST_BELOW = 0xFFFFFFFFu;  // fraction of a position 2^-32 below a frame

struct PingPongCase {
    const char* name;
    std::uint32_t loopStart, loopLength;     // frames
    double step;                             // frames per output frame
    std::uint32_t position, fraction;        // start
    std::int32_t direction;                  // start
    int frames;                              // mixed
    std::uint32_t endPosition, endFraction;  // expected
    std::int32_t endDirection;
};

// A mirror stands 2^-33 frames below each loop end: moving forward past the end E, p becomes
// 2E - p - 2^-32; moving backward below the start S, 2S - p - 2^-32; again while outside the loop.
const PingPongCase PING_PONG_CASES[] = {
    // 0, 1, 2, 3, then 4 reflects to 4 - 2^-32.
    {"end of a loop from frame 0", 0, 4, 1.0, 0, 0, DIRECTION_FORWARD, 4, 3, JUST_BELOW, DIRECTION_BACKWARD},
    // ... 4 - e, 3 - e, 2 - e, 1 - e, then -e (below frame 0) reflects to 0.
    {"start of a loop from frame 0", 0, 4, 1.0, 0, 0, DIRECTION_FORWARD, 8, 0, 0, DIRECTION_FORWARD},
    // Backward exactly on the start: frame 0 plays, then -1 reflects to 1 - e.
    {"backward on the start", 0, 4, 1.0, 0, 0, DIRECTION_BACKWARD, 1, 0, JUST_BELOW, DIRECTION_FORWARD},
    // 3, 2.5, then exactly 2 = S is still inside: no turn yet; the frame at 2 plays, 1.5 reflects.
    {"landing on the start", 2, 4, 0.5, 3, 0, DIRECTION_BACKWARD, 2, 2, 0, DIRECTION_BACKWARD},
    {"after landing on the start", 2, 4, 0.5, 3, 0, DIRECTION_BACKWARD, 3, 2, 0x7FFFFFFFu, DIRECTION_FORWARD},
    // 3.5 + 0.75 = 4.25 past E = 4: 8 - 4.25 - e = 3.75 - e.
    {"length three, quarter fractions", 1, 3, 0.75, 3, 0x80000000u, DIRECTION_FORWARD, 1, 3, 0xBFFFFFFFu,
     DIRECTION_BACKWARD},
    // 3.25 - 0.5 = 2.75 below S = 3: 6 - 2.75 - e = 3.25 - e.
    {"backward below the start", 3, 2, 0.5, 3, 0x40000000u, DIRECTION_BACKWARD, 1, 3, 0x3FFFFFFFu,
     DIRECTION_FORWARD},
    // 1 - 2.5 = -1.5 below S = 0: 1.5 - e.
    {"backward below frame 0", 0, 3, 2.5, 1, 0, DIRECTION_BACKWARD, 1, 1, 0x7FFFFFFFu, DIRECTION_FORWARD},
    // Step 10 over a loop 2..5: 12 -> -2 - e -> 6 -> 4 - e.
    {"step longer than the loop", 2, 3, 10.0, 2, 0, DIRECTION_FORWARD, 1, 3, JUST_BELOW, DIRECTION_BACKWARD},
    // Step 7 over a loop 0..3 from 0: 7 -> -1 - e -> 1 forward.
    {"step of two loops and more", 0, 3, 7.0, 0, 0, DIRECTION_FORWARD, 1, 1, 0, DIRECTION_FORWARD},
};

Sample PingPongSample(std::uint32_t loopStart, std::uint32_t loopLength) {
    Sample sample;
    sample.length = loopStart + loopLength + 2;
    sample.data.assign(sample.length + SAMPLE_GUARD_FRAMES, 1000);
    sample.loopType = LOOP_PINGPONG;
    sample.loopStart = loopStart;
    sample.loopLength = loopLength;
    return sample;
}

void SetStep(Voice& voice, double step) {
    voice.stepInteger = static_cast<std::uint32_t>(step);
    voice.stepFraction = static_cast<std::uint32_t>((step - std::floor(step)) * 4294967296.0);
}

}  // namespace

TEST(MixerLoop, PingPongTurnsAtTheMirrors) {
    for (const PingPongCase& test : PING_PONG_CASES) {
        SCOPED_TRACE(test.name);
        const Sample sample = PingPongSample(test.loopStart, test.loopLength);
        ResetMixer(44100);
        Voice& voice = Voices()[0];
        voice.sample = &sample;
        SetStep(voice, test.step);
        voice.position = test.position;
        voice.fraction = test.fraction;
        voice.direction = test.direction;
        std::vector<float> out(static_cast<std::size_t>(test.frames) * 2, 0.0f);
        MixVoices(out.data(), test.frames);
        EXPECT_EQ(voice.position, test.endPosition);
        EXPECT_EQ(voice.fraction, test.endFraction);
        EXPECT_EQ(voice.direction, test.endDirection);
    }
}

TEST(MixerLoop, AnyVoiceStateMixesInWorkBoundedByTheFrames) {
    std::mt19937 random(7);
    std::vector<Sample> samples(64);
    const std::uint8_t loopTypes[] = {0, LOOP_NONE, LOOP_FORWARD, LOOP_PINGPONG, 7};
    std::vector<float> out;
    for (int trial = 0; trial < 300; ++trial) {
        ResetMixer(44100);
        for (int index = 0; index < MIXED_VOICE_COUNT; ++index) {
            Sample& sample = samples[static_cast<std::size_t>(index)];
            sample.length = 1 + random() % 40;
            sample.data.assign(sample.length + SAMPLE_GUARD_FRAMES, static_cast<std::int16_t>(random()));
            sample.loopType = loopTypes[random() % 5];
            sample.loopStart = random() % 48;
            sample.loopLength = random() % 48;
            Voice& voice = Voices()[static_cast<std::size_t>(index)];
            voice.sample = &sample;
            // Steps from none through fractions of a frame to billions of frames.
            voice.stepInteger = random() % 3 == 0 ? static_cast<std::uint32_t>(random()) : random() % 4;
            voice.stepFraction = static_cast<std::uint32_t>(random());
            voice.position = random() % 2 == 0 ? static_cast<std::uint32_t>(random()) : random() % 50;
            voice.fraction = static_cast<std::uint32_t>(random());
            voice.direction = static_cast<std::int32_t>(random() % 4);
            voice.firstGainTarget = static_cast<std::int32_t>(random() % 256);
            voice.rampFramesLeft = static_cast<std::int32_t>(random() % 400) - 100;
        }
        const int frames = 1 + static_cast<int>(random() % 2000);
        out.assign(static_cast<std::size_t>(frames) * 2, 0.0f);
        const std::uint64_t segmentsBefore = MixedSegments();
        MixVoices(out.data(), frames);
        ASSERT_LE(MixedSegments() - segmentsBefore, 2u * (frames + 1u) * MIXED_VOICE_COUNT) << trial;
        for (const Voice& voice : Voices()) {
            if (voice.sample != nullptr) {
                ASSERT_LT(voice.position, voice.sample->length) << trial;
            }
        }
        for (float value : out) {
            ASSERT_TRUE(std::isfinite(value)) << trial;
        }
    }
}
