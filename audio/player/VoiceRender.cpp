// Tight per-frame loops of the mixer. Interpolation: s = s0 + (fraction >> 1) x 2^-31 x (s1 - s0),
// accumulated in single precision.
#include "audio/player/VoiceRender.h"

#include "audio/player/VoiceRenderWide.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

inline constexpr float FRACTION_SCALE = 1.0f / 2147483648.0f;  // 2^-31

// One interpolated frame at a 32.32 position.
inline float Interpolate(const std::int16_t* data, std::uint64_t position) {
    const std::int16_t* frame = data + static_cast<std::uint32_t>(position >> 32);
    const float s0 = frame[0];
    const float difference = static_cast<float>(frame[1] - frame[0]);
    // The fraction is halved so that it converts as a signed 32-bit value.
    const float fraction =
        static_cast<float>(static_cast<std::int32_t>(static_cast<std::uint32_t>(position) >> 1));
    return s0 + fraction * FRACTION_SCALE * difference;
}

template <bool Backward>
inline std::uint64_t Advance(std::uint64_t position, std::uint64_t step) {
    return Backward ? position - step : position + step;
}

#if defined(__SSE2__)
// Four frames at once: the same operations as Interpolate and the scalar loop, lane by lane, so the
// result is bit for bit the same. The fractions advance as 32-bit lanes: the low half of a 64-bit sum
// depends only on the low halves. lowGains and highGains hold the gains of frames 0, 1 and 2, 3 as
// (first, second) pairs.
template <bool Backward>
inline std::uint64_t RenderFour(const std::int16_t* data, std::uint64_t position, std::uint64_t step,
                                float* out, __m128i& fractions, __m128i fractionStep, __m128 lowGains,
                                __m128 highGains) {
    // Written out lane by lane so that the four loads stay in registers.
    const __m128i lane0 = _mm_loadu_si32(data + static_cast<std::uint32_t>(position >> 32));
    position = Advance<Backward>(position, step);
    const __m128i lane1 = _mm_loadu_si32(data + static_cast<std::uint32_t>(position >> 32));
    position = Advance<Backward>(position, step);
    const __m128i lane2 = _mm_loadu_si32(data + static_cast<std::uint32_t>(position >> 32));
    position = Advance<Backward>(position, step);
    const __m128i lane3 = _mm_loadu_si32(data + static_cast<std::uint32_t>(position >> 32));
    position = Advance<Backward>(position, step);
    const __m128i packed =
        _mm_unpacklo_epi64(_mm_unpacklo_epi32(lane0, lane1), _mm_unpacklo_epi32(lane2, lane3));
    const __m128i first = _mm_srai_epi32(_mm_slli_epi32(packed, 16), 16);  // data[i], sign-extended
    const __m128i second = _mm_srai_epi32(packed, 16);                     // data[i + 1]
    const __m128 s0 = _mm_cvtepi32_ps(first);
    const __m128 difference = _mm_cvtepi32_ps(_mm_sub_epi32(second, first));
    const __m128 fraction = _mm_cvtepi32_ps(_mm_srli_epi32(fractions, 1));
    fractions = Backward ? _mm_sub_epi32(fractions, fractionStep) : _mm_add_epi32(fractions, fractionStep);
    const __m128 s =
        _mm_add_ps(s0, _mm_mul_ps(_mm_mul_ps(fraction, _mm_set1_ps(FRACTION_SCALE)), difference));
    const __m128 low = _mm_mul_ps(_mm_unpacklo_ps(s, s), lowGains);
    const __m128 high = _mm_mul_ps(_mm_unpackhi_ps(s, s), highGains);
    _mm_storeu_ps(out, _mm_add_ps(_mm_loadu_ps(out), low));
    _mm_storeu_ps(out + 4, _mm_add_ps(_mm_loadu_ps(out + 4), high));
    return position;
}

// Fractions of the next four frames, and their advance per four frames, as 32-bit lanes.
template <bool Backward>
inline __m128i FirstFractions(std::uint64_t position, std::uint64_t step) {
    const auto base = static_cast<std::uint32_t>(position);
    const auto delta = static_cast<std::uint32_t>(step);
    const std::uint32_t lanes[4] = {base, Backward ? base - delta : base + delta,
                                    Backward ? base - 2 * delta : base + 2 * delta,
                                    Backward ? base - 3 * delta : base + 3 * delta};
    return _mm_setr_epi32(static_cast<std::int32_t>(lanes[0]), static_cast<std::int32_t>(lanes[1]),
                          static_cast<std::int32_t>(lanes[2]), static_cast<std::int32_t>(lanes[3]));
}

inline __m128i FractionStep(std::uint64_t step) {
    return _mm_set1_epi32(static_cast<std::int32_t>(static_cast<std::uint32_t>(step) * 4));
}
#endif

