// Synthesis of an instrument's single sample from its recipe: additive partials, FM pairs,
// filtered noise, pitch sweeps and plucked strings, deterministic from the recipe alone.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/xmcompose/Song.h"

namespace xmcompose {

inline constexpr double MIDDLE_C_HZ = 261.6255653;
inline constexpr double C4_RATE_HZ = 8363.0;  // frames per second of an untuned sample at C-4

struct SampleData {
    std::vector<std::int16_t> frames;  // -128..127 for 8-bit samples, -32768..32767 for 16-bit
    int bits = 16;
    LoopMode loop = LoopMode::None;
    std::uint32_t loopStart = 0;   // frames
    std::uint32_t loopLength = 0;  // frames; 0 for a one-shot
    int relativeNote = 0;          // -96..95
    int finetune = 0;              // 0..127, 1/128 semitone
};

// Builds the sample of a validated recipe. With a loop, every frequency is rounded to a whole
// number of periods of the loop and all amplitudes hold still from the loop start on, so the loop
// joins without a step; a ping-pong loop covers half of that period, over which the cosine-phase
// waveform is mirror-symmetric. The peak is normalised to just under full scale.
[[nodiscard]] SampleData synthesiseSample(const InstrumentDesign& design);

// Relative note and finetune (1/128 semitone, 0..127) that make a waveform of `cycle` frames per
// period sound middle C at note C-4, plus `transpose` semitones.
void tuneSample(int cycle, int transpose, int& relativeNote, int& finetune);

}  // namespace xmcompose
