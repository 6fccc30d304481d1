// The mixer's inner loops: one stretch of one voice with no loop boundary inside, added into the
// mix. Interpolation: s = s0 + (fraction >> 1) x 2^-31 x (s1 - s0), and each output sample gets
// out += s x gain, all in single precision and in this order, whichever loop renders it: the loops
// for wider vector units compute the very same operations lane by lane, so every processor renders
// the same samples.
#pragma once

#include <cstddef>
#include <cstdint>

enum class Travel { Forward, Backward };

// Where a voice reads: frames from position (32.32 fixed point), moving by step per frame. data is
// readable for readableFrames frames, and every frame's position + 1 lies within them.
struct VoiceSpan {
    const std::int16_t* data;
    std::size_t readableFrames;
    std::uint64_t position;
    std::uint64_t step;
    Travel travel;
};

// Adds frames frames into out (interleaved pairs: first, second channel), with the gains (1.0 =
// gain 255) the same for every frame.
void RenderSteady(const VoiceSpan& span, float* out, std::int32_t frames, float first, float second);

// The same with a gain pair of its own for each frame: gainPairs[2k] and gainPairs[2k + 1] for frame k.
void RenderRamped(const VoiceSpan& span, float* out, std::int32_t frames, const float* gainPairs);

// A ramp with no rounding inside: each frame's gains are the previous frame's plus the ramps.
struct RampChain {
    float first;  // gains of the next frame
    float second;
    float firstRamp;
    float secondRamp;
};

// Adds frames frames as RenderRamped does, working the gains out as it goes, and leaves the gains
// after the last frame in gains.
void RenderRampChain(const VoiceSpan& span, float* out, std::int32_t frames, RampChain& gains);

// The loops the processor can run, from the portable ones up.
enum class MixerLoops { Portable, Avx2, Avx512 };

// Chooses the loops the mixer renders with (the widest the processor has, by default). False, with
// nothing changed, when the processor or the build does not have them. For comparing them in tests.
[[nodiscard]] bool UseMixerLoops(MixerLoops loops);
