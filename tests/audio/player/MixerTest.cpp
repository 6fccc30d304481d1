// The mixer against values derived by hand: interpolation, loops, ramps, the end of a sample, and the
// rounding and saturation of the conversion to 16 bits.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "audio/player/Mixer.h"
#include "audio/player/Module.h"
#include "audio/player/Voice.h"

namespace {

Sample MakeSample(const std::vector<std::int16_t>& frames, std::uint8_t loopType = LOOP_NONE,
                  std::uint32_t loopStart = 0, std::uint32_t loopLength = 0) {
    Sample sample;
    sample.length = static_cast<std::uint32_t>(frames.size());
    sample.data = frames;
    sample.data.resize(frames.size() + SAMPLE_GUARD_FRAMES, 0);
    sample.loopType = loopType;
    sample.loopStart = loopType == LOOP_NONE ? 0 : loopStart;
    sample.loopLength = loopType == LOOP_NONE ? sample.length : loopLength;
    const std::uint32_t loopEnd = sample.loopStart + sample.loopLength;
    if (loopType == LOOP_FORWARD)
        sample.data[loopEnd] = sample.data[sample.loopStart];
    if (loopType == LOOP_PINGPONG)
        sample.data[loopEnd] = sample.data[loopEnd - 1];
    return sample;
}

void SetStep(Voice& voice, double step) {
    voice.stepInteger = static_cast<std::uint32_t>(step);
    voice.stepFraction = static_cast<std::uint32_t>((step - std::floor(step)) * 4294967296.0);
}

// A voice playing sample at step frames per output frame with settled gains (no ramp pending).
Voice& SteadyVoice(const Sample& sample, double step, int firstGain, int secondGain, int index = 0) {
    ResetMixer(44100);
    Voice& voice = Voices()[index];
    voice.sample = &sample;
    SetStep(voice, step);
    voice.firstGainTarget = voice.lastFirstTarget = firstGain;
    voice.secondGainTarget = voice.lastSecondTarget = secondGain;
    voice.firstGain = firstGain * 256;
    voice.secondGain = secondGain * 256;
    return voice;
}

double Position(const Voice& voice) {
    return voice.position + voice.fraction / 4294967296.0;
}

std::vector<float> Mix(int frames) {
    std::vector<float> out(static_cast<std::size_t>(frames) * 2, 0.0f);
    MixVoices(out.data(), frames);
    return out;
}

}  // namespace

TEST(Mixer, RampLengthFollowsTheOutputRate) {
    ResetMixer(44100);
    EXPECT_EQ(RampLength(), 128);
    ResetMixer(48000);
    EXPECT_EQ(RampLength(), 139);
    ResetMixer(22050);
    EXPECT_EQ(RampLength(), 64);
}

TEST(Mixer, ResetClearsVoicesAndNumbersThem) {
    ResetMixer(44100);
    for (int index = 0; index < VOICE_COUNT; ++index) {
        EXPECT_EQ(Voices()[index].index, index);
        EXPECT_EQ(Voices()[index].direction, DIRECTION_FORWARD);
        EXPECT_EQ(Voices()[index].sample, nullptr);
    }
}

TEST(Mixer, InterpolatesHalfwayBetweenFrames) {
    const Sample sample = MakeSample({0, 1000, 3000, 3000});
    Voice& voice = SteadyVoice(sample, 0.0, 255, 0);
    voice.fraction = 0x80000000u;
    const std::vector<float> out = Mix(1);
    EXPECT_FLOAT_EQ(out[0], 500.0f);
    EXPECT_FLOAT_EQ(out[1], 0.0f);
}

