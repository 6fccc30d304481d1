// The mixer's inner loops eight frames at a time with AVX2. The eight frames sit in the lanes in the
// order 0 1 4 5 | 2 3 6 7, which the in-lane unpacking into (first, second) pairs puts back in frame
// order. The sample frames are loaded one by one: a gather is slower here.
#include "audio/player/VoiceRenderWide.h"

#if VESKAR_MIXER_WIDE
#include <immintrin.h>
#endif

#if VESKAR_MIXER_WIDE

namespace {

inline constexpr float FRACTION_SCALE = 1.0f / 2147483648.0f;  // 2^-31

// The scalar position moves frame by frame for the loads; the fractions move as 32-bit lanes in the
// order 0 1 4 5 | 2 3 6 7 (the low half of a 64-bit sum depends only on the low halves).
struct WideState {
    std::uint64_t position;
    std::uint64_t step;
    __m256i fractions;
    __m256i advance;  // 8 x the step's fraction
};

__attribute__((target("avx2"), always_inline)) inline WideState StartWide(std::uint64_t position,
                                                                          std::uint64_t step, bool backward) {
    const auto base = static_cast<std::uint32_t>(position);
    const auto delta = static_cast<std::uint32_t>(step);
    const __m256i lanes = _mm256_setr_epi32(0, 1, 4, 5, 2, 3, 6, 7);
    const __m256i offsets = _mm256_mullo_epi32(lanes, _mm256_set1_epi32(static_cast<int>(delta)));
    const __m256i bases = _mm256_set1_epi32(static_cast<int>(base));
    return WideState{position, step,
                     backward ? _mm256_sub_epi32(bases, offsets) : _mm256_add_epi32(bases, offsets),
                     _mm256_set1_epi32(static_cast<int>(delta * 8))};
}

template <bool Backward>
inline __m128i LoadFrame(const std::int16_t* data, WideState& state) {
    const __m128i frame = _mm_loadu_si32(data + static_cast<std::uint32_t>(state.position >> 32));
    state.position = Backward ? state.position - state.step : state.position + state.step;
    return frame;
}

// Interpolates eight frames (in the order 0 1 4 5 | 2 3 6 7) and moves the positions on.
template <bool Backward>
__attribute__((target("avx2"))) inline __m256 InterpolateEight(const std::int16_t* data, WideState& state) {
    // Each load reads data[i] (low half) and data[i + 1] (high half) at once.
    const __m128i frame0 = LoadFrame<Backward>(data, state);
    const __m128i frame1 = LoadFrame<Backward>(data, state);
    const __m128i frame2 = LoadFrame<Backward>(data, state);
    const __m128i frame3 = LoadFrame<Backward>(data, state);
    const __m128i frame4 = LoadFrame<Backward>(data, state);
    const __m128i frame5 = LoadFrame<Backward>(data, state);
    const __m128i frame6 = LoadFrame<Backward>(data, state);
    const __m128i frame7 = LoadFrame<Backward>(data, state);
    const __m128i low =
        _mm_unpacklo_epi64(_mm_unpacklo_epi32(frame0, frame1), _mm_unpacklo_epi32(frame4, frame5));
    const __m128i high =
        _mm_unpacklo_epi64(_mm_unpacklo_epi32(frame2, frame3), _mm_unpacklo_epi32(frame6, frame7));
    const __m256i packed = _mm256_set_m128i(high, low);
    const __m256i first = _mm256_srai_epi32(_mm256_slli_epi32(packed, 16), 16);
    const __m256i second = _mm256_srai_epi32(packed, 16);
    const __m256 s0 = _mm256_cvtepi32_ps(first);
    const __m256 difference = _mm256_cvtepi32_ps(_mm256_sub_epi32(second, first));
    const __m256 fraction = _mm256_cvtepi32_ps(_mm256_srli_epi32(state.fractions, 1));
    state.fractions = Backward ? _mm256_sub_epi32(state.fractions, state.advance)
                               : _mm256_add_epi32(state.fractions, state.advance);
    return _mm256_add_ps(s0,
                         _mm256_mul_ps(_mm256_mul_ps(fraction, _mm256_set1_ps(FRACTION_SCALE)), difference));
}

// Adds the eight frames, with the gains of frames 0-3 and 4-7 as (first, second) pairs, into out.
__attribute__((target("avx2"))) inline void AddEight(float* out, __m256 s, __m256 gains0, __m256 gains4) {
    const __m256 frames0 = _mm256_mul_ps(_mm256_unpacklo_ps(s, s), gains0);
    const __m256 frames4 = _mm256_mul_ps(_mm256_unpackhi_ps(s, s), gains4);
    _mm256_storeu_ps(out, _mm256_add_ps(_mm256_loadu_ps(out), frames0));
    _mm256_storeu_ps(out + 8, _mm256_add_ps(_mm256_loadu_ps(out + 8), frames4));
}

template <bool Backward>
__attribute__((target("avx2"))) void SteadyEights(VoiceSpan& span, float*& out, std::int32_t& frames,
                                                  float first, float second) {
    const std::int32_t blocks = frames / 8;
    WideState state = StartWide(span.position, span.step, Backward);
    const __m256 pairs = _mm256_setr_ps(first, second, first, second, first, second, first, second);
    float* target = out;
    for (std::int32_t block = 0; block < blocks; ++block) {
        AddEight(target, InterpolateEight<Backward>(span.data, state), pairs, pairs);
        target += 16;
    }
    out = target;
    frames -= blocks * 8;
    span.position = state.position;
}

template <bool Backward>
__attribute__((target("avx2"))) void RampedEights(VoiceSpan& span, float*& out, std::int32_t& frames,
                                                  const float*& gainPairs) {
    const std::int32_t blocks = frames / 8;
    WideState state = StartWide(span.position, span.step, Backward);
    float* target = out;
    const float* gains = gainPairs;
    for (std::int32_t block = 0; block < blocks; ++block) {
        AddEight(target, InterpolateEight<Backward>(span.data, state), _mm256_loadu_ps(gains),
                 _mm256_loadu_ps(gains + 8));
        target += 16;
        gains += 16;
    }
    out = target;
    gainPairs = gains;
    frames -= blocks * 8;
    span.position = state.position;
}

// Gains of four frames as (first, second) pairs, from gain (first, second in the low lanes) on; gain
// moves on by four single-precision additions, one per frame.
__attribute__((target("avx2"))) inline __m256 RampFour(__m128& gain, __m128 ramp) {
    const __m128 gain1 = _mm_add_ps(gain, ramp);
    const __m128 gain2 = _mm_add_ps(gain1, ramp);
    const __m128 gain3 = _mm_add_ps(gain2, ramp);
    const __m256 pairs = _mm256_set_m128(_mm_movelh_ps(gain2, gain3), _mm_movelh_ps(gain, gain1));
    gain = _mm_add_ps(gain3, ramp);
    return pairs;
}

template <bool Backward>
__attribute__((target("avx2"))) void ChainEights(VoiceSpan& span, float*& out, std::int32_t& frames,
                                                 RampChain& gains) {
    const std::int32_t blocks = frames / 8;
    WideState state = StartWide(span.position, span.step, Backward);
    const __m128 ramp = _mm_setr_ps(gains.firstRamp, gains.secondRamp, 0.0f, 0.0f);
    __m128 gain = _mm_setr_ps(gains.first, gains.second, 0.0f, 0.0f);
    float* target = out;
    for (std::int32_t block = 0; block < blocks; ++block) {
        const __m256 gains0 = RampFour(gain, ramp);
        const __m256 gains4 = RampFour(gain, ramp);
        AddEight(target, InterpolateEight<Backward>(span.data, state), gains0, gains4);
        target += 16;
    }
    gains.first = _mm_cvtss_f32(gain);
    gains.second = _mm_cvtss_f32(_mm_shuffle_ps(gain, gain, 1));
    out = target;
    frames -= blocks * 8;
    span.position = state.position;
}

}  // namespace

