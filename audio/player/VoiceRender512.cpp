// The mixer's inner loops sixteen frames at a time with AVX-512. Each lane holds one frame, in
// frame order: its fraction moves on as a 32-bit lane and carries into the frame index, so every
// lane follows the voice's 64-bit position exactly. Below four frames per step the sixteen frames
// read from one window of 64 sample frames: the lanes keep their index as a pair of word indices
// (index, index + 1), and one word permutation picks each frame's (data[i], data[i + 1]); faster
// voices gather their pairs. The interpolated frames are spread into (first, second) pairs by two
// permutations, multiplied by the gains and added into the mix; the last frames of a stretch run
// through the same steps with lane masks. A ramp that stays inside the binades of its gains works
// its gains out in the loop, in closed form; one that leaves them takes its gains from tables worked
// out ahead, which a cache keeps for the next ramp alike.
#include "audio/player/VoiceRender512.h"

#include "audio/player/RampBinade.h"
#include "audio/player/VoiceRenderWide.h"

#if VESKAR_MIXER_WIDE
// GCC 12 takes the "undefined" operands inside its AVX-512 shift, conversion and permutation
// intrinsics for uninitialised values (fixed in GCC 13).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#pragma GCC diagnostic ignored "-Wuninitialized"
#endif
#include <immintrin.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#define VESKAR_AVX512 __attribute__((target("avx512f,avx512bw")))
// Everything a block does is inlined into the loops: a call would cost the vector registers.
#define VESKAR_BLOCK_STEP [[gnu::always_inline]] VESKAR_AVX512 inline

namespace {

inline constexpr float FRACTION_SCALE = 1.0f / 2147483648.0f;  // 2^-31
inline constexpr std::int32_t LANES = 16;
inline constexpr std::size_t WINDOW_FRAMES = 64;  // sample frames one block may read from
// Below this step the sixteen frames of a block and the frame after each lie within a window:
// 15 x 4 frames, plus one for the first fraction and one for the frame after, is less than 64.
inline constexpr std::uint64_t WINDOW_STEP_LIMIT = std::uint64_t{4} << 32;
inline constexpr std::uint32_t WORD_PAIR = 0x10001;  // index x WORD_PAIR = (index, index) as words

// The lanes of one block: each frame's index (or its word pair) and fraction, and the position of
// the block's first frame.
struct Lanes {
    __m512i index;
    __m512i fraction;
    std::uint64_t position;
};

// What the lanes move by from one block to the next: sixteen steps.
struct BlockMove {
    __m512i index;     // integer part (as the lanes keep it: plain or as a word pair)
    __m512i carry;     // added where a fraction wraps
    __m512i fraction;  // fraction part
    std::uint64_t position;
};

// The positions position +- k x step of frames k = 0..15, split into index and fraction lanes.
template <Travel Way>
VESKAR_BLOCK_STEP Lanes StartLanes(std::uint64_t position, std::uint64_t step) {
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

VESKAR_BLOCK_STEP BlockMove MoveOf(std::uint64_t step, std::uint32_t unit) {
    const std::uint64_t move = step * LANES;
    return {_mm512_set1_epi32(static_cast<std::int32_t>(static_cast<std::uint32_t>(move >> 32) * unit)),
            _mm512_set1_epi32(static_cast<std::int32_t>(unit)),
            _mm512_set1_epi32(static_cast<std::int32_t>(static_cast<std::uint32_t>(move))), move};
}

// Moves every lane on by sixteen steps: the fractions wrap, and the wrap carries into the index.
template <Travel Way>
VESKAR_BLOCK_STEP void Advance(Lanes& lanes, const BlockMove& move) {
    if constexpr (Way == Travel::Backward) {
        const __m512i fraction = _mm512_sub_epi32(lanes.fraction, move.fraction);
        const __mmask16 borrow = _mm512_cmpgt_epu32_mask(fraction, lanes.fraction);
        const __m512i index = _mm512_sub_epi32(lanes.index, move.index);
        lanes.index = _mm512_mask_sub_epi32(index, borrow, index, move.carry);
        lanes.fraction = fraction;
        lanes.position -= move.position;
    } else {
        const __m512i fraction = _mm512_add_epi32(lanes.fraction, move.fraction);
        const __mmask16 carry = _mm512_cmplt_epu32_mask(fraction, lanes.fraction);
        const __m512i index = _mm512_add_epi32(lanes.index, move.index);
        lanes.index = _mm512_mask_add_epi32(index, carry, index, move.carry);
        lanes.fraction = fraction;
        lanes.position += move.position;
    }
}

// The pairs (data[i] low, data[i + 1] high) of a block's frames from the window that starts at frame
// first, the lowest index among the frames; lanes.index holds the word pairs. No frame at or beyond
// readableFrames is read.
VESKAR_BLOCK_STEP __m512i WindowPairs(const std::int16_t* data, std::size_t readableFrames,
                                      const Lanes& lanes, std::uint32_t first) {
    // (index - first, index - first + 1) as words: indices into the window.
    const __m512i words = _mm512_sub_epi32(
        lanes.index, _mm512_set1_epi32(static_cast<std::int32_t>(first * WORD_PAIR - 0x10000)));
    const std::int16_t* window = data + first;
    const std::size_t room = readableFrames - first;
    if (room >= WINDOW_FRAMES) {
        return _mm512_permutex2var_epi16(_mm512_loadu_si512(window), words, _mm512_loadu_si512(window + 32));
    }
    // Near the end of the data: masked loads read only the readable frames.
    const auto low = static_cast<__mmask32>(room >= 32 ? 0xFFFFFFFFu : (1u << room) - 1);
    const auto high = static_cast<__mmask32>(room > 32 ? (1u << (room - 32)) - 1 : 0);
    return _mm512_permutex2var_epi16(_mm512_maskz_loadu_epi16(low, window), words,
                                     _mm512_maskz_loadu_epi16(high, window + 32));
}

// Interpolates the block's frames from their pairs: the same operations as the portable loops. The
// multiply-adds of word pairs give data[i] (1 x low + 0 x high) and data[i + 1] - data[i] exactly.
VESKAR_BLOCK_STEP __m512i Words(std::int16_t low, std::int16_t high) {
    return _mm512_set1_epi32(
        static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint16_t>(low)) |
                                  (std::uint32_t{static_cast<std::uint16_t>(high)} << 16)));
}