TEST(Mixer, InterpolatesEveryFrameOfALongRun) {
    // Eight frames at a quarter step cover the four-frame loop and the remainder alike.
    std::vector<std::int16_t> frames;
    for (int index = 0; index < 16; ++index)
        frames.push_back(static_cast<std::int16_t>(index * index * 37 - 2000));
    const Sample sample = MakeSample(frames);
    SteadyVoice(sample, 0.25, 255, 51);
    const std::vector<float> out = Mix(11);
    for (int frame = 0; frame < 11; ++frame) {
        const int index = frame / 4;
        const float fraction = static_cast<float>(frame % 4) * 0.25f;
        const float expected =
            frames[index] + fraction * static_cast<float>(frames[index + 1] - frames[index]);
        EXPECT_FLOAT_EQ(out[frame * 2], expected) << frame;
        EXPECT_FLOAT_EQ(out[frame * 2 + 1], expected * (51.0f / 255.0f)) << frame;
    }
}

TEST(Mixer, AddsToWhatIsAlreadyThere) {
    const Sample sample = MakeSample({100, 100, 100, 100, 100, 100, 100, 100, 100, 100});
    SteadyVoice(sample, 1.0, 255, 255);
    std::vector<float> out(12, 7.0f);
    MixVoices(out.data(), 6);
    for (float value : out)
        EXPECT_FLOAT_EQ(value, 107.0f);
}

TEST(Mixer, NothingHappensForNoFrames) {
    const Sample sample = MakeSample({100, 100});
    Voice& voice = SteadyVoice(sample, 1.0, 255, 255);
    std::vector<float> out(2, 0.0f);
    MixVoices(out.data(), 0);
    EXPECT_EQ(out[0], 0.0f);
    EXPECT_EQ(voice.position, 0u);
}

TEST(Mixer, RampReachesTheTargetAfterExactlyRampLengthFrames) {
    std::vector<std::int16_t> frames(64, 1000);
    const Sample sample = MakeSample(frames, LOOP_FORWARD, 0, 64);
    Voice& voice = SteadyVoice(sample, 1.0, 0, 0);
    voice.firstGainTarget = 127;
    voice.secondGainTarget = 64;
    const std::vector<float> out = Mix(200);
    const float firstStep = 127.0f / 255.0f / 128.0f;
    for (int frame = 0; frame < 128; ++frame) {
        EXPECT_NEAR(out[frame * 2], 1000.0f * firstStep * frame, 0.01f) << frame;
    }
    for (int frame = 128; frame < 200; ++frame) {
        EXPECT_FLOAT_EQ(out[frame * 2], 1000.0f * (127.0f / 255.0f)) << frame;
        EXPECT_FLOAT_EQ(out[frame * 2 + 1], 1000.0f * (64.0f / 255.0f)) << frame;
    }
    EXPECT_EQ(voice.rampFramesLeft, 0);
    EXPECT_EQ(voice.firstGain, 127 * 256);
    EXPECT_EQ(voice.secondGain, 64 * 256);
}

TEST(Mixer, RampContinuesAcrossBlocks) {
    std::vector<std::int16_t> frames(64, 1000);
    const Sample sample = MakeSample(frames, LOOP_FORWARD, 0, 64);
    Voice& voice = SteadyVoice(sample, 1.0, 0, 0);
    voice.firstGainTarget = 100;
    (void)Mix(100);
    EXPECT_EQ(voice.rampFramesLeft, 28);
    const std::vector<float> out = Mix(40);
    EXPECT_LT(out[26 * 2], 1000.0f * 100.0f / 255.0f);
    EXPECT_FLOAT_EQ(out[28 * 2], 1000.0f * 100.0f / 255.0f);
    EXPECT_EQ(voice.rampFramesLeft, 0);
}

TEST(Mixer, NewTargetsMidRampStartANewFullRamp) {
    std::vector<std::int16_t> frames(64, 1000);
    const Sample sample = MakeSample(frames, LOOP_FORWARD, 0, 64);
    Voice& voice = SteadyVoice(sample, 1.0, 0, 0);
    voice.firstGainTarget = 100;
    (void)Mix(64);
    voice.firstGainTarget = 0;
    (void)Mix(127);
    EXPECT_EQ(voice.rampFramesLeft, 1);
    const std::vector<float> out = Mix(2);
    EXPECT_FLOAT_EQ(out[2], 0.0f);
    EXPECT_EQ(voice.firstGain, 0);
}

