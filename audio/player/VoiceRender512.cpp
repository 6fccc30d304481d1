// The mixer's inner loops sixteen frames at a time with AVX-512. Each lane holds one frame, in
// frame order: its index and fraction move on as 32-bit lanes with the carry between them, so every
// lane follows the voice's 64-bit position exactly. Below four frames per step, the sixteen frames
// read from one window of 64 sample frames, and one word permutation picks each frame's pair
// (data[i], data[i + 1]); faster voices gather their pairs. Each channel's products are interleaved
// into (first, second) pairs by two permutations and added into the mix.
#include "audio/player/VoiceRender512.h"

#include "audio/player/VoiceRenderWide.h"

#if VESKAR_MIXER_WIDE
// GCC 12 takes the "undefined" operands inside its AVX-512 shift, conversion and permutation
// intrinsics for uninitialised values (fixed in GCC 13).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <immintrin.h>

#define VESKAR_AVX512 __attribute__((target("avx512f,avx512bw")))

namespace {

inline constexpr float FRACTION_SCALE = 1.0f / 2147483648.0f;  // 2^-31
inline constexpr std::int32_t LANES = 16;
inline constexpr std::int32_t WINDOW_FRAMES = 64;  // sample frames one block may read from
// Below this step the sixteen frames of a block and the frame after each lie within a window:
// 15 x 4 frames, plus one for the first fraction and one for the frame after, is less than 64.
inline constexpr std::uint64_t WINDOW_STEP_LIMIT = std::uint64_t{4} << 32;

struct Lanes {
    __m512i index;           // frame index of each of the block's frames
    __m512i fraction;        // and its fraction
    std::uint64_t position;  // position of the block's first frame
};

// The moves of one block: sixteen steps, split into the integer and the fraction part.
struct BlockMove {
    __m512i index;
    __m512i fraction;
    std::uint64_t position;
};

// The positions position +- k x step of frames k = 0..15 in 64-bit lanes, split into index and
// fraction lanes.
template <Travel Way>
VESKAR_AVX512 inline Lanes StartLanes(std::uint64_t position, std::uint64_t step) {
    const __m512i frames = _mm512_setr_epi64(0, 1, 2, 3, 4, 5, 6, 7);
    // k x step modulo 2^64, from the 32-bit halves of the step.
    const __m512i low =
        _mm512_mul_epu32(frames, _mm512_set1_epi64(static_cast<std::int64_t>(step & 0xFFFFFFFF)));
    const __m512i high = _mm512_slli_epi64(
        _mm512_mul_epu32(frames, _mm512_set1_epi64(static_cast<std::int64_t>(step >> 32))), 32);
    const __m512i offsets = _mm512_add_epi64(low, high);
    const __m512i start = _mm512_set1_epi64(static_cast<std::int64_t>(position));
    const __m512i eight = _mm512_set1_epi64(static_cast<std::int64_t>(step * 8));
    const __m512i first =
        Way == Travel::Backward ? _mm512_sub_epi64(start, offsets) : _mm512_add_epi64(start, offsets);
    const __m512i second =
        Way == Travel::Backward ? _mm512_sub_epi64(first, eight) : _mm512_add_epi64(first, eight);
    const __m512i highHalves = _mm512_setr_epi32(1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31);
    const __m512i lowHalves = _mm512_setr_epi32(0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30);
    return {_mm512_permutex2var_epi32(first, highHalves, second),
            _mm512_permutex2var_epi32(first, lowHalves, second), position};
}

VESKAR_AVX512 inline BlockMove MoveOf(std::uint64_t step) {
    const std::uint64_t move = step * LANES;
    return {_mm512_set1_epi32(static_cast<std::int32_t>(move >> 32)),
            _mm512_set1_epi32(static_cast<std::int32_t>(static_cast<std::uint32_t>(move))), move};
}

// Moves every lane on by sixteen steps: the fractions wrap, and the wrap carries into the index.
template <Travel Way>
VESKAR_AVX512 inline void Advance(Lanes& lanes, const BlockMove& move) {
    const __m512i one = _mm512_set1_epi32(1);
    if constexpr (Way == Travel::Backward) {
        const __m512i fraction = _mm512_sub_epi32(lanes.fraction, move.fraction);
        const __mmask16 borrow = _mm512_cmpgt_epu32_mask(fraction, lanes.fraction);
        const __m512i index = _mm512_sub_epi32(lanes.index, move.index);
        lanes.index = _mm512_mask_sub_epi32(index, borrow, index, one);
        lanes.fraction = fraction;
        lanes.position -= move.position;
    } else {
        const __m512i fraction = _mm512_add_epi32(lanes.fraction, move.fraction);
        const __mmask16 carry = _mm512_cmplt_epu32_mask(fraction, lanes.fraction);
        const __m512i index = _mm512_add_epi32(lanes.index, move.index);
        lanes.index = _mm512_mask_add_epi32(index, carry, index, one);
        lanes.fraction = fraction;
        lanes.position += move.position;
    }
}

// The pairs (data[i] low, data[i + 1] high) of the block's frames from the window starting at frame
// first, the lowest index of the active frames; no frame beyond readableFrames is read.
VESKAR_AVX512 inline __m512i WindowPairs(const std::int16_t* data, std::size_t readableFrames,
                                         const Lanes& lanes, std::uint32_t first) {
    const __m512i relative =
        _mm512_sub_epi32(lanes.index, _mm512_set1_epi32(static_cast<std::int32_t>(first)));
    // Word indices: the frame's own in the low half, the next frame's in the high half.
    const __m512i words = _mm512_add_epi32(_mm512_add_epi32(relative, _mm512_slli_epi32(relative, 16)),
                                           _mm512_set1_epi32(0x10000));
    const std::int16_t* window = data + first;
    const std::size_t room = readableFrames - first;
    if (room >= static_cast<std::size_t>(WINDOW_FRAMES)) {
        return _mm512_permutex2var_epi16(_mm512_loadu_si512(window), words, _mm512_loadu_si512(window + 32));
    }
    // Near the end of the data: masked loads read only the readable frames.
    const __mmask32 low = room >= 32 ? ~__mmask32{0} : static_cast<__mmask32>((std::uint64_t{1} << room) - 1);
    const __mmask32 high = room > 32 ? static_cast<__mmask32>((std::uint64_t{1} << (room - 32)) - 1) : 0;
    return _mm512_permutex2var_epi16(_mm512_maskz_loadu_epi16(low, window), words,
                                     _mm512_maskz_loadu_epi16(high, window + 32));
}

// Interpolates the block's frames from their pairs: the same operations as the portable loops.
VESKAR_AVX512 inline __m512 Interpolate(__m512i pairs, __m512i fraction) {
    const __m512i s0 = _mm512_srai_epi32(_mm512_slli_epi32(pairs, 16), 16);
    const __m512i s1 = _mm512_srai_epi32(pairs, 16);
    const __m512 difference = _mm512_cvtepi32_ps(_mm512_sub_epi32(s1, s0));
    const __m512 scaled =
        _mm512_mul_ps(_mm512_cvtepi32_ps(_mm512_srli_epi32(fraction, 1)), _mm512_set1_ps(FRACTION_SCALE));
    return _mm512_add_ps(_mm512_cvtepi32_ps(s0), _mm512_mul_ps(scaled, difference));
}

// Where the gains of a block come from: the same for every frame, or a ramp's tables.
struct SteadyGains {
    __m512 first;
    __m512 second;
};

VESKAR_AVX512 inline __m512 FirstGains(const SteadyGains& gains, std::int32_t, __mmask16) {
    return gains.first;
}
VESKAR_AVX512 inline __m512 SecondGains(const SteadyGains& gains, std::int32_t, __mmask16) {
    return gains.second;
}
VESKAR_AVX512 inline __m512 FirstGains(const RampTable& gains, std::int32_t frame, __mmask16 active) {
    return _mm512_maskz_loadu_ps(active, gains.firstGains + frame);
}
VESKAR_AVX512 inline __m512 SecondGains(const RampTable& gains, std::int32_t frame, __mmask16 active) {
    return _mm512_maskz_loadu_ps(active, gains.secondGains + frame);
}

// Adds the block's active frames into out: both channels' products, interleaved into pairs.
template <typename Gains>
VESKAR_AVX512 inline void AddBlock(float* out, __m512 s, const Gains& gains, std::int32_t frame,
                                   __mmask16 active, std::int32_t count) {
    const __m512i lowFrames = _mm512_setr_epi32(0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6, 22, 7, 23);
    const __m512i highFrames =
        _mm512_setr_epi32(8, 24, 9, 25, 10, 26, 11, 27, 12, 28, 13, 29, 14, 30, 15, 31);
    const __m512 first = _mm512_mul_ps(s, FirstGains(gains, frame, active));
    const __m512 second = _mm512_mul_ps(s, SecondGains(gains, frame, active));
    const __m512 low = _mm512_permutex2var_ps(first, lowFrames, second);
    const __m512 high = _mm512_permutex2var_ps(first, highFrames, second);
    if (count == LANES) {
        _mm512_storeu_ps(out, _mm512_add_ps(_mm512_loadu_ps(out), low));
        _mm512_storeu_ps(out + LANES, _mm512_add_ps(_mm512_loadu_ps(out + LANES), high));
        return;
    }
    const auto lowMask = static_cast<__mmask16>(count >= 8 ? 0xFFFF : (1u << (2 * count)) - 1);
    const auto highMask = static_cast<__mmask16>(count > 8 ? (1u << (2 * (count - 8))) - 1 : 0);
    _mm512_mask_storeu_ps(out, lowMask, _mm512_add_ps(_mm512_maskz_loadu_ps(lowMask, out), low));
    _mm512_mask_storeu_ps(out + LANES, highMask,
                          _mm512_add_ps(_mm512_maskz_loadu_ps(highMask, out + LANES), high));
}

template <Travel Way, bool Windowed, typename Gains>
VESKAR_AVX512 void RenderLanes(const VoiceSpan& span, float* out, std::int32_t frames, const Gains& gains) {
    Lanes lanes = StartLanes<Way>(span.position, span.step);
    const BlockMove move = MoveOf(span.step);
    for (std::int32_t frame = 0; frame < frames; frame += LANES) {
        const std::int32_t count = frames - frame < LANES ? frames - frame : LANES;
        const auto active = static_cast<__mmask16>((1u << count) - 1);
        __m512i pairs;
        if constexpr (Windowed) {
            // The lowest index among the active frames: the first one's, or going backward the last one's.
            const std::uint64_t lowest =
                Way == Travel::Backward ? lanes.position - span.step * static_cast<std::uint64_t>(count - 1)
                                        : lanes.position;
            pairs =
                WindowPairs(span.data, span.readableFrames, lanes, static_cast<std::uint32_t>(lowest >> 32));
        } else {
            pairs = _mm512_mask_i32gather_epi32(_mm512_setzero_si512(), active, lanes.index, span.data, 2);
        }
        AddBlock(out + 2 * frame, Interpolate(pairs, lanes.fraction), gains, frame, active, count);
        Advance<Way>(lanes, move);
    }
}

template <typename Gains>
VESKAR_AVX512 void Render(const VoiceSpan& span, float* out, std::int32_t frames, const Gains& gains) {
    const bool windowed = span.step < WINDOW_STEP_LIMIT;
    if (span.travel == Travel::Backward) {
        if (windowed)
            RenderLanes<Travel::Backward, true>(span, out, frames, gains);
        else
            RenderLanes<Travel::Backward, false>(span, out, frames, gains);
    } else if (windowed) {
        RenderLanes<Travel::Forward, true>(span, out, frames, gains);
    } else {
        RenderLanes<Travel::Forward, false>(span, out, frames, gains);
    }
}

}  // namespace

bool Avx512Mixing() {
    static const bool available =
        __builtin_cpu_supports("avx512f") != 0 && __builtin_cpu_supports("avx512bw") != 0;
    return available;
}

VESKAR_AVX512 void RenderSteady512(const VoiceSpan& span, float* out, std::int32_t frames, float first,
                                   float second) {
    Render(span, out, frames, SteadyGains{_mm512_set1_ps(first), _mm512_set1_ps(second)});
}

VESKAR_AVX512 void RenderRamped512(const VoiceSpan& span, float* out, std::int32_t frames, RampTable gains) {
    Render(span, out, frames, gains);
}

#else

bool Avx512Mixing() {
    return false;
}

void RenderSteady512(const VoiceSpan&, float*, std::int32_t, float, float) {}

void RenderRamped512(const VoiceSpan&, float*, std::int32_t, RampTable) {}

#endif
