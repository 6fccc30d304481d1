// The mixer: splits each voice's share of a block into segments that end at a loop boundary, a ramp's
// end or the block's end, renders each with the matching inner loop and handles the boundary.
#include "audio/player/Mixer.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "audio/player/Module.h"
#include "audio/player/Voice.h"
#include "audio/player/VoiceRender.h"

namespace {

inline constexpr std::int32_t RAMP_FRAMES_AT_44100 = 128;
inline constexpr std::uint64_t NO_BOUNDARY = ~std::uint64_t{0};

std::int32_t rampLength = RAMP_FRAMES_AT_44100;
float rampReciprocal = 1.0f / RAMP_FRAMES_AT_44100;

inline std::uint64_t Position(const Voice& voice) {
    return (std::uint64_t{voice.position} << 32) | voice.fraction;
}
inline std::uint64_t Step(const Voice& voice) {
    return (std::uint64_t{voice.stepInteger} << 32) | voice.stepFraction;
}

inline void StorePosition(Voice& voice, std::uint64_t position) {
    voice.position = static_cast<std::uint32_t>(position >> 32);
    voice.fraction = static_cast<std::uint32_t>(position);
}

// Output frames until the voice passes its loop boundary (the end, for a sample without loop); 0 when
// it is already there, NO_BOUNDARY when it will not get there (a step of 0).
std::uint64_t FramesToBoundary(const Voice& voice, const Sample& sample) {
    const std::uint64_t position = Position(voice);
    const std::uint64_t step = Step(voice);
    const std::uint64_t loopStart = std::uint64_t{sample.loopStart} << 32;
    const std::uint64_t loopEnd = (std::uint64_t{sample.loopStart} + sample.loopLength) << 32;
    std::uint64_t distance = 0;
    if (voice.direction == DIRECTION_BACKWARD)
        distance = position > loopStart ? position - loopStart : 0;
    else
        distance = loopEnd > position ? loopEnd - position : 0;
    if (distance == 0)
        return 0;
    if ((distance >> 32) < (std::uint64_t{1} << 24)) {
        // Both reduced to 24.8 fixed point so that the quotient fits in 32 bits.
        const std::uint64_t reducedStep =
            (std::uint64_t{voice.stepInteger} << 24) + (voice.stepFraction >> 8);
        if (reducedStep == 0)
            return NO_BOUNDARY;
        const std::uint64_t reducedDistance = distance >> 8;
        return std::max<std::uint64_t>(1, (reducedDistance + reducedStep - 1) / reducedStep);
    }
    if (step == 0)
        return NO_BOUNDARY;
    return distance / step + (distance % step != 0 ? 1 : 0);
}

// Starts a ramp when the gain targets changed since the last set-up; returns the frames it has left.
std::int32_t SetUpRamp(Voice& voice) {
    if (voice.rampFramesLeft != 0 && voice.firstGainTarget == voice.lastFirstTarget &&
        voice.secondGainTarget == voice.lastSecondTarget) {
        return voice.rampFramesLeft;
    }
    voice.lastFirstTarget = voice.firstGainTarget;
    voice.lastSecondTarget = voice.secondGainTarget;
    const std::int32_t firstChange = voice.firstGainTarget - voice.firstGain / 256;
    const std::int32_t secondChange = voice.secondGainTarget - voice.secondGain / 256;
    voice.firstRamp = static_cast<float>(firstChange) / 255.0f * rampReciprocal;
    voice.secondRamp = static_cast<float>(secondChange) / 255.0f * rampReciprocal;
    voice.rampFramesLeft = (firstChange != 0 || secondChange != 0) ? rampLength : 0;
    if (voice.rampFramesLeft == 0) {
        voice.firstGain = voice.firstGainTarget * 256;
        voice.secondGain = voice.secondGainTarget * 256;
    }
    return voice.rampFramesLeft;
}

void RenderRampedSegment(Voice& voice, const std::int16_t* data, float* out, std::int32_t frames) {
    SegmentGains gains{static_cast<float>(voice.firstGain) / 256.0f / 255.0f,
                       static_cast<float>(voice.secondGain) / 256.0f / 255.0f, voice.firstRamp,
                       voice.secondRamp};
    const std::uint64_t start = Position(voice);
    const std::uint64_t end = voice.direction == DIRECTION_BACKWARD
                                  ? RenderBackwardRamped(data, start, Step(voice), out, frames, gains)
                                  : RenderForwardRamped(data, start, Step(voice), out, frames, gains);
    StorePosition(voice, end);
    voice.firstGain = static_cast<std::int32_t>(std::lround(gains.first * 255.0f * 256.0f));
    voice.secondGain = static_cast<std::int32_t>(std::lround(gains.second * 255.0f * 256.0f));
    voice.rampFramesLeft -= frames;
    if (voice.rampFramesLeft == 0) {
        voice.firstRamp = 0.0f;
        voice.secondRamp = 0.0f;
        voice.firstGain = voice.firstGainTarget * 256;
        voice.secondGain = voice.secondGainTarget * 256;
    }
}

void RenderSteadySegment(Voice& voice, const std::int16_t* data, float* out, std::int32_t frames) {
    const std::uint64_t start = Position(voice);
    const std::uint64_t step = Step(voice);
    const bool backward = voice.direction == DIRECTION_BACKWARD;
    if (voice.firstGainTarget == 0 && voice.secondGainTarget == 0) {
        // A silent voice (one handed over to its partner) only moves on.
        const std::uint64_t distance = step * static_cast<std::uint64_t>(frames);
        StorePosition(voice, backward ? start - distance : start + distance);
        return;
    }
    SegmentGains gains{static_cast<float>(voice.firstGainTarget) / 255.0f,
                       static_cast<float>(voice.secondGainTarget) / 255.0f, 0.0f, 0.0f};
    StorePosition(voice, backward ? RenderBackward(data, start, step, out, frames, gains)
                                  : RenderForward(data, start, step, out, frames, gains));
}

// Folds a ping-pong position (relative to the loop start, may lie outside the loop) back into the
// loop: the motion is periodic over twice the loop length. Used when two reflections do not suffice
// (a loop shorter than one step).
void FoldPingPong(Voice& voice, __int128 relative, std::uint64_t loopStart, std::uint64_t loopLength) {
    const __int128 period = static_cast<__int128>(loopLength) * 2;
    __int128 phase = relative % period;
    if (phase < 0)
        phase += period;
    if (phase < static_cast<__int128>(loopLength)) {
        voice.direction = DIRECTION_FORWARD;
        StorePosition(voice, loopStart + static_cast<std::uint64_t>(phase));
    } else {
        voice.direction = DIRECTION_BACKWARD;
        StorePosition(voice, loopStart + static_cast<std::uint64_t>(period - phase - 1));
    }
}

void ReflectPingPong(Voice& voice, std::uint64_t loopStart, std::uint64_t loopLength) {
    const __int128 length = loopLength;
    __int128 relative = static_cast<__int128>(Position(voice)) - loopStart;
    if (voice.direction == DIRECTION_BACKWARD) {
        relative = -relative - 1;  // reflect at the start, 2^-32 before the mirror point
        voice.direction = DIRECTION_FORWARD;
        if (relative >= length) {
            relative = 2 * length - relative - 1;
            voice.direction = DIRECTION_BACKWARD;
        }
    } else {
        relative = 2 * length - relative - 1;  // reflect at the end
        voice.direction = DIRECTION_BACKWARD;
        if (relative < 0) {
            relative = -relative - 1;
            voice.direction = DIRECTION_FORWARD;
        }
    }
    if (relative < 0 || relative >= length) {
        FoldPingPong(voice, relative, loopStart, loopLength);
        return;
    }
    StorePosition(voice, loopStart + static_cast<std::uint64_t>(relative));
}

// Applies the loop at the boundary the voice has reached. False when the voice stopped.
bool PassBoundary(Voice& voice, const Sample& sample) {
    const std::uint64_t loopStart = std::uint64_t{sample.loopStart} << 32;
    const std::uint64_t loopLength = std::uint64_t{sample.loopLength} << 32;
    const std::uint64_t loopEnd = loopStart + loopLength;
    if (sample.loopType == LOOP_FORWARD && loopLength != 0) {
        // Repeated subtraction of the loop length, done at once.
        std::uint64_t position = Position(voice);
        if (position >= loopEnd)
            position -= ((position - loopEnd) / loopLength + 1) * loopLength;
        StorePosition(voice, position);
        voice.direction = DIRECTION_FORWARD;
        return true;
    }
    if (sample.loopType == LOOP_PINGPONG && loopLength != 0) {
        ReflectPingPong(voice, loopStart, loopLength);
        return true;
    }
    voice.position = 0;
    voice.fraction = 0;
    voice.sample = nullptr;
    return false;
}

// Renders frameCount frames of one voice.
void MixVoice(Voice& voice, float* out, std::int32_t frameCount) {
    std::int32_t remaining = frameCount;
    while (remaining > 0 && voice.sample != nullptr) {
        const Sample& sample = *voice.sample;
        if (sample.length == 0 || sample.data.size() < std::size_t{sample.length} + 2) {
            voice.sample = nullptr;  // nothing to play
            return;
        }
        std::int32_t frames = remaining;
        const std::uint64_t toBoundary = FramesToBoundary(voice, sample);
        bool atBoundary = false;
        if (toBoundary <= static_cast<std::uint64_t>(frames)) {
            frames = static_cast<std::int32_t>(toBoundary);
            atBoundary = true;
        }
        const std::int32_t rampLeft = SetUpRamp(voice);
        if (rampLeft != 0 && rampLeft < frames) {
            frames = rampLeft;
            atBoundary = false;
        }
        if (rampLeft != 0)
            RenderRampedSegment(voice, sample.data.data(), out, frames);
        else
            RenderSteadySegment(voice, sample.data.data(), out, frames);
        out += 2 * frames;
        remaining -= frames;
        if (atBoundary && !PassBoundary(voice, sample))
            return;
    }
}

}  // namespace

