// Ramped segments. A ramp with no rounding inside is worked out by the inner loops as they go. A
// voice in the laps of a short loop has its gains rounded at each loop end it crosses: its gains are
// worked out into a table first, a piece of up to TABLE_FRAMES frames at a time, one addition of the
// ramp after another with the rounding at each loop end, and the inner loop multiplies by them.
#include "audio/player/MixerRamp.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "audio/player/Voice.h"

namespace {

inline constexpr std::int32_t TABLE_FRAMES = 256;

// std::lround for the gains (|value| < 2^23): rounds half away from zero, without a library call.
std::int32_t RoundHalfAway(float value) {
    const auto truncated = static_cast<std::int32_t>(value);
    const float rest = value - static_cast<float>(truncated);  // exact below 2^23
    if (rest >= 0.5f) {
        return truncated + 1;
    }
    if (rest <= -0.5f) {
        return truncated - 1;
    }
    return truncated;
}

// Gains as the voice keeps them (x 256, 1.0 = 255 x 256) and as the loops use them (1.0 = 255).
float GainOf(std::int32_t gain) {
    return static_cast<float>(gain) / 256.0f / 255.0f;
}

std::int32_t RoundedGain(float gain) {
    return RoundHalfAway(gain * 255.0f * 256.0f);
}

// One piece of a ramped segment in the laps: its gains start from first and second; the ramps are
// added after each frame, and the gains are rounded at each loop end the piece crosses, except at its
// last frame when that ends the segment (lastOfSegment).
struct RampPiece {
    float first;
    float second;
    float firstRamp;
    float secondRamp;
    std::int32_t frames;
    std::uint64_t position;  // counted from the loop's start
    std::uint64_t step;
    std::uint64_t loopLength;
    bool lastOfSegment;
};

#if defined(__SSE2__)
// RoundedGain and GainOf of both channels at once: x 255 x 256 is one multiplication by 65280 (the
// second factor only scales), rounding half away from zero, and / 256 / 255 is one division.
__m128 RoundedGains(__m128 gains) {
    const __m128 scaled = _mm_mul_ps(gains, _mm_set1_ps(65280.0f));
    __m128i whole = _mm_cvttps_epi32(scaled);
    const __m128 rest = _mm_sub_ps(scaled, _mm_cvtepi32_ps(whole));
    whole = _mm_sub_epi32(whole, _mm_castps_si128(_mm_cmpge_ps(rest, _mm_set1_ps(0.5f))));
    whole = _mm_add_epi32(whole, _mm_castps_si128(_mm_cmple_ps(rest, _mm_set1_ps(-0.5f))));
    return _mm_div_ps(_mm_cvtepi32_ps(whole), _mm_set1_ps(65280.0f));
}

// The laps with SSE2: both channels' additions as one instruction, each pair stored as one.
void FillLaps(RampPiece& piece, float* pairs) {
    __m128 gains = _mm_setr_ps(piece.first, piece.second, 0.0f, 0.0f);
    const __m128 ramps = _mm_setr_ps(piece.firstRamp, piece.secondRamp, 0.0f, 0.0f);
    const std::uint64_t length = piece.loopLength;
    std::uint64_t position = piece.position;
    std::uint64_t loopEnd = (position / length + 1) * length;
    for (std::int32_t frame = 0; frame < piece.frames; ++frame) {
        _mm_storel_pi(reinterpret_cast<__m64*>(pairs + 2 * frame), gains);
        gains = _mm_add_ps(gains, ramps);
        position += piece.step;
        if (position < loopEnd) {
            continue;
        }
        loopEnd = position - loopEnd < length ? loopEnd + length : (position / length + 1) * length;
        if (frame + 1 < piece.frames || !piece.lastOfSegment) {
            gains = RoundedGains(gains);
        }
    }
    piece.first = _mm_cvtss_f32(gains);
    piece.second = _mm_cvtss_f32(_mm_shuffle_ps(gains, gains, 1));
}
#endif

// Fills pairs with the piece's gains and moves first and second on to the gains after it.
void FillPiece(RampPiece& piece, float* pairs) {
#if defined(__SSE2__)
    FillLaps(piece, pairs);
#else
    float first = piece.first;
    float second = piece.second;
    const std::uint64_t length = piece.loopLength;
    std::uint64_t position = piece.position;
    std::uint64_t loopEnd = (position / length + 1) * length;
    for (std::int32_t frame = 0; frame < piece.frames; ++frame) {
        pairs[2 * frame] = first;
        pairs[2 * frame + 1] = second;
        first += piece.firstRamp;
        second += piece.secondRamp;
        position += piece.step;
        if (position < loopEnd)
            continue;
        loopEnd = position - loopEnd < length ? loopEnd + length : (position / length + 1) * length;
        if (frame + 1 < piece.frames || !piece.lastOfSegment) {
            first = GainOf(RoundedGain(first));
            second = GainOf(RoundedGain(second));
        }
    }
    piece.first = first;
    piece.second = second;
#endif
}

// After a ramped segment: the gains are rounded where it ended, and set to the targets when the
// ramp is over.
void FinishRamp(Voice& voice, std::int32_t frames, float first, float second) {
    voice.firstGain = RoundedGain(first);
    voice.secondGain = RoundedGain(second);
    voice.rampFramesLeft -= frames;
    if (voice.rampFramesLeft == 0) {
        voice.firstRamp = 0.0f;
        voice.secondRamp = 0.0f;
        voice.firstGain = voice.firstGainTarget * 256;
        voice.secondGain = voice.secondGainTarget * 256;
    }
}

}  // namespace

void RenderRampedSegment(Voice& voice, const VoiceSpan& span, float* out, std::int32_t frames,
                         std::uint64_t loopLength) {
    RampChain chain{GainOf(voice.firstGain), GainOf(voice.secondGain), voice.firstRamp, voice.secondRamp};
    if (loopLength == 0) {
        RenderRampChain(span, out, frames, chain);
        FinishRamp(voice, frames, chain.first, chain.second);
        return;
    }
    alignas(64) float pairs[2 * TABLE_FRAMES];
    RampPiece piece{GainOf(voice.firstGain),
                    GainOf(voice.secondGain),
                    voice.firstRamp,
                    voice.secondRamp,
                    0,
                    span.position,
                    span.step,
                    loopLength,
                    false};
    VoiceSpan part = span;
    for (std::int32_t done = 0; done < frames; done += piece.frames) {
        piece.frames = std::min(frames - done, TABLE_FRAMES);
        piece.lastOfSegment = done + piece.frames == frames;
        FillPiece(piece, pairs);
        RenderRamped(part, out + 2 * done, piece.frames, pairs);
        const std::uint64_t moved = span.step * static_cast<std::uint64_t>(piece.frames);
        part.position = span.travel == Travel::Backward ? part.position - moved : part.position + moved;
        piece.position += moved;  // used in the laps only, where the voice moves forward
    }
    FinishRamp(voice, frames, piece.first, piece.second);
}
