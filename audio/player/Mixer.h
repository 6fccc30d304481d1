// The software mixer: renders voices 0..63 into interleaved stereo float frames with linear
// interpolation, loops and click-free gain ramps, and converts float frames to 16-bit PCM.
#pragma once

#include <cstdint>

struct Sample;

// Frames of a gain ramp at the current output rate (128 at 44100 Hz).
[[nodiscard]] std::int32_t RampLength();

// Voice segments the mixer has rendered or set back into their loop since the process started: its
// unit of work besides frames. Each MixVoices call of N frames adds at most 2 x (N + 1) per voice.
[[nodiscard]] std::uint64_t MixedSegments();

// Sets the ramp constants for outputRate (frames per second, > 0) and clears all voices, giving each
// its index and the forward direction. Called when the output opens.
void ResetMixer(std::int32_t outputRate);

// Clears all voices (index kept, direction forward): nothing plays and no voice refers to a sample.
void SilenceVoices();

// Repeats a forward loop of fewer than 4096 frames into sample.laps, so that a voice crosses the loop's
// end once in many laps, not at every lap; leaves laps empty for any other sample. For a loaded sample
// (its frames and loop guard frame in place), before it plays.
void PrepareLaps(Sample& sample);

// Adds frameCount stereo frames (two floats each, first then second channel) of all active voices
// 0..63 into destination, which the caller has cleared. Nothing happens for frameCount < 1.
void MixVoices(float* destination, std::int32_t frameCount);

// Writes 2 x frameCount 16-bit values: each float rounded to nearest (ties to even) and saturated to
// -32768..32767. Nothing happens when frameCount <= 0 or a pointer is null.
void ConvertToPcm(std::int16_t* pcmDestination, const float* floatSource, std::int32_t frameCount);