template <bool Backward>
std::uint64_t RenderConstant(const std::int16_t* __restrict data, std::uint64_t position, std::uint64_t step,
                             float* __restrict out, std::int32_t frames, const SegmentGains& gains) {
    const float first = gains.first;
    const float second = gains.second;
#if defined(__SSE2__)
    const __m128 firstSecond = _mm_setr_ps(first, second, first, second);
    __m128i fractions = FirstFractions<Backward>(position, step);
    const __m128i fractionStep = FractionStep(step);
    for (; frames >= 4; frames -= 4) {
        position = RenderFour<Backward>(data, position, step, out, fractions, fractionStep, firstSecond,
                                        firstSecond);
        out += 8;
    }
#endif
    std::int32_t pairs = frames >> 1;
    while (pairs-- > 0) {
        const std::uint64_t nextPosition = Advance<Backward>(position, step);
        const float a = Interpolate(data, position);
        const float b = Interpolate(data, nextPosition);
        out[0] += a * first;
        out[1] += a * second;
        out[2] += b * first;
        out[3] += b * second;
        out += 4;
        position = Advance<Backward>(nextPosition, step);
    }
    if ((frames & 1) != 0) {
        const float a = Interpolate(data, position);
        out[0] += a * first;
        out[1] += a * second;
        position = Advance<Backward>(position, step);
    }
    return position;
}

// The gains follow the same chain of single-precision additions as the scalar loop (one addition per
// frame, first and second side by side in two lanes), so every frame gets the same gains.
template <bool Backward>
std::uint64_t RenderRamped(const std::int16_t* __restrict data, std::uint64_t position, std::uint64_t step,
                           float* __restrict out, std::int32_t frames, SegmentGains& gains) {
    float first = gains.first;
    float second = gains.second;
    const float firstRamp = gains.firstRamp;
    const float secondRamp = gains.secondRamp;
#if defined(__SSE2__)
    if (frames >= 4) {
        const __m128 ramp = _mm_setr_ps(firstRamp, secondRamp, 0.0f, 0.0f);
        __m128 gain = _mm_setr_ps(first, second, 0.0f, 0.0f);
        __m128i fractions = FirstFractions<Backward>(position, step);
        const __m128i fractionStep = FractionStep(step);
        for (; frames >= 4; frames -= 4) {
            const __m128 gain1 = _mm_add_ps(gain, ramp);
            const __m128 gain2 = _mm_add_ps(gain1, ramp);
            const __m128 gain3 = _mm_add_ps(gain2, ramp);
            position = RenderFour<Backward>(data, position, step, out, fractions, fractionStep,
                                            _mm_movelh_ps(gain, gain1), _mm_movelh_ps(gain2, gain3));
            gain = _mm_add_ps(gain3, ramp);
            out += 8;
        }
        first = _mm_cvtss_f32(gain);
        second = _mm_cvtss_f32(_mm_shuffle_ps(gain, gain, 1));
    }
#endif
    for (std::int32_t frame = 0; frame < frames; ++frame) {
        const float s = Interpolate(data, position);
        out[0] += s * first;
        out[1] += s * second;
        out += 2;
        first += firstRamp;
        second += secondRamp;
        position = Advance<Backward>(position, step);
    }
    gains.first = first;
    gains.second = second;
    return position;
}

}  // namespace

std::uint64_t RenderForward(const std::int16_t* data, std::uint64_t position, std::uint64_t step, float* out,
                            std::int32_t frames, SegmentGains& gains) {
    if (frames >= 8 && WideMixing())
        position = RenderWide(data, position, step, out, frames, gains, false);
    return RenderConstant<false>(data, position, step, out, frames, gains);
}

std::uint64_t RenderBackward(const std::int16_t* data, std::uint64_t position, std::uint64_t step, float* out,
                             std::int32_t frames, SegmentGains& gains) {
    if (frames >= 8 && WideMixing())
        position = RenderWide(data, position, step, out, frames, gains, true);
    return RenderConstant<true>(data, position, step, out, frames, gains);
}

std::uint64_t RenderForwardRamped(const std::int16_t* data, std::uint64_t position, std::uint64_t step,
                                  float* out, std::int32_t frames, SegmentGains& gains) {
    if (frames >= 8 && WideMixing())
        position = RenderWideRamped(data, position, step, out, frames, gains, false);
    return RenderRamped<false>(data, position, step, out, frames, gains);
}

std::uint64_t RenderBackwardRamped(const std::int16_t* data, std::uint64_t position, std::uint64_t step,
                                   float* out, std::int32_t frames, SegmentGains& gains) {
    if (frames >= 8 && WideMixing())
        position = RenderWideRamped(data, position, step, out, frames, gains, true);
    return RenderRamped<true>(data, position, step, out, frames, gains);
}