TEST(Mixer, ForwardLoopOfLengthOneAtThreeAndAHalfFramesPerStep) {
    const Sample sample = MakeSample({0, 100, 200, 300}, LOOP_FORWARD, 2, 1);
    Voice& voice = SteadyVoice(sample, 3.5, 255, 255);
    const std::vector<float> out = Mix(4);
    // Positions 0, 3.5 -> 2.5, 6.0 -> 2.0, 5.5 -> 2.5; the guard frame after the loop repeats frame 2.
    EXPECT_FLOAT_EQ(out[0], 0.0f);
    EXPECT_FLOAT_EQ(out[2], 200.0f);
    EXPECT_FLOAT_EQ(out[4], 200.0f);
    EXPECT_FLOAT_EQ(out[6], 200.0f);
    EXPECT_NEAR(Position(voice), 2.0, 1e-9);  // 2.5 + 3.5 = 6.0 -> 2.0
    EXPECT_NE(voice.sample, nullptr);
}

TEST(Mixer, PingPongLoopReversesAtBothEndsAndStaysInside) {
    const Sample sample = MakeSample({0, 100, 200, 300, 400, 500, 600, 700}, LOOP_PINGPONG, 2, 4);
    Voice& voice = SteadyVoice(sample, 1.0, 255, 0);
    const std::vector<float> out = Mix(20);
    // Forward 0..5, then back down from just below 6, then up again from just above 2.
    for (int frame = 0; frame < 6; ++frame)
        EXPECT_FLOAT_EQ(out[frame * 2], frame * 100.0f) << frame;
    EXPECT_NEAR(out[12], 500.0f, 0.01f);  // 6 - 2^-32 reads frame 5 and the guard frame (= frame 5)
    EXPECT_NEAR(out[14], 500.0f, 0.01f);  // 5 - 2^-32
    EXPECT_NEAR(out[16], 400.0f, 0.01f);
    EXPECT_NEAR(out[18], 300.0f, 0.01f);
    EXPECT_NEAR(out[20], 200.0f, 0.01f);
    EXPECT_GT(out[22], 200.0f);
    for (int frame = 6; frame < 20; ++frame) {
        EXPECT_GE(out[frame * 2], 199.0f) << frame;
        EXPECT_LE(out[frame * 2], 600.0f) << frame;
    }
    EXPECT_GE(Position(voice), 2.0);
    EXPECT_LT(Position(voice), 6.0);
}

TEST(Mixer, PingPongLoopShorterThanAStepStaysInside) {
    const Sample sample = MakeSample({0, 100, 200, 300, 400, 500, 600, 700}, LOOP_PINGPONG, 3, 1);
    Voice& voice = SteadyVoice(sample, 7.25, 255, 0);
    for (int block = 0; block < 50; ++block) {
        (void)Mix(7);
        ASSERT_GE(Position(voice), 3.0);
        ASSERT_LT(Position(voice), 4.0);
    }
}

TEST(Mixer, OneShotSampleStopsAfterItsLastFrame) {
    const Sample sample = MakeSample({100, 200, 300, 400});
    Voice& voice = SteadyVoice(sample, 1.0, 255, 0);
    const std::vector<float> out = Mix(8);
    EXPECT_FLOAT_EQ(out[0], 100.0f);
    EXPECT_FLOAT_EQ(out[6], 400.0f);
    for (int frame = 4; frame < 8; ++frame)
        EXPECT_EQ(out[frame * 2], 0.0f);
    EXPECT_EQ(voice.sample, nullptr);
    EXPECT_EQ(voice.position, 0u);
    EXPECT_EQ(voice.fraction, 0u);
}