std::int32_t RampLength() {
    return rampLength;
}

void ResetMixer(std::int32_t outputRate) {
    rampLength = std::max<std::int32_t>(1, static_cast<std::int32_t>(std::int64_t{outputRate} * 128 / 44100));
    rampReciprocal = 1.0f / static_cast<float>(rampLength);
    SilenceVoices();
}

void SilenceVoices() {
    std::array<Voice, VOICE_COUNT>& voices = Voices();
    for (int index = 0; index < VOICE_COUNT; ++index) {
        voices[index] = Voice{};
        voices[index].index = index;
        voices[index].direction = DIRECTION_FORWARD;
    }
}

void MixVoices(float* destination, std::int32_t frameCount) {
    if (destination == nullptr || frameCount < 1)
        return;
    std::array<Voice, VOICE_COUNT>& voices = Voices();
    for (int index = 0; index < MIXED_VOICE_COUNT; ++index) {
        if (voices[index].sample != nullptr)
            MixVoice(voices[index], destination, frameCount);
    }
}

void ConvertToPcm(std::int16_t* pcmDestination, const float* floatSource, std::int32_t frameCount) {
    if (pcmDestination == nullptr || floatSource == nullptr || frameCount <= 0)
        return;
    const std::int32_t values = frameCount * 2;
    std::int32_t index = 0;
#if defined(__SSE2__)
    // Conversion rounds to nearest, ties to even (the default rounding mode); packing saturates.
    for (; index + 8 <= values; index += 8) {
        const __m128i low = _mm_cvtps_epi32(_mm_max_ps(
            _mm_min_ps(_mm_loadu_ps(floatSource + index), _mm_set1_ps(32767.0f)), _mm_set1_ps(-32768.0f)));
        const __m128i high = _mm_cvtps_epi32(
            _mm_max_ps(_mm_min_ps(_mm_loadu_ps(floatSource + index + 4), _mm_set1_ps(32767.0f)),
                       _mm_set1_ps(-32768.0f)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pcmDestination + index), _mm_packs_epi32(low, high));
    }
#endif
    // Adding and removing 1.5 x 2^23 rounds to the nearest integer, ties to even, in the float unit.
    constexpr float ROUNDING = 12582912.0f;
    for (; index < values; ++index) {
        const float clamped = std::clamp(floatSource[index], -32768.0f, 32767.0f);
        const float rounded = (clamped + ROUNDING) - ROUNDING;
        pcmDestination[index] = static_cast<std::int16_t>(static_cast<std::int32_t>(rounded));
    }
}