VESKAR_BLOCK_STEP __m512 Interpolate(__m512i pairs, __m512i fraction) {
    const __m512i s0 = _mm512_madd_epi16(pairs, Words(1, 0));
    const __m512 difference = _mm512_cvtepi32_ps(_mm512_madd_epi16(pairs, Words(-1, 1)));
    const __m512 scaled =
        _mm512_mul_ps(_mm512_cvtepi32_ps(_mm512_srli_epi32(fraction, 1)), _mm512_set1_ps(FRACTION_SCALE));
    return _mm512_add_ps(_mm512_cvtepi32_ps(s0), _mm512_mul_ps(scaled, difference));
}

// Where the gains of a block come from: the same pairs for every frame, or a ramp's table of pairs.
struct SteadyGains {
    __m512 pairs;
};
struct TableGains {
    const float* pairs;
};
// A ramp's gains worked out ahead, one table for each channel: the products of a frame and its two
// gains are spread into (first, second) pairs after the multiplications.
struct SplitGains {
    const float* first;
    const float* second;
};

// A ramp worked out in the loop, block by block: in closed form (RampBinade.h), in registers, while
// both gains stay inside their binades, else one frame after another into a small table.
struct ChainGains {
    float first;  // gains of the next frame to work out
    float second;
    float firstRamp;
    float secondRamp;
    std::int32_t frames;
    Binade firstBinade;
    Binade secondBinade;
    __m512i low;  // the (first, second) mantissas of the next block's frames 0..7 and 8..15
    __m512i high;
    __m512i moves;  // sixteen frames' moves of both
    __m512 units;
    __m512 current[2];  // the block's (first, second) pairs of frames 0..7 and 8..15, worked out closed
    bool tabled;        // the block's pairs are in the table instead
    float* table;       // sixteen pairs
};

