// The portable inner loops (four frames at a time with SSE2 where the build has it, else one by
// one) and the choice of loops for the processor at hand.
#include "audio/player/VoiceRender.h"

#include "audio/player/VoiceRender512.h"
#include "audio/player/VoiceRenderWide.h"

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

template <Travel Way>
inline std::uint64_t Advance(std::uint64_t position, std::uint64_t step) {
    return Way == Travel::Backward ? position - step : position + step;
}

#if defined(__SSE2__)
// Four frames at once: the same operations as Interpolate, lane by lane. The fractions advance as
// 32-bit lanes (the low half of a 64-bit sum depends only on the low halves). lowGains and
// highGains hold the gains of frames 0, 1 and 2, 3 as (first, second) pairs.
template <Travel Way>
inline std::uint64_t RenderFour(const std::int16_t* data, std::uint64_t position, std::uint64_t step,
                                float* out, __m128i& fractions, __m128i fractionStep, __m128 lowGains,
                                __m128 highGains) {
    // Written out lane by lane so that the four loads stay in registers.
    const __m128i lane0 = _mm_loadu_si32(data + static_cast<std::uint32_t>(position >> 32));
    position = Advance<Way>(position, step);
    const __m128i lane1 = _mm_loadu_si32(data + static_cast<std::uint32_t>(position >> 32));
    position = Advance<Way>(position, step);
    const __m128i lane2 = _mm_loadu_si32(data + static_cast<std::uint32_t>(position >> 32));
    position = Advance<Way>(position, step);
    const __m128i lane3 = _mm_loadu_si32(data + static_cast<std::uint32_t>(position >> 32));
    position = Advance<Way>(position, step);
    const __m128i packed =
        _mm_unpacklo_epi64(_mm_unpacklo_epi32(lane0, lane1), _mm_unpacklo_epi32(lane2, lane3));
    const __m128i first = _mm_srai_epi32(_mm_slli_epi32(packed, 16), 16);  // data[i], sign-extended
    const __m128i second = _mm_srai_epi32(packed, 16);                     // data[i + 1]
    const __m128 s0 = _mm_cvtepi32_ps(first);
    const __m128 difference = _mm_cvtepi32_ps(_mm_sub_epi32(second, first));
    const __m128 fraction = _mm_cvtepi32_ps(_mm_srli_epi32(fractions, 1));
    fractions = Way == Travel::Backward ? _mm_sub_epi32(fractions, fractionStep)
                                        : _mm_add_epi32(fractions, fractionStep);
    const __m128 s =
        _mm_add_ps(s0, _mm_mul_ps(_mm_mul_ps(fraction, _mm_set1_ps(FRACTION_SCALE)), difference));
    const __m128 low = _mm_mul_ps(_mm_unpacklo_ps(s, s), lowGains);
    const __m128 high = _mm_mul_ps(_mm_unpackhi_ps(s, s), highGains);
    _mm_storeu_ps(out, _mm_add_ps(_mm_loadu_ps(out), low));
    _mm_storeu_ps(out + 4, _mm_add_ps(_mm_loadu_ps(out + 4), high));
    return position;
}

// Fractions of the next four frames as 32-bit lanes.
template <Travel Way>
inline __m128i FirstFractions(std::uint64_t position, std::uint64_t step) {
    const auto base = static_cast<std::uint32_t>(position);
    const auto delta = static_cast<std::uint32_t>(Way == Travel::Backward ? 0 - step : step);
    return _mm_setr_epi32(static_cast<std::int32_t>(base), static_cast<std::int32_t>(base + delta),
                          static_cast<std::int32_t>(base + 2 * delta),
                          static_cast<std::int32_t>(base + 3 * delta));
}

inline __m128i FractionStep(std::uint64_t step) {
    return _mm_set1_epi32(static_cast<std::int32_t>(static_cast<std::uint32_t>(step) * 4));
}
#endif

