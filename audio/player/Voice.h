// The mixer's voices: 256 records, of which the mixer renders 0..63. The replayer binds channel i to
// voice i or its partner i + 32 and sets their parameters between mixing calls (audio thread only).
#pragma once

#include <array>
#include <climits>
#include <cstdint>

struct Sample;

inline constexpr int VOICE_COUNT = 256;
inline constexpr int MIXED_VOICE_COUNT = 64;     // voices 0..63 are rendered
inline constexpr int PARTNER_VOICE_OFFSET = 32;  // voice i (0..31) hands over to i + 32 and back

// Directions of play.
inline constexpr std::int32_t DIRECTION_FORWARD = 1;
inline constexpr std::int32_t DIRECTION_BACKWARD = 2;  // ping-pong loops only

struct Voice {
    std::int32_t index = 0;             // the voice's own number
    std::int32_t volume = 0;            // 0..127
    std::int32_t panning = 0;           // 0..255: 0 left, 255 right
    std::uint32_t startOffset = 0;      // frame at which the next triggered note starts
    const Sample* sample = nullptr;     // none: idle, not rendered
    std::int32_t firstGainTarget = 0;   // volume x (255 - panning) / 255, gain of the first (left) sample
    std::int32_t secondGainTarget = 0;  // volume x panning / 255, gain of the second (right) sample
    std::uint32_t position = 0;         // integer frame index into the sample data
    std::uint32_t fraction = 0;         // fractional position, units of 2^-32
    std::uint32_t stepFraction = 0;     // fractional part of the step per output frame
    std::uint32_t stepInteger = 0;      // integer part of the step
    std::int32_t direction = DIRECTION_FORWARD;
    std::int32_t lastFirstTarget = 0;  // targets the current ramp was set up for
    std::int32_t lastSecondTarget = 0;
    std::int32_t firstGain = 0;  // current gains x 256 (0..127 x 256)
    std::int32_t secondGain = 0;
    float firstRamp = 0.0f;  // gain change per frame, 1.0 = gain 255
    float secondRamp = 0.0f;
    std::int32_t rampFramesLeft = 0;  // frames still to ramp
    // The last linear-frequency computation: its exponent in period units, and the frequency in Hz.
    std::int64_t linearExponentSteps = INT64_MIN;
    std::int64_t linearFrequency = 0;
};

// The process-wide voices. Cleared (index set, direction forward) when the output opens.
[[nodiscard]] std::array<Voice, VOICE_COUNT>& Voices();