VESKAR_BLOCK_STEP __m512i PairOf(std::int32_t first, std::int32_t second) {
    return _mm512_set1_epi64(static_cast<std::int64_t>(
        static_cast<std::uint32_t>(first) | (std::uint64_t{static_cast<std::uint32_t>(second)} << 32)));
}

// The mantissa lanes of the next block from the binades (after a block added up in turn).
VESKAR_BLOCK_STEP void StartClosed(ChainGains& chain) {
    const Binade& first = chain.firstBinade;
    const Binade& second = chain.secondBinade;
    const __m512i frames = _mm512_setr_epi32(0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7);
    const __m512i moves = PairOf(first.move, second.move);
    chain.low = _mm512_add_epi32(PairOf(first.mantissa, second.mantissa), _mm512_mullo_epi32(frames, moves));
    chain.high = _mm512_add_epi32(chain.low, _mm512_slli_epi32(moves, 3));
    chain.moves = _mm512_slli_epi32(moves, 4);
    std::uint32_t unitBits[2];
    std::memcpy(&unitBits[0], &first.unit, sizeof unitBits[0]);
    std::memcpy(&unitBits[1], &second.unit, sizeof unitBits[1]);
    chain.units = _mm512_castsi512_ps(
        PairOf(static_cast<std::int32_t>(unitBits[0]), static_cast<std::int32_t>(unitBits[1])));
}

// A block's gains in closed form: sixteen (first, second) pairs in two registers.
VESKAR_BLOCK_STEP void WorkOutClosed(ChainGains& chain, std::int32_t count) {
    chain.current[0] = _mm512_mul_ps(_mm512_cvtepi32_ps(chain.low), chain.units);
    chain.current[1] = _mm512_mul_ps(_mm512_cvtepi32_ps(chain.high), chain.units);
    chain.tabled = false;
    chain.low = _mm512_add_epi32(chain.low, chain.moves);
    chain.high = _mm512_add_epi32(chain.high, chain.moves);
    chain.firstBinade.mantissa += count * chain.firstBinade.move;
    chain.secondBinade.mantissa += count * chain.secondBinade.move;
}

// A block's gains one addition after another, then the binades the gains are in afterwards.
VESKAR_BLOCK_STEP void WorkOutInTurn(ChainGains& chain, float* pairs, std::int32_t count) {
    __m128 gains = _mm_setr_ps(chain.first, chain.second, 0.0f, 0.0f);
    const __m128 ramps = _mm_setr_ps(chain.firstRamp, chain.secondRamp, 0.0f, 0.0f);
    for (std::int32_t index = 0; index < count; ++index) {
        _mm_storel_pi(reinterpret_cast<__m64*>(pairs + 2 * index), gains);
        gains = _mm_add_ps(gains, ramps);
    }
    chain.first = _mm_cvtss_f32(gains);
    chain.second = _mm_cvtss_f32(_mm_shuffle_ps(gains, gains, 1));
    chain.firstBinade = BinadeOf(chain.first, chain.firstRamp);
    chain.secondBinade = BinadeOf(chain.second, chain.secondRamp);
    if (chain.firstBinade.closed && chain.secondBinade.closed) {
        StartClosed(chain);
    }
}

VESKAR_BLOCK_STEP void WorkOut(const SteadyGains&, std::int32_t) {}
VESKAR_BLOCK_STEP void WorkOut(const TableGains&, std::int32_t) {}
VESKAR_BLOCK_STEP void WorkOut(const SplitGains&, std::int32_t) {}
// The gains of the block starting at frame, if the stretch has it.
VESKAR_BLOCK_STEP void WorkOut(ChainGains& chain, std::int32_t frame) {
    if (frame >= chain.frames) {
        return;
    }
    const std::int32_t count = chain.frames - frame < LANES ? chain.frames - frame : LANES;
    if (StaysInside(chain.firstBinade, count) && StaysInside(chain.secondBinade, count)) {
        WorkOutClosed(chain, count);
        return;
    }
    // Leaving the binade: the gains where the closed form stopped, then one addition at a time.
    if (chain.firstBinade.closed && chain.secondBinade.closed) {
        chain.first = GainIn(chain.firstBinade);
        chain.second = GainIn(chain.secondBinade);
    }
    WorkOutInTurn(chain, chain.table, count);
    chain.tabled = true;
}

