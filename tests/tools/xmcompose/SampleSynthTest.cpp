// Sample synthesis: sizes, loop points, seamless loops, mirror-symmetric ping-pong loops,
// resolution, tuning and determinism.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "tools/xmcompose/SampleSynth.h"

namespace xmcompose {
namespace {

Source partial(double ratio, double amplitude, double decay = 0.0) {
    Source source;
    source.ratio = ratio;
    source.amplitude = amplitude;
    source.decay = decay;
    return source;
}

InstrumentDesign looped(LoopMode loop, int loopCycles) {
    InstrumentDesign design;
    design.cycle = 64;
    design.body = 512;
    design.attack = 0;
    design.loop = loop;
    design.loopCycles = loopCycles;
    design.sources = {partial(1, 1.0), partial(2.75, 0.5, 0.01), partial(3, 0.3)};
    Source fm;
    fm.kind = SourceKind::Fm;
    fm.modulator = 3.5;
    fm.index = 1.0;
    fm.amplitude = 0.4;
    fm.indexDecay = 0.02;
    design.sources.push_back(fm);
    return design;
}

int largestStep(const std::vector<int16_t>& frames) {
    int largest = 0;
    for (size_t i = 1; i < frames.size(); ++i)
        largest = std::max(largest, std::abs(frames[i] - frames[i - 1]));
    return largest;
}

TEST(SampleSynth, ForwardLoopCoversWholePeriodsAfterTheBody) {
    const SampleData sample = synthesiseSample(looped(LoopMode::Forward, 8));
    EXPECT_EQ(sample.frames.size(), 512u + 8 * 64);
    EXPECT_EQ(sample.loopStart, 512u);
    EXPECT_EQ(sample.loopLength, 8u * 64);
    EXPECT_EQ(sample.loop, LoopMode::Forward);
}

TEST(SampleSynth, ForwardLoopRepeatsExactly) {
    // Twice the loop period must hold the same loop twice over: every frequency is a whole number
    // of cycles per period and nothing changes after the loop start.
    const SampleData once = synthesiseSample(looped(LoopMode::Forward, 8));
    const SampleData twice = synthesiseSample(looped(LoopMode::Forward, 16));
    ASSERT_EQ(twice.frames.size(), once.frames.size() + 512);
    for (size_t i = 0; i < 512; ++i) {
        ASSERT_EQ(twice.frames[512 + i], once.frames[512 + i]) << i;
        ASSERT_EQ(twice.frames[1024 + i], once.frames[512 + i]) << i;
    }
}

TEST(SampleSynth, ForwardLoopJoinsWithoutAStep) {
    const SampleData sample = synthesiseSample(looped(LoopMode::Forward, 8));
    const std::vector<int16_t> loop(sample.frames.begin() + sample.loopStart, sample.frames.end());
    const int join = std::abs(loop.front() - loop.back());
    EXPECT_LE(join, largestStep(loop));
}

TEST(SampleSynth, PingPongLoopIsMirrorSymmetricAtItsStart) {
    InstrumentDesign design = looped(LoopMode::PingPong, 8);
    design.sources = {partial(1, 1.0), partial(2, 0.5), partial(1.0039, 0.7)};
    design.sources.push_back(looped(LoopMode::Forward, 8).sources.back());
    design.sources.back().indexDecay = 0.0;  // a steady index keeps the body symmetric too
    const SampleData sample = synthesiseSample(design);
    EXPECT_EQ(sample.loop, LoopMode::PingPong);
    EXPECT_EQ(sample.loopStart, 512u);
    EXPECT_EQ(sample.loopLength, 8u * 64 / 2);
    ASSERT_EQ(sample.frames.size(), 512u + 256);
    for (size_t k = 1; k < 256; ++k) {
        ASSERT_NEAR(sample.frames[512 + k], sample.frames[512 - k], 1) << k;  // cos(2pi - x) may round apart
    }
}

TEST(SampleSynth, OneShotEndsInSilence) {
    InstrumentDesign design;
    design.body = 3000;
    design.release = 100;
    design.bits = 8;
    Source noise;
    noise.kind = SourceKind::Noise;
    noise.decay = 1.0;
    design.sources = {noise};
    const SampleData sample = synthesiseSample(design);
    EXPECT_EQ(sample.frames.size(), 3000u);
    EXPECT_EQ(sample.loopLength, 0u);
    EXPECT_EQ(sample.loopStart, 0u);
    EXPECT_EQ(sample.frames.back(), 0);
    EXPECT_EQ(sample.frames.front(), 0);  // the attack starts from silence
}

TEST(SampleSynth, PeakIsNormalisedToTheResolution) {
    InstrumentDesign design = looped(LoopMode::Forward, 4);
    design.bits = 8;
    const SampleData eight = synthesiseSample(design);
    const auto [low8, high8] = std::minmax_element(eight.frames.begin(), eight.frames.end());
    EXPECT_EQ(std::max<int>(-*low8, *high8), 123);  // 0.97 of 127
    design.bits = 16;
    const SampleData sixteen = synthesiseSample(design);
    const auto [low16, high16] = std::minmax_element(sixteen.frames.begin(), sixteen.frames.end());
    EXPECT_EQ(std::max<int>(-*low16, *high16), 31784);  // 0.97 of 32767
}

TEST(SampleSynth, SameRecipeSameFramesAndSeedsMatter) {
    InstrumentDesign design;
    design.body = 2000;
    Source pluck;
    pluck.kind = SourceKind::Pluck;
    pluck.decay = 0.5;
    pluck.lowpass = 0.4;
    design.sources = {pluck};
    const SampleData first = synthesiseSample(design);
    EXPECT_EQ(synthesiseSample(design).frames, first.frames);
    design.sources[0].seed = 2;
    EXPECT_NE(synthesiseSample(design).frames, first.frames);
}

TEST(SampleSynth, SweepFallsToTheFundamental) {
    InstrumentDesign design;
    design.cycle = 100;
    design.body = 20000;
    design.release = 0;
    Source sweep;
    sweep.kind = SourceKind::Sweep;
    sweep.ratio = 4.0;
    sweep.drop = 0.01;
    design.sources = {sweep};
    const SampleData sample = synthesiseSample(design);
    auto crossings = [&](size_t from, size_t count) {
        int result = 0;
        for (size_t i = from + 1; i < from + count; ++i)
            result += (sample.frames[i - 1] < 0) != (sample.frames[i] < 0);
        return result;
    };
    EXPECT_GE(crossings(0, 200), 9);             // three to four times faster at first
    EXPECT_NEAR(crossings(15000, 1000), 20, 1);  // then two crossings per 100-frame period
}

TEST(SampleSynth, TuningPutsMiddleCOnC4) {
    for (const int cycle : {32, 64, 128, 256}) {
        int relativeNote = 0;
        int finetune = 0;
        tuneSample(cycle, 0, relativeNote, finetune);
        EXPECT_GE(finetune, 0);
        EXPECT_LT(finetune, 128);
        const double hz = C4_RATE_HZ * std::exp2((relativeNote + finetune / 128.0) / 12.0) / cycle;
        EXPECT_NEAR(hz, MIDDLE_C_HZ, MIDDLE_C_HZ * 0.0003) << cycle;
    }
    int relativeNote = 0;
    int finetune = 0;
    tuneSample(64, 0, relativeNote, finetune);
    EXPECT_EQ(relativeNote, 12);
    EXPECT_EQ(finetune, 2);
    tuneSample(64, -24, relativeNote, finetune);
    EXPECT_EQ(relativeNote, -12);
    EXPECT_EQ(finetune, 2);
}

}  // namespace
}  // namespace xmcompose
