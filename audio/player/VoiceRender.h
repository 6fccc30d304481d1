// The mixer's inner loops: one segment of one voice, with no boundary inside it. Specialised by
// direction and by ramping so that no per-frame test remains; the position is 32.32 fixed point.
#pragma once

#include <cstdint>

struct SegmentGains {
    float first;  // gain of the first channel, 1.0 = gain 255
    float second;
    float firstRamp;  // added after each frame (ramped loops only)
    float secondRamp;
};

// Renders frames frames of data (signed 16-bit, readable at position + 1 of every frame) from
// position, adding into out; returns the position after the last frame. When ramped, gains holds the
// gains after the last frame on return.
std::uint64_t RenderForward(const std::int16_t* data, std::uint64_t position, std::uint64_t step, float* out,
                            std::int32_t frames, SegmentGains& gains);
std::uint64_t RenderBackward(const std::int16_t* data, std::uint64_t position, std::uint64_t step, float* out,
                             std::int32_t frames, SegmentGains& gains);
std::uint64_t RenderForwardRamped(const std::int16_t* data, std::uint64_t position, std::uint64_t step,
                                  float* out, std::int32_t frames, SegmentGains& gains);
std::uint64_t RenderBackwardRamped(const std::int16_t* data, std::uint64_t position, std::uint64_t step,
                                   float* out, std::int32_t frames, SegmentGains& gains);