VESKAR_BLOCK_STEP __m512 GainsAt(const SteadyGains& gains, std::int32_t, __mmask16) {
    return gains.pairs;
}
VESKAR_BLOCK_STEP __m512 GainsAt(const TableGains& gains, std::int32_t offset, __mmask16 mask) {
    return _mm512_maskz_loadu_ps(mask, gains.pairs + offset);
}
VESKAR_BLOCK_STEP __m512 GainsAt(const ChainGains& gains, std::int32_t offset, __mmask16 mask) {
    const std::int32_t half = (offset / LANES) & 1;
    if (!gains.tabled) {
        return gains.current[half];
    }
    return _mm512_maskz_loadu_ps(mask, gains.table + LANES * half);
}

// Adds two registers of (first, second) pairs into out (2 x 16 floats from out): the floats in the
// masks only.
VESKAR_BLOCK_STEP void AddPairs(float* out, __m512 first, __m512 second, __mmask16 low, __mmask16 high) {
    if (high == 0xFFFF) {
        _mm512_storeu_ps(out, _mm512_add_ps(_mm512_loadu_ps(out), first));
        _mm512_storeu_ps(out + LANES, _mm512_add_ps(_mm512_loadu_ps(out + LANES), second));
        return;
    }
    _mm512_mask_storeu_ps(out, low, _mm512_add_ps(_mm512_maskz_loadu_ps(low, out), first));
    _mm512_mask_storeu_ps(out + LANES, high, _mm512_add_ps(_mm512_maskz_loadu_ps(high, out + LANES), second));
}

// Adds the block's frames into out: the floats in the masks only.
template <typename Gains>
VESKAR_BLOCK_STEP void AddBlock(float* out, __m512 s, const Gains& gains, std::int32_t frame, __mmask16 low,
                                __mmask16 high) {
    const __m512i lowFrames = _mm512_setr_epi32(0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7);
    const __m512i highFrames = _mm512_setr_epi32(8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13, 14, 14, 15, 15);
    const __m512 first = _mm512_mul_ps(_mm512_permutexvar_ps(lowFrames, s), GainsAt(gains, 2 * frame, low));
    const __m512 second =
        _mm512_mul_ps(_mm512_permutexvar_ps(highFrames, s), GainsAt(gains, 2 * frame + LANES, high));
    AddPairs(out, first, second, low, high);
}

// The same for a ramp's split gains: each product is the one AddBlock above forms, in the same lane.
VESKAR_BLOCK_STEP void AddBlock(float* out, __m512 s, const SplitGains& gains, std::int32_t frame,
                                __mmask16 low, __mmask16 high) {
    const __m512i lowPairs = _mm512_setr_epi32(0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6, 22, 7, 23);
    const __m512i highPairs = _mm512_setr_epi32(8, 24, 9, 25, 10, 26, 11, 27, 12, 28, 13, 29, 14, 30, 15, 31);
    const __m512 firsts = _mm512_mul_ps(s, _mm512_load_ps(gains.first + frame));
    const __m512 seconds = _mm512_mul_ps(s, _mm512_load_ps(gains.second + frame));
    AddPairs(out, _mm512_permutex2var_ps(firsts, lowPairs, seconds),
             _mm512_permutex2var_ps(firsts, highPairs, seconds), low, high);
}