bool WideMixing() {
    static const bool available = __builtin_cpu_supports("avx2") != 0;
    return available;
}

void RenderWideSteady(VoiceSpan& span, float*& out, std::int32_t& frames, float first, float second) {
    if (span.travel == Travel::Backward) {
        SteadyEights<true>(span, out, frames, first, second);
    } else {
        SteadyEights<false>(span, out, frames, first, second);
    }
}

void RenderWideRamped(VoiceSpan& span, float*& out, std::int32_t& frames, const float*& gainPairs) {
    if (span.travel == Travel::Backward) {
        RampedEights<true>(span, out, frames, gainPairs);
    } else {
        RampedEights<false>(span, out, frames, gainPairs);
    }
}

void RenderWideChain(VoiceSpan& span, float*& out, std::int32_t& frames, RampChain& gains) {
    if (span.travel == Travel::Backward) {
        ChainEights<true>(span, out, frames, gains);
    } else {
        ChainEights<false>(span, out, frames, gains);
    }
}

#else

bool WideMixing() {
    return false;
}

void RenderWideSteady(VoiceSpan&, float*&, std::int32_t&, float, float) {}

void RenderWideRamped(VoiceSpan&, float*&, std::int32_t&, const float*&) {}

void RenderWideChain(VoiceSpan&, float*&, std::int32_t&, RampChain&) {}

#endif