TEST(Mixer, FrameAfterTheLastInterpolatesTowardSilence) {
    const Sample sample = MakeSample({100, 200, 300, 400});
    Voice& voice = SteadyVoice(sample, 0.5, 255, 0);
    const std::vector<float> out = Mix(10);
    EXPECT_FLOAT_EQ(out[6 * 2], 400.0f);
    EXPECT_FLOAT_EQ(out[7 * 2], 200.0f);  // halfway from 400 to the zero after the end
    EXPECT_EQ(out[8 * 2], 0.0f);
    EXPECT_EQ(voice.sample, nullptr);
}

TEST(Mixer, BackwardVoiceReadsDownwards) {
    std::vector<std::int16_t> frames;
    for (int index = 0; index < 32; ++index)
        frames.push_back(static_cast<std::int16_t>(index * 10));
    const Sample sample = MakeSample(frames, LOOP_PINGPONG, 0, 32);
    Voice& voice = SteadyVoice(sample, 1.5, 255, 0);
    voice.position = 20;
    voice.direction = DIRECTION_BACKWARD;
    const std::vector<float> out = Mix(9);
    for (int frame = 0; frame < 9; ++frame)
        EXPECT_FLOAT_EQ(out[frame * 2], (20.0f - 1.5f * frame) * 10.0f) << frame;
}

TEST(Mixer, SilentVoiceMovesOnWithoutSound) {
    std::vector<std::int16_t> frames(100, 1000);
    const Sample sample = MakeSample(frames);
    Voice& voice = SteadyVoice(sample, 2.0, 0, 0);
    const std::vector<float> out = Mix(10);
    for (float value : out)
        EXPECT_EQ(value, 0.0f);
    EXPECT_EQ(voice.position, 20u);
    (void)Mix(100);
    EXPECT_EQ(voice.sample, nullptr);
}

TEST(Mixer, OnlyVoicesBelow64AreRendered) {
    std::vector<std::int16_t> frames(100, 1000);
    const Sample sample = MakeSample(frames);
    SteadyVoice(sample, 1.0, 255, 255, 64);
    const std::vector<float> out = Mix(4);
    for (float value : out)
        EXPECT_EQ(value, 0.0f);
    EXPECT_EQ(Voices()[64].position, 0u);
}

TEST(Mixer, EmptySampleStopsTheVoice) {
    ResetMixer(44100);
    Voice& voice = Voices()[3];
    voice.sample = &EmptySample();
    SetStep(voice, 1.0);
    voice.firstGainTarget = 100;
    const std::vector<float> out = Mix(4);
    EXPECT_EQ(voice.sample, nullptr);
    for (float value : out)
        EXPECT_EQ(value, 0.0f);
}

TEST(ConvertToPcm, RoundsToNearestEvenAndSaturates) {
    const std::vector<float> source = {40000.0f, -40000.0f, 2.5f,      3.5f, -2.5f, 1.49f,
                                       -1.51f,   32767.4f,  -32768.6f, 0.5f, 1.5f};
    const std::vector<std::int16_t> expected = {32767, -32768, 2, 4, -2, 1, -2, 32767, -32768, 0, 2, 77};
    std::vector<std::int16_t> pcm(12, 77);
    ConvertToPcm(pcm.data(), source.data(), 5);  // 10 values: the last odd one stays untouched
    for (std::size_t index = 0; index < 10; ++index)
        EXPECT_EQ(pcm[index], expected[index]) << index;
    EXPECT_EQ(pcm[10], 77);
}

TEST(ConvertToPcm, DoesNothingWithoutFramesOrPointers) {
    std::vector<std::int16_t> pcm(4, 9);
    const std::vector<float> source(4, 1.0f);
    ConvertToPcm(pcm.data(), source.data(), 0);
    ConvertToPcm(nullptr, source.data(), 2);
    ConvertToPcm(pcm.data(), nullptr, 2);
    for (std::int16_t value : pcm)
        EXPECT_EQ(value, 9);
}