template <Travel Way>
void SteadyLoop(const VoiceSpan& span, float* __restrict out, std::int32_t frames, float first,
                float second) {
    const std::int16_t* __restrict data = span.data;
    std::uint64_t position = span.position;
    const std::uint64_t step = span.step;
#if defined(__SSE2__)
    const __m128 firstSecond = _mm_setr_ps(first, second, first, second);
    __m128i fractions = FirstFractions<Way>(position, step);
    const __m128i fractionStep = FractionStep(step);
    for (; frames >= 4; frames -= 4) {
        position =
            RenderFour<Way>(data, position, step, out, fractions, fractionStep, firstSecond, firstSecond);
        out += 8;
    }
#endif
    for (; frames > 0; --frames) {
        const float s = Interpolate(data, position);
        out[0] += s * first;
        out[1] += s * second;
        out += 2;
        position = Advance<Way>(position, step);
    }
}

template <Travel Way>
void RampedLoop(const VoiceSpan& span, float* __restrict out, std::int32_t frames,
                const float* __restrict gainPairs) {
    const std::int16_t* __restrict data = span.data;
    std::uint64_t position = span.position;
    const std::uint64_t step = span.step;
    std::int32_t frame = 0;
#if defined(__SSE2__)
    __m128i fractions = FirstFractions<Way>(position, step);
    const __m128i fractionStep = FractionStep(step);
    for (; frame + 4 <= frames; frame += 4) {
        position =
            RenderFour<Way>(data, position, step, out, fractions, fractionStep,
                            _mm_loadu_ps(gainPairs + 2 * frame), _mm_loadu_ps(gainPairs + 2 * frame + 4));
        out += 8;
    }
#endif
    for (; frame < frames; ++frame) {
        const float s = Interpolate(data, position);
        out[0] += s * gainPairs[2 * frame];
        out[1] += s * gainPairs[2 * frame + 1];
        out += 2;
        position = Advance<Way>(position, step);
    }
}

// A ramp worked out as the loop goes: the gains of both channels side by side in two lanes, one
// addition per frame.
template <Travel Way>
void ChainLoop(const VoiceSpan& span, float* __restrict out, std::int32_t frames, RampChain& gains) {
    const std::int16_t* __restrict data = span.data;
    std::uint64_t position = span.position;
    const std::uint64_t step = span.step;
    float first = gains.first;
    float second = gains.second;
#if defined(__SSE2__)
    if (frames >= 4) {
        const __m128 ramp = _mm_setr_ps(gains.firstRamp, gains.secondRamp, 0.0f, 0.0f);
        __m128 gain = _mm_setr_ps(first, second, 0.0f, 0.0f);
        __m128i fractions = FirstFractions<Way>(position, step);
        const __m128i fractionStep = FractionStep(step);
        for (; frames >= 4; frames -= 4) {
            const __m128 gain1 = _mm_add_ps(gain, ramp);
            const __m128 gain2 = _mm_add_ps(gain1, ramp);
            const __m128 gain3 = _mm_add_ps(gain2, ramp);
            position = RenderFour<Way>(data, position, step, out, fractions, fractionStep,
                                       _mm_movelh_ps(gain, gain1), _mm_movelh_ps(gain2, gain3));
            gain = _mm_add_ps(gain3, ramp);
            out += 8;
        }
        first = _mm_cvtss_f32(gain);
        second = _mm_cvtss_f32(_mm_shuffle_ps(gain, gain, 1));
    }
#endif
    for (; frames > 0; --frames) {
        const float s = Interpolate(data, position);
        out[0] += s * first;
        out[1] += s * second;
        out += 2;
        first += gains.firstRamp;
        second += gains.secondRamp;
        position = Advance<Way>(position, step);
    }
    gains.first = first;
    gains.second = second;
}