// Renders one block of count (1..16) frames.
template <Travel Way, bool Windowed, typename Gains>
VESKAR_BLOCK_STEP void RenderBlock(const VoiceSpan& span, const Lanes& lanes, float* out, Gains& gains,
                                   std::int32_t frame, std::int32_t count) {
    WorkOut(gains, frame);
    __m512i pairs;
    if constexpr (Windowed) {
        // The lowest index: the first frame's, or going backward the last one's.
        const std::uint64_t lowest = Way == Travel::Backward
                                         ? lanes.position - span.step * static_cast<std::uint64_t>(count - 1)
                                         : lanes.position;
        pairs = WindowPairs(span.data, span.readableFrames, lanes, static_cast<std::uint32_t>(lowest >> 32));
    } else {
        const auto active = static_cast<__mmask16>((1u << count) - 1);
        pairs = _mm512_mask_i32gather_epi32(_mm512_setzero_si512(), active, lanes.index, span.data, 2);
    }
    const auto low = static_cast<__mmask16>(count >= 8 ? 0xFFFF : (1u << (2 * count)) - 1);
    const auto high = static_cast<__mmask16>(count > 8 ? (1u << (2 * (count - 8))) - 1 : 0);
    AddBlock(out + 2 * frame, Interpolate(pairs, lanes.fraction), gains, frame, low, high);
}

template <Travel Way, bool Windowed, typename Gains>
VESKAR_AVX512 void RenderLanes(const VoiceSpan& span, float* out, std::int32_t frames, Gains& gains) {
    const VoiceSpan local = span;  // kept in registers: the stores into out cannot change it
    const std::uint32_t unit = Windowed ? WORD_PAIR : 1;
    Lanes lanes = StartLanes<Way>(local.position, local.step);
    if constexpr (Windowed) {
        lanes.index = _mm512_add_epi32(lanes.index, _mm512_slli_epi32(lanes.index, 16));  // x WORD_PAIR
    }
    const BlockMove move = MoveOf(local.step, unit);
    std::int32_t frame = 0;
    for (; frame + LANES <= frames; frame += LANES) {
        RenderBlock<Way, Windowed>(local, lanes, out, gains, frame, LANES);
        Advance<Way>(lanes, move);
    }
    if (frame < frames) {
        RenderBlock<Way, Windowed>(local, lanes, out, gains, frame, frames - frame);
    }
}