void SteadyPortable(const VoiceSpan& span, float* out, std::int32_t frames, float first, float second) {
    if (span.travel == Travel::Backward) {
        SteadyLoop<Travel::Backward>(span, out, frames, first, second);
    } else {
        SteadyLoop<Travel::Forward>(span, out, frames, first, second);
    }
}

void RampedPortable(const VoiceSpan& span, float* out, std::int32_t frames, const float* gainPairs) {
    if (span.travel == Travel::Backward) {
        RampedLoop<Travel::Backward>(span, out, frames, gainPairs);
    } else {
        RampedLoop<Travel::Forward>(span, out, frames, gainPairs);
    }
}

void ChainPortable(const VoiceSpan& span, float* out, std::int32_t frames, RampChain& gains) {
    if (span.travel == Travel::Backward) {
        ChainLoop<Travel::Backward>(span, out, frames, gains);
    } else {
        ChainLoop<Travel::Forward>(span, out, frames, gains);
    }
}

// AVX2 renders whole groups of eight frames, the portable loops what is left.
void SteadyAvx2(const VoiceSpan& span, float* out, std::int32_t frames, float first, float second) {
    VoiceSpan rest = span;
    RenderWideSteady(rest, out, frames, first, second);
    SteadyPortable(rest, out, frames, first, second);
}

void RampedAvx2(const VoiceSpan& span, float* out, std::int32_t frames, const float* gainPairs) {
    VoiceSpan rest = span;
    RenderWideRamped(rest, out, frames, gainPairs);
    RampedPortable(rest, out, frames, gainPairs);
}

void ChainAvx2(const VoiceSpan& span, float* out, std::int32_t frames, RampChain& gains) {
    VoiceSpan rest = span;
    RenderWideChain(rest, out, frames, gains);
    ChainPortable(rest, out, frames, gains);
}

using SteadyFunction = void (*)(const VoiceSpan&, float*, std::int32_t, float, float);
using RampedFunction = void (*)(const VoiceSpan&, float*, std::int32_t, const float*);
using ChainFunction = void (*)(const VoiceSpan&, float*, std::int32_t, RampChain&);

struct Loops {
    SteadyFunction steady;
    RampedFunction ramped;
    ChainFunction chain;
};

bool Available(MixerLoops loops) {
    switch (loops) {
        case MixerLoops::Avx512:
            return Avx512Mixing();
        case MixerLoops::Avx2:
            return WideMixing();
        case MixerLoops::Portable:
            return true;
    }
    return false;
}

Loops LoopsFor(MixerLoops loops) {
    switch (loops) {
        case MixerLoops::Avx512:
            return {RenderSteady512, RenderRamped512, RenderRampChain512};
        case MixerLoops::Avx2:
            return {SteadyAvx2, RampedAvx2, ChainAvx2};
        case MixerLoops::Portable:
            break;
    }
    return {SteadyPortable, RampedPortable, ChainPortable};
}

Loops& ChosenLoops() {
    static Loops chosen = LoopsFor(Available(MixerLoops::Avx512) ? MixerLoops::Avx512
                                   : Available(MixerLoops::Avx2) ? MixerLoops::Avx2
                                                                 : MixerLoops::Portable);
    return chosen;
}

}  // namespace

void RenderSteady(const VoiceSpan& span, float* out, std::int32_t frames, float first, float second) {
    if (frames > 0) {
        ChosenLoops().steady(span, out, frames, first, second);
    }
}

void RenderRamped(const VoiceSpan& span, float* out, std::int32_t frames, const float* gainPairs) {
    if (frames > 0) {
        ChosenLoops().ramped(span, out, frames, gainPairs);
    }
}

void RenderRampChain(const VoiceSpan& span, float* out, std::int32_t frames, RampChain& gains) {
    if (frames > 0) {
        ChosenLoops().chain(span, out, frames, gains);
    }
}

bool UseMixerLoops(MixerLoops loops) {
    if (!Available(loops)) {
        return false;
    }
    ChosenLoops() = LoopsFor(loops);
    return true;
}