template <typename Gains>
VESKAR_AVX512 void Render(const VoiceSpan& span, float* out, std::int32_t frames, Gains& gains) {
    const bool windowed = span.step < WINDOW_STEP_LIMIT;
    if (span.travel == Travel::Backward) {
        if (windowed) {
            RenderLanes<Travel::Backward, true>(span, out, frames, gains);
        } else {
            RenderLanes<Travel::Backward, false>(span, out, frames, gains);
        }
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
    const __m128 pair = _mm_setr_ps(first, second, first, second);
    SteadyGains gains{_mm512_broadcast_f32x4(pair)};
    Render(span, out, frames, gains);
}

VESKAR_AVX512 void RenderRamped512(const VoiceSpan& span, float* out, std::int32_t frames,
                                   const float* gainPairs) {
    TableGains gains{gainPairs};
    Render(span, out, frames, gains);
}

namespace {

inline constexpr std::int32_t RAMP_TABLE_FRAMES = 128;  // a whole ramp at 44100 Hz
// A gain less than 2^5 times its ramp (by their exponents) leaves its binade within 64 frames, and
// the sooner the nearer it is to zero: such gains are added up in turn, which costs less than
// setting up their short runs.
inline constexpr std::uint32_t SHORT_RUN_EXPONENTS = 5;

std::uint32_t BitsOf(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

std::uint32_t ExponentOf(float value) {
    return (BitsOf(value) >> 23) & 0xFF;
}

// Writes the gains of a table's frames of one channel's ramp into gains, the first being gain, and
// returns the gain after them. Each run of gains inside one binade comes in closed form, sixteen
// frames to a register; the first gain past a run is one addition of the ramp. Gains near zero, and
// any without a closed form, are added up in turn to the end of their block. A block of the table is
// stored whole once its last gain is in, so that the loads that read it get it straight from the
// store.
VESKAR_AVX512 float FillGains(float gain, float ramp, float* gains) {
    constexpr std::int32_t count = RAMP_TABLE_FRAMES;  // whole blocks
    if (ramp == 0.0f && !std::signbit(ramp)) {
        // A channel that does not ramp (the silent side of a panned voice): every gain after the
        // first is gain + 0, which is gain itself unless that was -0.
        const __m512 after = _mm512_set1_ps(gain + ramp);
        _mm512_store_ps(gains, _mm512_mask_mov_ps(after, 1, _mm512_set1_ps(gain)));
        for (std::int32_t start = LANES; start < count; start += LANES) {
            _mm512_store_ps(gains + start, after);
        }
        return gain + ramp;
    }
    const __m512i lanes = _mm512_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    const std::uint32_t rampExponent = ExponentOf(ramp);
    __m512 block = _mm512_setzero_ps();
    std::int32_t frame = 0;
    while (frame < count) {
        const bool nearZero = ExponentOf(gain) < rampExponent + SHORT_RUN_EXPONENTS;
        const Binade binade = nearZero ? Binade{} : BinadeOf(gain, ramp);
        if (!binade.closed) {
            const std::int32_t stop = (frame / LANES + 1) * LANES;
            for (; frame < stop; ++frame) {
                block = _mm512_mask_mov_ps(block, static_cast<__mmask16>(1u << (frame % LANES)),
                                           _mm512_set1_ps(gain));
                gain += ramp;
            }
            _mm512_store_ps(gains + (frame - 1) / LANES * LANES, block);
            continue;
        }
        const std::int32_t end = frame + FramesInside(binade, count - frame);
        std::int32_t start = frame / LANES * LANES;
        // The mantissas of frames start..start + 15, counted from the run's first frame.
        __m512i mantissas =
            _mm512_add_epi32(_mm512_set1_epi32(binade.mantissa + (start - frame) * binade.move),
                             _mm512_mullo_epi32(lanes, _mm512_set1_epi32(binade.move)));
        const __m512i move = _mm512_set1_epi32(binade.move * LANES);
        const __m512 unit = _mm512_set1_ps(binade.unit);
        for (; start < end; start += LANES) {
            const std::int32_t from = std::max(frame - start, 0);
            const std::int32_t to = std::min(end - start, LANES);
            const auto mask = static_cast<__mmask16>((1u << to) - (1u << from));
            block = _mm512_mask_mov_ps(block, mask, _mm512_mul_ps(_mm512_cvtepi32_ps(mantissas), unit));
            if (to == LANES) {  // the block is whole (the table is whole blocks)
                _mm512_store_ps(gains + start, block);
            }
            mantissas = _mm512_add_epi32(mantissas, move);
        }
        gain = static_cast<float>(binade.mantissa + (end - 1 - frame) * binade.move) * binade.unit + ramp;
        frame = end;
    }
    return gain;
}

// Ramps worked out before, for each channel, each for a whole table of frames: a ramp that a block's
// end cut short reads the start of its table. A song comes back to the same volumes and pannings
// again and again, and the voices of a chord ramp alike, so most ramps are ones a channel has made
// before. The two channels keep apart, so that a voice's two tables never take one slot. There is one
// mixer in the program (its voices are the program's), so one set of caches.
inline constexpr std::uint32_t CACHE_BITS = 9;
inline constexpr std::uint32_t CACHE_SLOTS = 1u << CACHE_BITS;

// Zero in static storage: no ramp filled yet.
struct CachedRamp {
    std::uint32_t gainBits;
    std::uint32_t rampBits;
    bool filled;
    float after;  // the gain after the whole table
};

struct RampCache {
    CachedRamp ramps[CACHE_SLOTS];
    alignas(64) float gains[CACHE_SLOTS][RAMP_TABLE_FRAMES];
};

RampCache rampCaches[2];

// The bits of both, mixed by multiplications and shifts: the top bits of the mix choose the slot.
std::uint32_t SlotOf(std::uint32_t gainBits, std::uint32_t rampBits) {
    std::uint32_t hash = gainBits * 0x9E3779B1u + rampBits * 0x85EBCA77u;
    hash ^= hash >> 15;
    hash *= 0x2C1B3C6Du;
    hash ^= hash >> 12;
    return hash >> (32 - CACHE_BITS);
}

// The gains of count (1..RAMP_TABLE_FRAMES) frames of one channel's ramp from gain, which moves on to
// the gain after them.
VESKAR_AVX512 const float* RampGains(RampCache& cache, float& gain, float ramp, std::int32_t count) {
    const std::uint32_t gainBits = BitsOf(gain);
    const std::uint32_t rampBits = BitsOf(ramp);
    const std::uint32_t slot = SlotOf(gainBits, rampBits);
    CachedRamp& cached = cache.ramps[slot];
    const float* gains = cache.gains[slot];
    if (!cached.filled || cached.gainBits != gainBits || cached.rampBits != rampBits) {
        cached.after = FillGains(gain, ramp, cache.gains[slot]);
        cached.gainBits = gainBits;
        cached.rampBits = rampBits;
        cached.filled = true;
    }
    gain = count < RAMP_TABLE_FRAMES ? gains[count] : cached.after;
    return gains;
}

// A ramp that leaves a binade: its gains from the cache, or worked out into it. Kept out of line, so
// that the loops of the ramps worked out as they go keep their registers as they were.
[[gnu::noinline]] VESKAR_AVX512 void RenderCachedRamp(const VoiceSpan& span, float* out, std::int32_t frames,
                                                      RampChain& gains) {
    const float* first = RampGains(rampCaches[0], gains.first, gains.firstRamp, frames);
    SplitGains split{first, RampGains(rampCaches[1], gains.second, gains.secondRamp, frames)};
    Render(span, out, frames, split);
}

}  // namespace

VESKAR_AVX512 void RenderRampChain512(const VoiceSpan& span, float* out, std::int32_t frames,
                                      RampChain& gains) {
    const Binade firstBinade = BinadeOf(gains.first, gains.firstRamp);
    const Binade secondBinade = BinadeOf(gains.second, gains.secondRamp);
    if (frames <= RAMP_TABLE_FRAMES &&
        !(StaysInside(firstBinade, frames) && StaysInside(secondBinade, frames))) {
        RenderCachedRamp(span, out, frames, gains);
        return;
    }
    alignas(64) float table[2 * LANES];
    // The vector lanes are left undefined: StartClosed sets them before any use, and clearing them
    // would cost a tenth of a short ramp.
    ChainGains chain{gains.first,
                     gains.second,
                     gains.firstRamp,
                     gains.secondRamp,
                     frames,
                     firstBinade,
                     secondBinade,
                     _mm512_undefined_epi32(),
                     _mm512_undefined_epi32(),
                     _mm512_undefined_epi32(),
                     _mm512_undefined_ps(),
                     {_mm512_undefined_ps(), _mm512_undefined_ps()},
                     true,
                     table};
    if (chain.firstBinade.closed && chain.secondBinade.closed) {
        StartClosed(chain);
    }
    Render(span, out, frames, chain);
    if (chain.firstBinade.closed && chain.secondBinade.closed) {
        chain.first = GainIn(chain.firstBinade);
        chain.second = GainIn(chain.secondBinade);
    }
    gains.first = chain.first;
    gains.second = chain.second;
}

VESKAR_AVX512 std::int32_t ConvertToPcm512(std::int16_t* pcm, const float* source, std::int32_t values) {
    std::int32_t index = 0;
    for (; index + LANES <= values; index += LANES) {
        // The same minimum and maximum as the SSE2 conversion, in the same order.
        const __m512 clamped =
            _mm512_max_ps(_mm512_min_ps(_mm512_loadu_ps(source + index), _mm512_set1_ps(32767.0f)),
                          _mm512_set1_ps(-32768.0f));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(pcm + index),
                            _mm512_cvtepi32_epi16(_mm512_cvtps_epi32(clamped)));
    }
    return index;
}

#else

bool Avx512Mixing() {
    return false;
}

void RenderSteady512(const VoiceSpan&, float*, std::int32_t, float, float) {}

void RenderRamped512(const VoiceSpan&, float*, std::int32_t, const float*) {}

void RenderRampChain512(const VoiceSpan&, float*, std::int32_t, RampChain&) {}

std::int32_t ConvertToPcm512(std::int16_t*, const float*, std::int32_t) {
    return 0;
}

#endif
